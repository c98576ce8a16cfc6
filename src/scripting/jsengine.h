#pragma once
// JScript, run by QJSEngine in a worker process (tintwell-jsworker, found next
// to the running program). A script that breaks the engine - a string grown
// past the engine's length limit, an allocation of gigabytes - kills only the
// worker: the run ends with "Out of memory" and the next run gets a new worker.
// A run past the time limit is interrupted inside the worker, and the worker is
// killed if it does not stop at once. The worker runs with its address space
// capped and behind a system-call filter (no files, sockets or programs), so a
// script that found a fault in the engine would still reach nothing.
//
// Host objects stay in this process: the worker calls back for every member
// call and this side converts the arguments from the member's description, so
// calls behave exactly as they do from VBScript.

#include "scripting/engine.h"

#include <QByteArray>
#include <QList>
#include <memory>

class QProcess;

namespace tintwell::script {

namespace wire {
struct Message;
}

class JsEngine : public Engine
{
public:
    JsEngine();
    // Runs the given program as the worker instead of the one found next to
    // the executable.
    explicit JsEngine(const QString &workerProgram);
    ~JsEngine() override;
    JsEngine(const JsEngine &) = delete;
    JsEngine &operator=(const JsEngine &) = delete;

    void reset() override;
    void addObject(const QString &name, HostObject *object, bool addMembers) override;
    RunOutcome addCode(const QString &code, int timeLimitMs, ScriptError *error) override;
    RunOutcome runIsolated(const QString &code, int timeLimitMs, ScriptError *error) override;
    // JScript has no message box of its own; kept so both engines take the
    // same set-up.
    void setMsgBoxHandler(MsgBoxHandler handler) override { m_msgBox = std::move(handler); }

    // How long past the time limit the worker may take to stop by itself
    // before it is killed. On a loaded machine the worker's watchdog may not
    // get the processor within the default: the run still ends at once, but
    // with a new worker, which a test telling an interrupt from a kill must
    // not mistake for a fault, so it gives more.
    static constexpr int KillGraceMs = 20;
    void setKillGraceMs(int ms) { m_killGraceMs = ms; }

    // The worker's process id (0 when none runs), and how many workers this
    // engine has started; for tests that kill the worker.
    qint64 workerPid() const;
    int workersStarted() const { return m_started; }

private:
    struct Added {
        QString name;
        HostObject *object = nullptr;
        bool addMembers = true;
    };

    bool startWorker(ScriptError *error);
    void stopWorker();
    void send(const QByteArray &bytes);
    void sendObject(int index);
    RunOutcome runCode(const QString &code, int timeLimitMs, ScriptError *error, bool isolated);
    bool spinForReply();
    bool waitForMessage(wire::Message *out, int timeoutMs, bool *timedOut);
    QByteArray serviceCall(const wire::Message &call);

    static constexpr qint64 kSpinNs = 200000;

    QString m_program;
    std::unique_ptr<QProcess> m_worker;
    QByteArray m_input;
    bool m_ready = false;   // the worker said Hello
    QList<Added> m_objects; // since the last reset, sent again to a new worker
    bool m_used = false;    // something added or run since the last reset
    bool m_running = false; // inside addCode: a nested reset would pull the objects away
    int m_started = 0;
    int m_killGraceMs = KillGraceMs;
    MsgBoxHandler m_msgBox;
};

} // namespace tintwell::script
