#include "scripting/jsengine.h"

#include <QJSEngine>
#include <QJSValue>
#include <QObject>
#include <QRegularExpression>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tintwell::script {

// Scripts reach the host through one QObject; each bound member is a small JS
// function that passes its object and member index and the arguments here.
class JsBridge : public QObject
{
    Q_OBJECT
public:
    explicit JsBridge(QJSEngine *js) : m_js(js) {}

    int add(HostObject *object)
    {
        m_objects.append(object);
        return int(m_objects.size() - 1);
    }

    Q_INVOKABLE QJSValue call(int objectIndex, int memberIndex, const QJSValue &args)
    {
        if (objectIndex < 0 || objectIndex >= m_objects.size())
            return QJSValue(QJSValue::UndefinedValue);
        HostObject *object = m_objects[objectIndex];
        const QList<HostMember> &members = object->members();
        if (memberIndex < 0 || memberIndex >= members.size())
            return QJSValue(QJSValue::UndefinedValue);
        const HostMember &member = members[memberIndex];

        QVariantList given;
        const int count = args.property(QStringLiteral("length")).toInt();
        given.reserve(count);
        for (int i = 0; i < count; ++i)
            given.append(toHost(args.property(quint32(i))));

        HostError error;
        const QVariantList converted = coerceArguments(member, given, &error);
        if (error)
            return raise(error);
        const QVariant result = object->invoke(memberIndex, converted, &error);
        if (error)
            return raise(error);
        if (member.result == ValueType::Empty || !result.isValid())
            return QJSValue(QJSValue::UndefinedValue);
        if (result.metaType().id() == QMetaType::Nullptr)
            return QJSValue(QJSValue::NullValue);
        return m_js->toScriptValue(result);
    }

private:
    // JS values as a VBScript host sees them: undefined is Empty, null is Null.
    static QVariant toHost(const QJSValue &v)
    {
        if (v.isUndefined())
            return {};
        if (v.isNull())
            return QVariant::fromValue(nullptr);
        if (v.isBool())
            return v.toBool();
        if (v.isNumber())
            return v.toNumber();
        if (v.isString())
            return v.toString();
        return v.toVariant();
    }

    QJSValue raise(const HostError &error)
    {
        QJSValue thrown = m_js->newErrorObject(QJSValue::GenericError, error.description);
        thrown.setProperty(QStringLiteral("number"), error.number);
        thrown.setProperty(QStringLiteral("description"), error.description);
        m_js->throwError(thrown);
        return QJSValue(QJSValue::UndefinedValue);
    }

    QJSEngine *m_js;
    QList<HostObject *> m_objects;
};

namespace {

// Interrupts the engine from a second thread once the time limit has passed.
// QJSEngine::setInterrupted is the one call that is safe from another thread.
class Watchdog
{
public:
    Watchdog(QJSEngine *js, int limitMs)
    {
        if (limitMs <= 0)
            return;
        m_thread = std::thread([this, js, limitMs] {
            std::unique_lock lock(m_mutex);
            if (!m_done.wait_for(lock, std::chrono::milliseconds(limitMs), [this] { return m_stop; })) {
                m_fired = true;
                js->setInterrupted(true);
            }
        });
    }
    ~Watchdog() { stop(); }

    // Returns whether the limit was hit.
    bool stop()
    {
        if (m_thread.joinable()) {
            {
                std::lock_guard lock(m_mutex);
                m_stop = true;
            }
            m_done.notify_one();
            m_thread.join();
        }
        return m_fired;
    }

private:
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_stop = false;
    bool m_fired = false; // written by the thread before join, read after
};

// The JScript numbers for the engine's own error kinds, so that a script's
// errors read alike in both languages.
constexpr int kSyntaxError = 1002;
constexpr int kUndefinedName = 5009;
constexpr int kObjectExpected = 5007;
constexpr int kOutOfStack = 28;
constexpr int kUncaught = 5022;
constexpr int kInvalidCall = 5;

QString lineOf(const QString &code, int line)
{
    if (line < 1)
        return {};
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r|\u2028|\u2029"));
    const QStringList lines = code.split(breaks);
    return line <= lines.size() ? lines[line - 1] : QString();
}

// File names the engine sees, so that a stack trace tells the script's own
// frames from those of the member functions the host binds.
const QString kScriptFile = QStringLiteral("script");
const QString kHostFile = QStringLiteral("host");

// The line of the innermost frame of the script itself; a stack trace entry
// reads "function:line:column:file", the file name made a URL ("file:script").
int lineFromTrace(const QStringList &trace)
{
    for (const QString &entry : trace) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        if (parts.size() >= 4 && parts.last() == kScriptFile)
            return parts[1].toInt();
    }
    return 0;
}

} // namespace

JsEngine::JsEngine() = default;

