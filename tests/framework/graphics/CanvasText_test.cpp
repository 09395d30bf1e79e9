#include <gtest/gtest.h>

#include <climits>

#include "framework/base/Utf8.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "support/BitmapPicture.h"

namespace {

// A red bitmap whose canvas writes white text at 12 pixels per em.
struct CanvasTextTest : ::testing::Test {
  TBitmap bitmap{80, 80};
  TCanvas& canvas = bitmap.Canvas();

  void SetUp() override {
    FillBitmap(bitmap, clRed);
    canvas.Font.Name = "MS Sans Serif";
    canvas.Font.Height = -12;
    canvas.Font.Color = clWhite;
    canvas.Brush.Color = clBlue;
  }

  int CountOf(TColor color, const TRect& area) const {
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) count += canvas.Pixel(x, y) == color;
    return count;
  }
};

}  // namespace

TEST(FontSize, PointsAndCharacterHeightConvertAtNinetySixPixelsPerInch) {
  TFont font;
  const std::pair<int, int> sizes[] = {{14, -19}, {10, -13}, {9, -12}, {8, -11}};
  for (const auto& [points, height] : sizes) {
    font.SetSize(points);
    EXPECT_EQ(font.Height, height) << points;
    EXPECT_EQ(font.Size(), points) << height;
  }
  font.Height = 19;  // a cell height reads as a negative size
  EXPECT_EQ(font.Size(), -14);
}

TEST(Utf8, DecodesOneCodePointPerCharacterAndKeepsStrayBytes) {
  EXPECT_EQ(DecodeUtf8("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"),
            (std::u32string{U'a', U'\u00E9', U'\u20AC', U'\U0001F600'}));
  EXPECT_EQ(DecodeUtf8("\xE9t\xC3"), (std::u32string{0xE9, U't', 0xC3}));
  EXPECT_EQ(DecodeUtf8("\xC0\x80\xED\xA0\x80"), (std::u32string{0xC0, 0x80, 0xED, 0xA0, 0x80}));
}

// --- Measuring ---

TEST_F(CanvasTextTest, InstalledFacesGiveExtents) {
  canvas.Font.Name = "Times New Roman";
  canvas.Font.SetSize(14);
  canvas.Font.Style = static_cast<TFontStyles>(TFontStyle::fsBold);
  const TSize serif = canvas.TextExtent("zzQuenbrel");
  canvas.Font.Name = "MS Sans Serif";
  canvas.Font.SetSize(9);
  canvas.Font.Style = 0;
  const TSize sans = canvas.TextExtent("zzQuenbrel");
  EXPECT_GT(serif.cx, 0);
  EXPECT_GE(serif.cy, 19);
  EXPECT_GT(sans.cx, 0);
  EXPECT_GE(sans.cy, 12);
  EXPECT_GT(serif.cx, sans.cx);
}

TEST_F(CanvasTextTest, ExtentIsTheSumOfAdvancesByTheCellHeight) {
  const TSize ab = canvas.TextExtent("ab");
  EXPECT_EQ(ab.cx, canvas.TextWidth("a") + canvas.TextWidth("b"));
  EXPECT_EQ(ab.cy, canvas.TextHeight(""));
  EXPECT_EQ(canvas.TextWidth(""), 0);
  canvas.Font.Height = 20;  // a cell height: ascent and descent together
  EXPECT_EQ(canvas.TextHeight("ab"), 20);
  canvas.Font.Height = -20;
  EXPECT_GT(canvas.TextHeight("ab"), 20);
}

TEST_F(CanvasTextTest, ExtentIgnoresTheEscapement) {
  const TSize upright = canvas.TextExtent("Rotate");
  canvas.Font.Escapement = 900;
  EXPECT_EQ(canvas.TextExtent("Rotate"), upright);
}

TEST_F(CanvasTextTest, MultiByteCharactersMeasureAsOne) {
  EXPECT_EQ(canvas.TextWidth("\xC3\xA9"), canvas.TextWidth("\xE9"));
  EXPECT_LT(canvas.TextWidth("\xC3\xA9"), canvas.TextWidth("\xC3") + canvas.TextWidth("\xA9"));
}

