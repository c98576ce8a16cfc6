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
    RunOutcome run(const QString &code, int timeLimitMs, ScriptError *error);
    // Builds the engine the next reset will take, so that a reset costs nothing
    // when it comes. The worker calls this after answering a run.
    void prepare();

private:
    struct Instance;
    Instance &current();

    HostCall m_call;
    std::unique_ptr<Instance> m_current;
    std::unique_ptr<Instance> m_spare;
};

} // namespace tintwell::script
