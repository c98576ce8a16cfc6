#include "scripting/scriptcontrol.h"
#include "testobject.h"

#include <gtest/gtest.h>

using namespace tintwell::script;
using tintwell::script::testing::RecordingObject;

// The first-line markers as the host runs them: test_scripthost.cpp.
TEST(ScriptControlTest, LanguagesByNameAndByFirstLine)
{
    // Only CR LF ends the first line.
    EXPECT_EQ(chooseScriptLanguage(QStringLiteral("// jscript\nsecond line javascript")).name, QStringLiteral("JScript"));
    EXPECT_FALSE(namesScriptLanguage(QStringLiteral("tnOutput 1")));
    EXPECT_TRUE(namesScriptLanguage(QStringLiteral("'vbs")));
    ScriptControl control;
    EXPECT_EQ(control.Language(), QStringLiteral("VBScript"));
    EXPECT_TRUE(control.setLanguage(QStringLiteral("JavaScript")));
    EXPECT_FALSE(control.setLanguage(QStringLiteral("Perl")));
    EXPECT_EQ(control.Language(), QStringLiteral("JavaScript"));
    EXPECT_TRUE(control.setLanguage(QStringLiteral("jscript")));
    // Changing the language drops the objects.
    RecordingObject object;
    control.AddObject(QStringLiteral("clsTest"), &object);
    ASSERT_TRUE(control.setLanguage(QStringLiteral("JavaScript")));
    EXPECT_EQ(control.AddCode(QStringLiteral("tnPrint('x');")), RunOutcome::Error);
    EXPECT_EQ(control.Error().Number, 5009);
}

TEST(ScriptControlTest, ErrorAndTimeoutCallbacks)
{
    ScriptControl control;
    EXPECT_EQ(control.timeLimit(), 1000);
    ASSERT_TRUE(control.setLanguage(QStringLiteral("JScript")));
    RecordingObject object;
    control.AddObject(QStringLiteral("clsTest"), &object);
    int errors = 0, timeouts = 0;
    ScriptError seen;
    control.onError = [&](const ScriptError &e) { ++errors; seen = e; };
    control.onTimeout = [&] { ++timeouts; };

    EXPECT_EQ(control.AddCode(QStringLiteral("tnPrint('a');\r\ntnRGB(1, 2, 999);")), RunOutcome::Error);
    EXPECT_EQ(std::tuple(errors, seen.Number, seen.Line, control.Error().Number), std::tuple(1, 6, 2, 6));
    EXPECT_EQ(object.printed, QStringLiteral("a")); // what ran before the error stays

    control.setTimeLimit(100);
    EXPECT_EQ(control.AddCode(QStringLiteral("for (;;) {}")), RunOutcome::Timeout);
    EXPECT_EQ(std::tuple(timeouts, errors, control.Error().Number), std::tuple(1, 1, 0));
}
