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

// Two engines, each on a thread of its own: one takes the runs while the
// other, used before the last reset, is rebuilt. A reset thus costs nothing
// when runs come back to back, which the export scripts do.
class JsRunner
{
public:
    explicit JsRunner(HostCall call);
    ~JsRunner();
    JsRunner(const JsRunner &) = delete;
    JsRunner &operator=(const JsRunner &) = delete;

    // Drops all code, variables and objects: the next run gets a fresh engine.
    void reset();
    void addObject(int index, const QString &name, bool addMembers, const QStringList &members);
    // Runs on the current engine's thread and waits; host calls are made from
    // that thread while this one waits.
    RunOutcome run(const QString &code, int timeLimitMs, ScriptError *error);

private:
    struct Instance;
    class Slot;
    class Watchdog;

    HostCall m_call;
    std::unique_ptr<Watchdog> m_watchdog;
    std::unique_ptr<Slot> m_slots[2];
    int m_current = 0;
    bool m_used = false; // something added or run since the last reset
};

} // namespace tintwell::script
