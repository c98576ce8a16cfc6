#pragma once
// Our VBScript interpreter behind the script engine interface.

#include "scripting/engine.h"

#include <QList>

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
    script::RunOutcome runIsolated(const QString &code, int timeLimitMs, script::ScriptError *error) override;
    void setMsgBoxHandler(script::MsgBoxHandler handler) override;

private:
    struct Added {
        QString name;
        script::HostObject *object = nullptr;
        bool addMembers = true;
    };
    // Replaces the interpreter, keeping the objects, when an isolated run
    // has left code behind.
    void clearLeftovers();
    script::RunOutcome runCode(const QString &code, int timeLimitMs, script::ScriptError *error);

    std::unique_ptr<Interpreter> interp_;
    QList<Added> objects_; // since the last reset
    bool leftovers_ = false; // an isolated run's code is still in the interpreter
    bool codeAdded_ = false; // addCode ran since the last reset
    script::MsgBoxHandler msgBox_;
    bool running_ = false; // inside addCode: see the re-entry rule in engine.h
};

} // namespace tintwell::vbs

namespace tintwell::script {
std::unique_ptr<Engine> createVbsEngine();
}
