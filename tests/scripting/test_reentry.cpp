// A host member that turns on the engine running it: reset, new objects and
// new code are refused while the run goes on, and the run finishes cleanly;
// another engine may run inside it. Run under AddressSanitizer too.
#include "scripting/engine.h"
#include "scripting/scriptcontrol.h"
#include "testobject.h"

#include <gtest/gtest.h>

namespace tintwell::script {
namespace {

// tnName runs the test's onName; tnPrint records what the run saw.
using Poker = testing::RecordingObject;

struct Languages : ::testing::TestWithParam<LanguageFamily> {
    static QString program(LanguageFamily f)
    {
        return f == LanguageFamily::VBScript ? QStringLiteral("Dim x\nx = 41\ntnName\nx = x + 1\ntnPrint x\n")
                                             : QStringLiteral("var x = 41;\ntnName();\nx = x + 1;\ntnPrint(x);\n");
    }
};

TEST_P(Languages, TheRunningEngineRefusesResetObjectsAndCodeAndFinishes)
{
    std::unique_ptr<Engine> engine = createEngine(GetParam());
    Poker poker, stranger;
    engine->addObject(QStringLiteral("host"), &poker, true);
    RunOutcome nested = RunOutcome::Ok;
    ScriptError nestedError;
    poker.onName = [&] {
        engine->reset();
        engine->addObject(QStringLiteral("other"), &stranger, true);
        nested = engine->addCode(program(GetParam()), 1000, &nestedError);
    };
    ScriptError error;
    EXPECT_EQ(engine->addCode(program(GetParam()), 5000, &error), RunOutcome::Ok) << error.Description.toStdString();
    EXPECT_EQ(nested, RunOutcome::Error);
    EXPECT_EQ(nestedError.Number, 5);
    EXPECT_EQ(poker.printed, QStringLiteral("42")) << "the outer run went on with its own variables";

    // Afterwards the engine is itself again.
    poker.onName = nullptr;
    engine->reset();
    engine->addObject(QStringLiteral("host"), &poker, true);
    EXPECT_EQ(engine->addCode(program(GetParam()), 5000, &error), RunOutcome::Ok);
    EXPECT_EQ(poker.printed, QStringLiteral("4242"));
}

TEST_P(Languages, AnotherEngineRunsInsideARun)
{
    std::unique_ptr<Engine> outer = createEngine(GetParam());
    std::unique_ptr<Engine> inner = createEngine(LanguageFamily::VBScript);
    Poker outerHost, innerHost;
    outer->addObject(QStringLiteral("host"), &outerHost, true);
    inner->addObject(QStringLiteral("host"), &innerHost, true);
    int innerRuns = 0;
    outerHost.onName = [&] {
        // As a converter member setting a colour runs the export scripts.
        for (int i = 0; i < 3; ++i) {
            inner->reset();
            inner->addObject(QStringLiteral("host"), &innerHost, true);
            ScriptError e;
            if (inner->addCode(QStringLiteral("tnPrint 7\n"), 1000, &e) == RunOutcome::Ok)
                ++innerRuns;
        }
    };
    ScriptError error;
    EXPECT_EQ(outer->addCode(program(GetParam()), 5000, &error), RunOutcome::Ok) << error.Description.toStdString();
    EXPECT_EQ(innerRuns, 3);
    EXPECT_EQ(innerHost.printed, QStringLiteral("777"));
    EXPECT_EQ(outerHost.printed, QStringLiteral("42"));
}

INSTANTIATE_TEST_SUITE_P(Engines, Languages, ::testing::Values(LanguageFamily::VBScript, LanguageFamily::JScript),
                         [](const auto &i) { return i.param == LanguageFamily::VBScript ? "VBScript" : "JScript"; });

TEST(ScriptControlReentry, ALanguageSwitchFromInsideARunIsRefused)
{
    ScriptControl control;
    Poker poker;
    control.AddObject(QStringLiteral("host"), &poker);
    bool switched = true;
    RunOutcome nested = RunOutcome::Ok;
    poker.onName = [&] {
        switched = control.setLanguage(QStringLiteral("JScript"));
        control.Reset();
        nested = control.AddCode(QStringLiteral("tnPrint 1\n"));
    };
    EXPECT_EQ(control.AddCode(Languages::program(LanguageFamily::VBScript)), RunOutcome::Ok)
        << control.Error().Description.toStdString();
    EXPECT_EQ(std::pair(switched, nested), std::pair(false, RunOutcome::Error));
    EXPECT_EQ(control.Error().Number, 0) << "the outer run's result stands";
    EXPECT_EQ(poker.printed, QStringLiteral("42"));
    EXPECT_EQ(control.Language(), QStringLiteral("VBScript"));
}

} // namespace
} // namespace tintwell::script
