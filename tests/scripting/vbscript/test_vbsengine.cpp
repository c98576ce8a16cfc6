// The engine interface seen from the program: host objects, error reports,
// time-outs, and every conformance script of this folder run in-process.

#include "scripting/vbscript/vbsengine.h"

#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <thread>

using namespace tintwell;

namespace {

// A host object like the program's: a Sub that records, a Function, a property.
class Recorder : public script::HostObject
{
public:
    Recorder()
    {
        members_ = {
            {QStringLiteral("tnPrint"), {{QStringLiteral("Data"), script::ValueType::String}}, script::ValueType::Empty},
            {QStringLiteral("tnRed"), {}, script::ValueType::Byte},
            {QStringLiteral("tnTwice"), {{QStringLiteral("x"), script::ValueType::Double}}, script::ValueType::Double},
            {QStringLiteral("tnFail"), {}, script::ValueType::Empty},
            {QStringLiteral("tnWait"), {{QStringLiteral("ms"), script::ValueType::Long}}, script::ValueType::Empty},
        };
    }
    const QList<script::HostMember> &members() const override { return members_; }
    QVariant invoke(int index, const QVariantList &args, script::HostError *error) override
    {
        switch (index) {
        case 0: out += args.value(0).toString(); return {};
        case 1: return QVariant(uint(255));
        case 2: return QVariant(args.value(0).toDouble() * 2);
        case 4: std::this_thread::sleep_for(std::chrono::milliseconds(args.value(0).toInt())); return {};
        default:
            error->number = 5;
            error->description = QStringLiteral("Invalid procedure call or argument");
            return {};
        }
    }
    QString out;

private:
    QList<script::HostMember> members_;
};

struct Outcome {
    script::RunOutcome outcome;
    script::ScriptError error;
    QString out;
};

Outcome runCode(const QString &code, int limit = 1000)
{
    auto engine = script::createVbsEngine();
    Recorder rec;
    engine->addObject(QStringLiteral("clsTNDebug"), &rec, true);
    Outcome r;
    r.outcome = engine->addCode(code, limit, &r.error);
    engine->reset(); // as the program does before the next run or at shut-down
    r.out = rec.out;
    return r;
}

TEST(VbsEngine, HostMembersAreGlobalNamesAndObjectMembers)
{
    const Outcome r = runCode(QStringLiteral("tnPrint \"a\" & tnRed\r\nclsTNDebug.tnPrint CStr(tnTwice(2.5))\r\n"
                                     "tnPrint TypeName(tnRed)\r\n"));
    EXPECT_EQ(r.outcome, script::RunOutcome::Ok);
    EXPECT_EQ(r.out, QStringLiteral("a2555Byte"));
}

TEST(VbsEngine, HostErrorBecomesScriptErrorAndOnErrorCatchesIt)
{
    Outcome r = runCode(QStringLiteral("tnPrint 1\r\n  tnFail\r\n"));
    EXPECT_EQ(r.outcome, script::RunOutcome::Error);
    EXPECT_EQ(r.error.Number, 5);
    EXPECT_EQ(r.error.Line, 2);
    EXPECT_EQ(r.error.Column, 3);
    EXPECT_EQ(r.error.Text, QStringLiteral("  tnFail"));
    r = runCode(QStringLiteral("On Error Resume Next\r\ntnFail\r\ntnPrint Err.Number\r\n"));
    EXPECT_EQ(r.outcome, script::RunOutcome::Ok);
    EXPECT_EQ(r.out, QStringLiteral("5"));
}

TEST(VbsEngine, CompileErrorReportsPositionAndText)
{
    const Outcome r = runCode(QStringLiteral("x = 1\r\ny = \"abc\r\n"));
    EXPECT_EQ(r.outcome, script::RunOutcome::Error);
    EXPECT_EQ(r.error.Number, 1033);
    EXPECT_EQ(r.error.Description, QStringLiteral("Unterminated string constant"));
    EXPECT_EQ(r.error.Line, 2);
    EXPECT_EQ(r.error.Column, 5);
    EXPECT_EQ(r.error.Text, QStringLiteral("y = \"abc"));
}

TEST(VbsEngine, TheTimeLimitStopsARunAndZeroMeansNone)
{
    Outcome r = runCode(QStringLiteral("tnPrint \"a\"\r\nDo\r\nLoop\r\n"), 100);
    EXPECT_EQ(r.outcome, script::RunOutcome::Timeout);
    EXPECT_EQ(r.out, QStringLiteral("a"));
    // Waits past a limit of 100 ms, and past the 1000 ms that 0 once turned into,
    // then runs a loop long enough to look at the clock many times.
    const QString late = QStringLiteral("tnWait 1100\r\nFor i = 1 To 100000 : Next\r\ntnPrint i\r\n");
    r = runCode(late, 0);
    EXPECT_EQ(r.outcome, script::RunOutcome::Ok) << r.error.Description.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("100001"));
    EXPECT_EQ(runCode(late, 100).outcome, script::RunOutcome::Timeout);
}

