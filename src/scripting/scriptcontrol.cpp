#include "scripting/scriptcontrol.h"
#include "scripting/jsengine.h"

#if TINTWELL_HAVE_VBSCRIPT
#include "scripting/vbscript/vbsengine.h"
#endif

namespace tintwell::script {

namespace {

QString firstLine(const QString &code)
{
    const qsizetype end = code.indexOf(QLatin1String("\r\n"));
    return end <= 0 ? code : code.left(end);
}

constexpr int kUnavailable = 429;    // "ActiveX component can't create object"
constexpr int kUnknownError = 32811; // "Unknown runtime error"

} // namespace

LanguageChoice chooseScriptLanguage(const QString &code)
{
    const QString line = firstLine(code).toLower();
    if (line.contains(QLatin1String("vbscript")))
        return {QStringLiteral("VBScript"), LanguageFamily::VBScript};
    if (line.contains(QLatin1String("vbs")))
        return {QStringLiteral("VBS"), LanguageFamily::VBScript};
    if (line.contains(QLatin1String("jscript")))
        return {QStringLiteral("JScript"), LanguageFamily::JScript};
    if (line.contains(QLatin1String("javascript")))
        return {QStringLiteral("JavaScript"), LanguageFamily::JScript};
    return {QStringLiteral("VBScript"), LanguageFamily::VBScript};
}

bool namesScriptLanguage(const QString &code)
{
    const QString line = firstLine(code).toLower();
    return line.contains(QLatin1String("vbs")) || line.contains(QLatin1String("jscript"))
        || line.contains(QLatin1String("javascript"));
}

std::optional<LanguageFamily> languageFamily(const QString &name)
{
    const QString n = name.trimmed().toLower();
    if (n == QLatin1String("vbscript") || n == QLatin1String("vbs"))
        return LanguageFamily::VBScript;
    if (n == QLatin1String("jscript") || n == QLatin1String("javascript"))
        return LanguageFamily::JScript;
    return std::nullopt;
}

std::unique_ptr<Engine> createEngine(LanguageFamily family)
{
    if (family == LanguageFamily::JScript)
        return std::make_unique<JsEngine>();
#if TINTWELL_HAVE_VBSCRIPT
    return createVbsEngine();
#else
    return nullptr;
#endif
}

ScriptControl::ScriptControl()
    : m_engine(createEngine(m_family))
{
}

ScriptControl::~ScriptControl() = default;

bool ScriptControl::setLanguage(const QString &name)
{
    const auto family = languageFamily(name);
    if (!family || m_running)
        return false;
    m_language = name;
    if (*family != m_family || !m_engine) {
        m_family = *family;
        m_engine = createEngine(m_family);
        if (m_engine && m_msgBox)
            m_engine->setMsgBoxHandler(m_msgBox);
    } else {
        m_engine->reset();
    }
    m_error.clear();
    return true;
}

void ScriptControl::Reset()
{
    if (m_running)
        return;
    m_error.clear();
    if (m_engine)
        m_engine->reset();
}

void ScriptControl::AddObject(const QString &name, HostObject *object, bool addMembers)
{
    if (m_engine && !m_running)
        m_engine->addObject(name, object, addMembers);
}

RunOutcome ScriptControl::AddCode(const QString &code)
{
    return run(code, false);
}

RunOutcome ScriptControl::RunIsolated(const QString &code)
{
    return run(code, true);
}

RunOutcome ScriptControl::run(const QString &code, bool isolated)
{
    // Refused from inside its own run; Error() stays the outer run's.
    if (m_running)
        return RunOutcome::Error;
    m_running = true;
    struct Leave {
        bool &flag;
        ~Leave() { flag = false; }
    } leave{m_running};
    m_error.clear();
    RunOutcome outcome = RunOutcome::Error;
    if (m_engine) {
        outcome = isolated ? m_engine->runIsolated(code, m_timeLimitMs, &m_error)
                           : m_engine->addCode(code, m_timeLimitMs, &m_error);
    } else {
        m_error.Number = kUnavailable;
        m_error.Description = QStringLiteral("No %1 engine in this build").arg(m_language);
    }
    if (outcome == RunOutcome::Error) {
        if (m_error.Number == 0) { // a failure must never read as "no error"
            m_error.Number = kUnknownError;
            if (m_error.Description.isEmpty())
                m_error.Description = QStringLiteral("Unknown runtime error");
        }
        if (onError)
            onError(m_error);
    } else if (outcome == RunOutcome::Timeout) {
        m_error.clear();
        if (onTimeout)
            onTimeout();
    }
    return outcome;
}

void ScriptControl::setMsgBoxHandler(MsgBoxHandler handler)
{
    m_msgBox = std::move(handler);
    if (m_engine)
        m_engine->setMsgBoxHandler(m_msgBox);
}

} // namespace tintwell::script
