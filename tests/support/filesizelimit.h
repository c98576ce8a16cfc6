#pragma once
// While one of these lives, no file of this process can grow past a few bytes:
// a full disk, which root cannot write past either, so failed-write tests run
// wherever the tests run. Writes past the limit fail (or stop short) instead of
// raising SIGXFSZ. Mind that the test's own output files are limited too: print
// nothing while it lives.

#include <csignal>

#include <sys/resource.h>

namespace tintwell::test {

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;

    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

} // namespace tintwell::test
