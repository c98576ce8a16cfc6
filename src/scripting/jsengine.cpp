#include "scripting/jsengine.h"
#include "scripting/jswire.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace tintwell::script {

namespace {

constexpr int kInvalidCall = 5;
constexpr int kOutOfMemory = 7;
constexpr int kCannotCreate = 429;

// A new worker builds its engine in a few milliseconds; this is for a machine
// under heavy load.
constexpr int kStartMs = 10000;

const QString kWorkerName = QStringLiteral("tintwell-jsworker");

void setError(ScriptError *error, int number, const QString &description)
{
    if (!error)
        return;
    error->clear();
    error->Number = number;
    error->Description = description;
}

// Where the install put it (libexec, relative to the program's bin folder),
// else next to the running executable; the build tree's worker only for
// programs that run from the build tree, so an installed program never picks
// up a stale or half-built worker from a build folder that happens to exist.
QString workerPath()
{
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    if (!exe.isEmpty()) {
        const QDir exeDir = QFileInfo(exe).dir();
        QStringList candidates;
#ifdef TINTWELL_JSWORKER_INSTALL_RELATIVE
        candidates << QDir::cleanPath(exeDir.filePath(QStringLiteral(TINTWELL_JSWORKER_INSTALL_RELATIVE)));
#endif
        candidates << exeDir.filePath(kWorkerName);
        for (const QString &candidate : candidates)
            if (QFileInfo(candidate).isExecutable())
                return candidate;
    }
#if defined(TINTWELL_JSWORKER_BUILD_PATH) && defined(TINTWELL_BUILD_DIR)
    // /proc/self/exe has its links resolved, so the build folder's must be too.
    const QString buildDir = QFileInfo(QStringLiteral(TINTWELL_BUILD_DIR)).canonicalFilePath();
    if (exe.isEmpty() || (!buildDir.isEmpty() && exe.startsWith(buildDir + QLatin1Char('/'))))
        return QStringLiteral(TINTWELL_JSWORKER_BUILD_PATH);
#endif
    return kWorkerName;
}

// What can be written to the pipe goes as it is; anything else as its text.
QVariant portable(const QVariant &value)
{
    if (!value.isValid() || value.metaType().hasRegisteredDataStreamOperators())
        return value;
    return value.toString();
}

} // namespace

JsEngine::JsEngine() : m_program(workerPath()) {}

JsEngine::JsEngine(const QString &workerProgram) : m_program(workerProgram) {}

JsEngine::~JsEngine()
{
    stopWorker();
}

qint64 JsEngine::workerPid() const
{
    return m_worker && m_worker->state() != QProcess::NotRunning ? m_worker->processId() : 0;
}

bool JsEngine::startWorker(ScriptError *error)
{
    if (m_worker && m_worker->state() != QProcess::NotRunning)
        return true;
    stopWorker();
    m_worker = std::make_unique<QProcess>();
    m_worker->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_worker->start(m_program, {}, QIODevice::ReadWrite | QIODevice::Unbuffered);
    ++m_started;
    m_ready = false;
    m_input.clear();
    if (m_worker->state() == QProcess::NotRunning) { // could not even be started
        setError(error, kCannotCreate, QStringLiteral("Can't start the JScript engine (%1)").arg(kWorkerName));
        m_worker.reset();
        return false;
    }
    // A new worker knows nothing: give it the objects added since the last reset.
    for (int i = 0; i < m_objects.size(); ++i)
        sendObject(i);
    return true;
}

void JsEngine::stopWorker()
{
    if (!m_worker)
        return;
    if (m_worker->state() != QProcess::NotRunning) {
        m_worker->kill();
        m_worker->waitForFinished(kStartMs);
    }
    m_worker.reset();
    m_ready = false;
    m_input.clear();
}

void JsEngine::send(const QByteArray &bytes)
{
    if (m_worker)
        m_worker->write(bytes);
}

void JsEngine::sendObject(int index)
{
    const Added &added = m_objects[index];
    wire::AddObjectMsg m{index, added.name, added.addMembers, {}};
    for (const HostMember &member : added.object->members())
        m.members.append(member.name);
    send(wire::encode(m));
}

void JsEngine::reset()
{
    if (m_running)
        return;
    m_objects.clear();
    if (!m_used)
        return; // nothing to forget
    m_used = false;
    if (m_worker && m_worker->state() != QProcess::NotRunning)
        send(wire::encodeReset());
}

void JsEngine::addObject(const QString &name, HostObject *object, bool addMembers)
{
    if (!object || m_running)
        return;
    m_objects.append({name, object, addMembers});
    m_used = true;
    // Starting the worker here lets it come up while the host goes on.
    if (m_worker && m_worker->state() != QProcess::NotRunning)
        sendObject(int(m_objects.size() - 1));
    else
        startWorker(nullptr);
}

