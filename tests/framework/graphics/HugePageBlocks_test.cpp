#include "framework/graphics/HugePageBlocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

namespace {

constexpr std::size_t Bytes = HugePageBlockMinBytes + 1000;

bool AllZero(const THugePageBlock& block) {
  return std::all_of(block.Data, block.Data + block.Bytes, [](std::uint8_t b) { return b == 0; });
}

TEST(HugePageBlocks, ABlockGivenBackServesTheNextRequestOfItsSizeThatNeedsNoZeros) {
  const THugePageBlock first = TakeHugePageBlock(Bytes, true);
  ASSERT_NE(first.Data, nullptr);
  EXPECT_EQ(first.Bytes, HugePageBlockBytes(Bytes));
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first.Data) % (std::size_t{2} << 20), 0u);
  std::memset(first.Data, 0xAB, first.Bytes);
  GiveBackHugePageBlock(first);

  const THugePageBlock again = TakeHugePageBlock(Bytes, false);
  EXPECT_EQ(again.Data, first.Data);
  GiveBackHugePageBlock(again);
}

TEST(HugePageBlocks, ZerosAndOtherSizesNeverComeFromTheKeptBlock) {
  const THugePageBlock kept = TakeHugePageBlock(Bytes, true);
  ASSERT_NE(kept.Data, nullptr);
  std::memset(kept.Data, 0xAB, kept.Bytes);
  GiveBackHugePageBlock(kept);

  const THugePageBlock zeroed = TakeHugePageBlock(Bytes, true);
  EXPECT_NE(zeroed.Data, kept.Data);
  EXPECT_TRUE(AllZero(zeroed));
  const THugePageBlock larger = TakeHugePageBlock(Bytes * 2, false);
  EXPECT_NE(larger.Data, kept.Data);
  EXPECT_TRUE(AllZero(larger));
  GiveBackHugePageBlock(larger);
  GiveBackHugePageBlock(zeroed);
}

// A file's bytes and the picture read from them are both kept; a third block pushes out the
// oldest, whose pages go back to the system and come again zeroed.
TEST(HugePageBlocks, TheTwoLatestBlocksAreKept) {
  const std::size_t sizes[3] = {Bytes + (std::size_t{4} << 20), Bytes + (std::size_t{8} << 20),
                                Bytes + (std::size_t{12} << 20)};
  THugePageBlock blocks[3];
  for (int i = 0; i < 3; ++i) {
    blocks[i] = TakeHugePageBlock(sizes[i], true);
    ASSERT_NE(blocks[i].Data, nullptr);
    std::memset(blocks[i].Data, 0xAB, blocks[i].Bytes);
  }
  for (const THugePageBlock& block : blocks) GiveBackHugePageBlock(block);

  const THugePageBlock third = TakeHugePageBlock(sizes[2], false);
  const THugePageBlock second = TakeHugePageBlock(sizes[1], false);
  const THugePageBlock first = TakeHugePageBlock(sizes[0], false);
  EXPECT_EQ(third.Data, blocks[2].Data);
  EXPECT_EQ(second.Data, blocks[1].Data);
  EXPECT_TRUE(AllZero(first));
  for (const THugePageBlock& block : {first, second, third}) GiveBackHugePageBlock(block);
}

// Two blocks of one size kept: each is handed out once, and a third request maps a new one.
TEST(HugePageBlocks, TwoKeptBlocksOfOneSizeServeTwoRequestsAndNoMore) {
  THugePageBlock blocks[2] = {TakeHugePageBlock(Bytes, true), TakeHugePageBlock(Bytes, true)};
  for (const THugePageBlock& block : blocks) {
    ASSERT_NE(block.Data, nullptr);
    std::memset(block.Data, 0xAB, block.Bytes);
  }
  for (const THugePageBlock& block : blocks) GiveBackHugePageBlock(block);

  const THugePageBlock taken[3] = {TakeHugePageBlock(Bytes, false), TakeHugePageBlock(Bytes, false),
                                   TakeHugePageBlock(Bytes, false)};
  EXPECT_EQ(std::set<const std::uint8_t*>({taken[0].Data, taken[1].Data}),
            std::set<const std::uint8_t*>({blocks[0].Data, blocks[1].Data}));
  EXPECT_NE(taken[2].Data, taken[0].Data);
  EXPECT_NE(taken[2].Data, taken[1].Data);
  EXPECT_TRUE(AllZero(taken[2]));
  for (const THugePageBlock& block : taken) GiveBackHugePageBlock(block);
}

TEST(HugePageBlocks, VectorsOfMegabytesTakeAndGiveBackBlocksAndSmallOnesTheHeap) {
  if (!HugePageBlocksForPictures) GTEST_SKIP() << "under the address sanitizer every picture takes the heap";
  using TLargeBytes = std::vector<std::uint8_t, THugePageAllocator<std::uint8_t>>;
  const std::uint8_t* first = nullptr;
  {
    TLargeBytes bytes(Bytes, 7);
    first = bytes.data();
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % (std::size_t{2} << 20), 0u);
  }
  TLargeBytes again;
  again.reserve(Bytes);
  EXPECT_EQ(again.data(), first);
  again.assign(Bytes + 1, 9);
  EXPECT_EQ(again[Bytes], 9);
  TLargeBytes small(100, 1);
  EXPECT_EQ(std::count(small.begin(), small.end(), 1), 100);
}

}  // namespace
