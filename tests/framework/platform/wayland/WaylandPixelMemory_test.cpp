#include "framework/platform/wayland/WaylandPixelMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>

namespace {

constexpr int kWidth = 8, kHeight = 4;

// The compositor takes the bitmap's buffer, as a commit gives it.
TShmBuffer& Show(const TBitmap& bitmap) {
  const TLentBuffer lent = static_cast<TWaylandPixelMemory*>(bitmap.Memory())->Lend();
  lent.Set->Hold(*lent.Buffer);
  return *lent.Buffer;
}

TEST(WaylandPixelMemory, APictureStaysOnTheHeapUntilItsFirstFrameAndIsLentNothingBefore) {
  TWaylandPixelMemoryProvider provider;
  TBitmap bitmap;
  bitmap.SetMemoryProvider(&provider);
  bitmap.SetSize(kWidth, kHeight);
  auto* memory = dynamic_cast<TWaylandPixelMemory*>(bitmap.Memory());
  ASSERT_NE(memory, nullptr);
  EXPECT_EQ(memory->Provider(), &provider);
  EXPECT_FALSE(memory->Lend());
  EXPECT_EQ(bitmap.PixelAt(kWidth - 1, kHeight - 1), 0u);

  const std::uint64_t generation = bitmap.Generation();
  ASSERT_TRUE(bitmap.BeginFrame());
  const TLentBuffer lent = memory->Lend();
  ASSERT_TRUE(lent);
  EXPECT_EQ(bitmap.Row(0), reinterpret_cast<std::uint8_t*>(lent.Buffer->Pixels));
  EXPECT_NE(bitmap.Generation(), generation);
  bitmap.SetPixelAt(kWidth - 1, kHeight - 1, 0xABCDEF);
  EXPECT_EQ(lent.Buffer->Pixels[kWidth * kHeight - 1], 0xABCDEFu);
}

TEST(WaylandPixelMemory, FramesNeverGoIntoAHeldBufferAndWithAllHeldTheFrameIsSkippedAtOnce) {
  TWaylandPixelMemoryProvider provider;
  // Rows of 24-bit pixels with padding, which a frame's maker does not write.
  TBitmap bitmap(0, 0, 24);
  bitmap.SetMemoryProvider(&provider);
  bitmap.SetSize(3, kHeight);

  // An unshown frame's buffer serves the next frame too.
  ASSERT_TRUE(bitmap.BeginFrame());
  const std::uint8_t* unshown = bitmap.Row(0);
  const std::uint64_t generation = bitmap.Generation();
  ASSERT_TRUE(bitmap.BeginFrame());
  EXPECT_EQ(bitmap.Row(0), unshown);
  EXPECT_EQ(bitmap.Generation(), generation);

  std::set<TShmBuffer*> held;
  for (int frame = 0; frame < TShmBufferSet::Capacity; ++frame) {
    ASSERT_TRUE(bitmap.BeginFrame()) << frame;
    std::memset(bitmap.Row(0), 0xFF, bitmap.Stride() * kHeight);
    TShmBuffer& buffer = Show(bitmap);
    EXPECT_TRUE(held.insert(&buffer).second) << "frame " << frame << " went into a held buffer";
  }
  const std::uint8_t* last = bitmap.Row(0);
  EXPECT_FALSE(bitmap.BeginFrame());
  EXPECT_EQ(bitmap.Row(0), last);

  // A released buffer takes the next frame; no more buffers are made than were. Not the last
  // frame's: the frame would stay in the memory it has, whose row ends it wrote itself.
  TShmBuffer* released = *std::ranges::find_if(
      held, [&](const TShmBuffer* buffer) { return reinterpret_cast<std::uint8_t*>(buffer->Pixels) != last; });
  released->Set->Released(*released);
  ASSERT_TRUE(bitmap.BeginFrame());
  EXPECT_EQ(bitmap.Row(0), reinterpret_cast<std::uint8_t*>(released->Pixels));
  EXPECT_EQ(released->Set->Count(), TShmBufferSet::Capacity);
  for (int y = 0; y < kHeight; ++y) EXPECT_EQ(bitmap.Row(y)[9] | bitmap.Row(y)[10] | bitmap.Row(y)[11], 0) << y;
}

TEST(WaylandPixelMemory, ALentBufferOutlivesTheBitmapsMemoryAndTheProviderLetsItsMemoryGo) {
  TLentBuffer lent;
  TBitmap bitmap;
  {
    TWaylandPixelMemoryProvider provider;
    bitmap.SetMemoryProvider(&provider);
    bitmap.SetSize(kWidth, kHeight);
    ASSERT_TRUE(bitmap.BeginFrame());
    bitmap.SetPixelAt(0, 0, 0x123456);
    lent = static_cast<TWaylandPixelMemory*>(bitmap.Memory())->Lend();
    bitmap.SetSize(kWidth, kHeight + 1);
    EXPECT_EQ(lent.Buffer->Pixels[0], 0x123456u);

    ASSERT_TRUE(bitmap.BeginFrame());
    Show(bitmap);
  }
  bitmap.SetMemoryProvider(nullptr);
  // The memory outlives its provider, no longer held by a compositor that is gone.
  EXPECT_EQ(static_cast<TWaylandPixelMemory*>(bitmap.Memory())->Provider(), nullptr);
  const std::uint8_t* before = bitmap.Row(0);
  EXPECT_TRUE(bitmap.BeginFrame());
  EXPECT_EQ(bitmap.Row(0), before);
}

}  // namespace
