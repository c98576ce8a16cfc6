#include "scripting/vbscript/vbsengine.h"

#include "scripting/vbscript/interpreter.h"

namespace tintwell::vbs {

VbsEngine::VbsEngine() : interp_(std::make_unique<Interpreter>()) {}

VbsEngine::~VbsEngine() = default;

void VbsEngine::reset()
{
    // The running interpreter's frames point into itself.
    if (running_)
        return;
    // Objects still held see their Class_Terminate before the code goes.
    interp_->releaseAll(1000);
    interp_ = std::make_unique<Interpreter>();
    interp_->setMsgBoxHandler(msgBox_);
    objects_.clear();
    leftovers_ = false;
    codeAdded_ = false;
}

void VbsEngine::clearLeftovers()
{
    if (!leftovers_)
        return;
    const auto objects = objects_;
    reset();
    for (const Added &added : objects)
        addObject(added.name, added.object, added.addMembers);
}

void VbsEngine::addObject(const QString &name, script::HostObject *object, bool addMembers)
{
    if (!object || running_)
        return;
    clearLeftovers();
    interp_->addHostObject(name, object, addMembers);
    objects_.append({name, object, addMembers});
}

script::RunOutcome VbsEngine::runIsolated(const QString &code, int timeLimitMs, script::ScriptError *error)
{
    if (running_)
        return runCode(code, timeLimitMs, error); // refused there
    // Code added before goes, the objects stay; what this run leaves goes
    // before anything else is added or run.
    leftovers_ = leftovers_ || codeAdded_;
    clearLeftovers();
    const script::RunOutcome outcome = runCode(code, timeLimitMs, error);
    leftovers_ = true;
    return outcome;
}

script::RunOutcome VbsEngine::addCode(const QString &code, int timeLimitMs, script::ScriptError *error)
{
    if (!running_) {
        clearLeftovers();
        codeAdded_ = true;
    }
    return runCode(code, timeLimitMs, error);
}

script::RunOutcome VbsEngine::runCode(const QString &code, int timeLimitMs, script::ScriptError *error)
{
    if (running_) {
        if (error) {
            error->clear();
            error->Number = 5;
            error->Description = QStringLiteral("Invalid procedure call or argument");
        }
        return script::RunOutcome::Error;
    }
    running_ = true;
    struct Leave {
        bool &flag;
        ~Leave() { flag = false; }
    } leave{running_};
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
