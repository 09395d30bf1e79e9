#pragma once
#include <array>
#include <cstdint>

// Rows of palette indexes made into rows of pixel values. Where the processor permutes bytes
// across 128-byte tables (AVX-512 VBMI), 64 pixels go at once, each channel looked up in a
// byte plane of the palette, and are written past the caches; elsewhere one pixel at a time.
class TPaletteLookup {
 public:
  explicit TPaletteLookup(const std::array<std::uint32_t, 256>& palette);

  // pixels[i] = palette[indexes[i]] for i < count.
  void Row(std::uint32_t* pixels, const std::uint8_t* indexes, int count) const;
  // The same, one pixel at a time: the yardstick of the other way.
  void RowPlain(std::uint32_t* pixels, const std::uint8_t* indexes, int count) const;

 private:
  std::array<std::uint32_t, 256> FPalette;
  // Blue, green and red of every entry, for the wide way; it serves only palettes whose
  // entries have a zero top byte, as the effect's always have.
  alignas(64) std::uint8_t FPlanes[3][256];
  bool FWide;
};
