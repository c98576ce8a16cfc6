// JScript through the engine interface and its worker process: scripts that
// break the engine, runs that do not stop, a worker killed from outside, and
// the messages on the pipe. The language, its errors and its sandbox are the
// .js files' in jscript/.

#include "scripting/jsengine.h"
#include "scripting/jswire.h"
#include "testobject.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <string>

#include <csignal>
#include <sys/types.h>

using namespace tintwell::script;
using tintwell::script::testing::RecordingObject;

namespace {

struct Worker : ::testing::Test {
    JsEngine engine;
    RecordingObject object;
    ScriptError error;
    void SetUp() override { engine.addObject(QStringLiteral("clsTest"), &object, true); }
    // A wide limit unless a test is about the limit: a loaded machine must not
    // turn an ordinary run into a time-out.
    RunOutcome run(const QString &code, int limit = 30000) { return engine.addCode(code, limit, &error); }

    // After a lost worker the next run works, with the objects still bound.
    void expectRecovered()
    {
        object.printed.clear();
        ASSERT_EQ(run(QStringLiteral("tnPrint('after ' + tnRGB(1, 2, 3));")), RunOutcome::Ok) << qPrintable(error.Description);
        EXPECT_EQ(object.printed, QStringLiteral("after 197121"));
    }
};

} // namespace

TEST_F(Worker, WithoutAddMembersOnlyTheObjectNameIsBound)
{
    RecordingObject other;
    engine.addObject(QStringLiteral("clsOther"), &other, false);
    ASSERT_EQ(run(QStringLiteral("clsOther.tnPrint(typeof tnName);")), RunOutcome::Ok);
    EXPECT_EQ(other.printed, QStringLiteral("function")); // still clsTest's global
}

