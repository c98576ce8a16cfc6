// tintwell-jsworker: hosts the JScript engine in a process of its own, so that
// a script that breaks the engine (a string grown past its length limit, an
// allocation of gigabytes) takes down this process and not the program. The
// program starts it, talks to it over stdin and stdout (see jswire.h), and
// starts a new one when it dies or runs past the time limit.
//
// It opens nothing: no files, no network; it reads stdin and writes stdout.

#include "scripting/jsrunner.h"
#include "scripting/jssandbox.h"
#include "scripting/jswire.h"

#include <QCoreApplication>

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sched.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <thread>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <fcntl.h>
#include <unistd.h>

using namespace tintwell::script;

#if defined(__SANITIZE_ADDRESS__) || (defined(__has_feature) && __has_feature(address_sanitizer))
// Read by the sanitizer's runtime at start-up; see kCapMemory below.
extern "C" const char *__asan_default_options()
{
    return "hard_rss_limit_mb=1536";
}
#endif

namespace {

// Address space the worker may use. The engine itself needs about 70 MiB;
// an export script needs a few more. Past this, allocations fail and the
// worker dies quickly instead of driving the machine into swap.
constexpr rlim_t kAddressSpaceBytes = rlim_t(1) << 30;

#if defined(__SANITIZE_ADDRESS__)
#define TINTWELL_WORKER_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TINTWELL_WORKER_SANITIZED 1
#endif
#endif

#ifdef TINTWELL_WORKER_SANITIZED
// The sanitizer reserves terabytes of shadow memory, so no address-space cap
// can hold; its own resident-memory limit stands in. It reads /proc to watch
// the memory, so the sandbox stays open in such a build.
constexpr bool kCapMemory = false;
constexpr bool kSandbox = false;
#else
constexpr bool kCapMemory = true;
constexpr bool kSandbox = true;
#endif

bool writeAll(const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(STDOUT_FILENO, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// During a colour change the program's next message follows within
// microseconds, sooner than a sleeping thread wakes on an idle machine: look
// without sleeping for a moment before the read sleeps.
void spinForInput()
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::microseconds(200);
    pollfd in{STDIN_FILENO, POLLIN, 0};
    do {
        if (::poll(&in, 1, 0) != 0)
            return;
        sched_yield(); // the program may need this processor to answer at all
    } while (std::chrono::steady_clock::now() < until);
}

// Reads stdin until one whole message is there. The program closing the pipe,
// or sending what is not a message, ends the worker.
wire::Message readMessage(QByteArray &buffer)
{
    for (;;) {
        bool broken = false;
        if (auto m = wire::take(buffer, &broken))
            return *m;
        if (broken)
            std::_Exit(4);
        spinForInput();
        char chunk[65536];
        const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            std::_Exit(0);
        buffer.append(chunk, qsizetype(n));
    }
}

// With --sandbox-check the worker closes its sandbox, tries what the sandbox
// must refuse and what it must allow, prints the results and exits; the
// tests read them.
int checkSandbox()
{
    if (!kSandbox || !closeWorkerSandbox()) {
        std::puts("sandbox unavailable");
        return 1;
    }
    auto result = [](bool refused) { return refused ? (errno == EPERM ? "refused" : "failed") : "allowed"; };
    const int fd = ::open("/etc/hostname", O_RDONLY);
    std::printf("open %s\n", result(fd < 0));
    const int sock = ::socket(AF_INET, SOCK_STREAM, 0);
    std::printf("socket %s\n", result(sock < 0));
    const pid_t child = ::fork();
    if (child == 0)
        std::_Exit(0);
    std::printf("fork %s\n", result(child < 0));
    const int killed = ::kill(getppid(), 0);
    std::printf("signal %s\n", result(killed != 0));
    bool ran = false;
    std::thread([&ran] { ran = true; }).join();
    std::printf("thread %s\n", ran ? "allowed" : "refused");
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--sandbox-check") == 0)
        return checkSandbox();
    // A script without a time limit must not outlive the program that ran it.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) // the program went before the line above took hold
        return 0;
    if (kCapMemory) {
        rlimit cap{kAddressSpaceBytes, kAddressSpaceBytes};
        setrlimit(RLIMIT_AS, &cap);
    }
    // Memory running out surfaces as an exception nobody catches; the program
    // reports the lost worker itself, so leave without the runtime's message.
    std::set_terminate([] { std::_Exit(3); });
    QCoreApplication app(argc, argv); // QJSEngine wants one

    QByteArray input;
    JsRunner runner([&input](int object, int member, const QVariantList &args) {
        HostReply reply;
        if (!writeAll(wire::encode(wire::CallMsg{object, member, args})))
            std::_Exit(0);
        // Only a Reply may come while the program runs a host member.
        const wire::Message m = readMessage(input);
        if (m.kind != wire::Kind::Reply)
            std::_Exit(4);
        reply.value = m.reply.value;
        reply.error.number = m.reply.errorNumber;
        reply.error.description = m.reply.errorDescription;
        return reply;
    });
    // Whatever the C library reads once (the time zone) it reads now, before
    // the sandbox shuts files out.
    tzset();
    if (kSandbox)
        closeWorkerSandbox();
    if (!writeAll(wire::encodeHello()))
        return 0;

    for (;;) {
        const wire::Message m = readMessage(input);
        switch (m.kind) {
        case wire::Kind::Reset:
            runner.reset();
            break;
        case wire::Kind::AddObject:
            runner.addObject(m.addObject.index, m.addObject.name, m.addObject.addMembers, m.addObject.members);
            break;
        case wire::Kind::Run: {
            wire::DoneMsg done;
            done.outcome = m.run.isolated ? runner.runIsolated(m.run.code, m.run.timeLimitMs, &done.error)
                                          : runner.run(m.run.code, m.run.timeLimitMs, &done.error);
            if (!writeAll(wire::encode(done)))
                return 0;
            break;
        }
        default:
            return 4;
        }
    }
}
