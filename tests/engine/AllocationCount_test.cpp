// The frame loop runs on a 1 ms timer: it must not touch the heap.
#include <gtest/gtest.h>

#include "EngineFixture.h"
#include "testkit/AllocationCount.h"

namespace {

TEST(QuenbrelMemory, FramesAllocateNothing) {
  TEngineRig rig(320, 200);
  rig.Engine.NextFrame();
  const long before = AllocationCount();
  for (int frame = 0; frame < 100; ++frame) rig.Engine.NextFrame();
  EXPECT_EQ(AllocationCount() - before, 0);
}

}  // namespace