JsEngine::~JsEngine()
{
    // The bridge is referenced by the engine's objects; drop the engine first.
    m_js.reset();
    m_bridge.reset();
}

void JsEngine::ensureEngine()
{
    if (m_js)
        return;
    m_js = std::make_unique<QJSEngine>();
    m_bridge = std::make_unique<JsBridge>(m_js.get());
    QJSEngine::setObjectOwnership(m_bridge.get(), QJSEngine::CppOwnership);
    m_fresh = true;
}

void JsEngine::reset()
{
    if (m_running)
        return;
    if (m_js && m_fresh)
        return; // nothing to forget; spares making a new engine for every run
    m_js.reset();
    m_bridge.reset();
    ensureEngine();
}

void JsEngine::addObject(const QString &name, HostObject *object, bool addMembers)
{
    if (!object || m_running)
        return;
    ensureEngine();
    m_fresh = false;
    const int index = m_bridge->add(object);
    QJSValue factory = m_js->evaluate(QStringLiteral(
        "(function (bridge, o) { return function (m) {"
        " return function () { return bridge.call(o, m, arguments); }; }; })"), kHostFile);
    QJSValue makeMember = factory.call({m_js->newQObject(m_bridge.get()), index});
    QJSValue holder = m_js->newObject();
    QJSValue global = m_js->globalObject();
    const QList<HostMember> &members = object->members();
    for (int i = 0; i < members.size(); ++i) {
        QJSValue fn = makeMember.call({i});
        holder.setProperty(members[i].name, fn);
        if (addMembers)
            global.setProperty(members[i].name, fn);
    }
    global.setProperty(name, holder);
}

RunOutcome JsEngine::addCode(const QString &code, int timeLimitMs, ScriptError *error)
{
    if (error)
        error->clear();
    if (m_running) {
        if (error) {
            error->Number = kInvalidCall;
            error->Description = QStringLiteral("Invalid procedure call or argument");
        }
        return RunOutcome::Error;
    }
    ensureEngine();
    m_fresh = false;
    m_running = true;
    QStringList trace;
    QJSValue result;
    bool timedOut = false;
    {
        Watchdog watchdog(m_js.get(), timeLimitMs);
        result = m_js->evaluate(code, kScriptFile, 1, &trace);
        timedOut = watchdog.stop();
    }
    m_running = false;
    if (timedOut || m_js->isInterrupted()) {
        m_js->setInterrupted(false);
        return RunOutcome::Timeout;
    }
    // A thrown value that is not an Error object comes back as a plain
    // value; only the stack trace tells that it was thrown.
    if (!result.isError() && trace.isEmpty())
        return RunOutcome::Ok;
    fillError(result, trace, code, error);
    return RunOutcome::Error;
}

void JsEngine::fillError(const QJSValue &thrown, const QStringList &trace, const QString &code,
                         ScriptError *error) const
{
    if (!error)
        return;
    int line = 0;
    if (thrown.isError()) {
        const QString name = thrown.property(QStringLiteral("name")).toString();
        const QString message = thrown.property(QStringLiteral("message")).toString();
        const QJSValue number = thrown.property(QStringLiteral("number"));
        line = thrown.property(QStringLiteral("lineNumber")).toInt();
        error->Description = message;
        if (number.isNumber() && number.toInt() != 0) {
            // JScript keeps its numbers as 0x800A0000 | code.
            const quint32 n = quint32(number.toInt());
            error->Number = (n & 0xFFFF0000u) == 0x800A0000u ? int(n & 0xFFFFu) : int(n);
            const QJSValue description = thrown.property(QStringLiteral("description"));
            if (description.isString())
                error->Description = description.toString();
        } else if (name == QLatin1String("SyntaxError")) {
            error->Number = kSyntaxError;
        } else if (name == QLatin1String("ReferenceError")) {
            error->Number = kUndefinedName;
            static const QRegularExpression undefinedName(QStringLiteral("^(.*) is not defined$"));
            const auto match = undefinedName.match(message);
            if (match.hasMatch())
                error->Description = QStringLiteral("'%1' is undefined").arg(match.captured(1));
        } else if (name == QLatin1String("TypeError")) {
            error->Number = kObjectExpected;
        } else if (name == QLatin1String("RangeError") && message.contains(QLatin1String("call stack"))) {
            error->Number = kOutOfStack;
            error->Description = QStringLiteral("Out of stack space");
        } else {
            error->Number = kUncaught;
        }
    } else {
        error->Number = kUncaught;
        error->Description = QStringLiteral("Exception thrown and not caught");
    }
    // An error raised inside a host member carries the line of the binding;
    // the trace knows where the script called it.
    if (const int traced = lineFromTrace(trace); traced > 0)
        line = traced;
    error->Line = line;
    error->Column = 0; // the engine reports no columns
    error->Text = lineOf(code, line);
}

} // namespace tintwell::script

#include "jsengine.moc"
