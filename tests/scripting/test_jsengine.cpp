#include "scripting/jsengine.h"
#include "testobject.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

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

TEST_F(Js, MembersAreGlobalAndOnTheObject)
{
    ASSERT_EQ(run(QStringLiteral("tnPrint(tnRGB(255, '128', 1.5).toString(16));"
                                 "clsTest.tnPrint(' ' + tnName());")),
              RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("280ff Tintwell"));
}

TEST_F(Js, WithoutAddMembersOnlyTheObjectNameIsBound)
{
    RecordingObject other;
    engine.addObject(QStringLiteral("clsOther"), &other, false);
    ASSERT_EQ(run(QStringLiteral("clsOther.tnPrint(typeof tnName);")), RunOutcome::Ok);
    EXPECT_EQ(other.printed, QStringLiteral("function")); // still clsTest's global
}

TEST_F(Js, HostErrorsBecomeCatchableErrorsWithNumbers)
{
    ASSERT_EQ(run(QStringLiteral("try { tnRGB(300, 0, 0); } catch (e) { tnPrint(e.number + ':' + e.description); }")),
              RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("6:Overflow"));
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

TEST_F(Js, EngineErrorsGetJScriptNumbers)
{
    EXPECT_EQ(run(QStringLiteral("var x = 1;\nvar y = ;")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 1002);
    EXPECT_EQ(error.Line, 2);
    EXPECT_EQ(run(QStringLiteral("\nundefinedThing();")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 5009);
    EXPECT_EQ(error.Description, QStringLiteral("'undefinedThing' is undefined"));
    EXPECT_EQ(run(QStringLiteral("function f() { return f() + 1; }\nf();")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 28);
    EXPECT_EQ(run(QStringLiteral("var o = {};\n\no.a.b = 1;")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 5007);
    EXPECT_EQ(error.Line, 3);
    EXPECT_EQ(run(QStringLiteral("\nthrow 'x';")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 5022);
    EXPECT_EQ(error.Line, 2);
    EXPECT_EQ(run(QStringLiteral("var e = new Error('mine'); e.number = 0x800A0000 + 77; throw e;")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 77);
    EXPECT_EQ(run(QStringLiteral("1 + 1")), RunOutcome::Ok);
    EXPECT_EQ(error.Number, 0); // cleared by the next run
}

TEST_F(Js, TimeLimitInterruptsAndTheEngineStaysUsable)
{
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(run(QStringLiteral("while (true) {}"), 150), RunOutcome::Timeout);
    EXPECT_GE(clock.elapsed(), 140); // never before the limit; how long after depends on the machine
    EXPECT_EQ(run(QStringLiteral("tnPrint('after');")), RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("after"));
}

TEST_F(Js, ResetForgetsVariablesAndObjects)
{
    ASSERT_EQ(run(QStringLiteral("var kept = 1;")), RunOutcome::Ok);
    engine.reset();
    EXPECT_EQ(run(QStringLiteral("kept;")), RunOutcome::Error);
    EXPECT_EQ(run(QStringLiteral("tnPrint('x');")), RunOutcome::Error);
    engine.addObject(QStringLiteral("clsTest"), &object, true);
    EXPECT_EQ(run(QStringLiteral("tnPrint(typeof kept);")), RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("undefined"));
}

TEST_F(Js, NoExtensionsAreInstalled)
{
    ASSERT_EQ(run(QStringLiteral("tnPrint([typeof console, typeof print, typeof Qt, typeof gc, typeof qsTr,"
                                 " typeof XMLHttpRequest, typeof require].join(','));")),
              RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("undefined,undefined,undefined,undefined,undefined,undefined,undefined"));
    EXPECT_EQ(run(QStringLiteral("import('/etc/passwd');")), RunOutcome::Error);
}

namespace {

// A member that runs code on the engine that is calling it.
class ReentrantObject : public HostObject
{
public:
    explicit ReentrantObject(Engine *engine) : m_engine(engine) {}
    const QList<HostMember> &members() const override
    {
        static const QList<HostMember> list = {{QStringLiteral("tnAgain"), {}, ValueType::Long}};
        return list;
    }
    QVariant invoke(int, const QVariantList &, HostError *) override
    {
        m_engine->reset();
        ScriptError inner;
        return int(m_engine->addCode(QStringLiteral("1"), 1000, &inner)) * 1000 + inner.Number;
    }

private:
    Engine *m_engine;
};

} // namespace

TEST_F(Js, ReentryIntoTheRunningEngineIsRefusedNotACrash)
{
    ReentrantObject again(&engine);
    engine.addObject(QStringLiteral("clsAgain"), &again, true);
    ASSERT_EQ(run(QStringLiteral("var kept = 'still here'; tnPrint(tnAgain() + ' ' + kept);")), RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("%1 still here").arg(int(RunOutcome::Error) * 1000 + 5));
}
