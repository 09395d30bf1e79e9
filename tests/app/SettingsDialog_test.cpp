#include <filesystem>

#include "SettingsRun.h"
#include "app/AboutF.h"
#include "engine/Quenbrel.h"
#include "framework/ui/controls/BitBtn.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

class SettingsDialog : public SettingsRun {};

TEST_F(SettingsDialog, OpensCentredWithTheDefaultsAndOkWritesThemEvenUnchanged) {
  System->At(10, [this] {
    ASSERT_NE(Form3, nullptr);
    const THeadlessWindow* window = System->Window(Form3->Handle());
    EXPECT_TRUE(window->Visible);
    EXPECT_EQ(window->Caption, "Settings");
    EXPECT_EQ(window->Params.BorderStyle, TBorderStyle::bsDialog);
    EXPECT_EQ(window->Bounds, Bounds((640 - 361) / 2, (480 - 105) / 2, 361, 105));
    EXPECT_EQ(Form3->ColorButton1->Color(), clBlue);
    EXPECT_EQ(Form3->ColorButton2->Color(), clBlack);
    EXPECT_EQ(System->TaskbarHides, 1);
    ClickOn(*Form3->BitBtn1);
  });
  EXPECT_EQ(Run({"/c"}), 0);
  EXPECT_EQ(System->NowMs(), 10);
  EXPECT_EQ(FileBytes(), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Form3, nullptr);
  EXPECT_TRUE(System->OwnWindows().empty());
}

TEST_F(SettingsDialog, ShowsTheStoredColoursAndEnterSavesThemBack) {
  WriteFile({0x00, 0x00, 0xFF, 0x00, 0x20, 0x40, 0x60, 0x00, 0xAA});
  System->At(10, [this] {
    EXPECT_EQ(Form3->ColorButton1->Color(), clRed);
    EXPECT_EQ(Form3->ColorButton2->Color(), RGB(0x60, 0x40, 0x20));
    Press(VK_RETURN);
  });
  Run({"/c:4711"});
  EXPECT_EQ(System->NowMs(), 10);
  EXPECT_EQ(FileBytes(), (Bytes{0x00, 0x00, 0xFF, 0x00, 0x20, 0x40, 0x60, 0x00}));
}

TEST_F(SettingsDialog, CancelEscapeAndTheCloseBoxLeaveTheFileUntouched) {
  const Bytes stored{1, 2, 3, 0, 4, 5, 6, 0};
  WriteFile(stored);
  const std::vector<std::function<void()>> closers{
      [this] { ClickOn(*Form3->BitBtn2); }, [this] { Press(VK_ESCAPE); },
      [this] { System->Push(Headless::Of(TEventKind::CloseRequest, Form3->Handle())); }};
  for (std::size_t i = 0; i < closers.size(); ++i) {
    const std::int64_t start = System->NowMs();
    System->At(start + 10, [&, this] {
      Form3->ColorButton1->SetColor(clLime);
      Form3->ColorButton2->SetColor(clYellow);
      closers[i]();
    });
    EXPECT_EQ(Run({"/c"}), 0);
    EXPECT_EQ(System->NowMs(), start + 10) << "closer " << i;
    EXPECT_EQ(FileBytes(), stored) << "closer " << i;
  }
}

TEST_F(SettingsDialog, AColourPickedInTheChooserReachesTheFileInPixelOrder) {
  constexpr int kSwatch = 8;
  PickColourAt(10, &TForm3::ColorButton2, kSwatch);
  System->At(30, [this] {
    EXPECT_EQ(Chooser(), nullptr);
    EXPECT_EQ(Form3->ColorButton2->Color(), TColorChooser::BasicColor(kSwatch));
    ClickOn(*Form3->BitBtn1);
  });
  Run({"/c"});
  EXPECT_EQ(System->NowMs(), 30);
  const TPixel picked = ColorToPixel(TColorChooser::BasicColor(kSwatch));
  EXPECT_EQ(FileBytes(),
            (Bytes{0xFF, 0, 0, 0, std::uint8_t(picked), std::uint8_t(picked >> 8), std::uint8_t(picked >> 16), 0}));
}

