// Isolated runs, as the host makes every run: nothing one script declares or
// changes may reach the next, while the engine is kept between runs when the
// script left it as it was.

#include "scripting/jsrunner.h"
#include "scripting/scriptcontrol.h"
#include "testobject.h"

#include <gtest/gtest.h>

using namespace tintwell::script;
using tintwell::script::testing::RecordingObject;

namespace {

struct Isolated : ::testing::TestWithParam<LanguageFamily> {
    ScriptControl control;
    RecordingObject object;

    void SetUp() override
    {
        control.setLanguage(GetParam() == LanguageFamily::JScript ? QStringLiteral("JScript")
                                                                  : QStringLiteral("VBScript"));
        control.setTimeLimit(30000); // a loaded machine must not turn a run into a time-out
        control.AddObject(QStringLiteral("clsTest"), &object, true);
    }
    QString runIsolated(const QString &code)
    {
        object.printed.clear();
        EXPECT_EQ(control.RunIsolated(code), RunOutcome::Ok) << control.Error().Description.toStdString();
        return object.printed;
    }
};

// {a script that changes something, one that prints what a later script sees
// of it, what a fresh engine shows}.
const char *const kJsLeaks[][3] = {
    {"var declared = 1; function f() {}", "tnPrint(typeof declared + typeof f);", "undefinedundefined"},
    {"implicitGlobal = 1;", "tnPrint(typeof implicitGlobal);", "undefined"},
    {"this.viaThis = 1;", "tnPrint(typeof viaThis);", "undefined"},
    {"Array.prototype.extra = 1;", "tnPrint(typeof [].extra);", "undefined"},
    {"Math.floor = Math.ceil;", "tnPrint(Math.floor(1.5));", "1"},
    {"delete Math.floor;", "tnPrint(typeof Math.floor);", "function"},
    {"Object.defineProperty(String.prototype, 'trim', {enumerable: true});",
     "var n = 0; for (var k in 'x') n++; tnPrint(n);", "1"},
    {"Object.freeze(Object.prototype);", "var o = {}; o.toString = 1; tnPrint(o.toString);", "1"},
    {"Object.setPrototypeOf(Array.prototype, null);", "tnPrint(typeof [].hasOwnProperty);", "function"},
    {"tnPrint.mark = 1; clsTest.extra = 2;", "tnPrint(typeof tnPrint.mark + typeof clsTest.extra);",
     "undefinedundefined"},
    {"tnName = function () { return 'replaced'; };", "tnPrint(tnName());", "Tintwell"},
    {"/(ab)/.exec('xab');", "tnPrint('[' + RegExp.$1 + ']');", "[]"},
    {"}); var escaped = 1; (function () {", "tnPrint(typeof escaped);", "undefined"},
    {"(0, eval)('var viaEval = 1');", "tnPrint(typeof viaEval);", "undefined"},
};

using IsolatedJs = Isolated;

TEST_P(IsolatedJs, NothingAScriptDeclaresOrChangesReachesTheNextRunAndErrorsKeepTheirLines)
{
    for (const auto &[change, probe, fresh] : kJsLeaks) {
        SCOPED_TRACE(change);
        control.RunIsolated(QString::fromLatin1(change));
        EXPECT_EQ(runIsolated(QString::fromLatin1(probe)), QString::fromLatin1(fresh));
    }
    // Inside the function around the script.
    ASSERT_EQ(control.RunIsolated(QStringLiteral("var a = 1;\r\nvar b = 2;\r\nnosuch();")), RunOutcome::Error);
    EXPECT_EQ(std::tuple(control.Error().Line, control.Error().Number, control.Error().Text),
              std::tuple(3, 5009, QStringLiteral("nosuch();")));
    ASSERT_EQ(control.RunIsolated(QStringLiteral("var a = 1;\r\nvar = ;")), RunOutcome::Error);
    EXPECT_EQ(std::pair(control.Error().Line, control.Error().Number), std::pair(2, 1002));
}

INSTANTIATE_TEST_SUITE_P(Languages, IsolatedJs, ::testing::Values(LanguageFamily::JScript),
                         [](const auto &) { return "JScript"; });

TEST_P(Isolated, TheModuleIsAsTheResetLeftItAroundAnIsolatedRun)
{
    const bool js = GetParam() == LanguageFamily::JScript;
    ASSERT_EQ(control.AddCode(js ? QStringLiteral("var kept = 7;") : QStringLiteral("Dim kept : kept = 7")),
              RunOutcome::Ok);
    // The isolated run sees none of the module's code, and its own goes with it.
    EXPECT_EQ(runIsolated(js ? QStringLiteral("tnPrint(typeof kept); var mine = 1;")
                             : QStringLiteral("tnPrint TypeName(kept) : Dim mine : mine = 1")),
              js ? QStringLiteral("undefined") : QStringLiteral("Empty"));
    object.printed.clear();
    ASSERT_EQ(control.AddCode(js ? QStringLiteral("tnPrint(typeof kept + typeof mine);")
                                 : QStringLiteral("tnPrint TypeName(kept) & TypeName(mine)")),
              RunOutcome::Ok);
    EXPECT_EQ(object.printed, js ? QStringLiteral("undefinedundefined") : QStringLiteral("EmptyEmpty"));
    // The objects stay for every kind of run.
    EXPECT_EQ(runIsolated(js ? QStringLiteral("tnPrint(tnName());") : QStringLiteral("tnPrint tnName")),
              QStringLiteral("Tintwell"));
}

TEST_P(Isolated, ARunAfterAnErrorOrATimeOutStartsClean)
{
    const bool js = GetParam() == LanguageFamily::JScript;
    control.RunIsolated(js ? QStringLiteral("var leftover = 1; Array.prototype.leftover = 1; throw new Error('x');")
                           : QStringLiteral("Dim leftover : leftover = 1 : Err.Raise 13"));
    EXPECT_EQ(runIsolated(js ? QStringLiteral("tnPrint(typeof leftover + typeof [].leftover);")
                             : QStringLiteral("tnPrint TypeName(leftover)")),
              js ? QStringLiteral("undefinedundefined") : QStringLiteral("Empty"));
    control.setTimeLimit(50);
    EXPECT_EQ(control.RunIsolated(js ? QStringLiteral("Math.pending = 1; while (true) {}")
                                     : QStringLiteral("Dim pending : pending = 1 : Do : Loop")),
              RunOutcome::Timeout);
    control.setTimeLimit(30000);
    EXPECT_EQ(runIsolated(js ? QStringLiteral("tnPrint(typeof Math.pending);")
                             : QStringLiteral("tnPrint TypeName(pending)")),
              js ? QStringLiteral("undefined") : QStringLiteral("Empty"));
}

INSTANTIATE_TEST_SUITE_P(Languages, Isolated, ::testing::Values(LanguageFamily::VBScript, LanguageFamily::JScript),
                         [](const auto &i) { return i.param == LanguageFamily::JScript ? "JScript" : "VBScript"; });

// The point of isolated runs: an engine is built only when a script changed
// something shared. A Qt whose objects the snapshot cannot read would still
// run correctly, on a new engine every time; this is what notices.
TEST(JsRunnerEngines, CleanRunsKeepTheEngineAndAChangeReplacesIt)
{
    QString printed;
    JsRunner runner([&printed](int, int, const QVariantList &args) {
        printed += args.value(0).toString();
        return HostReply{};
    });
    runner.addObject(0, QStringLiteral("clsTest"), true, {QStringLiteral("tnPrint")});
    ScriptError error;
    ASSERT_EQ(runner.runIsolated(QStringLiteral("tnPrint('a');"), 30000, &error), RunOutcome::Ok);
    const int built = runner.enginesBuilt();
    for (int i = 0; i < 5; ++i) {
        ASSERT_EQ(runner.runIsolated(QStringLiteral("var s = [1, 2].map(function (x) { return x * 2; }).join();"
                                                    "tnPrint(s + /b/.test('abc') + new Date(0).getTime());"),
                                     30000, &error),
                  RunOutcome::Ok);
    }
    EXPECT_EQ(runner.enginesBuilt(), built);
    EXPECT_EQ(printed, QStringLiteral("a") + QStringLiteral("2,4true0").repeated(5));

    ASSERT_EQ(runner.runIsolated(QStringLiteral("String.prototype.shout = 1;"), 30000, &error), RunOutcome::Ok);
    EXPECT_EQ(runner.enginesBuilt(), built + 1);
    printed.clear();
    ASSERT_EQ(runner.runIsolated(QStringLiteral("tnPrint(typeof ''.shout);"), 30000, &error), RunOutcome::Ok);
    EXPECT_EQ(printed, QStringLiteral("undefined"));
}

} // namespace
