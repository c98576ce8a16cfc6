#pragma once
// The script host: two engines, Script (editor and converter scripts) and
// Script2 (export scripts, which SetColors may run while a script on Script
// is still waiting for a converter member to return), the built-in preludes,
// the header and footer texts, and the reporting of errors and time-outs.
//
// Every run starts from a reset engine with the three objects added again,
// so nothing one script defines is seen by the next. A run asked of an engine
// whose own script is still running is refused: an export script that sets a
// colour (and so re-enters SetColors) gets the built-in texts in the nested
// round instead of a second run on the engine it is running on.

#include "core/appcontext.h"
#include "core/outputengine.h"
#include "scripting/host/hostinterfaces.h"
#include "scripting/host/scriptobjects.h"
#include "scripting/scriptcontrol.h"

#include <QHash>
#include <QString>
#include <array>
#include <optional>

namespace tintwell::script {

// Built-in prelude 200 (VBScript family) or 201 (JScript family), one
// character per byte; "" for any other id.
QString ScriptPrelude(int resourceId);

// What one run of the first engine came to; Line counts from the user's
// first line.
struct HostRunResult {
    RunOutcome outcome = RunOutcome::Ok;
    ScriptError error;
    bool refused = false; // the engine was busy with a script of its own
};

class ScriptHost
{
public:
    static constexpr int kPreludeLines = 36;

    // Both engines start as VBScript with a 1000 ms limit; the header and
    // footer texts are read from the context (AppContext::loadScriptFrames
    // must have run before the first script).
    ScriptHost(AppContext &context, ColorAccess &colors);
    ScriptHost(const ScriptHost &) = delete;
    ScriptHost &operator=(const ScriptHost &) = delete;

    // The editor's debug pane; the editor attaches itself while it exists.
    void attachDebugSink(DebugSink *sink) { m_trace.attach(sink); }
    void detachDebugSink(DebugSink *sink)
    {
        if (m_trace.sink() == sink)
            m_trace.attach(nullptr);
    }
    DebugTrace &trace() { return m_trace; }

    // Runs code on Script, choosing the language from its first line, with
    // the trace lines and the error and time-out reports.
    HostRunResult RunScript(const QString &code);
    // The same with the language given (tnscript's --language and its
    // extension rule for files that name none).
    HostRunResult RunScriptAs(const QString &code, const LanguageChoice &language);
    // Runs code on Script2 without any report; the outcome is for the caller.
    RunOutcome RunScript2(const QString &code);

    // The converter's call for box index 0-6: false when the box's format
    // has no converter script (the built-in rule then applies); otherwise
    // sets the script name to "<format> Format Converter", runs the script
    // on Script and returns true.
    bool RunConverterScript(int box);

    // What SetColors does with the scripts once the current colour is the new
    // one: a new snapshot for the export object, then the seven boxes with the
    // export scripts run on Script2.
    std::array<QString, kBoxCount> FillOutputBoxes(const ColorValues &values);
    // The runner FillOutputBoxes uses, for callers that fill boxes themselves
    // (ColorSession::setExportScriptRunner): it takes the export object's
    // snapshot of the current colour before each script.
    ExportScriptRunner exportRunner();

    // An export script that ran out of time is not run again (its box keeps
    // what it had left) until the scheme is loaded again; call this then.
    void forgetStoppedExportScripts() { m_stopped.clear(); }
    bool isStoppedExportScript(const QString &code) const { return m_stopped.contains(code); }

    // A script's MsgBox on either engine.
    void setMsgBoxHandler(MsgBoxHandler handler);
    // For tests and tools; both engines keep the same limit.
    void setTimeLimit(int ms);

    clsTNExport &exportObject() { return m_export; }
    ScriptControl &script() { return m_script; }
    ScriptControl &script2() { return m_script2; }
    bool scriptRunning() const { return m_scriptBusy; }
    bool script2Running() const { return m_script2Busy; }

private:
    QString fullText(const QString &code, LanguageFamily family) const;
    void addObjects(ScriptControl &control);
    void runExportScript(const QString &code);
    int headerLineBreaks(LanguageFamily family) const;

    struct LeftOutput {
        QString text;
        std::array<double, 3> values{};
    };

    AppContext &m_context;
    ColorAccess &m_colors;
    DebugTrace m_trace;
    clsTNExport m_export;
    clsTNConverter m_converter;
    clsTNDebug m_debug;
    ScriptControl m_script;
    ScriptControl m_script2;
    std::array<QString, 2> m_prelude;
    bool m_scriptBusy = false;
    bool m_script2Busy = false;
    QHash<QString, LeftOutput> m_stopped;
};

} // namespace tintwell::script
