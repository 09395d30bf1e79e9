#include <gtest/gtest.h>

#include <functional>

#include "framework/graphics/TextPainter.h"
#include "framework/ui/core/Timer.h"
#include "framework/ui/dialogs/MessageBox.h"
#include "framework/ui/dialogs/WrappedText.h"
#include "support/HeadlessApp.h"

namespace {

using Headless = THeadlessWindowSystem;

TEST(FullStop, IsAddedOnlyAfterACharacterThatSortsAfterIt) {
  EXPECT_EQ(WithFullStop("Cannot open file x.ini"), "Cannot open file x.ini.");
  EXPECT_EQ(WithFullStop("value 7"), "value 7.");
  EXPECT_EQ(WithFullStop("'abc' is not a valid integer value"), "'abc' is not a valid integer value.");
  EXPECT_EQ(WithFullStop("a/"), "a/.");
  EXPECT_EQ(WithFullStop("Done."), "Done.");
  EXPECT_EQ(WithFullStop("trailing blank "), "trailing blank ");
  EXPECT_EQ(WithFullStop("(note)"), "(note)");
  EXPECT_EQ(WithFullStop("Stop!"), "Stop!");
  EXPECT_EQ(WithFullStop("minus-"), "minus-");
  EXPECT_EQ(WithFullStop(""), "");
}

class ExceptionBox : public ::testing::Test {
 protected:
  THeadlessApp H;
  TWindowHandle BoxWindow = 0;

