#pragma once
// The vector instructions of the imaging code's fast paths, chosen when the program runs:
// functions marked with a tier's attribute are called only where its Have... function holds.
//  - byte shuffles: SSSE3, with the population count of the same processors;
//  - byte compression: AVX-512 with its byte permutes and compresses (VBMI, VBMI2), and BMI2.
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>

#define QUENBREL_BYTE_SHUFFLES __attribute__((target("ssse3,popcnt")))
#define QUENBREL_BYTE_COMPRESS __attribute__((target("avx512f,avx512bw,avx512vbmi,avx512vbmi2,bmi,bmi2,popcnt")))

inline bool HaveByteShuffles() { return __builtin_cpu_supports("ssse3") && __builtin_cpu_supports("popcnt"); }

// Sixteen bytes from and to memory of any alignment.
QUENBREL_BYTE_SHUFFLES inline __m128i LoadBytes(const std::uint8_t* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}
QUENBREL_BYTE_SHUFFLES inline void StoreBytes(std::uint8_t* p, __m128i v) {
  _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v);
}
inline bool HaveByteCompress() {
  return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
         __builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("bmi2") && HaveByteShuffles();
}
#else
inline bool HaveByteShuffles() { return false; }
inline bool HaveByteCompress() { return false; }
#endif
