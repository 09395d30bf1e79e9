#pragma once
#include <array>
#include <cstdint>

// Palette indexes made into pixel values. Where the processor permutes bytes across 128-byte
// tables (AVX-512 VBMI), 64 pixels go at once, each channel looked up in a byte plane of the
// palette; elsewhere one pixel at a time.
class TPaletteLookup {
 public:
  explicit TPaletteLookup(const std::array<std::uint32_t, 256>& palette);

  std::uint32_t Entry(std::uint8_t index) const { return FPalette[index]; }
  // pixels[i] = palette[indexes[i]] for i < count.
  void Row(std::uint32_t* pixels, const std::uint8_t* indexes, int count) const;
  // The same, one pixel at a time: the yardstick of the other way.
  void RowPlain(std::uint32_t* pixels, const std::uint8_t* indexes, int count) const;
  // sums[i] = palette[a[stepA * i]] + palette[b[stepB * i]] as 32-bit words for i < count,
  // steps of 1 or -1, 64 at a time; false, and nothing done, where the processor cannot.
  bool Sum(std::uint32_t* sums, const std::uint8_t* a, int stepA, const std::uint8_t* b, int stepB, int count) const;

 private:
  std::array<std::uint32_t, 256> FPalette;
  // Blue, green and red of every entry, for the wide way; it serves only palettes whose
  // entries have a zero top byte, as the effect's always have.
  alignas(64) std::uint8_t FPlanes[3][256];
  bool FWide;
};
