#pragma once
// JScript on QJSEngine. No extensions are installed, so a script sees the
// language's own built-ins and the host objects added to it, nothing else:
// no console, no file or network access, no module loading.

#include "scripting/engine.h"

#include <QList>
#include <memory>

class QJSEngine;
class QJSValue;

namespace tintwell::script {

class JsBridge;

class JsEngine : public Engine
{
public:
    JsEngine();
    ~JsEngine() override;
    JsEngine(const JsEngine &) = delete;
    JsEngine &operator=(const JsEngine &) = delete;

    void reset() override;
    void addObject(const QString &name, HostObject *object, bool addMembers) override;
    RunOutcome addCode(const QString &code, int timeLimitMs, ScriptError *error) override;
    // JScript has no message box of its own; kept so both engines take the
    // same set-up.
    void setMsgBoxHandler(MsgBoxHandler handler) override { m_msgBox = std::move(handler); }

private:
    void ensureEngine();
    void fillError(const QJSValue &thrown, const QStringList &trace, const QString &code,
                   ScriptError *error) const;

    std::unique_ptr<QJSEngine> m_js;
    std::unique_ptr<JsBridge> m_bridge;
    MsgBoxHandler m_msgBox;
    bool m_fresh = false;   // nothing run or added since the engine was made
    bool m_running = false; // inside addCode: a nested reset would pull the engine away
};

} // namespace tintwell::script
