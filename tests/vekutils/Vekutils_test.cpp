#include <gtest/gtest.h>

#include "framework/base/Exceptions.h"
#include "framework/base/Stream.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/core/Control.h"
#include "support/TempDir.h"
#include "vekutils/Vekutils.h"

namespace {

TEST(Vekutils, SwapRedBlueTradesTheOuterChannelsAndDropsTheTopByte) {
  EXPECT_EQ(SwapRedBlue(0x00123456), 0x00563412);
  EXPECT_EQ(SwapRedBlue(0xFF), 0xFF0000);
  EXPECT_EQ(SwapRedBlue(static_cast<std::int32_t>(0x8000000F)), 0x0F0000);
  EXPECT_EQ(SwapRedBlue(SwapRedBlue(static_cast<std::int32_t>(0x7F123456))), 0x00123456);
}

TEST(Vekutils, BlendColorEndsAndDegenerateSteps) {
  const std::int32_t a = 0x00102030, b = 0x00F0E0D0;
  for (int n : {1, 2, 7, 255}) {
    EXPECT_EQ(BlendColor(a, b, 0, n), a);
    EXPECT_EQ(BlendColor(a, b, n, n), b);
  }
  EXPECT_EQ(BlendColor(static_cast<std::int32_t>(0xAB102030), b, 3, 0), static_cast<std::int32_t>(0xAB102030));
  EXPECT_EQ(BlendColor(0xFF, 0, 1, 127), 0xFC);
  EXPECT_EQ(BlendColor(0, 0xFF, 2, 1), 0xFE);  // a step beyond the end wraps, it does not clamp
}

TEST(Vekutils, BlendColor3HitsItsThreeStops) {
  const std::int32_t a = 0x000000FF, b = 0x0000FF00, c = 0x00FF0000;
  EXPECT_EQ(BlendColor3(a, b, c, 127, 255), b);
  EXPECT_EQ(BlendColor3(a, b, c, 255, 255), c);
  EXPECT_EQ(BlendColor3(a, b, c, 126, 255), BlendColor(a, b, 126, 127));
}

TEST(Vekutils, Distances) {
  EXPECT_EQ(DistanceSq(0, 0, 3, 4), 25.0);
  EXPECT_EQ(Distance(0, 0, 3, 4), 5.0);
}

TEST(Vekutils, RoundToIntTakesHalvesAwayFromZero) {
  const std::pair<double, int> cases[] = {{0.5, 1},    {1.5, 2},   {-1.5, -2}, {2.5, 3},   {-2.5, -3},
                                          {2.4999, 2}, {-0.5, -1}, {0.49, 0},  {-0.49, 0}, {0.0, 0}};
  for (const auto& [x, want] : cases) EXPECT_EQ(RoundToInt(x), want) << x;
  EXPECT_EQ(RoundToLong(-2.5), -3);
  EXPECT_EQ(RoundToInt(1e300), INT32_MAX);  // saturates instead of overflowing
}

TEST(Vekutils, StreamIntegersAreFourLittleEndianBytes) {
  TTempDir dir;
  const std::string path = dir.File("ints");
  {
    TFileStream out(path, TFileStream::Mode::Create);
    WriteInt(out, static_cast<std::int32_t>(0x80010203));
    WriteInt(out, 7);
  }
  TFileStream in(path, TFileStream::Mode::OpenRead);
  EXPECT_EQ(in.Size(), 8);
  EXPECT_EQ(ReadInt(in), static_cast<std::int32_t>(0x80010203));
  std::int32_t value = 0;
  EXPECT_TRUE(TryReadInt(in, value));
  EXPECT_EQ(value, 7);
  EXPECT_FALSE(TryReadInt(in, value));
}

TEST(Vekutils, AppDirKeepsOneSeparatorAfterTheDirectory) {
  EXPECT_EQ(AppDirOf("/opt/savers/zzQuenbrel.scr"), "/opt/savers/");
  EXPECT_EQ(AppDirOf("/zzQuenbrel.scr"), "/");
  // A colon or a backslash in a name separates nothing.
  EXPECT_EQ(AppDirOf("/opt/zz:Q.scr"), "/opt/");
  EXPECT_EQ(AppDirOf("/opt/a\\b:/zz\\Q.scr"), "/opt/a\\b:/");
  EXPECT_EQ(AppDirOf("/C:\\prog.scr"), "/");
  EXPECT_EQ(AppDir().back(), '/');
}

TEST(Vekutils, RangeChecksAcceptUpTo8191) {
  EXPECT_TRUE(LineInRange(0, 0, 8191, 8191));
  EXPECT_TRUE(LineInRange(-8191, -8191, 0, 0));
  EXPECT_FALSE(LineInRange(-8191, 0, 8191, 0));
  EXPECT_FALSE(LineInRange(8192, 0, 8192, 0));
  EXPECT_FALSE(LineInRange(INT32_MIN, 0, INT32_MAX, 0));
  EXPECT_TRUE(TriangleInRange(0, 0, 8191, 0, 0, 8191));
  EXPECT_FALSE(TriangleInRange(0, 0, 8191, 0, -1, 0));  // extent x3 - x2 = -8192
  EXPECT_FALSE(TriangleInRange(0, 0, 0, 8192, 1, 1));
}

class TPlainControl : public TControl {
 public:
  TPlainControl() : TControl(nullptr) { SetBounds(0, 0, 20, 10); }
};

TEST(Vekutils, FillTriangleSkipsWhatIsOutsideOrUnsafe) {
  TPlainControl control;
  TBitmap bitmap(20, 10);
  TCanvas& canvas = bitmap.Canvas();
  canvas.Brush.Color = clRed;
  canvas.Pen.Color = clRed;
  EXPECT_TRUE(FillTriangle(control, canvas, -5, 0, -1, 5, -9, 9));
  EXPECT_FALSE(FillTriangle(control, canvas, 0, 0, 9000, 5, 5, 9));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) ASSERT_EQ(bitmap.PixelAt(x, y), 0u);
  EXPECT_TRUE(FillTriangle(control, canvas, 0, 0, 19, 0, 0, 9));
  EXPECT_EQ(bitmap.PixelAt(2, 2), ColorToPixel(clRed));
}

TEST(Vekutils, ClearCanvasFillsTheControlAndKeepsTheColour) {
  TPlainControl control;
  TBitmap bitmap(30, 12);
  TCanvas& canvas = bitmap.Canvas();
  ClearCanvas(control, canvas, clBlue);
  EXPECT_EQ(bitmap.PixelAt(19, 9), ColorToPixel(clBlue));
  EXPECT_EQ(bitmap.PixelAt(20, 9), 0u);
  EXPECT_EQ(canvas.Brush.Color, clBlue);
  EXPECT_EQ(canvas.Pen.Color, clBlue);
}

}  // namespace
