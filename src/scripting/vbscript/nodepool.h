#pragma once
// Storage for tree nodes. A script is parsed, run and dropped again on every
// colour change, which builds and frees a few hundred small nodes each time;
// a per-thread free list per size serves them far faster than the general heap.

#include <cstddef>

namespace tintwell::vbs {

void *nodeAlloc(std::size_t size);
void nodeFree(void *p, std::size_t size) noexcept;

// Gives a node class (and every class derived from it) pooled storage. The
// class needs a virtual destructor, so that a delete through the base passes
// the size of the object actually freed.
struct PooledNode {
    static void *operator new(std::size_t size) { return nodeAlloc(size); }
    static void operator delete(void *p, std::size_t size) noexcept { nodeFree(p, size); }
};

} // namespace tintwell::vbs
