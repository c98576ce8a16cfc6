#include "scripting/jsrunner.h"
#include "scripting/jssnapshot.h"

#include <QJSEngine>
#include <QJSValue>
#include <QMetaType>
#include <QObject>
#include <QRegularExpression>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

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

// Interrupts the engine from a second thread once the time limit has passed.
// QJSEngine::setInterrupted is the one call that is safe from another thread.
// One thread serves every run: starting a thread per run cost more than a
// short script takes.
class JsRunner::Watchdog
{
public:
    Watchdog()
        : m_thread([this] { loop(); })
    {
    }
    ~Watchdog()
    {
        {
            std::lock_guard lock(m_mutex);
            m_quit = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }

    void arm(QJSEngine *js, int limitMs)
    {
        if (limitMs <= 0)
            return;
        bool sooner = false;
        {
            std::lock_guard lock(m_mutex);
            m_js = js;
            m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
            m_fired = false;
            sooner = m_deadline < m_sleepsUntil;
        }
        // Runs in quick succession each end before the limit of the one
        // before: the watchdog then wakes once at that time and goes back to
        // sleep until the newer limit, instead of being woken for every run.
        if (sooner)
            m_wake.notify_all();
    }

    // Returns whether the limit was hit. After this the engine is left alone.
    bool disarm()
    {
        std::lock_guard lock(m_mutex);
        m_js = nullptr;
        return std::exchange(m_fired, false);
    }

private:
    void loop()
    {
        std::unique_lock lock(m_mutex);
        while (!m_quit) {
            if (!m_js) {
                m_sleepsUntil = std::chrono::steady_clock::time_point::max();
                m_wake.wait(lock);
                continue;
            }
            if (std::chrono::steady_clock::now() >= m_deadline) {
                m_js->setInterrupted(true);
                m_js = nullptr;
                m_fired = true;
                continue;
            }
            m_sleepsUntil = m_deadline;
            m_wake.wait_until(lock, m_deadline);
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;
    QJSEngine *m_js = nullptr; // armed while set
    std::chrono::steady_clock::time_point m_deadline;
    std::chrono::steady_clock::time_point m_sleepsUntil = std::chrono::steady_clock::time_point::max();
    bool m_fired = false;
    bool m_quit = false;
    std::thread m_thread; // last: starts once the members above exist
};

namespace {

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

// The engine keeps string lengths in 32 bits: "x".repeat(2**31) wraps to ""
// and a padStart past 2**31 to garbage. These built-ins are replaced, before
// any script runs and beyond its reach, by ones that refuse such a length as
// other engines do. Strings grown with + cannot be checked here; the worker's
// memory cap ends those.
const QString kStringGuards = QStringLiteral(R"((function () {
    'use strict';
    var max = 0x3fffffff;
    var proto = String.prototype;
    var repeat = proto.repeat, padStart = proto.padStart, padEnd = proto.padEnd;
    function tooLong() { return new RangeError('Invalid string length'); }
    function lengthOf(self) { return self === null || self === undefined ? 0 : String(self).length; }
    function fix(name, fn) {
        Object.defineProperty(proto, name, { value: fn, writable: false, enumerable: false, configurable: false });
    }
    fix('repeat', function repeat_(count) {
        var n = Math.floor(Number(count));
        var len = lengthOf(this);
        if (len > 0 && n > 0 && n !== Infinity && len * n > max) throw tooLong();
        return repeat.call(this, count);
    });
    function pad(original) {
        return function (maxLength) {
            if (Number(maxLength) > max && lengthOf(this) < Number(maxLength)) throw tooLong();
            return original.apply(this, arguments);
        };
    }
    fix('padStart', pad(padStart));
    fix('padEnd', pad(padEnd));
})();)");

struct JsRunner::Instance {
    explicit Instance(const HostCall &call) : bridge(&js, call), js()
    {
        QJSEngine::setObjectOwnership(&bridge, QJSEngine::CppOwnership);
        bridgeValue = js.newQObject(&bridge);
        factory = js.evaluate(QStringLiteral(
            "(function (bridge, o) { return function (m) {"
            " return function () { return bridge.call(o, m, arguments); }; }; })"), kHostFile);
        js.evaluate(kStringGuards, kHostFile);
    }

    void bind(const ObjectSpec &added)
    {
        QJSValue makeMember = factory.call({bridgeValue, added.index});
        QJSValue holder = js.newObject();
        QJSValue global = js.globalObject();
        for (int i = 0; i < added.members.size(); ++i) {
            QJSValue fn = makeMember.call({i});
            holder.setProperty(added.members[i], fn);
            if (added.addMembers)
                global.setProperty(added.members[i], fn);
        }
        global.setProperty(added.name, holder);
    }

    // Members go in reverse order: the values first, then the engine, and the
    // bridge the engine's objects refer to last.
    JsBridge bridge;
    QJSEngine js;
    QJSValue bridgeValue;
    QJSValue factory;
    EngineSnapshot snapshot;
};

// Runs come in quick succession while a colour changes, quicker than a
// sleeping thread wakes on an idle machine: look for a while without sleeping,
// giving the processor away each time in case the awaited thread needs it.
template<typename Ready>
bool spinUntil(Ready ready)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
    do {
        if (ready())
            return true;
        std::this_thread::yield();
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

// A thread that owns one engine; everything done to the engine is posted
// here, in order. The engine is built on this thread and dies on it.
class JsRunner::Slot
{
public:
    explicit Slot(const HostCall &call) : m_call(call), m_thread([this] { loop(); }) { post([this] { build(); }); }
    ~Slot()
    {
        post([this] { m_quit = true; });
        m_thread.join();
    }

    void post(std::function<void()> task)
    {
        {
            std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(task));
            ++m_queued;
        }
        m_wake.notify_one();
    }

    // Runs task on the slot's thread and waits for it.
    void call(const std::function<void()> &task)
    {
        // Shared: a waiter that sees the flag while spinning may return
        // before the slot's thread is done notifying.
        struct Done {
            std::mutex mutex;
            std::condition_variable wake;
            std::atomic<bool> flag = false;
        };
        auto done = std::make_shared<Done>();
        post([done, &task] {
            task();
            {
                std::lock_guard lock(done->mutex);
                done->flag = true;
            }
            done->wake.notify_one();
        });
        if (spinUntil([&] { return done->flag.load(); }))
            return;
        std::unique_lock lock(done->mutex);
        done->wake.wait(lock, [&] { return done->flag.load(); });
    }

    // Only on the slot's thread.
    void build()
    {
        m_instance.reset(); // one engine at a time under the memory cap
        m_instance = std::make_unique<Instance>(m_call);
    }
    Instance &instance() { return *m_instance; }

private:
    void loop()
    {
        while (!m_quit) {
            std::function<void()> task;
            spinUntil([this] { return m_queued.load() > 0; });
            {
                std::unique_lock lock(m_mutex);
                m_wake.wait(lock, [this] { return !m_tasks.empty(); });
                --m_queued;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            task();
        }
        m_instance.reset();
    }

    const HostCall &m_call;
    std::unique_ptr<Instance> m_instance;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_tasks;
    std::atomic<int> m_queued = 0; // m_tasks.size(), readable without the lock
    bool m_quit = false; // only touched on the slot's thread
    std::thread m_thread; // last: starts once the members above exist
};

JsRunner::JsRunner(HostCall call) : m_call(std::move(call)), m_watchdog(std::make_unique<Watchdog>())
{
    for (auto &slot : m_slots)
        slot = std::make_unique<Slot>(m_call);
    m_built = 2;
}

JsRunner::~JsRunner() = default;

void JsRunner::rebuild(int slot)
{
    Slot &s = *m_slots[slot];
    s.post([&s] { s.build(); });
    m_state[slot] = SlotState();
    ++m_built;
}

void JsRunner::reset()
{
    m_pending.clear();
    // The module goes; its engine is rebuilt while the other one serves.
    if (m_state[m_current].state == State::Used) {
        rebuild(m_current);
        m_current ^= 1;
    }
}

void JsRunner::addObject(int index, const QString &name, bool addMembers, const QStringList &members)
{
    const ObjectSpec added{index, name, addMembers, members};
    m_pending.append(added);
    // A module in use takes the object at once; other engines bind the
    // objects when a run needs them.
    SlotState &current = m_state[m_current];
    if (current.state == State::Used) {
        Slot &slot = *m_slots[m_current];
        slot.post([&slot, added] { slot.instance().bind(added); });
        current.bound.append(added);
    }
}

// Picks the engine for a run, the current one first. An isolated run needs
// an engine holding exactly the objects added since the reset and nothing
// else; a run at the top level also takes the module in use.
int JsRunner::acquire(bool isolated)
{
    auto fits = [&](int slot) {
        const SlotState &s = m_state[slot];
        switch (s.state) {
        case State::Fresh:
            return true;
        case State::Sealed:
            return s.bound == m_pending;
        case State::Used:
            return !isolated && slot == m_current;
        }
        return false;
    };
    int chosen = fits(m_current) ? m_current : fits(m_current ^ 1) ? m_current ^ 1 : -1;
    if (chosen < 0) {
        chosen = m_state[m_current].state == State::Used ? m_current ^ 1 : m_current;
        rebuild(chosen);
    }
    if (chosen != m_current && m_state[m_current].state == State::Used)
        rebuild(m_current); // the module it held is left behind
    m_current = chosen;
    return chosen;
}

RunOutcome JsRunner::run(const QString &code, int timeLimitMs, ScriptError *error)
{
    return execute(acquire(false), false, code, timeLimitMs, error);
}

RunOutcome JsRunner::runIsolated(const QString &code, int timeLimitMs, ScriptError *error)
{
    return execute(acquire(true), true, code, timeLimitMs, error);
}

RunOutcome JsRunner::execute(int slotIndex, bool isolated, const QString &code, int timeLimitMs, ScriptError *error)
{
    error->clear();
    Slot &slot = *m_slots[slotIndex];
    SlotState &state = m_state[slotIndex];
    const bool fresh = state.state == State::Fresh;
    const QList<ObjectSpec> toBind = fresh ? m_pending : QList<ObjectSpec>();
    if (fresh)
        state.bound = m_pending;
    RunOutcome outcome = RunOutcome::Ok;
    bool clean = true;
    slot.call([&] {
        Instance &in = slot.instance();
        for (const ObjectSpec &added : toBind)
            in.bind(added);
        if (fresh && isolated)
            in.snapshot.take(in.js);
        // Inside a function, the script's declarations are its own and go
        // with it; on the same line, its line numbers stay as they are.
        const QString text = isolated ? QStringLiteral("(function () {") + code + QStringLiteral("\n})()") : code;
        QStringList trace;
        m_watchdog->arm(&in.js, timeLimitMs);
        const QJSValue result = in.js.evaluate(text, kScriptFile, 1, &trace);
        const bool timedOut = m_watchdog->disarm();
        if (isolated)
            clean = in.snapshot.unchanged(in.js);
        if (timedOut || in.js.isInterrupted()) {
            in.js.setInterrupted(false);
            outcome = RunOutcome::Timeout;
            return;
        }
        // A thrown value that is not an Error object comes back as a plain
        // value; only the stack trace tells that it was thrown.
        if (!result.isError() && trace.isEmpty())
            return;
        fillError(result, trace, code, error);
        outcome = RunOutcome::Error;
    });
    if (!isolated) {
        state.state = State::Used;
    } else if (clean) {
        state.state = State::Sealed;
    } else {
        // The script changed something shared: a new engine for this slot,
        // and the other one takes the next run.
        rebuild(slotIndex);
        m_current = slotIndex ^ 1;
    }
    return outcome;
}

} // namespace tintwell::script

#include "jsrunner.moc"
