#include "framework/platform/wayland/ShmBufferPool.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

constexpr TSize kSize{8, 4};

void Fill(TShmBuffer& buffer, std::uint32_t value, const TRect& area) {
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) buffer.Pixels[y * kSize.cx + x] = value;
}

std::uint32_t At(const TShmBuffer& buffer, int x, int y) { return buffer.Pixels[y * kSize.cx + x]; }

TEST(ShmBufferPool, AHeldBufferIsReusedOnlyOnceReleasedAndThePoolStopsAtItsCapacity) {
  int releases = 0;
  TShmBufferPool pool(nullptr, kSize, [&] { ++releases; });
  std::vector<TShmBuffer*> held;
  for (int i = 0; i < TShmBufferPool::Capacity; ++i) {
    TShmBuffer* buffer = pool.Acquire();
    ASSERT_NE(buffer, nullptr);
    for (TShmBuffer* other : held) EXPECT_NE(buffer, other);
    pool.Submit(*buffer, {0, 0, kSize.cx, kSize.cy});
    held.push_back(buffer);
  }
  EXPECT_EQ(pool.Acquire(), nullptr);
  EXPECT_EQ(pool.Count(), TShmBufferPool::Capacity);
  EXPECT_THROW(pool.Submit(*held[0], {}), std::logic_error);

  pool.Released(*held[1]);
  EXPECT_EQ(releases, 1);
  EXPECT_EQ(pool.Acquire(), held[1]);
  // The latest buffer, once released, is preferred: it needs no copying.
  pool.Released(*held[2]);
  EXPECT_EQ(pool.Acquire(), held[2]);
}

TEST(ShmBufferPool, ABufferDrawnInPartCarriesTheLatestFrameElsewhere) {
  TShmBufferPool pool(nullptr, kSize, nullptr);
  TShmBuffer& first = *pool.Acquire();
  Fill(first, 1, {0, 0, kSize.cx, kSize.cy});
  pool.Submit(first, {0, 0, kSize.cx, kSize.cy});

  TShmBuffer& second = *pool.Acquire();
  ASSERT_NE(&second, &first);
  const TRect small{2, 1, 4, 3};
  Fill(second, 2, small);
  pool.Submit(second, small);
  for (int y = 0; y < kSize.cy; ++y)
    for (int x = 0; x < kSize.cx; ++x) EXPECT_EQ(At(second, x, y), small.Contains(x, y) ? 2u : 1u) << x << "," << y;

  // The first buffer missed the small change: drawn elsewhere, it brings it over.
  pool.Released(first);
  TShmBuffer& third = *pool.Acquire();
  ASSERT_EQ(&third, &first);
  Fill(third, 3, {0, 3, kSize.cx, 4});
  pool.Submit(third, {0, 3, kSize.cx, 4});
  EXPECT_EQ(At(third, 2, 1), 2u);
  EXPECT_EQ(At(third, 0, 0), 1u);
  EXPECT_EQ(At(third, 5, 3), 3u);
}

TEST(ShmBufferPool, SizesBeyondWhatAMonitorHasAreRefusedBeforeAnyMemory) {
  for (const TSize size : {TSize{0, 10}, TSize{10, -1}, TSize{20000, 10}, TSize{16384, 16384}})
    EXPECT_THROW(TShmBufferPool(nullptr, size, nullptr), std::invalid_argument) << size.cx << "x" << size.cy;
}

}  // namespace
