#include "scripting/vbscript/nodepool.h"

#include <cstdint>
#include <new>

namespace tintwell::vbs {

namespace {

constexpr std::size_t kGrain = 16;
constexpr std::size_t kClasses = 33;        // sizes up to 512 bytes are pooled
constexpr std::uint32_t kKeepPerClass = 4096; // a huge script's nodes go back to the heap

struct FreeNode {
    FreeNode *next;
};

// Trivially destructible, so it stays usable while the thread winds down;
// the drain below empties it and closes it when the thread ends.
struct Pool {
    FreeNode *head[kClasses];
    std::uint32_t count[kClasses];
    bool closed;
};
thread_local Pool tPool;

struct PoolDrain {
    ~PoolDrain()
    {
        for (std::size_t c = 0; c < kClasses; ++c) {
            while (FreeNode *f = tPool.head[c]) {
                tPool.head[c] = f->next;
                ::operator delete(f);
            }
            tPool.count[c] = 0;
        }
        tPool.closed = true;
    }
};
thread_local PoolDrain tDrain;

std::size_t sizeClass(std::size_t size)
{
    return (size + kGrain - 1) / kGrain;
}

} // namespace

void *nodeAlloc(std::size_t size)
{
    const std::size_t c = sizeClass(size);
    if (c >= kClasses)
        return ::operator new(size);
    if (FreeNode *f = tPool.head[c]) {
        tPool.head[c] = f->next;
        --tPool.count[c];
        return f;
    }
    return ::operator new(c * kGrain);
}

void nodeFree(void *p, std::size_t size) noexcept
{
    if (!p)
        return;
    const std::size_t c = sizeClass(size);
    if (c < kClasses && !tPool.closed && tPool.count[c] < kKeepPerClass) {
        static_cast<void>(&tDrain); // makes sure this thread's pool is drained when it ends
        auto *f = static_cast<FreeNode *>(p);
        f->next = tPool.head[c];
        tPool.head[c] = f;
        ++tPool.count[c];
        return;
    }
    ::operator delete(p);
}

} // namespace tintwell::vbs