TEST_F(CanvasTextTest, BoldIsWiderAndUnknownFacesFallBack) {
  const int regular = canvas.TextWidth("Quenbrel");
  canvas.Font.AddStyle(TFontStyle::fsBold);
  EXPECT_GT(canvas.TextWidth("Quenbrel"), regular);
  canvas.Font.Name = "No Such Face At All";
  EXPECT_GT(canvas.TextWidth("Quenbrel"), 0);
}

// --- Drawing ---

TEST_F(CanvasTextTest, OpaqueTextFillsItsBoxTransparentTextOnlyDrawsGlyphs) {
  const TSize extent = canvas.TextExtent("i i");
  const TRect box = Bounds(5, 5, extent.cx, extent.cy);
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextOut(5, 5, "i i");
  EXPECT_GT(CountOf(clWhite, box), 0);
  EXPECT_GT(CountOf(clRed, box), 0);
  EXPECT_EQ(CountOf(clBlue, {0, 0, 80, 80}), 0);
  EXPECT_EQ(CountOf(clWhite, {0, 0, 80, 80}), CountOf(clWhite, box));

  canvas.BkMode = TBkMode::Opaque;
  canvas.TextOut(5, 5, "i i");
  EXPECT_EQ(CountOf(clRed, box), 0);
  EXPECT_EQ(CountOf(clBlue, {0, 0, 80, 80}) + CountOf(clWhite, {0, 0, 80, 80}), box.Width() * box.Height());
}

TEST_F(CanvasTextTest, AClearBrushLeavesTheBackgroundEvenWhenOpaque) {
  canvas.BkMode = TBkMode::Opaque;
  canvas.Brush.Style = TBrushStyle::bsClear;
  canvas.TextOut(5, 5, "i i");
  canvas.TextRect({0, 0, 80, 80}, 40, 40, "i i");
  EXPECT_EQ(CountOf(clBlue, {0, 0, 80, 80}), 0);
  EXPECT_GT(CountOf(clWhite, {0, 0, 80, 80}), 0);
}

TEST_F(CanvasTextTest, AlignmentPlacesTheBoxAroundTheAnchor) {
  canvas.BkMode = TBkMode::Opaque;
  const TSize extent = canvas.TextExtent("Hxg");
  const int ascent = [&] {
    canvas.TextAlign = TA_LEFT | TA_BASELINE;
    canvas.TextOut(0, 40, "Hxg");
    return 40 - InkBounds(bitmap, clRed).Top;
  }();
  struct Case {
    unsigned Align;
    TRect Box;
  };
  const Case cases[] = {
      {TA_LEFT | TA_TOP, Bounds(40, 40, extent.cx, extent.cy)},
      {TA_RIGHT | TA_BOTTOM, Bounds(40 - extent.cx, 40 - extent.cy, extent.cx, extent.cy)},
      {TA_RIGHT | TA_BASELINE, Bounds(40 - extent.cx, 40 - ascent, extent.cx, extent.cy)},
      {TA_CENTER | TA_TOP, Bounds(40 - extent.cx / 2, 40, extent.cx, extent.cy)},
  };
  for (const Case& test : cases) {
    FillBitmap(bitmap, clRed);
    canvas.TextAlign = test.Align;
    canvas.TextOut(40, 40, "Hxg");
    EXPECT_EQ(InkBounds(bitmap, clRed), test.Box) << test.Align;
  }
}

