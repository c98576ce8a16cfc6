// Runs one script file through tnscript and checks its output against the
// expectations written in the file's comments (see README.md here).
//
//   script_conformance TNSCRIPT FILE

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cstdio>
#include <optional>

namespace {

struct Expectation {
    int line = 0; // in the script file, for the failure message
    QString text;
};

struct Expectations {
    QList<Expectation> output;
    std::optional<int> errorNumber;
    std::optional<int> errorLine; // the Ln the error must report
    int errorAt = 0;              // file line of the expect-error comment
    bool timeout = false;
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

std::optional<Expectations> parse(const QString &source, bool js, QString *problem)
{
    // The language's comment marker, then the directive; "expect-error"
    // before "expect".
    const QRegularExpression directive(QStringLiteral("%1\\s*(expect-error|expect-timeout|expect|args)\\b(:?)(.*)$")
                                           .arg(js ? QStringLiteral("//") : QStringLiteral("(?:'|\\bRem\\s)")));
    static const QRegularExpression errorSpec(QStringLiteral("^\\s*(-?\\d+)(?:\\s+line\\s+(\\d+))?\\s*$"));
    Expectations e;
    const QStringList lines = splitLines(source);
    for (int i = 0; i < lines.size(); ++i) {
        const auto m = directive.match(lines[i]);
        if (!m.hasMatch())
            continue;
        const QString kind = m.captured(1);
        QString rest = m.captured(3);
        if (kind == QLatin1String("expect")) {
            if (m.captured(2).isEmpty())
                continue; // the word in a comment, not a directive
            if (rest.startsWith(QLatin1Char(' ')))
                rest.remove(0, 1);
            e.output.append({i + 1, rest});
        } else if (kind == QLatin1String("expect-error")) {
            const auto wanted = errorSpec.match(rest);
            if (!wanted.hasMatch()) {
                *problem = QStringLiteral("line %1: expect-error takes a number, optionally \"line L\"").arg(i + 1);
                return std::nullopt;
            }
            e.errorNumber = wanted.captured(1).toInt();
            if (!wanted.captured(2).isEmpty())
                e.errorLine = wanted.captured(2).toInt();
            e.errorAt = i + 1;
        } else if (kind == QLatin1String("expect-timeout")) {
            e.timeout = true;
            e.timeoutAt = i + 1;
        } else {
            e.args.append(rest.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        }
    }
    if (e.timeout && e.errorNumber) {
        *problem = QStringLiteral("a file expects either an error or a time-out, not both");
        return std::nullopt;
    }
    return e;
}

QString trimEnd(QString s)
{
    while (!s.isEmpty() && s.back().isSpace())
        s.chop(1);
    return s;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList argv_ = app.arguments();
    if (argv_.size() != 3) {
        std::fputs("usage: script_conformance TNSCRIPT FILE\n", stderr);
        return 2;
    }
    const QString tnscript = argv_[1];
    const QString path = argv_[2];
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read\n", qPrintable(path));
        return 2;
    }
    QString problem;
    const bool js = path.endsWith(QLatin1String(".js"), Qt::CaseInsensitive);
    const auto expect = parse(QString::fromUtf8(file.readAll()), js, &problem);
    if (!expect) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(problem));
        return 2;
    }

    QProcess run;
    run.start(tnscript, expect->args + QStringList{path});
    // Only a guard against a hang, so wide: a file without a time limit that
    // must run out of memory takes half a minute on a loaded machine.
    constexpr int kHangGuardMs = 240000;
    if (!run.waitForStarted() || !run.waitForFinished(kHangGuardMs)) {
        run.kill();
        run.waitForFinished();
        std::fprintf(stderr, "%s: tnscript did not finish within %d s\n", qPrintable(path), kHangGuardMs / 1000);
        return 1;
    }
    const bool crashed = run.exitStatus() != QProcess::NormalExit;
    const int status = run.exitCode();
    const QStringList out = splitLines(QString::fromUtf8(run.readAllStandardOutput()));
    const QString err = QString::fromUtf8(run.readAllStandardError());
    int failures = 0;
    auto fail = [&](int line, const QString &what) {
        std::fprintf(stderr, "%s:%d: %s\n", qPrintable(path), line, qPrintable(what));
        ++failures;
    };

    if (crashed) {
        fail(1, QStringLiteral("tnscript crashed"));
        std::fprintf(stderr, "%s", qPrintable(err));
        return 1;
    }
    const qsizetype common = std::min(out.size(), expect->output.size());
    for (qsizetype i = 0; i < common && failures == 0; ++i) {
        const Expectation &x = expect->output[i];
        if (trimEnd(out[i]) != trimEnd(x.text))
            fail(x.line, QStringLiteral("expected \"%1\", got \"%2\"").arg(x.text, out[i]));
    }
    if (failures == 0 && out.size() < expect->output.size()) {
        const Expectation &x = expect->output[out.size()];
        fail(x.line, QStringLiteral("expected \"%1\", but the output ended").arg(x.text));
    }
    if (failures == 0 && out.size() > expect->output.size())
        fail(expect->output.isEmpty() ? 1 : expect->output.last().line,
             QStringLiteral("unexpected output line %1: \"%2\"").arg(expect->output.size() + 1).arg(out[expect->output.size()]));

    static const QRegularExpression errorLine(QStringLiteral(
        "^\\(Ln (-?\\d+), Col (-?\\d+)\\) error (-?\\d+): .*$"), QRegularExpression::MultilineOption);
    const auto reported = errorLine.match(err);
    const bool timedOut = splitLines(err).contains(QStringLiteral("Timeout"));
    if (expect->errorNumber) {
        if (!reported.hasMatch())
            fail(expect->errorAt, QStringLiteral("expected error %1, got no error line").arg(*expect->errorNumber));
        else if (reported.captured(3).toInt() != *expect->errorNumber)
            fail(expect->errorAt, QStringLiteral("expected error %1, got: %2").arg(*expect->errorNumber).arg(reported.captured(0)));
        else if (expect->errorLine && reported.captured(1).toInt() != *expect->errorLine)
            fail(expect->errorAt, QStringLiteral("expected the error on line %1, got: %2").arg(*expect->errorLine).arg(reported.captured(0)));
        if (status == 0)
            fail(expect->errorAt, QStringLiteral("the run failed but tnscript exited with status 0"));
    } else if (expect->timeout) {
        if (!timedOut)
            fail(expect->timeoutAt, QStringLiteral("expected a time-out; stderr: %1").arg(trimEnd(err)));
        if (status == 0)
            fail(expect->timeoutAt, QStringLiteral("timed out but tnscript exited with status 0"));
    } else if (status != 0) {
        fail(1, QStringLiteral("tnscript exited with status %1: %2").arg(status).arg(trimEnd(err)));
    }
    if (failures)
        std::fprintf(stderr, "--- stdout ---\n%s--- stderr ---\n%s", qPrintable(out.join(QLatin1Char('\n')) + QLatin1Char('\n')), qPrintable(err));
    return failures ? 1 : 0;
}
