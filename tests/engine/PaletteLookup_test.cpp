// Palette lookups 64 pixels at a time must give what one pixel at a time gives.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/PaletteLookup.h"

namespace {

std::array<std::uint32_t, 256> RandomPalette(std::uint32_t topByteMask) {
  std::mt19937 random(7);
  std::array<std::uint32_t, 256> palette;
  for (std::uint32_t& entry : palette) entry = random() & (0x00FFFFFFu | topByteMask);
  return palette;
}

void ExpectSameAsPlain(const TPaletteLookup& lookup) {
  std::mt19937 random(11);
  std::vector<std::uint8_t> indexes(300);
  for (std::uint8_t& index : indexes) index = static_cast<std::uint8_t>(random());
  for (int start : {0, 1, 3}) {
    for (int count = 0; count + start <= 300; ++count) {
      std::vector<std::uint32_t> fast(count + 1, 0xDEADBEEF), plain(count + 1, 0xDEADBEEF);
      lookup.Row(fast.data(), indexes.data() + start, count);
      lookup.RowPlain(plain.data(), indexes.data() + start, count);
      ASSERT_EQ(fast, plain) << "from " << start << ", " << count << " pixels";
    }
  }
}

TEST(PaletteLookup, RowsOfEveryLengthAndAlignmentAreThePlainLookup) {
  ExpectSameAsPlain(TPaletteLookup(RandomPalette(0)));
}

TEST(PaletteLookup, EntriesWithATopByteAreLookedUpWhole) {
  ExpectSameAsPlain(TPaletteLookup(RandomPalette(0xFF000000u)));
}

// Where the processor cannot, nothing is summed, and the caller sums it all.
TEST(PaletteLookup, SumsOfTwoRowsReadEitherWayAreThePlainSumsAndNothingBeyond) {
  const auto palette = RandomPalette(0);
  const TPaletteLookup lookup(palette);
  std::mt19937 random(5);
  std::vector<std::uint8_t> indexes(400);
  for (std::uint8_t& index : indexes) index = static_cast<std::uint8_t>(random());
  for (const int stepA : {1, -1})
    for (const int stepB : {1, -1})
      for (int count = 0; count <= 200; ++count) {
        const std::uint8_t* a = indexes.data() + (stepA > 0 ? 3 : 399);
        const std::uint8_t* b = indexes.data() + (stepB > 0 ? 150 : 250);
        std::vector<std::uint32_t> sums(count + 1, 0xDEADBEEF);
        const bool summed = lookup.Sum(sums.data(), a, stepA, b, stepB, count);
        for (int i = 0; i < count; ++i) {
          const std::uint32_t plain = palette[a[stepA * i]] + palette[b[stepB * i]];
          ASSERT_EQ(sums[i], summed ? plain : 0xDEADBEEF) << "steps " << stepA << ", " << stepB << ", pixel " << i;
        }
        ASSERT_EQ(sums[count], 0xDEADBEEF);
      }
}

}  // namespace