  void SetUp() override { H.App.Title = "zzQuenbrel I"; }
  // Looks at the box while it waits, then dismisses it with `key`.
  void DismissAt(std::int64_t time, unsigned key) {
    H.System->At(time, [this, key] {
      BoxWindow = H.System->Focus;
      H.System->Push(Headless::Key(key));
    });
  }
};

TEST_F(ExceptionBox, ShowsTheMessageUnderTheTitleUntilEnterAndTheProgramGoesOn) {
  DismissAt(100, VK_RETURN);
  H.App.ShowException(Exception("Cannot open file zzQuenbrel.ini"));
  EXPECT_EQ(H.App.ShownMessages, (std::vector<std::string>{"Cannot open file zzQuenbrel.ini."}));
  EXPECT_EQ(H.System->NowMs(), 100);
  EXPECT_NE(BoxWindow, 0u);
  EXPECT_EQ(H.System->Window(BoxWindow), nullptr);  // gone once dismissed
  EXPECT_TRUE(H.System->OwnWindows().empty());
}

TEST_F(ExceptionBox, HasAnErrorIconAGreyFaceAndABevelledButton) {
  TPixel iconCentre = 0, iconTop = 0, face = 0, buttonCorner = 0;
  std::string caption;
  H.System->At(10, [&] {
    const TWindowHandle box = H.System->Focus;
    caption = H.System->Window(box)->Caption;
    iconCentre = H.System->PixelAt(box, 28, 28);
    iconTop = H.System->PixelAt(box, 28, 15);
    face = H.System->PixelAt(box, 2, 2);
    const TRect button = static_cast<TMessageBox*>(H.App.Forms().back())->ButtonRect();
    buttonCorner = H.System->PixelAt(box, button.Left, button.Top);
    H.System->Push(Headless::Key(VK_ESCAPE));
  });
  H.App.ShowException(Exception("broken"));
  EXPECT_EQ(caption, "zzQuenbrel I");
  EXPECT_EQ(iconCentre, 0xFFFFFFu);
  EXPECT_EQ(iconTop, 0xFF0000u);
  EXPECT_EQ(face, 0xC0C0C0u);
  EXPECT_EQ(buttonCorner, 0x000000u);
}

TEST_F(ExceptionBox, AClickOnOkOrTheCloseBoxDismissesIt) {
  H.System->At(10, [&] {
    auto* box = static_cast<TMessageBox*>(H.App.Forms().back());
    const TRect ok = box->ButtonRect();
    H.System->Push(Headless::Mouse(TEventKind::MouseDown, ok.Left + 5, ok.Top + 5));
    H.System->Push(Headless::Mouse(TEventKind::MouseUp, ok.Left + 6, ok.Top + 5));
  });
  H.App.ShowException(Exception("one"));
  H.System->At(30, [&] { H.System->Push(Headless::Of(TEventKind::CloseRequest)); });
  H.App.ShowException(Exception("two"));
  EXPECT_EQ(H.App.ShownMessages, (std::vector<std::string>{"one.", "two."}));
}

TEST_F(ExceptionBox, OtherKeysLeaveItOpen) {
  H.System->At(10, [&] { H.System->Push(Headless::Key('A')); });
  DismissAt(20, VK_RETURN);
  H.App.ShowException(Exception("x"));
  EXPECT_EQ(H.System->NowMs(), 20);
}

// Whatever the text, the box stays on the screen: a long one wraps between its words, a word
// wider than a line is cut in its middle, and lines beyond the screen's height are left out.
TEST_F(ExceptionBox, NeverGrowsPastTheScreen) {
  const std::string name = "/tmp/" + std::string(4000, 'a') + ".png";
  const TSize screen = H.System->ScreenSize();
  for (const std::string& text : {"Cannot open file " + name + ": No such file or directory", [] {
                                    std::string many;
                                    for (int i = 0; i < 3000; ++i) many += "word" + std::to_string(i) + ' ';
                                    return many;
                                  }()}) {
    TRect bounds;
    std::vector<std::string> lines;
    H.System->At(H.System->NowMs() + 10, [&] {
      bounds = H.System->Window(H.System->Focus)->Bounds;
      lines = static_cast<TMessageBox*>(H.App.Forms().back())->Lines();
      H.System->Push(Headless::Key(VK_RETURN));
    });
    H.App.ShowException(Exception(text));
    EXPECT_GE(bounds.Left, 0);
    EXPECT_GE(bounds.Top, 0);
    EXPECT_LE(bounds.Right, screen.cx);
    EXPECT_LE(bounds.Bottom, screen.cy);
    EXPECT_GT(lines.size(), 1u);
    for (const std::string& line : lines) EXPECT_LE(TTextPainter(TFont{}).Extent(line).cx, bounds.Width());
  }
}

TEST(WrapText, BreaksBetweenWordsCutsALongWordInItsMiddleAndEndsWhereTheLinesRunOut) {
  const TFont font;
  const TTextPainter measure(font);
  const int width = measure.Extent("one two three").cx;
  EXPECT_EQ(WrapText("one two three four five", font, width, 10),
            (std::vector<std::string>{"one two three", "four five"}));
  EXPECT_EQ(WrapText("first\n\nthird", font, width, 10), (std::vector<std::string>{"first", "", "third"}));
  const int wide = measure.Extent("/home/xxxxxxxx/name.png").cx;
  const std::vector<std::string> cut = WrapText("a /home/" + std::string(200, 'x') + "/name.png b", font, wide, 10);
  ASSERT_EQ(cut.size(), 3u);
  EXPECT_EQ(cut[0], "a");
  EXPECT_EQ(cut[1].substr(0, 6), "/home/");
  EXPECT_NE(cut[1].find("\xE2\x80\xA6"), std::string::npos);
  EXPECT_EQ(cut[1].substr(cut[1].size() - 4), ".png");
  EXPECT_LE(measure.Extent(cut[1]).cx, wide);
  EXPECT_GT(measure.Extent(cut[1] + "xx").cx, wide);  // as much as fits
  EXPECT_EQ(cut[2], "b");
  const std::vector<std::string> shortened = WrapText("one two three four five six seven", font, width, 2);
  ASSERT_EQ(shortened.size(), 2u);
  EXPECT_EQ(shortened[1].substr(0, 4), "four");
  EXPECT_EQ(shortened[1].substr(shortened[1].size() - 3), "\xE2\x80\xA6");
  EXPECT_LE(measure.Extent(shortened[1]).cx, width);
}

// A question: the keyboard on No, the arrows, the initials, Escape and a click all answer it.
TEST(Question, EndsWithTheAnswerGivenByKeysOrAClickAndShowsAWarning) {
  THeadlessApp H;
  const auto box = [&] { return static_cast<TMessageBox*>(H.App.Forms().back()); };
  const std::vector<std::function<void()>> answers{
      [&] { H.System->Push(Headless::Key(VK_RETURN)); }, [&] { H.System->Push(Headless::Key(VK_ESCAPE)); },
      [&] { H.System->Push(Headless::Key('Y')); },
      [&] {
        H.System->Push(Headless::Key(VK_LEFT));
        H.System->Push(Headless::Key(VK_RETURN));
      },
      [&] {
        const TRect yes = box()->ButtonRect(0);
        H.System->Push(Headless::Mouse(TEventKind::MouseDown, yes.Left + 5, yes.Top + 5));
        H.System->Push(Headless::Mouse(TEventKind::MouseUp, yes.Left + 5, yes.Top + 5));
      }};
  std::vector<TModalResult> results;
  TPixel warning = 0;
  for (const auto& answer : answers) {
    H.System->At(H.System->NowMs() + 10, [&] {
      warning = H.System->PixelAt(H.System->Focus, 22, 38);
      answer();
    });
    results.push_back(MessageDlg("Save As", "a.png already exists.", TMsgDlgType::mtWarning,
                                 {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, TMsgDlgBtn::mbNo));
  }
  EXPECT_EQ(results, (std::vector<TModalResult>{mrNo, mrNo, mrYes, mrYes, mrYes}));
  EXPECT_EQ(warning, 0xFFFF00u);
}

}  // namespace
