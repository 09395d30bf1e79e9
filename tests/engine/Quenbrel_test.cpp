#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "EngineFixture.h"

namespace {

// The source pixel as the pattern defines it, with the compiler's own truncating conversion.
std::uint32_t DefinedSourcePixel(const TQuenbrel& engine, int x, int y, int width, int height) {
  const auto fraction = [](int i, int n) { return n > 1 ? static_cast<long double>(i) * 255 / (n - 1) : 0.0L; };
  const auto cosinePlusOne = [&](int degrees) { return static_cast<long double>(engine.CosDeg(degrees)) + 1; };
  const auto p = static_cast<std::int32_t>(std::trunc(cosinePlusOne(x) * fraction(y, height)));
  const auto q = static_cast<std::int32_t>(std::trunc(cosinePlusOne(y) * fraction(x, width)));
  return engine.PaletteColor(p + q);
}

TEST(QuenbrelTables, DefaultPaletteIsABlueRampThereAndBack) {
  TEngineRig rig(8, 8);
  const std::pair<int, std::uint32_t> expected[] = {{0, 0xFF},   {1, 0xFC},   {63, 0x80},  {126, 0x02}, {127, 0x00},
                                                    {128, 0x01}, {191, 0x7F}, {254, 0xFD}, {255, 0xFF}};
  for (const auto& [index, value] : expected) EXPECT_EQ(rig.Engine.PaletteColor(index), value) << index;
  EXPECT_EQ(rig.Engine.PaletteColor(256), rig.Engine.PaletteColor(0));
  EXPECT_EQ(rig.Engine.PaletteColor(-1), rig.Engine.PaletteColor(1));
  EXPECT_EQ(rig.Engine.PaletteColor(INT32_MIN), rig.Engine.PaletteColor(0));
}

TEST(QuenbrelTables, PaletteIgnoresTopBytesOfTheColours) {
  TEngineRig rig(8, 8);
  rig.Engine.Color1 = static_cast<std::int32_t>(0xAB0000FF);
  rig.Engine.Color2 = static_cast<std::int32_t>(0x7F000000);
  rig.Engine.MakePalette();
  EXPECT_EQ(rig.Engine.PaletteColor(0), 0xFFu);
  EXPECT_EQ(rig.Engine.PaletteColor(127), 0u);
}

TEST(QuenbrelTables, CosineEntriesAreComputedEachFromItsOwnAngle) {
  TEngineRig rig(8, 8);
  EXPECT_EQ(rig.Engine.CosDeg(60), 0.5000000000000001);
  EXPECT_EQ(rig.Engine.CosDeg(420), 0.5000000000000006);
  EXPECT_EQ(rig.Engine.CosDeg(0), 1.0);
  EXPECT_EQ(rig.Engine.CosDeg(-90), rig.Engine.CosDeg(90));
  EXPECT_EQ(rig.Engine.CosDeg(3600), rig.Engine.CosDeg(0));
  EXPECT_EQ(rig.Engine.CosDeg(INT32_MIN), rig.Engine.CosDeg(static_cast<int>(2147483648LL % 3600)));
}

TEST(QuenbrelSource, CornersAt800x600) {
  TEngineRig rig(800, 600);
  EXPECT_EQ(rig.SourcePixel(0, 0), 0xFFu);
  EXPECT_EQ(rig.SourcePixel(799, 0), 0xFDu);
  EXPECT_EQ(rig.SourcePixel(0, 599), 0xFDu);
  EXPECT_EQ(rig.SourcePixel(799, 599), 0x55u);
}

// 256x255 makes many products whole numbers, where a truncation that is off by one shows.
TEST(QuenbrelSource, EveryPixelIsTheDefinedOne) {
  for (const auto& [width, height] : {std::pair{800, 600}, {256, 255}, {255, 256}, {37, 23}, {2, 2}}) {
    TEngineRig rig(width, height);
    int wrong = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        wrong += rig.SourcePixel(x, y) != DefinedSourcePixel(rig.Engine, x, y, width, height);
    EXPECT_EQ(wrong, 0) << width << "x" << height;
  }
}

TEST(QuenbrelSource, OnePixelWideOrHighSurfacesHaveADefinedPattern) {
  TEngineRig rig(1, 5);
  EXPECT_EQ(rig.SourcePixel(0, 0), 0xFFu);  // q's factor is 0 across a single column
  rig.SetSize(5, 1);
  EXPECT_EQ(rig.SourcePixel(0, 0), 0xFFu);
  EXPECT_EQ(rig.SourcePixel(4, 0), 0xFDu);  // q = (cos 0 + 1) * 255 = 510
}

TEST(QuenbrelSource, IsDrawnAgainOnlyForANewSizeOrPalette) {
  TEngineRig rig(40, 30);
  EXPECT_EQ(rig.Engine.PatternsDrawn(), 1);
  rig.SetSize(40, 30);
  EXPECT_EQ(rig.Engine.PatternsDrawn(), 1);
  rig.SetSize(41, 30);
  EXPECT_EQ(rig.Engine.PatternsDrawn(), 2);
  const std::uint32_t blue = rig.SourcePixel(5, 5);
  rig.Engine.Color1 = 0x00FF00;
  rig.Engine.MakePalette();
  rig.Engine.Resize();
  EXPECT_EQ(rig.Engine.PatternsDrawn(), 3);
  EXPECT_NE(rig.SourcePixel(5, 5), blue);
}

TEST(QuenbrelFrames, FirstFrameDoublesTheSourceWithCarries) {
  TEngineRig rig(800, 600);
  rig.Engine.NextFrame();
  EXPECT_EQ(rig.FramePixel(799, 0), 0x1FAu);  // blue 0xFA, 1 carried into green
  EXPECT_EQ(rig.FramePixel(0, 0), 0x1FEu);
}

TEST(QuenbrelFrames, SecondFrameAddsTheMovedLayers) {
  TEngineRig rig(800, 600);
  rig.Engine.NextFrame();
  rig.Engine.NextFrame();
  EXPECT_EQ(rig.FramePixel(0, 0), 0x11Bu);  // source (799, 599) + source (657, 248)
  EXPECT_EQ(rig.SourcePixel(657, 248), 0xC6u);
}

struct TOffsets {
  int X0, Y0, X1, Y1;
};

TOffsets AdvanceFrom(TEngineRig& rig, int frameCount) {
  TQuenbrelMotion& m = QuenbrelMotion();
  m = {};
  if (frameCount != 0) m = {{0, 0}, {0, 0}, frameCount, {0, 50}, {0, 100}};
  rig.Engine.NextFrame();
  return {m.OffsetX[0], m.OffsetY[0], m.OffsetX[1], m.OffsetY[1]};
}

void ExpectOffsets(const TOffsets& got, const TOffsets& want) {
  EXPECT_EQ(got.X0, want.X0);
  EXPECT_EQ(got.Y0, want.Y0);
  EXPECT_EQ(got.X1, want.X1);
  EXPECT_EQ(got.Y1, want.Y1);
}

TEST(QuenbrelMotion, OffsetsAfterAdvancesAt800x600And801x601) {
  for (const auto& [w, h] : {std::pair{800, 600}, std::pair{801, 601}}) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    TEngineRig rig(w, h);
    ExpectOffsets(AdvanceFrom(rig, 0), {800, 600, 657, 248});
    EXPECT_EQ(QuenbrelMotion().PhaseX[1], 50);
    EXPECT_EQ(QuenbrelMotion().PhaseY[1], 100);
    ExpectOffsets(AdvanceFrom(rig, 90), {400, 300, 94, 5});
    ExpectOffsets(AdvanceFrom(rig, 180), {0, 0, 143, 352});
  }
}