TEST_F(CanvasTextTest, RotatedTextTurnsAboutItsAnchor) {
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextOut(10, 10, "Quenbrel");
  const TRect upright = InkBounds(bitmap, clRed);
  EXPECT_GT(upright.Width(), upright.Height());

  FillBitmap(bitmap, clRed);
  canvas.Font.Escapement = 900;  // reads upwards, glyph tops to the left
  canvas.TextOut(40, 70, "Quenbrel");
  const TRect turned = InkBounds(bitmap, clRed);
  EXPECT_GT(turned.Height(), turned.Width());
  EXPECT_GE(turned.Left, 40);
  EXPECT_LE(turned.Bottom, 71);
  EXPECT_NEAR(turned.Height(), upright.Width(), 2);

  FillBitmap(bitmap, clRed);
  canvas.Font.Escapement = -1800;  // upside down: runs left, hangs above
  canvas.TextOut(70, 70, "Quenbrel");
  const TRect reversed = InkBounds(bitmap, clRed);
  EXPECT_LE(reversed.Right, 71);
  EXPECT_LE(reversed.Bottom, 71);
  EXPECT_NEAR(reversed.Width(), upright.Width(), 2);
}

TEST_F(CanvasTextTest, RotatedOpaqueBoxFollowsTheBaseline) {
  canvas.Font.Escapement = 2700;  // reads downwards
  canvas.TextOut(40, 5, "Quen");
  const TSize extent = canvas.TextExtent("Quen");
  EXPECT_EQ(InkBounds(bitmap, clRed), (TRect{40 - extent.cy, 5, 40, 5 + extent.cx}));
}

TEST_F(CanvasTextTest, UnderlineAndStrikeOutRunTheWholeWidth) {
  canvas.BkMode = TBkMode::Transparent;
  const int width = canvas.TextWidth("i i i");
  auto fullRows = [&] {
    int rows = 0;
    for (int y = 0; y < 80; ++y) rows += CountOf(clWhite, {0, y, 80, y + 1}) == width;
    return rows;
  };
  canvas.TextOut(0, 0, "i i i");
  EXPECT_EQ(fullRows(), 0);
  canvas.Font.AddStyle(TFontStyle::fsUnderline);
  canvas.TextOut(0, 0, "i i i");
  EXPECT_GE(fullRows(), 1);
  canvas.Font.Style = static_cast<TFontStyles>(TFontStyle::fsStrikeOut);
  canvas.TextOut(0, 40, "i i i");
  EXPECT_GE(fullRows(), 2);
}

TEST_F(CanvasTextTest, FontColourResolvesSystemColours) {
  canvas.BkMode = TBkMode::Transparent;
  canvas.Font.Color = clBtnShadow;
  canvas.TextOut(0, 0, "H");
  EXPECT_GT(CountOf(RGB(128, 128, 128), {0, 0, 80, 80}), 0);
}

TEST_F(CanvasTextTest, TextRectClipsToItsRectangleAndFillsItWhenOpaque) {
  const TRect r{10, 10, 30, 18};
  canvas.TextRect(r, 5, 8, "Quenbrel Quenbrel");
  EXPECT_EQ(InkBounds(bitmap, clRed), r);
  EXPECT_EQ(CountOf(clWhite, r) + CountOf(clBlue, r), r.Width() * r.Height());
  EXPECT_GT(CountOf(clWhite, r), 0);
  EXPECT_FALSE(canvas.ClipRect().has_value());
}

TEST_F(CanvasTextTest, FarAwayAnchorsDrawNothing) {
  canvas.TextAlign = TA_RIGHT | TA_BOTTOM;
  canvas.TextOut(INT_MIN, INT_MAX, "Quenbrel");
  canvas.TextAlign = TA_LEFT | TA_TOP;
  canvas.Font.Escapement = 450;
  canvas.TextOut(INT_MAX, INT_MIN, "Quenbrel");
  EXPECT_EQ(InkBounds(bitmap, clRed), TRect{});
}

TEST_F(CanvasTextTest, TextHonoursTheClipRectAndReportsTheChange) {
  int changes = 0;
  bitmap.OnChange = [&] { ++changes; };
  canvas.SetClipRect({0, 0, 4, 80});
  canvas.TextOut(0, 0, "Quenbrel");
  canvas.TextRect({0, 0, 80, 80}, 0, 0, "Q");
  EXPECT_EQ(InkBounds(bitmap, clRed).Right, 4);
  EXPECT_EQ(changes, 2);
}
