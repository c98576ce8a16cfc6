// Runs one script file through tnscript and checks its output against the
// expectations written in the file's comments (see README.md here).
//
//   script_conformance TNSCRIPT FILE

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <cstdio>

namespace {

struct Expectation {
    int line = 0; // in the script file, for the failure message
    QString text;
};

struct Expectations {
    QList<Expectation> output;
    int errorNumber = 0, errorLine = 0, errorAt = 0; // errorLine: the Ln the error must report
    int timeoutAt = 0;
    QStringList args;
};

QStringList splitLines(const QString &text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(breaks);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast(); // the break that ends the last line
    return lines;
}

QString trimEnd(QString s)
{
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    return s;
}

// The language's comment marker, then the directive; "expect-error" before "expect".
bool parse(const QString &source, bool js, Expectations &e, QString *problem)
{
    const QRegularExpression directive(QStringLiteral("%1\\s*(expect-error|expect-timeout|expect|args)\\b(:?) ?(.*)$")
                                           .arg(js ? QStringLiteral("//") : QStringLiteral("(?:'|\\bRem\\s)")));
    static const QRegularExpression errorSpec(QStringLiteral("^\\s*(-?\\d+)(?:\\s+line\\s+(\\d+))?\\s*$"));
    const QStringList lines = splitLines(source);
    for (int i = 0; i < lines.size(); ++i) {
        const auto m = directive.match(lines[i]);
        if (!m.hasMatch())
            continue;
        const QString kind = m.captured(1);
        const QString rest = m.captured(3);
        if (kind == QLatin1String("expect")) {
            if (!m.captured(2).isEmpty()) // else the word in a comment, not a directive
                e.output.append({i + 1, rest});
        } else if (kind == QLatin1String("expect-error")) {
            const auto wanted = errorSpec.match(rest);
            if (!wanted.hasMatch() || wanted.captured(1).toInt() == 0) {
                *problem = QStringLiteral("line %1: expect-error takes a number, optionally \"line L\"").arg(i + 1);
                return false;
            }
            e.errorNumber = wanted.captured(1).toInt();
            e.errorLine = wanted.captured(2).toInt();
            e.errorAt = i + 1;
        } else if (kind == QLatin1String("expect-timeout")) {
            e.timeoutAt = i + 1;
        } else {
            e.args.append(rest.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        }
    }
    if (e.timeoutAt && e.errorNumber)
        *problem = QStringLiteral("a file expects either an error or a time-out, not both");
    return problem->isEmpty();
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (app.arguments().size() != 3) {
        std::fputs("usage: script_conformance TNSCRIPT FILE\n", stderr);
        return 2;
    }
    const QString tnscript = app.arguments()[1], path = app.arguments()[2];
    QFile file(path);
    Expectations expect;
    QString problem = file.open(QIODevice::ReadOnly) ? QString() : QStringLiteral("cannot read");
    if (!problem.isEmpty()
        || !parse(QString::fromUtf8(file.readAll()), path.endsWith(QLatin1String(".js"), Qt::CaseInsensitive), expect,
                  &problem)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(problem));
        return 2;
    }

    QProcess run;
    run.start(tnscript, expect.args + QStringList{path});
    // Only a guard against a hang, so wide: a file without a time limit that
    // must run out of memory takes half a minute on a loaded machine.
    constexpr int kHangGuardMs = 240000;
    if (!run.waitForStarted() || !run.waitForFinished(kHangGuardMs)) {
        run.kill();
        run.waitForFinished();
        std::fprintf(stderr, "%s: tnscript did not finish within %d s\n", qPrintable(path), kHangGuardMs / 1000);
        return 1;
    }
    const QStringList out = splitLines(QString::fromUtf8(run.readAllStandardOutput()));
    const QString err = QString::fromUtf8(run.readAllStandardError());
    if (run.exitStatus() != QProcess::NormalExit) {
        std::fprintf(stderr, "%s:1: tnscript crashed\n%s", qPrintable(path), qPrintable(err));
        return 1;
    }
    const int status = run.exitCode();
    int failures = 0;
    auto fail = [&](int line, const QString &what) {
        std::fprintf(stderr, "%s:%d: %s\n", qPrintable(path), line, qPrintable(what));
        ++failures;
    };

    const auto &want = expect.output;
    for (qsizetype i = 0; i < std::min(out.size(), want.size()) && failures == 0; ++i) {
        if (trimEnd(out[i]) != trimEnd(want[i].text))
            fail(want[i].line, QStringLiteral("expected \"%1\", got \"%2\"").arg(want[i].text, out[i]));
    }
    if (failures == 0 && out.size() < want.size())
        fail(want[out.size()].line, QStringLiteral("expected \"%1\", but the output ended").arg(want[out.size()].text));
    if (failures == 0 && out.size() > want.size())
        fail(want.isEmpty() ? 1 : want.last().line,
             QStringLiteral("unexpected output line %1: \"%2\"").arg(want.size() + 1).arg(out[want.size()]));

    static const QRegularExpression errorLine(QStringLiteral("^\\(Ln (-?\\d+), Col (-?\\d+)\\) error (-?\\d+): .*$"),
                                              QRegularExpression::MultilineOption);
    const auto reported = errorLine.match(err);
    if (expect.errorNumber) {
        if (!reported.hasMatch() || reported.captured(3).toInt() != expect.errorNumber
            || (expect.errorLine && reported.captured(1).toInt() != expect.errorLine))
            fail(expect.errorAt, QStringLiteral("expected error %1 (on line %2), got: %3")
                                     .arg(expect.errorNumber).arg(expect.errorLine ? QString::number(expect.errorLine) : QStringLiteral("any"))
                                     .arg(reported.hasMatch() ? reported.captured(0) : QStringLiteral("no error line")));
        if (status == 0)
            fail(expect.errorAt, QStringLiteral("the run failed but tnscript exited with status 0"));
    } else if (expect.timeoutAt) {
        if (!splitLines(err).contains(QStringLiteral("Timeout")))
            fail(expect.timeoutAt, QStringLiteral("expected a time-out; stderr: %1").arg(trimEnd(err)));
        if (status == 0)
            fail(expect.timeoutAt, QStringLiteral("timed out but tnscript exited with status 0"));
    } else if (status != 0) {
        fail(1, QStringLiteral("tnscript exited with status %1: %2").arg(status).arg(trimEnd(err)));
    }
    if (failures)
        std::fprintf(stderr, "--- stdout ---\n%s\n--- stderr ---\n%s", qPrintable(out.join(QLatin1Char('\n'))),
                     qPrintable(err));
    return failures ? 1 : 0;
}
