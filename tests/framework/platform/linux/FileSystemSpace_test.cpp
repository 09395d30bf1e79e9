#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "framework/platform/linux/FileSystemSpace.h"

namespace {

TEST(FileSystemSpace, CountsBytesIn64BitsBeyondWhat32BitsHold) {
  const TDiskSpace space = SpaceFromCounts(std::uint64_t{1} << 30, 3u << 20, 4096);  // 4 TiB, 12 GiB left
  EXPECT_EQ(space.Total, std::int64_t{1} << 42);
  EXPECT_EQ(space.Free, std::int64_t{12} << 30);
}

TEST(FileSystemSpace, SaturatesInsteadOfWrapping) {
  constexpr std::int64_t kMost = std::numeric_limits<std::int64_t>::max();
  EXPECT_EQ(SpaceFromCounts(std::uint64_t{1} << 62, 0, 4).Total, kMost);
  EXPECT_EQ(SpaceFromCounts(std::numeric_limits<std::uint64_t>::max(), 1, 4096).Total, kMost);
}

TEST(FileSystemSpace, FailsForAPathThatIsNotThere) {
  EXPECT_FALSE(FileSystemSpace("/no/such/mount/point"));
  EXPECT_TRUE(FileSystemSpace("/"));
}

}  // namespace
