// JScript through the engine interface. The language, its errors and its
// sandbox are checked by the .js files in jscript/, the worker by test_jsworker.
#include "scripting/jsengine.h"
#include "testobject.h"

#include <gtest/gtest.h>

using namespace tintwell::script;
using tintwell::script::testing::RecordingObject;

namespace {

struct Js : ::testing::Test {
    JsEngine engine;
    RecordingObject object;
    ScriptError error;
    void SetUp() override { engine.addObject(QStringLiteral("clsTest"), &object, true); }
    // A wide limit unless a test is about the limit: a loaded machine must not
    // turn an ordinary run into a time-out.
    RunOutcome run(const QString &code, int limit = 30000) { return engine.addCode(code, limit, &error); }
};

} // namespace

TEST_F(Js, WithoutAddMembersOnlyTheObjectNameIsBound)
{
    RecordingObject other;
    engine.addObject(QStringLiteral("clsOther"), &other, false);
    ASSERT_EQ(run(QStringLiteral("clsOther.tnPrint(typeof tnName);")), RunOutcome::Ok);
    EXPECT_EQ(other.printed, QStringLiteral("function")); // still clsTest's global
}

TEST_F(Js, UncaughtHostErrorReportsTheCallingLine)
{
    EXPECT_EQ(run(QStringLiteral("var a = 1;\r\nfunction f() {\r\n  tnRGB(1, 2);\r\n}\r\nf();")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 450);
    EXPECT_EQ(error.Line, 3);
    EXPECT_EQ(error.Text, QStringLiteral("  tnRGB(1, 2);"));
    EXPECT_EQ(run(QStringLiteral("\n\ntnFail();")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 5);
    EXPECT_EQ(error.Line, 3);
}

// The engine's own error numbers and lines: the .js files in jscript/errors.
TEST_F(Js, AnErrorNumberSetByTheScriptIsKeptAndClearedByTheNextRun)
{
    EXPECT_EQ(run(QStringLiteral("var e = new Error('mine'); e.number = 0x800A0000 + 77; throw e;")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 77);
    EXPECT_EQ(run(QStringLiteral("1 + 1")), RunOutcome::Ok);
    EXPECT_EQ(error.Number, 0);
}