bool JsEngine::waitForMessage(wire::Message *out, int timeoutMs, bool *timedOut)
{
    *timedOut = false;
    const QDeadlineTimer deadline = timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever)
                                                  : QDeadlineTimer(timeoutMs);
    for (;;) {
        bool broken = false;
        if (auto m = wire::take(m_input, &broken)) {
            *out = std::move(*m);
            return true;
        }
        if (broken || !m_worker)
            return false;
        if (m_worker->bytesAvailable() > 0) {
            m_input += m_worker->readAll();
            continue;
        }
        if (m_worker->state() == QProcess::NotRunning)
            return false;
        if (spinForReply())
            continue;
        if (!m_worker->waitForReadyRead(int(deadline.remainingTime()))) {
            if (m_worker->bytesAvailable() > 0)
                continue;
            if (m_worker->state() == QProcess::NotRunning)
                return false;
            if (deadline.hasExpired()) {
                *timedOut = true;
                return false;
            }
        }
    }
}

// The worker answers a run or a host call within microseconds, but waking a
// sleeping process on an idle machine costs tens of them, and an export
// script makes several calls per colour change; so look without sleeping for
// a moment before going to sleep.
bool JsEngine::spinForReply()
{
    QElapsedTimer spin;
    spin.start();
    do {
        if (m_worker->waitForReadyRead(0))
            return true;
        // The worker's threads may need this processor to answer at all.
        QThread::yieldCurrentThread();
    } while (spin.nsecsElapsed() < kSpinNs);
    return false;
}

QByteArray JsEngine::serviceCall(const wire::Message &call)
{
    wire::ReplyMsg reply;
    const int o = call.call.object;
    const int mi = call.call.member;
    if (o < 0 || o >= m_objects.size() || mi < 0 || mi >= m_objects[o].object->members().size())
        return wire::encode(reply); // not one of ours: undefined, as a stale binding would give
    HostObject *object = m_objects[o].object;
    const HostMember member = object->members()[mi];
    HostError error;
    const QVariantList converted = coerceArguments(member, call.call.args, &error);
    QVariant result;
    if (!error)
        result = object->invoke(mi, converted, &error);
    if (error) {
        reply.errorNumber = error.number;
        reply.errorDescription = error.description;
    } else if (member.result != ValueType::Empty) {
        reply.value = portable(result);
    }
    return wire::encode(reply);
}

RunOutcome JsEngine::addCode(const QString &code, int timeLimitMs, ScriptError *error)
{
    return runCode(code, timeLimitMs, error, false);
}

RunOutcome JsEngine::runIsolated(const QString &code, int timeLimitMs, ScriptError *error)
{
    return runCode(code, timeLimitMs, error, true);
}

RunOutcome JsEngine::runCode(const QString &code, int timeLimitMs, ScriptError *error, bool isolated)
{
    ScriptError local;
    if (!error)
        error = &local;
    error->clear();
    if (m_running) {
        setError(error, kInvalidCall, QStringLiteral("Invalid procedure call or argument"));
        return RunOutcome::Error;
    }
    m_running = true;
    struct Leave {
        bool &flag;
        ~Leave() { flag = false; }
    } leave{m_running};
    if (!isolated)
        m_used = true;

    // The worker died or ran away: report it, and have a new one coming up
    // for the next run at once.
    auto lost = [&] {
        stopWorker();
        setError(error, kOutOfMemory, QStringLiteral("Out of memory"));
        startWorker(nullptr);
        return RunOutcome::Error;
    };

    if (!startWorker(error))
        return RunOutcome::Error;
    wire::Message m;
    bool timedOut = false;
    if (!m_ready) {
        if (!waitForMessage(&m, kStartMs, &timedOut) || m.kind != wire::Kind::Hello) {
            stopWorker();
            setError(error, kCannotCreate, QStringLiteral("Can't start the JScript engine (%1)").arg(kWorkerName));
            return RunOutcome::Error;
        }
        m_ready = true;
    }

    send(wire::encode(wire::RunMsg{code, timeLimitMs, isolated}));
    // The worker interrupts the script itself at the limit; the kill is for a
    // worker stuck where the interrupt does not reach.
    QDeadlineTimer deadline = timeLimitMs > 0 ? QDeadlineTimer(timeLimitMs + m_killGraceMs)
                                              : QDeadlineTimer(QDeadlineTimer::Forever);
    for (;;) {
        const int wait = deadline.isForever() ? -1 : int(qMax<qint64>(0, deadline.remainingTime()));
        if (!waitForMessage(&m, wait, &timedOut)) {
            if (!timedOut)
                return lost();
            stopWorker();
            startWorker(nullptr);
            return RunOutcome::Timeout;
        }
        if (m.kind == wire::Kind::Call) {
            send(serviceCall(m));
            // A host member that took the time up still leaves the worker its
            // moment to notice the interrupt.
            if (!deadline.isForever() && deadline.remainingTime() < m_killGraceMs)
                deadline = QDeadlineTimer(m_killGraceMs);
            continue;
        }
        if (m.kind != wire::Kind::Done)
            return lost();
        *error = m.done.error;
        return m.done.outcome;
    }
}

} // namespace tintwell::script
