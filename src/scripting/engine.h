#pragma once
// One script language behind the interface the script host uses.

#include "scripting/hostobject.h"

#include <QString>
#include <functional>

namespace tintwell::script {

// The last error of a run. Line counts from 1 over the whole text given to
// addCode; Text is that source line, "" when the engine has none.
struct ScriptError {
    int Number = 0;
    QString Description;
    int Line = 0;
    int Column = 0;
    QString Text;
    void clear() { *this = ScriptError(); }
};

enum class RunOutcome { Ok, Error, Timeout };

// What a script's MsgBox does: the program shows a message box, tnscript
// writes a line to stderr. Returns the button pressed (1 = OK).
using MsgBoxHandler = std::function<int(const QString &prompt, int buttons, const QString &title)>;

// Re-entry. Host objects run inside an engine's addCode, and may call engines
// themselves (a converter member sets a colour, which runs export scripts).
// - Another engine instance may be used freely from inside a run.
// - The engine that is running refuses to be changed under its own feet:
//   addCode returns Error with Number 5 ("Invalid procedure call or
//   argument") and runs nothing; reset() and addObject() do nothing. The
//   outer run then goes on as if they had not been called.
class Engine
{
public:
    virtual ~Engine() = default;
    // Forgets all code, variables and objects added before (not while running).
    virtual void reset() = 0;
    // With addMembers, the object's members become global names.
    // The engine does not own the object; it must outlive the next reset().
    virtual void addObject(const QString &name, HostObject *object, bool addMembers) = 0;
    // Compiles code and runs its top-level statements. Stops any run after
    // timeLimitMs milliseconds and reports Timeout; 0 means no limit. On Error
    // fills *error.
    virtual RunOutcome addCode(const QString &code, int timeLimitMs, ScriptError *error) = 0;
    // Runs code as addCode would right after reset() and the addObject calls
    // made since the last reset, and leaves the engine as it was: nothing the
    // code declares or changes reaches a later run. The host runs every
    // script this way; an engine may do it more cheaply than a reset.
    virtual RunOutcome runIsolated(const QString &code, int timeLimitMs, ScriptError *error) = 0;
    virtual void setMsgBoxHandler(MsgBoxHandler handler) = 0;
};

} // namespace tintwell::script
