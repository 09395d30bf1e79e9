// The optimised frame loop must write exactly what the per-pixel definition writes.
#include <gtest/gtest.h>

#include <cstring>

#include "EngineFixture.h"
#include "engine/ReferenceFrame.h"

namespace {

// Two engines of one size and colours; the fast one and the reference one take turns from
// the same motion state, and must leave the same frame and the same motion behind.
class TFramePair {
 public:
  TFramePair(int width, int height) : FFast(width, height), FReference(width, height) {
    for (TEngineRig* rig : {&FFast, &FReference}) {
      rig->Engine.Color1 = 0x00C08040;
      rig->Engine.Color2 = 0x0010E0F0;
      rig->Engine.MakePalette();
      rig->Engine.Resize();
    }
  }

  void SetSize(int width, int height) {
    FFast.SetSize(width, height);
    FReference.SetSize(width, height);
  }

  // One frame each; true when frames and motion agree.
  ::testing::AssertionResult Step() {
    const TQuenbrelMotion start = QuenbrelMotion();
    FFast.Engine.NextFrame();
    const TQuenbrelMotion afterFast = QuenbrelMotion();
    QuenbrelMotion() = start;
    ReferenceNextFrame(FReference.Engine);
    if (!(QuenbrelMotion() == afterFast)) return ::testing::AssertionFailure() << "motion differs";
    TBitmap& a = FFast.Surface.Picture().Bitmap();
    TBitmap& b = FReference.Surface.Picture().Bitmap();
    for (int y = 0; y < a.Height(); ++y)
      if (std::memcmp(a.Row(y), b.Row(y), static_cast<std::size_t>(a.Width()) * 4) != 0)
        return ::testing::AssertionFailure() << "row " << y << " differs at frame " << start.FrameCount;
    return ::testing::AssertionSuccess();
  }

 private:
  TEngineRig FFast;
  TEngineRig FReference;
};

TEST(FrameEquivalence, EveryFrameOfAFullCycle) {
  TFramePair pair(37, 23);
  QuenbrelMotion() = {};
  for (int frame = 0; frame < 3600; ++frame) ASSERT_TRUE(pair.Step());
}

TEST(FrameEquivalence, OddAndDegenerateSizes) {
  const std::pair<int, int> sizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 2}, {3, 2}, {64, 48}, {101, 57}, {800, 600}};
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << "x" << h);
    TFramePair pair(w, h);
    QuenbrelMotion() = {};
    for (int frame = 0; frame < 200; ++frame) ASSERT_TRUE(pair.Step());
  }
}

TEST(FrameEquivalence, AcrossAShrinkAndAGrowthBetweenFrames) {
  TFramePair pair(120, 90);
  QuenbrelMotion() = {};
  for (int frame = 0; frame < 40; ++frame) ASSERT_TRUE(pair.Step());
  pair.SetSize(31, 17);  // offsets from the larger size exceed the new one
  for (int frame = 0; frame < 40; ++frame) ASSERT_TRUE(pair.Step());
  pair.SetSize(157, 131);
  for (int frame = 0; frame < 40; ++frame) ASSERT_TRUE(pair.Step());
}

}  // namespace
