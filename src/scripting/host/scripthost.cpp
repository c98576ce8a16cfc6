#include "scripting/host/scripthost.h"

#include "core/colormodel.h"

#include <QFile>

// Q_INIT_RESOURCE declares a function in the global namespace, and the
// library is static: the preludes are linked only when something asks for them.
static void initScriptResources()
{
    Q_INIT_RESOURCE(scripts);
}

namespace tintwell::script {

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// A guard that marks an engine busy for the length of one run.
class BusyScope
{
public:
    explicit BusyScope(bool &flag) : m_flag(flag) { m_flag = true; }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool &m_flag;
};

// Setting the name the engine already has would only reset it; every run is
// isolated anyway, and the reset is the costly part of a short script.
// Returns whether the engine was reset (and its objects gone).
bool setLanguage(ScriptControl &control, const QString &name)
{
    return control.Language() != name && control.setLanguage(name);
}

} // namespace

QString ScriptPrelude(int resourceId)
{
    if (resourceId != 200 && resourceId != 201)
        return QString();
    initScriptResources();
    QFile file(QStringLiteral(":/scripts/%1").arg(resourceId));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QByteArray bytes = file.readAll();
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    return QString::fromLatin1(bytes);
}

ScriptHost::ScriptHost(AppContext &context, ColorAccess &colors)
    : m_context(context),
      m_colors(colors),
      m_trace(context.Script),
      m_export(context.Script, colors, m_trace),
      m_converter(context.Script, colors, m_export, m_trace),
      m_debug(context, m_trace),
      m_prelude{ScriptPrelude(200), ScriptPrelude(201)}
{
    for (ScriptControl *control : {&m_script, &m_script2}) {
        control->setLanguage(QStringLiteral("VBScript"));
        control->setTimeLimit(ScriptControl::DefaultTimeLimitMs);
        control->Reset();
        addObjects(*control);
    }
}

void ScriptHost::addObjects(ScriptControl &control)
{
    control.AddObject(QStringLiteral("clsTNExport"), &m_export, true);
    control.AddObject(QStringLiteral("clsTNConverter"), &m_converter, true);
    control.AddObject(QStringLiteral("clsTNDebug"), &m_debug, true);
}

QString ScriptHost::fullText(const QString &code, LanguageFamily family) const
{
    const auto f = std::size_t(family);
    return m_prelude[f] + m_context.ScriptHeader[f] + code + m_context.ScriptFooter[f];
}

int ScriptHost::headerLineBreaks(LanguageFamily family) const
{
    return int(m_context.ScriptHeader[std::size_t(family)].count(QLatin1Char('\n')));
}

HostRunResult ScriptHost::RunScript(const QString &code)
{
    return RunScriptAs(code, chooseScriptLanguage(code));
}

HostRunResult ScriptHost::RunScriptAs(const QString &code, const LanguageChoice &language)
{
    HostRunResult result;
    if (m_scriptBusy) {
        result.refused = true;
        result.outcome = RunOutcome::Error;
        return result;
    }
    BusyScope busy(m_scriptBusy);

    if (setLanguage(m_script, language.name))
        addObjects(m_script);
    const QString text = fullText(code, language.family);
    if (m_trace.echo()) {
        if (!m_trace.sink()->debugIsEmpty())
            m_trace.trace(kLineEnd + kLineEnd);
        m_trace.trace(QStringLiteral("--- Executing Script (") + m_script.Language()
                      + QStringLiteral(") ---") + kLineEnd);
    }
    m_context.Script.OutputText.clear();
    m_context.Script.OutputValue = {};
    m_export.resetColors();

    result.outcome = m_script.RunIsolated(text);
    if (result.outcome == RunOutcome::Error) {
        result.error = m_script.Error();
        // Counted from the user's first line, past the prelude and whatever
        // line breaks the header file holds.
        result.error.Line -= kPreludeLines + headerLineBreaks(language.family);
        m_trace.trace(QStringLiteral("(Ln %1, Col %2) error %3: %4")
                          .arg(result.error.Line)
                          .arg(result.error.Column)
                          .arg(result.error.Number)
                          .arg(result.error.Description)
                      + kLineEnd);
        if (!result.error.Text.isEmpty())
            m_trace.trace(QStringLiteral("    Source: ") + result.error.Text + kLineEnd);
    } else if (result.outcome == RunOutcome::Timeout) {
        if (m_trace.echo())
            m_trace.trace(QStringLiteral("Timeout") + kLineEnd);
        else
            m_context.Messages->show(QStringLiteral("Timeout"),
                                     QStringLiteral("The script (%1) timed out.").arg(m_context.Script.ScriptName),
                                     MsgIcon::Information, MsgButtons::Ok);
    }
    if (m_trace.echo()) {
        if (!m_trace.sink()->debugEndsWithLineBreak())
            m_trace.trace(kLineEnd);
        m_trace.trace(result.outcome == RunOutcome::Ok ? QStringLiteral("No errors.")
                                                       : QStringLiteral("Error executing script."));
    }
    return result;
}