TEST(VbsEngine, ResetForgetsEverything)
{
    auto engine = script::createVbsEngine();
    Recorder rec;
    engine->addObject(QStringLiteral("o"), &rec, true);
    script::ScriptError e;
    ASSERT_EQ(engine->addCode(QStringLiteral("Dim g : g = 5\r\nFunction F : F = g : End Function"), 1000, &e),
              script::RunOutcome::Ok);
    ASSERT_EQ(engine->addCode(QStringLiteral("tnPrint F()"), 1000, &e), script::RunOutcome::Ok);
    EXPECT_EQ(rec.out, QStringLiteral("5"));
    engine->reset();
    engine->addObject(QStringLiteral("o"), &rec, true);
    EXPECT_EQ(engine->addCode(QStringLiteral("tnPrint F()"), 1000, &e), script::RunOutcome::Error);
    EXPECT_EQ(e.Number, 13);
}

TEST(VbsEngine, ResetRunsTerminateOfObjectsStillHeld)
{
    auto engine = script::createVbsEngine();
    Recorder rec;
    engine->addObject(QStringLiteral("o"), &rec, true);
    script::ScriptError e;
    ASSERT_EQ(engine->addCode(QStringLiteral("Class C\r\nPublic N\r\n"
                                             "Sub Class_Terminate : tnPrint \"bye\" & N : End Sub\r\nEnd Class\r\n"
                                             "Set a = New C : a.N = 1\r\nSet b = New C : b.N = 2\r\n"),
                              1000, &e),
              script::RunOutcome::Ok);
    EXPECT_EQ(rec.out, QString());
    engine->reset();
    EXPECT_EQ(rec.out, QStringLiteral("bye1bye2"));
    rec.out.clear();
    // A terminate routine that never ends does not hold up the reset for ever.
    engine->addObject(QStringLiteral("o"), &rec, true);
    ASSERT_EQ(engine->addCode(QStringLiteral("Class D\r\nSub Class_Terminate : Do : Loop : End Sub\r\nEnd Class\r\n"
                                             "Set obj = New D\r\n"),
                              1000, &e),
              script::RunOutcome::Ok);
    engine->reset();
    engine->addObject(QStringLiteral("o"), &rec, true);
    EXPECT_EQ(engine->addCode(QStringLiteral("tnPrint \"fresh\""), 1000, &e), script::RunOutcome::Ok);
    EXPECT_EQ(rec.out, QStringLiteral("fresh"));
}

// Found by fuzz_vbs_run: an engine destroyed at thread or program exit, after
// the thread's own storage was torn down, released its objects through freed
// memory (seen under ASan).
TEST(VbsEngine, EngineOutlivingThreadStorageReleasesSafely)
{
    std::thread([] {
        thread_local std::unique_ptr<script::Engine> held;
        held = script::createVbsEngine();
        script::ScriptError e;
        EXPECT_EQ(held->addCode(QStringLiteral("a = Array(Array(1), 2)\r\nb = a\r\nb(1) = 3\r\n"), 1000, &e),
                  script::RunOutcome::Ok);
    }).join();
}

// Found by fuzz_vbs_parse: every refusal to compile carries a number, a text
// and a position, also the ones found while binding names.
TEST(VbsEngine, EveryCompileRefusalHasAPosition)
{
    for (const char *code : {".rPP.i", "x = .a", "Dim a, a", "Const c = 1 / 0", "Class K\r\nSub Class_Initialize(x)\r\nEnd Sub\r\nEnd Class"}) {
        const Outcome r = runCode(QString::fromLatin1(code));
        EXPECT_EQ(r.outcome, script::RunOutcome::Error) << code;
        EXPECT_GT(r.error.Number, 0) << code;
        EXPECT_GT(r.error.Line, 0) << code;
        EXPECT_GT(r.error.Column, 0) << code;
        EXPECT_FALSE(r.error.Description.isEmpty()) << code;
    }
}

// Only ASCII digits make numbers; other Unicode digits used to be read as
// garbage values and are now refused like any other stray character.
TEST(VbsEngine, NonAsciiDigitsAreNotNumbers)
{
    EXPECT_EQ(runCode(QStringLiteral("x = \u0663")).error.Number, 1032); // Invalid character
    EXPECT_EQ(runCode(QStringLiteral("x = 1\u0663")).error.Number, 1031); // Invalid number
    const Outcome hex = runCode(QStringLiteral("tnPrint &H\uFF11"));
    EXPECT_EQ(hex.outcome, script::RunOutcome::Error);
    EXPECT_TRUE(hex.out.isEmpty());
}

