#pragma once
// Byte shuffles (SSSE3) for the imaging code's vector paths, chosen when the program runs:
// functions marked QUENBREL_BYTE_SHUFFLES are called only where HaveByteShuffles() holds.
#if defined(__x86_64__)
#include <immintrin.h>

#define QUENBREL_BYTE_SHUFFLES __attribute__((target("ssse3")))

inline bool HaveByteShuffles() { return __builtin_cpu_supports("ssse3"); }
#else
inline bool HaveByteShuffles() { return false; }
#endif
