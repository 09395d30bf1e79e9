#include "framework/platform/wayland/CaptionBar.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/Bitmap.h"

namespace {

using TPart = TCaptionBar::TPart;

// A dialog of 200 x 100 in its frame.
constexpr TRect kInsets = TCaptionBar::Insets();
constexpr TSize kSurface{200 + kInsets.Left + kInsets.Right, 100 + kInsets.Top + kInsets.Bottom};
constexpr std::uint32_t kNavy = 0x000080, kGrey = 0x808080, kWhite = 0xFFFFFF, kBlack = 0, kFace = 0xC0C0C0;
// What a client area holds, which the frame leaves alone.
constexpr std::uint32_t kClient = 0x123456;

TPoint MiddleOf(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

TEST(CaptionBar, ThePointerIsOnTheClientTheCaptionTheCloseBoxOrTheBorder) {
  TCaptionBar bar;
  const TRect close = TCaptionBar::CloseBoxRect(kSurface);
  EXPECT_EQ(close.Right, kSurface.cx - kInsets.Right - 2);
  EXPECT_EQ(bar.PartAt({kInsets.Left, kInsets.Top}, kSurface), TPart::Client);
  EXPECT_EQ(bar.PartAt({kSurface.cx - kInsets.Right - 1, kSurface.cy - kInsets.Bottom - 1}, kSurface), TPart::Client);
  EXPECT_EQ(bar.PartAt({kInsets.Left - 1, kInsets.Top}, kSurface), TPart::Border);
  EXPECT_EQ(bar.PartAt({kSurface.cx / 2, kSurface.cy - 1}, kSurface), TPart::Border);
  EXPECT_EQ(bar.PartAt({10, 10}, kSurface), TPart::Caption);
  EXPECT_EQ(bar.PartAt(MiddleOf(close), kSurface), TPart::CloseBox);
  EXPECT_EQ(bar.PartAt({close.Left - 1, close.Top}, kSurface), TPart::Caption);
  // A window without a window menu has no close box: its place is caption.
  bar.HasCloseBox = false;
  EXPECT_EQ(bar.PartAt(MiddleOf(close), kSurface), TPart::Caption);
}

TEST(CaptionBar, OnlyAClickPressedAndReleasedOnTheCloseBoxCloses) {
  TCaptionBar bar;
  const TPoint close = MiddleOf(TCaptionBar::CloseBoxRect(kSurface));
  EXPECT_EQ(bar.Press(close, kSurface), TPart::CloseBox);
  EXPECT_TRUE(bar.ClosePressed());
  // Off the box it rises, back on it goes down again; released elsewhere, nothing closes.
  EXPECT_TRUE(bar.Drag({10, 10}, kSurface));
  EXPECT_FALSE(bar.ClosePressed());
  EXPECT_FALSE(bar.Drag({11, 10}, kSurface));
  EXPECT_TRUE(bar.Drag(close, kSurface));
  EXPECT_TRUE(bar.ClosePressed());
  bar.Drag({10, 10}, kSurface);
  EXPECT_FALSE(bar.Release({10, 10}, kSurface));
  EXPECT_TRUE(bar.Press(close, kSurface) == TPart::CloseBox && bar.Release(close, kSurface));
  EXPECT_FALSE(bar.ClosePressed());
  // A press on the caption moves the window; its release on the close box closes nothing.
  EXPECT_EQ(bar.Press({10, 10}, kSurface), TPart::Caption);
  EXPECT_FALSE(bar.Drag(close, kSurface));
  EXPECT_FALSE(bar.Release(close, kSurface));
}

class CaptionBarPainting : public ::testing::Test {
 protected:
  TBitmap& Painted() {
    Picture.Canvas().Brush.Color = PixelToColor(kClient);
    Picture.Canvas().FillRect({0, 0, kSurface.cx, kSurface.cy});
    Bar.Paint(Picture.Canvas(), kSurface);
    return Picture;
  }
  int Count(const TRect& area, std::uint32_t pixel) {
    int count = 0;
    for (int y = area.Top; y < area.Bottom; ++y)
      for (int x = area.Left; x < area.Right; ++x) count += Picture.PixelAt(x, y) == pixel;
    return count;
  }
  TCaptionBar Bar;
  TBitmap Picture{kSurface.cx, kSurface.cy};
};

TEST_F(CaptionBarPainting, ARaisedBorderAroundAnUntouchedClientAndACaptionThatShowsWhetherTheWindowIsActive) {
  Bar.Title = "Settings";
  Bar.Active = true;
  Painted();
  const TRect client{kInsets.Left, kInsets.Top, kSurface.cx - kInsets.Right, kSurface.cy - kInsets.Bottom};
  const TRect caption = TCaptionBar::CaptionRect(kSurface);
  EXPECT_EQ(Count(client, kClient), client.Width() * client.Height());
  EXPECT_EQ(Count({0, 0, kSurface.cx, kSurface.cy}, kClient), client.Width() * client.Height());
  // The outer ring: light above and left, black below and right.
  EXPECT_EQ(Picture.PixelAt(0, 0), kWhite);
  EXPECT_EQ(Picture.PixelAt(kSurface.cx - 1, kSurface.cy / 2), kBlack);
  EXPECT_EQ(Picture.PixelAt(kInsets.Left - 1, kSurface.cy / 2), kFace);
  // A navy caption with the title in white at its left, none of it in the close box.
  const TRect close = TCaptionBar::CloseBoxRect(kSurface);
  EXPECT_GT(Count(caption, kNavy), caption.Width() * caption.Height() / 2);
  EXPECT_GT(Count({caption.Left, caption.Top, caption.Left + 60, caption.Bottom}, kWhite), 20);
  EXPECT_EQ(Count({caption.Left + 80, caption.Top, close.Left, caption.Bottom}, kWhite), 0);
  EXPECT_EQ(Picture.PixelAt(close.Left, close.Top), kWhite);  // a button at rest
  EXPECT_GT(Count(close, kBlack), 16);                        // its cross
  Bar.Active = false;
  Painted();
  EXPECT_EQ(Count(caption, kNavy), 0);
  EXPECT_GT(Count(caption, kGrey), caption.Width() * caption.Height() / 2);
}

TEST_F(CaptionBarPainting, ATitleTooLongStopsBeforeTheCloseBoxWhichLooksPressedWhileHeld) {
  Bar.Title = std::string(80, 'W');
  Bar.Active = true;
  const TRect close = TCaptionBar::CloseBoxRect(kSurface);
  Bar.Press(MiddleOf(close), kSurface);
  Painted();
  EXPECT_EQ(Count({close.Left - 2, close.Top, close.Left, close.Bottom}, kWhite), 0);
  EXPECT_EQ(Picture.PixelAt(close.Left, close.Top), kBlack);  // a button held down
  // Without a close box the title runs to the caption's end.
  TCaptionBar plain;
  plain.Title = Bar.Title;
  plain.HasCloseBox = false;
  plain.Active = true;
  Picture.Canvas().FillRect({0, 0, kSurface.cx, kSurface.cy});
  plain.Paint(Picture.Canvas(), kSurface);
  EXPECT_GT(Count(close, kWhite), 0);
}

}  // namespace
