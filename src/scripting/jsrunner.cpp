#include "scripting/jsrunner.h"

#include <QJSEngine>
#include <QJSValue>
#include <QMetaType>
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
    JsBridge(QJSEngine *js, const HostCall &call) : m_js(js), m_call(call) {}

    Q_INVOKABLE QJSValue call(int objectIndex, int memberIndex, const QJSValue &args)
    {
        QVariantList given;
        const int count = args.property(QStringLiteral("length")).toInt();
        given.reserve(count);
        for (int i = 0; i < count; ++i)
            given.append(toHost(args.property(quint32(i))));

        const HostReply reply = m_call(objectIndex, memberIndex, given);
        if (reply.error)
            return raise(reply.error);
        if (!reply.value.isValid())
            return QJSValue(QJSValue::UndefinedValue);
        if (reply.value.metaType().id() == QMetaType::Nullptr)
            return QJSValue(QJSValue::NullValue);
        return m_js->toScriptValue(reply.value);
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
        // Objects cross to the program as plain data; what cannot be written
        // to the pipe (functions and the like) goes as its text.
        QVariant value = v.toVariant();
        if (!value.metaType().hasRegisteredDataStreamOperators())
            return v.toString();
        return value;
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
    const HostCall &m_call;
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

void fillError(const QJSValue &thrown, const QStringList &trace, const QString &code, ScriptError *error)
{
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

} // namespace

struct JsRunner::Instance {
    explicit Instance(const HostCall &call) : bridge(&js, call), js()
    {
        QJSEngine::setObjectOwnership(&bridge, QJSEngine::CppOwnership);
        bridgeValue = js.newQObject(&bridge);
        factory = js.evaluate(QStringLiteral(
            "(function (bridge, o) { return function (m) {"
            " return function () { return bridge.call(o, m, arguments); }; }; })"), kHostFile);
    }
    // Members go in reverse order: the values first, then the engine, and the
    // bridge the engine's objects refer to last.
    JsBridge bridge;
    QJSEngine js;
    QJSValue bridgeValue;
    QJSValue factory;
    bool used = false;
};

JsRunner::JsRunner(HostCall call) : m_call(std::move(call)) {}

JsRunner::~JsRunner() = default;

JsRunner::Instance &JsRunner::current()
{
    if (!m_current)
        m_current = m_spare ? std::move(m_spare) : std::make_unique<Instance>(m_call);
    return *m_current;
}

void JsRunner::prepare()
{
    if (!m_current)
        current();
    if (!m_spare && m_current->used)
        m_spare = std::make_unique<Instance>(m_call);
}

void JsRunner::reset()
{
    if (m_current && !m_current->used)
        return; // nothing to forget
    m_current.reset();
}

void JsRunner::addObject(int index, const QString &name, bool addMembers, const QStringList &members)
{
    Instance &in = current();
    in.used = true;
    QJSValue makeMember = in.factory.call({in.bridgeValue, index});
    QJSValue holder = in.js.newObject();
    QJSValue global = in.js.globalObject();
    for (int i = 0; i < members.size(); ++i) {
        QJSValue fn = makeMember.call({i});
        holder.setProperty(members[i], fn);
        if (addMembers)
            global.setProperty(members[i], fn);
    }
    global.setProperty(name, holder);
}

RunOutcome JsRunner::run(const QString &code, int timeLimitMs, ScriptError *error)
{
    error->clear();
    Instance &in = current();
    in.used = true;
    QStringList trace;
    QJSValue result;
    bool timedOut = false;
    {
        Watchdog watchdog(&in.js, timeLimitMs);
        result = in.js.evaluate(code, kScriptFile, 1, &trace);
        timedOut = watchdog.stop();
    }
    if (timedOut || in.js.isInterrupted()) {
        in.js.setInterrupted(false);
        return RunOutcome::Timeout;
    }
    // A thrown value that is not an Error object comes back as a plain
    // value; only the stack trace tells that it was thrown.
    if (!result.isError() && trace.isEmpty())
        return RunOutcome::Ok;
    fillError(result, trace, code, error);
    return RunOutcome::Error;
}

} // namespace tintwell::script

#include "jsrunner.moc"