TEST_F(SettingsDialog, TheForegroundWindowIsDisabledWhileItIsOpenAndActivatedAfter) {
  const TWindowHandle host = System->CreateForeignWindow({300, 200});
  System->Foreground = host;
  System->At(10, [&, this] {
    EXPECT_FALSE(System->Window(host)->Enabled);
    ASSERT_EQ(System->EnableCalls.size(), 1u);
    // An ordinary top-level window, not the foreign window's.
    EXPECT_EQ(System->Window(Form3->Handle())->Params.TransientFor, 0u);
    EXPECT_TRUE(System->ForegroundRequests.empty());
    Press(VK_ESCAPE);
  });
  Run({"/c"});
  EXPECT_TRUE(System->Window(host)->Enabled);
  ASSERT_EQ(System->EnableCalls.size(), 2u);
  EXPECT_EQ(System->EnableCalls[1].Foreign, host);
  EXPECT_TRUE(System->EnableCalls[1].Enable);
  EXPECT_EQ(System->ForegroundRequests, (std::vector<TWindowHandle>{host}));
}

TEST_F(SettingsDialog, WithoutAForegroundWindowNothingIsDisabledOrActivated) {
  System->PushAt(10, Headless::Key(VK_ESCAPE));
  Run({"/c"});
  EXPECT_TRUE(System->EnableCalls.empty());
  EXPECT_TRUE(System->ForegroundRequests.empty());
}

TEST_F(SettingsDialog, AnUnwritableSettingsFileIsReportedAndTheDialogStaysOpen) {
  // A directory with the file's name cannot be created as a file, even by root.
  std::filesystem::create_directory(SettingsFile());
  System->At(10, [this] { ClickOn(*Form3->BitBtn1); });
  System->At(20, [this] {
    EXPECT_EQ(Application->ShownMessages,
              (std::vector<std::string>{"Cannot create file " + SettingsFile() + ": Is a directory."}));
    EXPECT_EQ(System->Window(System->Focus)->Caption, "zzQuenbrel I");
    System->Push(Headless::Key(VK_RETURN));
  });
  System->At(30, [this] {
    ASSERT_NE(Form3, nullptr);
    EXPECT_TRUE(System->Window(Form3->Handle())->Visible);
    EXPECT_FALSE(Application->Terminated());
    Press(VK_ESCAPE);
  });
  Run({"/c"});
  EXPECT_EQ(System->NowMs(), 30);
  EXPECT_TRUE(std::filesystem::is_directory(SettingsFile()));
}

// A disk that fills up keeps the colours saved before, and the box says why OK failed.
TEST_F(SettingsDialog, OnAFullDiskOkKeepsTheOldColoursAndSaysWhy) {
  const Bytes stored{1, 2, 3, 0, 4, 5, 6, 0};
  const auto seen = RunOnOwnExt4(Settings.Path(), [&, this] {
    WriteFile(stored);
    FillDisk(Settings.Path());
    std::string result;
    PickColourAt(10, &TForm3::ColorButton1, 0);
    System->At(30, [this] { ClickOn(*Form3->BitBtn1); });
    System->At(40, [&, this] {
      for (const std::string& message : Application->ShownMessages) result += message + "\n";
      System->Push(Headless::Key(VK_RETURN));
    });
    System->At(50, [this] { Press(VK_ESCAPE); });
    Run({"/c"});
    return result + (FileBytes() == stored ? "kept" : "lost");
  });
  if (!seen) GTEST_SKIP() << "no ext4 of our own can be mounted here";
  EXPECT_EQ(*seen, "Cannot write file " + SettingsFile() + ": No space left on device.\nkept");
}

