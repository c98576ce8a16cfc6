#include "scripting/vbscript/vbsengine.h"

#include "scripting/vbscript/interpreter.h"

namespace tintwell::vbs {

VbsEngine::VbsEngine() : interp_(std::make_unique<Interpreter>()) {}

VbsEngine::~VbsEngine() = default;

void VbsEngine::reset()
{
    // Objects still held see their Class_Terminate before the code goes.
    interp_->releaseAll(1000);
    interp_ = std::make_unique<Interpreter>();
    interp_->setMsgBoxHandler(msgBox_);
}

void VbsEngine::addObject(const QString &name, script::HostObject *object, bool addMembers)
{
    if (object)
        interp_->addHostObject(name, object, addMembers);
}

script::RunOutcome VbsEngine::addCode(const QString &code, int timeLimitMs, script::ScriptError *error)
{
    return interp_->run(code, timeLimitMs, error);
}

void VbsEngine::setMsgBoxHandler(script::MsgBoxHandler handler)
{
    msgBox_ = handler;
    interp_->setMsgBoxHandler(std::move(handler));
}

} // namespace tintwell::vbs

namespace tintwell::script {
std::unique_ptr<Engine> createVbsEngine()
{
    return std::make_unique<vbs::VbsEngine>();
}
} // namespace tintwell::script
