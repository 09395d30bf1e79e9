#pragma once
// What the put counters, preloaded into a program, share: the counts they keep in the file
// named by QUENBREL_PUT_COUNTER (two 64-bit words in this machine's order, area and puts), and
// the way to the functions they stand in front of.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

struct TPutCounts {
  std::uint64_t Area;
  std::uint64_t Puts;
};

// The counts in the shared file, or null when there is none to count into.
inline TPutCounts* PutCounts() {
  static TPutCounts* const counts = []() -> TPutCounts* {
    const char* path = std::getenv("QUENBREL_PUT_COUNTER");
    if (!path) return nullptr;
    const int fd = open(path, O_RDWR | O_CREAT, 0600);
    if (fd < 0) return nullptr;
    void* mapped = ftruncate(fd, sizeof(TPutCounts)) == 0
                       ? mmap(nullptr, sizeof(TPutCounts), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                       : MAP_FAILED;
    close(fd);
    return mapped == MAP_FAILED ? nullptr : static_cast<TPutCounts*>(mapped);
  }();
  return counts;
}

inline void CountPut(std::uint64_t area) {
  TPutCounts* counts = PutCounts();
  if (!counts) return;
  __atomic_fetch_add(&counts->Area, area, __ATOMIC_RELAXED);
  __atomic_fetch_add(&counts->Puts, 1, __ATOMIC_RELAXED);
}

// The function of that name in the libraries loaded after this one.
template <class TFunction>
TFunction* Next(const char* name) {
  return reinterpret_cast<TFunction*>(dlsym(RTLD_NEXT, name));
}
