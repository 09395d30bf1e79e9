#include "framework/platform/wayland/CursorPicture.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint32_t B = 0xFF000000, W = 0xFFFFFFFF, T = 0;

TEST(CursorPicture, BlackWhiteAndTransparentPixelsEachScaleTimesOnASide) {
  const TCursorImage image{{"X.", " X"}, {0, 0}};
  EXPECT_EQ(CursorPixels(image, 1), (std::vector<std::uint32_t>{B, W, T, B}));
  EXPECT_EQ(CursorPixels(image, 2), (std::vector<std::uint32_t>{B, B, W, W,  //
                                                                B, B, W, W,  //
                                                                T, T, B, B,  //
                                                                T, T, B, B}));
  // A row shorter than the first leaves the rest of its line transparent.
  EXPECT_EQ(CursorPixels({{"XX", "X"}, {0, 0}}, 1), (std::vector<std::uint32_t>{B, B, B, T}));
}

}  // namespace
