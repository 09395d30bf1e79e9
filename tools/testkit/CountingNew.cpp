#include <atomic>
#include <cstdlib>
#include <new>

#include "AllocationCount.h"

namespace {
std::atomic<long> gAllocations{0};
}

long AllocationCount() { return gAllocations; }

// The replacements pair malloc with free on purpose; GCC, seeing operator new inlined
// into a caller, takes that pairing for a mismatch.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++gAllocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop
