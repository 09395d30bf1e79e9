#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "framework/ui/dialogs/ColorChooser.h"
#include "framework/ui/dialogs/ColorDialog.h"
#include "support/HeadlessApp.h"

namespace {

using Headless = THeadlessWindowSystem;

class ColorDialog : public ::testing::Test {
 protected:
  THeadlessApp H;
  TColorDialog Dialog{nullptr};

  void SetUp() override { Dialog.SetColor(clBlue); }
  // Runs the dialog; `user` acts on its window once it is shown.
  bool Execute(const std::function<void(TColorChooser&)>& user) {
    H.System->At(H.System->NowMs() + 10, [this, user] { user(*static_cast<TColorChooser*>(H.App.Forms().back())); });
    return Dialog.Execute();
  }
  void ClickAt(const TRect& r) {
    const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
    H.System->Push(Headless::Mouse(TEventKind::MouseDown, x, y));
    H.System->Push(Headless::Mouse(TEventKind::MouseUp, x, y));
  }
};

TEST_F(ColorDialog, ASwatchClickedThenOkIsTheNewColour) {
  std::string caption;
  EXPECT_TRUE(Execute([&](TColorChooser& chooser) {
    caption = H.System->Window(H.System->Focus)->Caption;
    ClickAt(chooser.BasicSwatchRect(9));
    ClickAt(chooser.OkButton().BoundsRect());
  }));
  EXPECT_EQ(caption, "Color");
  EXPECT_EQ(Dialog.Color(), TColorChooser::BasicColor(9));
  EXPECT_EQ(Dialog.Color(), clYellow);
}

TEST_F(ColorDialog, ShowsEverySwatchInItsColour) {
  std::vector<TPixel> shown, wanted;
  Execute([&](TColorChooser& chooser) {
    const THeadlessWindow& window = *H.System->Window(H.System->Focus);
    for (int i = 0; i < TColorChooser::BasicColorCount; ++i) {
      const TRect r = chooser.BasicSwatchRect(i);
      const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2;
      shown.push_back(window.Pixels[static_cast<std::size_t>(y * window.Bounds.Width() + x)]);
      wanted.push_back(ColorToPixel(TColorChooser::BasicColor(i)));
    }
    H.System->Push(Headless::Key(VK_ESCAPE));
  });
  EXPECT_EQ(shown, wanted);
}

TEST_F(ColorDialog, CancelEscapeAndTheCloseBoxKeepTheColour) {
  for (int way = 0; way < 3; ++way) {
    EXPECT_FALSE(Execute([&](TColorChooser& chooser) {
      ClickAt(chooser.BasicSwatchRect(0));
      if (way == 0) ClickAt(chooser.CancelButton().BoundsRect());
      if (way == 1) H.System->Push(Headless::Key(VK_ESCAPE));
      if (way == 2) H.System->Push(Headless::Of(TEventKind::CloseRequest));
    })) << way;
    EXPECT_EQ(Dialog.Color(), clBlue) << way;
  }
}

TEST_F(ColorDialog, TheBarsFollowTheSelectionAndSetItInTurn) {
  TColor preview = clBlack;
  EXPECT_TRUE(Execute([&](TColorChooser& chooser) {
    EXPECT_EQ(chooser.BlueBar().Position(), 255);  // the colour it opened with
    EXPECT_EQ(chooser.RedBar().Position(), 0);
    ClickAt(chooser.BasicSwatchRect(16));  // 80 40 40
    H.App.ProcessMessages();
    EXPECT_EQ(chooser.RedBar().Position(), 0x80);
    EXPECT_EQ(chooser.GreenBar().Position(), 0x40);
    EXPECT_EQ(chooser.BlueBar().Position(), 0x40);
    chooser.GreenBar().SetPosition(200);
    preview = chooser.SelectedColor();
    H.System->Push(Headless::Key(VK_RETURN));
  }));
  EXPECT_EQ(preview, RGB(0x80, 200, 0x40));
  EXPECT_EQ(Dialog.Color(), RGB(0x80, 200, 0x40));
}

TEST_F(ColorDialog, ACustomColourIsKeptForLaterDialogs) {
  const TColor custom = RGB(1, 2, 3);
  Dialog.SetColor(custom);
  EXPECT_FALSE(Execute([&](TColorChooser& chooser) {
    ClickAt(chooser.AddCustomButton().BoundsRect());
    H.System->Push(Headless::Key(VK_ESCAPE));
  }));
  Dialog.SetColor(clWhite);
  const auto& colors = TColorDialog::CustomColors();
  const auto found = std::find(colors.begin(), colors.end(), custom);
  ASSERT_NE(found, colors.end());
  const int slot = static_cast<int>(found - colors.begin());
  EXPECT_TRUE(Execute([&](TColorChooser& chooser) {
    ClickAt(chooser.CustomSwatchRect(slot));
    H.System->Push(Headless::Key(VK_RETURN));
  }));
  EXPECT_EQ(Dialog.Color(), custom);
}

}  // namespace
