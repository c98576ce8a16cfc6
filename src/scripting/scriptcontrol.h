#pragma once
// The script control the program drives: picks an engine by language name,
// keeps the last error, enforces the time limit and tells its owner about
// errors and time-outs through callbacks.

#include "scripting/engine.h"

#include <functional>
#include <memory>
#include <optional>

namespace tintwell::script {

enum class LanguageFamily { VBScript = 0, JScript = 1 };

struct LanguageChoice {
    QString name;          // "VBScript", "VBS", "JScript" or "JavaScript"
    LanguageFamily family = LanguageFamily::VBScript;
};

// The language a script names on its first line: the text before the first
// CR LF (the whole text when it has none or starts with one), searched without
// regard to case for "vbscript", "vbs", "jscript", "javascript" in that order.
// A script that names none runs as VBScript.
LanguageChoice chooseScriptLanguage(const QString &code);

// Whether the first line names a language at all (chooseScriptLanguage then
// falls back to VBScript); tools use it to fall back to a file's extension.
bool namesScriptLanguage(const QString &code);

// The family of an accepted language name (any letter case), or nullopt.
std::optional<LanguageFamily> languageFamily(const QString &name);

// Makes a new engine of the family; nullptr when the build has none for it.
std::unique_ptr<Engine> createEngine(LanguageFamily family);

class ScriptControl
{
public:
    static constexpr int DefaultTimeLimitMs = 1000;

    ScriptControl();
    ~ScriptControl();
    ScriptControl(const ScriptControl &) = delete;
    ScriptControl &operator=(const ScriptControl &) = delete;

    // The name last set. Setting an unknown name changes nothing and
    // returns false; any accepted name discards code and objects added before.
    // Inside a run of this control (a host member calling back), setLanguage
    // returns false, Reset and AddObject do nothing and AddCode returns Error
    // without running or touching Error(): see the re-entry rule in engine.h.
    QString Language() const { return m_language; }
    bool setLanguage(const QString &name);

    void Reset();
    void AddObject(const QString &name, HostObject *object, bool addMembers = true);
    // Compiles and runs code. On an error fills Error() and calls onError; on
    // a time-out calls onTimeout (Error() then stays clear).
    RunOutcome AddCode(const QString &code);
    // As AddCode right after Reset and the AddObject calls since the last
    // Reset, leaving nothing for a later run; see Engine::runIsolated.
    RunOutcome RunIsolated(const QString &code);
    const ScriptError &Error() const { return m_error; }

    // Milliseconds a single AddCode may run; 0 or less means no limit.
    int timeLimit() const { return m_timeLimitMs; }
    void setTimeLimit(int ms) { m_timeLimitMs = ms; }

    void setMsgBoxHandler(MsgBoxHandler handler);

    std::function<void(const ScriptError &)> onError;
    std::function<void()> onTimeout;

private:
    RunOutcome run(const QString &code, bool isolated);

    QString m_language = QStringLiteral("VBScript");
    LanguageFamily m_family = LanguageFamily::VBScript;
    std::unique_ptr<Engine> m_engine;
    ScriptError m_error;
    int m_timeLimitMs = DefaultTimeLimitMs;
    MsgBoxHandler m_msgBox;
    bool m_running = false;
};

} // namespace tintwell::script