// The buttons show what the saver would use, and OK stores only what the user saw.
TEST_F(SettingsDialog, AnUnreadableSettingsFileIsReportedAndTheButtonsShowTheEnginesDefaults) {
  WriteFile({0, 0, 0xFF, 0, 0, 0, 0xFF, 0});
  // Writable but not readable, for the test's user as for the one it runs the program as.
  std::filesystem::permissions(SettingsFile(),
                               std::filesystem::perms::owner_write | std::filesystem::perms::others_write);
  const std::string seen = RunUnprivileged([this] {
    std::string result;
    System->At(10, [&, this] {
      for (const std::string& message : Application->ShownMessages) result += message + "\n";
      result += std::to_string(Form3->ColorButton1->Color()) + " " + std::to_string(Form3->ColorButton2->Color());
      Press(VK_RETURN);
    });
    System->At(5, [this] { System->Push(Headless::Key(VK_RETURN)); });  // the error box
    Run({"/c"});
    return result;
  });
  EXPECT_EQ(seen, "Cannot open file " + SettingsFile() + ": Permission denied.\n" + std::to_string(clBlue) + " " +
                      std::to_string(clBlack));
  EXPECT_EQ(FileBytes(), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(SettingsDialog, TheFocusedAboutButtonAloneLooksLikeTheDefaultAlsoWhenRedrawnUnderTheAboutBox) {
  const auto look = [this] {
    const TWindowHandle window = Form3->Handle();
    std::string seen;
    for (const TBitBtn* button : {Form3->BitBtn1, Form3->BitBtn2, Form3->BitBtn3}) {
      const TPoint at = button->WindowOffset();
      int dots = 0;
      for (int x = at.X + 4; x < at.X + button->Width() - 4; ++x) dots += System->PixelAt(window, x, at.Y + 4) == 0;
      seen += System->PixelAt(window, at.X, at.Y + 16) == 0 ? "F" : "-";
      seen += dots > 0 ? "." : " ";
    }
    return seen;
  };
  System->At(10, [&, this] {
    EXPECT_EQ(look(), "F.- - ");
    Press(VK_TAB);
    Press(VK_TAB);
  });
  System->At(20, [&, this] {
    EXPECT_EQ(look(), "- - F.");
    Press(VK_RETURN);
  });
  System->At(30, [&, this] {
    ASSERT_NE(AboutF, nullptr);
    TWsEvent exposed = Headless::Of(TEventKind::Expose, Form3->Handle());
    exposed.Area = Form3->ClientRect();
    System->Push(exposed);
  });
  System->At(40, [&, this] {
    EXPECT_EQ(look(), "- - F.");
    ClickOn(*AboutF->BitBtn1);
  });
  System->At(50, [&, this] {
    EXPECT_EQ(AboutF, nullptr);
    EXPECT_EQ(look(), "- - F.");
    Press(VK_ESCAPE);
  });
  Run({"/c"});
  EXPECT_EQ(System->NowMs(), 50);
}

TEST_F(SettingsDialog, OpensTheAboutBoxModallyAsOftenAsAskedAndStaysAsItWas) {
  for (int round = 0; round < 3; ++round) {
    const std::int64_t t = 10 + 30 * round;
    System->At(t, [this] { ClickOn(*Form3->BitBtn3); });
    System->At(t + 10, [this] {
      ASSERT_NE(AboutF, nullptr);
      EXPECT_TRUE(AboutF->Modal());
      EXPECT_FALSE(Form3->Enabled());
      EXPECT_EQ(AboutF->Owner(), Application);
      ClickOn(*AboutF->BitBtn1);
    });
    System->At(t + 20, [this] {
      EXPECT_EQ(AboutF, nullptr);
      EXPECT_TRUE(Form3->Enabled());
      EXPECT_EQ(System->VisibleOwnWindows(), (std::vector<TWindowHandle>{Form3->Handle()}));
    });
  }
  System->At(100, [this] { ClickOn(*Form3->BitBtn1); });
  Run({"/c"});
  EXPECT_EQ(System->NowMs(), 100);
  EXPECT_EQ(FileBytes(), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
}

}  // namespace