RunOutcome ScriptHost::RunScript2(const QString &code)
{
    if (m_script2Busy)
        return RunOutcome::Error;
    BusyScope busy(m_script2Busy);
    BusyScope exporting(m_trace.inExportScript);
    const LanguageChoice language = chooseScriptLanguage(code);
    if (setLanguage(m_script2, language.name))
        addObjects(m_script2);
    const QString text = fullText(code, language.family);
    m_context.Script.OutputText.clear();
    m_context.Script.OutputValue = {};
    return m_script2.RunIsolated(text);
}

bool ScriptHost::RunConverterScript(int box)
{
    const int format = SchemeFormatOfBox(box);
    if (format < 0)
        return false;
    const FormatInfo &info = m_context.Scheme.Info[std::size_t(format)];
    if (info.ConverterScript.isEmpty())
        return false;
    m_context.Script.ScriptName = FilterChars(info.FormatName, QStringLiteral("&"), true, false)
        + QStringLiteral(" Format Converter");
    // A copy: the script may load another scheme before it ends.
    const QString code = info.ConverterScript;
    RunScript(code);
    return true;
}

void ScriptHost::runExportScript(const QString &code)
{
    const auto stopped = m_stopped.constFind(code);
    if (stopped != m_stopped.constEnd()) {
        m_context.Script.OutputText = stopped->text;
        m_context.Script.OutputValue = stopped->values;
        return;
    }
    // Each export script reads the colour being shown; SetColors need not
    // take the snapshot itself when it fills the boxes through this runner.
    m_export.resetColors();
    if (RunScript2(code) != RunOutcome::Timeout)
        return;
    // Without this, a script that never ends would cost the whole time limit
    // on every colour change; say once which one was stopped.
    m_stopped.insert(code, {m_context.Script.OutputText, m_context.Script.OutputValue});
    m_context.Messages->show(QStringLiteral("Timeout"),
                             QStringLiteral("The script (%1) timed out.").arg(m_context.Script.ScriptName),
                             MsgIcon::Information, MsgButtons::Ok);
}

ExportScriptRunner ScriptHost::exportRunner()
{
    return [this](const QString &code) { runExportScript(code); };
}

std::array<QString, kBoxCount> ScriptHost::FillOutputBoxes(const ColorValues &values)
{
    m_export.resetColors();
    return tintwell::FillOutputBoxes(m_context, values, exportRunner());
}

void ScriptHost::setMsgBoxHandler(MsgBoxHandler handler)
{
    m_script.setMsgBoxHandler(handler);
    m_script2.setMsgBoxHandler(std::move(handler));
}

void ScriptHost::setTimeLimit(int ms)
{
    m_script.setTimeLimit(ms);
    m_script2.setTimeLimit(ms);
}

} // namespace tintwell::script
