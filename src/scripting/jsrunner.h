#pragma once
// Runs JScript on a QJSEngine inside the worker process. Host objects are
// known here only by their member names: a call is handed to the HostCall
// function (which asks the program over the pipe), and its arguments are
// converted there, by the program, from the real member description.
//
// No extensions are installed, so a script sees the language's own built-ins
// and the host objects added to it, nothing else: no console, no file or
// network access, no module loading.

#include "scripting/engine.h"

#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

class QJSEngine;

namespace tintwell::script {

struct HostReply {
    QVariant value; // invalid: undefined; std::nullptr_t: null
    HostError error;
};

using HostCall = std::function<HostReply(int object, int member, const QVariantList &args)>;

class JsBridge;

// Engines on threads of their own, two of them: while one takes the runs,
// the other, when it needs to be replaced, is rebuilt. Building an engine
// costs about a millisecond; isolated runs (runIsolated) avoid it by running
// on the same engine for as long as no script has changed anything a later
// one could see.
class JsRunner
{
public:
    explicit JsRunner(HostCall call);
    ~JsRunner();
    JsRunner(const JsRunner &) = delete;
    JsRunner &operator=(const JsRunner &) = delete;

    // Drops all code, variables and objects.
    void reset();
    void addObject(int index, const QString &name, bool addMembers, const QStringList &members);
    // Runs code at the top level of the module: what it declares stays for
    // the next run until reset(). Host calls are made from the engine's
    // thread while this one waits.
    RunOutcome run(const QString &code, int timeLimitMs, ScriptError *error);
    // Runs code as run() would right after reset() and the addObject calls
    // made since the last reset, inside a function of its own, and leaves the
    // module as it was before: nothing the code declares or changes reaches
    // any later run.
    RunOutcome runIsolated(const QString &code, int timeLimitMs, ScriptError *error);

    // Engines built so far; for tests and benchmarks.
    int enginesBuilt() const { return m_built; }

    struct ObjectSpec {
        int index = 0;
        QString name;
        bool addMembers = true;
        QStringList members;
        bool operator==(const ObjectSpec &) const = default;
    };

private:
    struct Instance;
    class Slot;
    class Watchdog;

    // What each slot's engine holds once the tasks posted to it have run.
    enum class State {
        Fresh,  // nothing bound or run
        Sealed, // objects bound and recorded; no script has left anything
        Used,   // holds the current module: code run at its top level
    };
    struct SlotState {
        State state = State::Fresh;
        QList<ObjectSpec> bound;
    };

    void rebuild(int slot);
    int acquire(bool isolated);
    RunOutcome execute(int slot, bool isolated, const QString &code, int timeLimitMs, ScriptError *error);

    HostCall m_call;
    std::unique_ptr<Watchdog> m_watchdog;
    std::unique_ptr<Slot> m_slots[2];
    SlotState m_state[2];
    QList<ObjectSpec> m_pending; // added since the last reset
    int m_current = 0;
    int m_built = 0;
};

} // namespace tintwell::script
