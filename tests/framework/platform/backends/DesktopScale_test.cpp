#include <gtest/gtest.h>

#include "framework/platform/DesktopScale.h"

TEST(DesktopScale, ReadsXftDpiFromTheResourcesAsAMultipleOfNinetySix) {
  EXPECT_EQ(ScaleFromResources("Xft.dpi:\t192\n"), 2.0);
  EXPECT_EQ(ScaleFromResources("Xcursor.size:\t48\nXft.dpi:  144\nXft.antialias:\t1\n"), 1.5);
  EXPECT_EQ(ScaleFromResources("Xft.dpi:\t96"), 1.0);
  // Close to a step is the step; out of range is held in it; the last line wins.
  EXPECT_EQ(ScaleFromResources("Xft.dpi:\t97\n"), 1.0);
  EXPECT_EQ(ScaleFromResources("Xft.dpi:\t120\n"), 1.25);
  EXPECT_EQ(ScaleFromResources("Xft.dpi:\t72\n"), 1.0);
  EXPECT_EQ(ScaleFromResources("Xft.dpi:\t100000\n"), 8.0);
  EXPECT_EQ(ScaleFromResources("Xft.dpi:\t96\nXft.dpi:\t192\n"), 2.0);
  // Nothing usable said: no scale.
  for (const char* resources : {"", "Xft.dpi:", "Xft.dpi:\tlarge\n", "Xft.dpi:\t-192\n", "Xft.dpi:\tnan\n",
                                "Xft.dpix:\t192\n", "*dpi:\t192\n", "Xft.dpi:\t1e999\n"})
    EXPECT_EQ(ScaleFromResources(resources), std::nullopt) << resources;
}

TEST(DesktopScale, TheProjectsOwnVariableOverridesTheDesktopWhenItNamesAScale) {
  EXPECT_EQ(DesktopScaleFrom(nullptr, ""), 1.0);
  EXPECT_EQ(DesktopScaleFrom(nullptr, "Xft.dpi:\t192\n"), 2.0);
  EXPECT_EQ(DesktopScaleFrom("1.5", "Xft.dpi:\t192\n"), 1.5);
  EXPECT_EQ(DesktopScaleFrom("1", "Xft.dpi:\t192\n"), 1.0);
  EXPECT_EQ(DesktopScaleFrom("", "Xft.dpi:\t192\n"), 2.0);
  EXPECT_EQ(DesktopScaleFrom("2x", "Xft.dpi:\t144\n"), 1.5);
  EXPECT_EQ(ScaleFromText(" 3 "), 3.0);
  EXPECT_EQ(ScaleFromText("0"), std::nullopt);
}