// The program runs under the user's locale (Qt sets it from the environment);
// number text in scripts must not pick up a decimal comma from it.
TEST(VbsEngine, NumberTextIgnoresTheUserLocale)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess build;
    build.start(QStringLiteral("localedef"),
                {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"), QStringLiteral("UTF-8"),
                 dir.filePath(QStringLiteral("de_DE.UTF-8"))});
    if (!build.waitForFinished(60000) || build.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "localedef is not available";
    const QByteArray oldPath = qgetenv("LOCPATH");
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const std::string oldLocale = setlocale(LC_ALL, nullptr);
    if (!setlocale(LC_ALL, "de_DE.UTF-8")) {
        qputenv("LOCPATH", oldPath);
        GTEST_SKIP() << "a German locale could not be built";
    }
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const bool commaLocale = std::string(probe) == "1,5";

    const Outcome r = runCode(QStringLiteral(
        "tnPrint CStr(1.5) & \"|\" & (CDbl(\"1.5\") * 2) & \"|\" & Round(2.675, 2) & \"|\" & "
        "FormatNumber(1234.5, 2) & \"|\" & 1E+300 * 10"));

    setlocale(LC_ALL, oldLocale.c_str());
    if (oldPath.isNull())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", oldPath);

    ASSERT_TRUE(commaLocale) << "the German locale did not take effect";
    ASSERT_EQ(r.outcome, script::RunOutcome::Ok) << r.error.Description.toStdString();
    EXPECT_EQ(r.out, QStringLiteral("1.5|3|2.68|1,234.50|1E+301"));
}

TEST(VbsEngine, MsgBoxGoesToTheHandler)
{
    auto engine = script::createVbsEngine();
    Recorder rec;
    QString seen;
    engine->setMsgBoxHandler([&](const QString &p, int b, const QString &t) {
        seen = p + QLatin1Char('|') + QString::number(b) + QLatin1Char('|') + t;
        return 6;
    });
    engine->addObject(QStringLiteral("o"), &rec, true);
    script::ScriptError e;
    ASSERT_EQ(engine->addCode(QStringLiteral("tnPrint MsgBox(\"Go?\", vbYesNo, \"Ask\")"), 1000, &e),
              script::RunOutcome::Ok);
    EXPECT_EQ(seen, QStringLiteral("Go?|4|Ask"));
    EXPECT_EQ(rec.out, QStringLiteral("6"));
}

// ---- the conformance files, in-process ----------------------------------------

class Conformance : public ::testing::TestWithParam<QString>
{
};

TEST_P(Conformance, Runs)
{
    QFile f(GetParam());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString src = QString::fromUtf8(f.readAll());
    static const QRegularExpression directive(
        QStringLiteral("(?:'|\\bRem\\s)\\s*(expect-error|expect-timeout|expect|args)\\b(:?)(.*)$"));
    static const QRegularExpression limitArg(QStringLiteral("--timeout\\s+(\\d+)"));
    const QStringList lines = src.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    QStringList expected;
    int errorNumber = 0, errorLine = 0, limit = 1000;
    bool timeout = false;
    for (const QString &l : lines) {
        const auto m = directive.match(l);
        if (!m.hasMatch())
            continue;
        QString rest = m.captured(3);
        if (m.captured(1) == QLatin1String("expect") && !m.captured(2).isEmpty()) {
            if (rest.startsWith(QLatin1Char(' ')))
                rest.remove(0, 1);
            expected << rest.trimmed();
        } else if (m.captured(1) == QLatin1String("expect-error")) {
            const QStringList parts = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            errorNumber = parts.value(0).toInt();
            if (parts.size() == 3)
                errorLine = parts[2].toInt();
        } else if (m.captured(1) == QLatin1String("expect-timeout")) {
            timeout = true;
        } else if (m.captured(1) == QLatin1String("args")) {
            const auto a = limitArg.match(rest);
            if (a.hasMatch())
                limit = a.captured(1).toInt();
        }
    }
    const Outcome r = runCode(src, limit);
    QStringList out = r.out.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    for (QString &o : out)
        while (!o.isEmpty() && o.back().isSpace())
            o.chop(1);
    EXPECT_EQ(out.join(QLatin1Char('\n')).toStdString(), expected.join(QLatin1Char('\n')).toStdString())
        << "error " << r.error.Number << " " << r.error.Description.toStdString() << " at line " << r.error.Line;
    if (timeout) {
        EXPECT_EQ(r.outcome, script::RunOutcome::Timeout);
    } else if (errorNumber) {
        EXPECT_EQ(r.outcome, script::RunOutcome::Error);
        EXPECT_EQ(r.error.Number, errorNumber) << r.error.Description.toStdString();
        if (errorLine) {
            EXPECT_EQ(r.error.Line, errorLine);
        }
    } else {
        EXPECT_EQ(r.outcome, script::RunOutcome::Ok)
            << "error " << r.error.Number << " " << r.error.Description.toStdString() << " at line "
            << r.error.Line << ": " << r.error.Text.toStdString();
    }
}

QStringList caseFiles()
{
    QStringList files;
    QDir dir(QStringLiteral(TINTWELL_VBS_CASES));
    for (const QString &name : dir.entryList({QStringLiteral("*.vbs")}, QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

std::string caseName(const ::testing::TestParamInfo<QString> &info)
{
    QString n = QFileInfo(info.param).completeBaseName();
    n.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9]")), QStringLiteral("_"));
    return n.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Files, Conformance, ::testing::ValuesIn(caseFiles()), caseName);

} // namespace
