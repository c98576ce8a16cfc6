#pragma once
// Our VBScript interpreter behind the script engine interface.

#include "scripting/engine.h"

#include <memory>

namespace tintwell::vbs {

class Interpreter;

class VbsEngine : public script::Engine
{
public:
    VbsEngine();
    ~VbsEngine() override;
    void reset() override;
    void addObject(const QString &name, script::HostObject *object, bool addMembers) override;
    script::RunOutcome addCode(const QString &code, int timeLimitMs, script::ScriptError *error) override;
    void setMsgBoxHandler(script::MsgBoxHandler handler) override;

private:
    std::unique_ptr<Interpreter> interp_;
    script::MsgBoxHandler msgBox_;
    bool running_ = false; // inside addCode: see the re-entry rule in engine.h
};

} // namespace tintwell::vbs

namespace tintwell::script {
std::unique_ptr<Engine> createVbsEngine();
}