TEST(QuenbrelMotion, ResizeKeepsTheMotionAndTwoEnginesShareIt) {
  TEngineRig rig(64, 48);
  rig.Engine.NextFrame();
  rig.Engine.NextFrame();
  const TQuenbrelMotion before = QuenbrelMotion();
  rig.SetSize(40, 30);
  EXPECT_EQ(QuenbrelMotion(), before);

  TEngineRig other(16, 16);  // resets the motion, as a new process would start
  QuenbrelMotion() = before;
  other.Engine.NextFrame();
  rig.Engine.NextFrame();
  EXPECT_EQ(QuenbrelMotion().FrameCount, before.FrameCount + 2);
}

TEST(QuenbrelMotion, FrameCounterWrapsAndTheCosineIndexStaysInTheTable) {
  TEngineRig rig(20, 10);
  QuenbrelMotion() = {{0, 0}, {0, 0}, INT32_MAX, {0, 50}, {0, 100}};
  rig.Engine.NextFrame();
  EXPECT_EQ(QuenbrelMotion().FrameCount, INT32_MIN);
  rig.Engine.NextFrame();  // phase 0 + INT32_MIN: a magnitude beyond 32 bits
  EXPECT_EQ(QuenbrelMotion().FrameCount, INT32_MIN + 1);
  EXPECT_EQ(QuenbrelMotion().OffsetX[0], static_cast<int>(rig.Engine.CosDeg(INT32_MIN) * 10) + 10);
}

TEST(QuenbrelMotion, OffsetsBeyondAShrunkSurfaceAreLimitedToIt) {
  TEngineRig rig(400, 300);
  QuenbrelMotion() = {{400, 400}, {300, 300}, 1, {0, 50}, {0, 100}};
  rig.SetSize(10, 6);
  rig.Engine.NextFrame();  // reads as with offsets 10 and 6: every layer fully mirrored
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(rig.FramePixel(x, y), 2 * rig.SourcePixel(9 - x, 5 - y));
}

TEST(QuenbrelFrames, ResizeAndNextFrameWithoutTargetDoNothing) {
  TEngineRig rig(8, 8);
  rig.Engine.Target = nullptr;
  rig.Engine.Resize();
  rig.Engine.NextFrame();
  EXPECT_EQ(QuenbrelMotion().FrameCount, 0);
}

}  // namespace
