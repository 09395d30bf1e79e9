#include "framework/platform/wayland/WaylandOutputs.h"

#include <gtest/gtest.h>

namespace {

class Outputs : public ::testing::Test {
 protected:
  int Changes = 0;
  TWaylandOutputs List{[this] { ++Changes; }};

  TWaylandOutput& Describe(std::uint32_t name, TSize mode, int scale = 1, int transform = 0) {
    TWaylandOutput& output = List.Add(name, nullptr);
    List.Mode(output, mode.cx, mode.cy);
    List.Scale(output, scale);
    List.Transform(output, transform);
    List.Name(output, "OUT-" + std::to_string(name));
    List.Done(output);
    return output;
  }
};

TEST_F(Outputs, AnOutputIsAScreenOnceDescribedAndEachChangeIsNewsOnce) {
  TWaylandOutput& first = List.Add(7, nullptr);
  List.Mode(first, 1920, 1080);
  EXPECT_TRUE(List.Screens().empty());
  EXPECT_EQ(List.Find(0), nullptr);
  List.Done(first);
  EXPECT_EQ(Changes, 1);
  // A description repeated as it was is no news.
  List.Done(first);
  EXPECT_EQ(Changes, 1);

  Describe(9, {1600, 1200}, 2, 1);  // turned a quarter
  ASSERT_EQ(List.Screens().size(), 2u);
  EXPECT_EQ(List.Screens()[1], (TScreenInfo{2, {1200, 1600}, 2, "OUT-9"}));
  EXPECT_EQ(List.Find(0), &first);
  EXPECT_EQ(List.Find(2)->RegistryName, 9u);

  List.Scale(first, 2);
  List.Done(first);
  EXPECT_EQ(Changes, 3);
  EXPECT_EQ(List.Screens()[0].Scale, 2);
}

TEST_F(Outputs, AnOutputThatGoesTakesItsScreenAndItsIdIsNeverGivenAgain) {
  Describe(1, {800, 600});
  Describe(2, {640, 480});
  EXPECT_FALSE(List.Remove(99));
  EXPECT_TRUE(List.Remove(1));
  EXPECT_EQ(Changes, 3);
  ASSERT_EQ(List.Screens().size(), 1u);
  EXPECT_EQ(List.Screens()[0].Id, 2u);
  EXPECT_EQ(List.Find(1), nullptr);
  Describe(3, {800, 600});
  EXPECT_EQ(List.Screens().back().Id, 3u);
  // Gone before it was ever described: the program never saw it.
  List.Add(4, nullptr);
  EXPECT_TRUE(List.Remove(4));
  EXPECT_EQ(Changes, 4);
}

TEST_F(Outputs, SizesAndScalesBeyondBeliefAreNotTaken) {
  TWaylandOutput& output = Describe(1, {1280, 720}, 2);
  List.Mode(output, 100000, 720);
  List.Mode(output, 0, 720);
  List.Scale(output, 0);
  List.Scale(output, 1000);
  List.Done(output);
  EXPECT_EQ(List.Screens()[0], (TScreenInfo{1, {1280, 720}, 2, "OUT-1"}));
}

}  // namespace