TEST_F(Worker, ErrorsReportTheCallingLineAndAScriptsOwnNumber)
{
    EXPECT_EQ(run(QStringLiteral("var a = 1;\r\nfunction f() {\r\n  tnRGB(1, 2);\r\n}\r\nf();")), RunOutcome::Error);
    EXPECT_EQ(std::pair(error.Number, error.Line), std::pair(450, 3));
    EXPECT_EQ(error.Text, QStringLiteral("  tnRGB(1, 2);"));
    EXPECT_EQ(run(QStringLiteral("\n\ntnFail();")), RunOutcome::Error);
    EXPECT_EQ(std::pair(error.Number, error.Line), std::pair(5, 3));
    EXPECT_EQ(run(QStringLiteral("var e = new Error('mine'); e.number = 0x800A0000 + 77; throw e;")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 77);
    EXPECT_EQ(run(QStringLiteral("1 + 1")), RunOutcome::Ok);
    EXPECT_EQ(error.Number, 0); // cleared by the next run
}

// Doubling a string 31 times wraps its length inside the engine; using it then
// reads outside the string. (Endless doubling and a too long join:
// jscript/limits/string_doubling.js and string_length_wrap.js.)
TEST_F(Worker, StringsGrownPastTheEngineLimitAreOutOfMemoryNotACrash)
{
    EXPECT_EQ(run(QStringLiteral("var s = 'x'; for (var i = 0; i < 31; i++) s += s; tnPrint(s.charCodeAt(5));"), 0),
              RunOutcome::Error);
    EXPECT_EQ(std::tuple(error.Number, error.Description, error.Line), std::tuple(7, QStringLiteral("Out of memory"), 0));
    EXPECT_TRUE(object.printed.isEmpty());
    expectRecovered();
    EXPECT_EQ(engine.workersStarted(), 2);
}

// 2^33 bytes is past the engine's own limit; 2^31 past the worker's memory cap,
// without which it would take the memory (there is none under a sanitizer).
TEST_F(Worker, AllocationsTheEngineOrTheMemoryCapRefuseStayCatchableErrors)
{
    for (int power : {33, 31}) {
#ifdef TINTWELL_SANITIZED_BUILD
        if (power == 31)
            continue;
#endif
        object.printed.clear();
        EXPECT_EQ(run(QStringLiteral("try { new ArrayBuffer(Math.pow(2, %1)); } catch (e) { tnPrint(e.name); }").arg(power)),
                  RunOutcome::Ok);
        EXPECT_EQ(object.printed, QStringLiteral("RangeError")) << power;
    }
    EXPECT_EQ(engine.workersStarted(), 1);
}

TEST_F(Worker, WorkDeafToTheInterruptIsKilledAtTheLimit)
{
    // One call into the engine's C++ that runs for many seconds without
    // looking at the interrupt flag and without growing: a sort of a million
    // numbers compared as text. The array is made first, without a limit, so
    // the limit falls inside the sort however slow the machine.
    ASSERT_EQ(run(QStringLiteral("var a = []; for (var i = 0; i < 1000000; i++) a.push((i * 7919) % 1000003);"), 0),
              RunOutcome::Ok);
    EXPECT_EQ(run(QStringLiteral("a.sort();"), 200), RunOutcome::Timeout);
    EXPECT_EQ(engine.workersStarted(), 2);
    expectRecovered();
}

TEST_F(Worker, InterruptibleLoopsStopWithoutLosingTheWorker)
{
    engine.setKillGraceMs(30000); // the interrupt, not the kill, must end the run
    ASSERT_EQ(run(QStringLiteral("var kept = 5;")), RunOutcome::Ok);
    // A loop that allocates nothing: no collector pause can hold up the interrupt.
    EXPECT_EQ(run(QStringLiteral("var n = 0; for (;;) n = (n + 1) % 7;"), 150), RunOutcome::Timeout);
    EXPECT_EQ(engine.workersStarted(), 1);
    // The same engine, so variables of earlier runs are still there.
    ASSERT_EQ(run(QStringLiteral("tnPrint(kept);")), RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("5"));
}

TEST_F(Worker, AWorkerKilledMidRunIsReportedAndReplaced)
{
    // Killed while it waits for the member to return.
    RecordingObject killer;
    qint64 killed = 0;
    killer.onName = [&] {
        if ((killed = engine.workerPid()) > 0)
            ::kill(pid_t(killed), SIGKILL);
    };
    engine.addObject(QStringLiteral("clsKiller"), &killer, false);
    EXPECT_EQ(run(QStringLiteral("tnPrint('before ');\nclsKiller.tnName();\ntnPrint('never');")), RunOutcome::Error);
    EXPECT_GT(killed, 0);
    EXPECT_EQ(std::pair(error.Number, error.Line), std::pair(7, 0));
    EXPECT_EQ(object.printed, QStringLiteral("before "));
    EXPECT_NE(engine.workerPid(), killed);
    expectRecovered();
    // Both objects came along to the new worker.
    EXPECT_EQ(run(QStringLiteral("tnPrint(typeof clsKiller.tnName);")), RunOutcome::Ok);
    EXPECT_EQ(object.printed, QStringLiteral("after 197121function"));
}

TEST_F(Worker, AWorkerKilledBetweenRunsIsReplacedSilently)
{
    ASSERT_EQ(run(QStringLiteral("1")), RunOutcome::Ok);
    ASSERT_GT(engine.workerPid(), 0);
    ::kill(pid_t(engine.workerPid()), SIGKILL);
    // The death may not have been seen yet: the first run reports it, or
    // already gets the new worker; either way the one after works.
    const RunOutcome first = run(QStringLiteral("tnPrint('one ');"));
    if (first == RunOutcome::Error)
        EXPECT_EQ(error.Number, 7);
    else
        EXPECT_EQ(first, RunOutcome::Ok);
    expectRecovered();
    EXPECT_EQ(engine.workersStarted(), 2);
}

TEST_F(Worker, ResetAfterALostWorkerLeavesNothingBound)
{
    EXPECT_EQ(run(QStringLiteral("var s = 'x'; for (;;) s += s;"), 0), RunOutcome::Error);
    engine.reset();
    EXPECT_EQ(run(QStringLiteral("tnPrint('x');")), RunOutcome::Error);
    EXPECT_EQ(error.Number, 5009);
    EXPECT_TRUE(object.printed.isEmpty());
}

namespace {

// One member per declared argument type, each handing back what it got, and
// members returning each result type. (Host errors raised in the script:
// jscript/host.js; conversion failures: test_coercion.cpp.)
class TypesObject : public HostObject
{
public:
    const QList<HostMember> &members() const override
    {
        static const QList<HostMember> list = [] {
            QList<HostMember> l;
            const std::pair<const char *, ValueType> types[] = {
                {"Variant", ValueType::Variant}, {"Boolean", ValueType::Boolean}, {"Byte", ValueType::Byte},
                {"Integer", ValueType::Integer}, {"Long", ValueType::Long},     {"Single", ValueType::Single},
                {"Double", ValueType::Double},   {"String", ValueType::String},
            };
            for (const auto &[name, type] : types)
                l.append({QStringLiteral("tnEcho") + QLatin1String(name), {{QStringLiteral("V"), type, true}}, type});
            l.append({QStringLiteral("tnNull"), {}, ValueType::Variant});
            l.append({QStringLiteral("tnSub"), {}, ValueType::Empty});
            return l;
        }();
        return list;
    }
    QVariant invoke(int memberIndex, const QVariantList &args, HostError *) override
    {
        if (memberIndex < 8) {
            seen.append(QString::fromLatin1(args[0].metaType().name() ? args[0].metaType().name() : "invalid"));
            return args[0];
        }
        if (memberIndex == 8)
            return QVariant::fromValue(nullptr);
        return 42; // a Sub's value never reaches the script
    }
    QStringList seen;
};

} // namespace

TEST_F(Worker, ArgumentsAndResultsCrossThePipeWithTheirTypes)
{
    TypesObject types;
    engine.addObject(QStringLiteral("clsTypes"), &types, true);
    ASSERT_EQ(run(QStringLiteral(
                  "var r = [tnEchoVariant(null), tnEchoVariant(), tnEchoBoolean('1'), tnEchoByte(254.5),"
                  " tnEchoInteger('-7'), tnEchoLong(2147483647), tnEchoSingle(0.5), tnEchoDouble(true),"
                  " tnEchoString(12.5), tnNull(), tnSub(), tnEchoVariant([1, 'a'])];"
                  "tnPrint(r.map(function (v) { return typeof v + ':' + v; }).join(' '));")),
              RunOutcome::Ok)
        << qPrintable(error.Description);
    EXPECT_EQ(object.printed, QStringLiteral("object:null undefined:undefined boolean:true number:254 number:-7"
                                             " number:2147483647 number:0.5 number:-1 string:12.5 object:null"
                                             " undefined:undefined object:1,a"));
    EXPECT_EQ(types.seen, QStringList({"std::nullptr_t", "invalid", "bool", "uint", "int", "int", "float",
                                       "double", "QString", "QVariantList"}));
}

// ---- the messages themselves ----

TEST(JsWire, EveryMessageComesBackAsSent)
{
    wire::DoneMsg done;
    done.outcome = RunOutcome::Error;
    done.error = {1002, QStringLiteral("Syntax error"), 4, 2, QStringLiteral("var x = ;")};
    const QByteArray stream =
        wire::encodeHello() + wire::encodeReset()
        + wire::encode(wire::AddObjectMsg{3, QStringLiteral("clsTNExport"), false, {"tnOutput", "tnRed"}})
        + wire::encode(wire::RunMsg{QStringLiteral("tnOutput('\u00e9\u20ac');\r\n"), 750, true})
        + wire::encode(wire::CallMsg{1, 2, {QVariant(), QVariant::fromValue(nullptr), 2.5, QStringLiteral("x")}})
        + wire::encode(wire::ReplyMsg{QVariant(uint(200)), 6, QStringLiteral("Overflow")}) + wire::encode(done);

    // Delivered a byte at a time, as a pipe may.
    QByteArray buffer;
    QList<wire::Message> got;
    for (char c : stream) {
        buffer.append(c);
        bool broken = true;
        while (auto m = wire::take(buffer, &broken))
            got.append(*m);
        ASSERT_FALSE(broken);
    }
    ASSERT_EQ(got.size(), 7);
    EXPECT_TRUE(buffer.isEmpty());
    EXPECT_EQ(std::pair(got[0].kind, got[1].kind), std::pair(wire::Kind::Hello, wire::Kind::Reset));
    const wire::AddObjectMsg &add = got[2].addObject;
    EXPECT_EQ(std::tuple(add.index, add.name, add.addMembers, add.members),
              std::tuple(3, QStringLiteral("clsTNExport"), false, QStringList({"tnOutput", "tnRed"})));
    EXPECT_EQ(std::tuple(got[3].run.code, got[3].run.timeLimitMs, got[3].run.isolated),
              std::tuple(QStringLiteral("tnOutput('\u00e9\u20ac');\r\n"), 750, true));
    const wire::CallMsg &call = got[4].call;
    ASSERT_EQ(call.args.size(), 4);
    EXPECT_EQ(std::pair(call.object, call.member), std::pair(1, 2));
    EXPECT_FALSE(call.args[0].isValid());
    EXPECT_EQ(call.args[1].metaType().id(), QMetaType::Nullptr);
    EXPECT_EQ(call.args[2], QVariant(2.5));
    EXPECT_EQ(std::pair(got[5].reply.value.metaType().id(), got[5].reply.errorNumber), std::pair(int(QMetaType::UInt), 6));
    const ScriptError &e = got[6].done.error;
    EXPECT_EQ(got[6].done.outcome, RunOutcome::Error);
    EXPECT_EQ(std::tuple(e.Number, e.Line, e.Column, e.Text), std::tuple(1002, 4, 2, QStringLiteral("var x = ;")));
}

TEST(JsWire, DamagedStreamsAreRefused)
{
    // A Run whose body is cut short inside its code text.
    QByteArray cut = wire::encode(wire::RunMsg{QStringLiteral("while (true) {}"), 5});
    cut.remove(cut.size() - 8, 4);
    const quint32 n = quint32(cut.size() - 4);
    for (int i = 0; i < 4; ++i)
        cut[i] = char((n >> (8 * i)) & 0xFF);
    wire::DoneMsg done;
    done.outcome = RunOutcome(7); // an outcome that does not exist
    const QByteArray damaged[] = {QByteArray("\xff\xff\xff\x7f", 4), // would ask for 2 GiB
                                  QByteArray("\0\0\0\0", 4), QByteArray("\x01\0\0\0\x63", 5), // kind 99
                                  QByteArray("y\ny\ny", 5), // text: refused before its "length" has come
                                  cut, wire::encode(done)};
    for (QByteArray bytes : damaged) {
        bool broken = false;
        EXPECT_FALSE(wire::take(bytes, &broken));
        EXPECT_TRUE(broken) << bytes.toHex().toStdString();
    }
    bool broken = true;
    QByteArray partial = wire::encodeHello().left(3);
    EXPECT_FALSE(wire::take(partial, &broken) || broken);
}

// ---- workers that are missing or misbehave ----

namespace {

// A stand-in worker written as a shell script.
QString fakeWorker(QTemporaryDir &dir, const char *body)
{
    const QString path = dir.filePath(QStringLiteral("worker.sh"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write("#!/bin/sh\n");
    file.write(body);
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The Hello message: length 1, kind 10.
const char kSayHello[] = "printf '\\001\\000\\000\\000\\012'\n";

} // namespace

TEST(JsWorkerMissing, AWorkerThatCannotStartIsAnErrorEveryTime)
{
    QTemporaryDir dir;
    for (const QString &program : {dir.filePath(QStringLiteral("no-such-worker")), fakeWorker(dir, "exit 0\n"),
                                   fakeWorker(dir, "exec yes\n")}) {
        SCOPED_TRACE(qPrintable(program));
        JsEngine engine(program);
        RecordingObject object;
        engine.addObject(QStringLiteral("clsTest"), &object, true);
        for (int attempt = 0; attempt < 2; ++attempt) {
            ScriptError error;
            EXPECT_EQ(engine.addCode(QStringLiteral("tnPrint('x');"), 1000, &error), RunOutcome::Error);
            EXPECT_EQ(error.Number, 429);
            EXPECT_TRUE(error.Description.contains(QStringLiteral("tintwell-jsworker")));
            EXPECT_EQ(engine.workerPid(), 0); // a worker talking nonsense is not left running
        }
        EXPECT_TRUE(object.printed.isEmpty());
    }
}

TEST(JsWorkerMissing, AWorkerThatGreetsAndThenFailsIsLostOrTimedOut)
{
    QTemporaryDir dir;
    const std::pair<const char *, RunOutcome> cases[] = {
        {"exit 0\n", RunOutcome::Error},
        // Only the kill at the limit ends this: a wait for the worker's end
        // would report it lost, and a wait for its answer would never end.
        {"exec sleep 30\n", RunOutcome::Timeout},
        // Answers the run with a message of a kind the host never expects.
        {"printf '\\001\\000\\000\\000\\001'; exec sleep 30\n", RunOutcome::Error}};
    for (const auto &[then, outcome] : cases) {
        JsEngine engine(fakeWorker(dir, (std::string(kSayHello) + then).c_str()));
        ScriptError error;
        EXPECT_EQ(engine.addCode(QStringLiteral("1"), outcome == RunOutcome::Timeout ? 100 : 1000, &error), outcome) << then;
        if (outcome == RunOutcome::Error) { // and a new one started for the next run
            EXPECT_EQ(std::pair(error.Number, engine.workersStarted()), std::pair(7, 2)) << then;
        }
    }
}

TEST(JsWorkerSandbox, TheWorkerCannotReachFilesTheNetworkOrOtherPrograms)
{
    QProcess worker;
    worker.start(QStringLiteral(TINTWELL_JSWORKER_BUILD_PATH), {QStringLiteral("--sandbox-check")});
    ASSERT_TRUE(worker.waitForFinished(10000));
    const QString out = QString::fromLatin1(worker.readAllStandardOutput());
    if (out.startsWith(QLatin1String("sandbox unavailable")))
        GTEST_SKIP() << "no system call filter on this system";
    EXPECT_EQ(out, QStringLiteral("open refused\nsocket refused\nfork refused\nsignal refused\nthread allowed\n"));
}

