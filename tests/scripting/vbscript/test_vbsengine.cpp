// The engine interface seen from the program: host objects, error reports,
// time-outs and resets. The language itself is checked by the .vbs files here.

#include "scripting/vbscript/vbsengine.h"
#include "../testobject.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <thread>

using namespace tintwell;
using script::RunOutcome;

namespace {

struct Vbs : ::testing::Test {
    std::unique_ptr<script::Engine> engine = script::createVbsEngine();
    script::testing::RecordingObject rec;
    script::ScriptError error;
    void SetUp() override { bind(); }
    void bind() { engine->addObject(QStringLiteral("clsTNDebug"), &rec, true); }
    RunOutcome run(const QString &code, int limit = 1000) { return engine->addCode(code, limit, &error); }
    // A fresh run on a fresh engine, as the program does before each script.
    RunOutcome fresh(const QString &code, int limit = 1000)
    {
        engine->reset();
        rec.printed.clear();
        bind();
        return run(code, limit);
    }
};

TEST_F(Vbs, HostMembersAreGlobalNamesAndObjectMembersAndMsgBoxGoesToTheHandler)
{
    QString seen;
    engine->setMsgBoxHandler([&](const QString &p, int b, const QString &t) {
        seen = p + QLatin1Char('|') + QString::number(b) + QLatin1Char('|') + t;
        return 6;
    });
    EXPECT_EQ(run(QStringLiteral("tnPrint \"a\" & tnRGB(1, \"2\", 2.5)\r\nclsTNDebug.tnPrint TypeName(tnRGB(0, 0, 0))\r\n"
                                 "tnPrint tnName & MsgBox(\"Go?\", vbYesNo, \"Ask\")\r\n")),
              RunOutcome::Ok);
    EXPECT_EQ(rec.printed, QStringLiteral("a131585LongTintwell6"));
    EXPECT_EQ(seen, QStringLiteral("Go?|4|Ask"));
}

TEST_F(Vbs, HostAndCompileErrorsReportNumberPositionAndText)
{
    EXPECT_EQ(run(QStringLiteral("tnPrint 1\r\n  tnFail\r\n")), RunOutcome::Error);
    EXPECT_EQ(std::tuple(error.Number, error.Line, error.Column), std::tuple(5, 2, 3));
    EXPECT_EQ(error.Text, QStringLiteral("  tnFail"));
    EXPECT_EQ(fresh(QStringLiteral("On Error Resume Next\r\ntnFail\r\ntnPrint Err.Number\r\n")), RunOutcome::Ok);
    EXPECT_EQ(rec.printed, QStringLiteral("5"));

    EXPECT_EQ(fresh(QStringLiteral("x = 1\r\ny = \"abc\r\n")), RunOutcome::Error);
    EXPECT_EQ(std::tuple(error.Number, error.Line, error.Column), std::tuple(1033, 2, 5));
    EXPECT_EQ(error.Description, QStringLiteral("Unterminated string constant"));
    EXPECT_EQ(error.Text, QStringLiteral("y = \"abc"));

    // Found by fuzzing: refusals found while binding names carry a position too.
    for (const char *code : {".rPP.i", "x = .a", "Dim a, a", "Const c = 1 / 0",
                             "Class K\r\nSub Class_Initialize(x)\r\nEnd Sub\r\nEnd Class"}) {
        error.clear();
        EXPECT_EQ(fresh(QString::fromLatin1(code)), RunOutcome::Error) << code;
        EXPECT_TRUE(error.Number > 0 && error.Line > 0 && error.Column > 0 && !error.Description.isEmpty()) << code;
    }
    // Only ASCII digits make numbers; other Unicode digits used to be read as garbage.
    fresh(QStringLiteral("x = \u0663"));
    EXPECT_EQ(error.Number, 1032);
    fresh(QStringLiteral("x = 1\u0663"));
    EXPECT_EQ(error.Number, 1031);
    EXPECT_EQ(fresh(QStringLiteral("tnPrint &H\uFF11")), RunOutcome::Error);
    EXPECT_TRUE(rec.printed.isEmpty());
}

TEST_F(Vbs, TheTimeLimitStopsARunAndZeroMeansNone)
{
    EXPECT_EQ(run(QStringLiteral("tnPrint \"a\"\r\nDo\r\nLoop\r\n"), 100), RunOutcome::Timeout);
    EXPECT_EQ(rec.printed, QStringLiteral("a"));
    // Waits past a limit of 100 ms, and past the 1000 ms that 0 once turned into,
    // then runs a loop long enough to look at the clock many times.
    rec.onName = [] { std::this_thread::sleep_for(std::chrono::milliseconds(1100)); };
    const QString late = QStringLiteral("tnName\r\nFor i = 1 To 100000 : Next\r\ntnPrint i\r\n");
    EXPECT_EQ(fresh(late, 0), RunOutcome::Ok) << error.Description.toStdString();
    EXPECT_EQ(rec.printed, QStringLiteral("100001"));
    EXPECT_EQ(fresh(late, 100), RunOutcome::Timeout);
}

TEST_F(Vbs, ResetForgetsEverythingAndTerminatesObjectsStillHeld)
{
    ASSERT_EQ(run(QStringLiteral("Dim g : g = 5\r\nFunction F : F = g : End Function")), RunOutcome::Ok);
    ASSERT_EQ(run(QStringLiteral("tnPrint F()")), RunOutcome::Ok);
    EXPECT_EQ(rec.printed, QStringLiteral("5"));
    EXPECT_EQ(fresh(QStringLiteral("tnPrint F()")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 13);

    ASSERT_EQ(fresh(QStringLiteral("Class C\r\nPublic N\r\nSub Class_Terminate : tnPrint \"bye\" & N : End Sub\r\n"
                                   "End Class\r\nSet a = New C : a.N = 1\r\nSet b = New C : b.N = 2\r\n")),
              RunOutcome::Ok);
    EXPECT_EQ(rec.printed, QString());
    engine->reset();
    EXPECT_EQ(rec.printed, QStringLiteral("bye1bye2"));
    // A terminate routine that never ends does not hold up the reset for ever.
    ASSERT_EQ(fresh(QStringLiteral("Class D\r\nSub Class_Terminate : Do : Loop : End Sub\r\nEnd Class\r\n"
                                   "Set obj = New D\r\n")),
              RunOutcome::Ok);
    EXPECT_EQ(fresh(QStringLiteral("tnPrint \"fresh\"")), RunOutcome::Ok);
    EXPECT_EQ(rec.printed, QStringLiteral("fresh"));
}

// Found by fuzzing: an engine destroyed at thread or program exit, after the
// thread's own storage was torn down, released its objects through freed
// memory (seen under ASan).
TEST(VbsEngine, EngineOutlivingThreadStorageReleasesSafely)
{
    std::thread([] {
        thread_local std::unique_ptr<script::Engine> held;
        held = script::createVbsEngine();
        script::ScriptError e;
        EXPECT_EQ(held->addCode(QStringLiteral("a = Array(Array(1), 2)\r\nb = a\r\nb(1) = 3\r\n"), 1000, &e),
                  RunOutcome::Ok);
    }).join();
}

// The program runs under the user's locale (Qt sets it from the environment);
// number text in scripts must not pick up a decimal comma from it.
TEST_F(Vbs, NumberTextIgnoresTheUserLocale)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess build;
    build.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                              QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("de_DE.UTF-8"))});
    if (!build.waitForFinished(60000) || build.exitStatus() != QProcess::NormalExit)
        GTEST_SKIP() << "localedef is not available";
    const QByteArray oldPath = qgetenv("LOCPATH");
    qputenv("LOCPATH", QFile::encodeName(dir.path()));
    const std::string oldLocale = setlocale(LC_ALL, nullptr);
    const bool switched = setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 1.5);
    const bool commaLocale = std::string(probe) == "1,5";
    const RunOutcome r = run(QStringLiteral("tnPrint CStr(1.5) & \"|\" & (CDbl(\"1.5\") * 2) & \"|\" & Round(2.675, 2) & "
                                            "\"|\" & FormatNumber(1234.5, 2) & \"|\" & 1E+300 * 10"));
    setlocale(LC_ALL, oldLocale.c_str());
    if (oldPath.isNull())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", oldPath);
    if (!switched)
        GTEST_SKIP() << "a German locale could not be built";

    ASSERT_TRUE(commaLocale) << "the German locale did not take effect";
    ASSERT_EQ(r, RunOutcome::Ok) << error.Description.toStdString();
    EXPECT_EQ(rec.printed, QStringLiteral("1.5|3|2.68|1,234.50|1E+301"));
}

} // namespace
