// The settings mode of zzQuenbrel.scr and the gallery under a real window manager, started
// from a window that stands for the terminal or the host's settings panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include <X11/Xutil.h>
#include "ChildProcess.h"
#include "TestDisplay.h"
#include "TestWindowManager.h"
#include "support/TempDir.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

constexpr int kScreenWidth = 640, kScreenHeight = 480;

class UnderAWindowManager : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(QUENBREL_PROGRAM, Program); }

  std::unique_ptr<TChildProcess> Start(const std::string& option) {
    return std::make_unique<TChildProcess>(std::vector<std::string>{Program, option},
                                           std::vector<std::string>{FXvfb.DisplayVariable()});
  }
  std::unique_ptr<TChildProcess> StartGallery() {
    return std::make_unique<TChildProcess>(std::vector<std::string>{QUENBREL_GALLERY},
                                           std::vector<std::string>{FXvfb.DisplayVariable()});
  }
  // The managed window with this title, once the window manager lists it.
  Window Managed(const std::string& title) {
    Window found = 0;
    WaitUntil([&] {
      for (const long window : FClient.Property(FClient.Root(), "_NET_CLIENT_LIST")) {
        char* name = nullptr;
        if (XFetchName(FClient.Handle(), static_cast<Window>(window), &name) && name && title == name)
          found = static_cast<Window>(window);
        if (name) XFree(name);
      }
      return found != 0;
    });
    return found;
  }
  bool Activate(Window window) {
    FClient.RequestActivation(window);
    return WaitUntil([&] { return FClient.ActiveWindow() == window; });
  }
  // WM_CLASS as "instance/class".
  std::string ClassOf(Window window) {
    XClassHint hint{};
    if (!XGetClassHint(FClient.Handle(), window, &hint)) return "";
    const std::string both = std::string(hint.res_name) + "/" + hint.res_class;
    XFree(hint.res_name);
    XFree(hint.res_class);
    return both;
  }
  Window Focus() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(FClient.Handle(), &focus, &revert);
    return focus;
  }
  // Waits until a window of the program other than `owner` has the keyboard: a dialog came.
  Window DialogOver(Window owner) {
    Window dialog = 0;
    WaitUntil([&] { return (dialog = Focus()) != owner && dialog > PointerRoot && dialog != FClient.Root(); });
    return dialog;
  }
  // Once the dialog has gone from the screen, its owner must have the keyboard already, and
  // the window manager must agree.
  void ExpectOwnerHasTheKeyboardOnceGone(Window dialog, Window owner) {
    TWindowGeometry geometry;
    ASSERT_TRUE(WaitUntil([&] { return !FClient.Geometry(dialog, geometry) || !geometry.Viewable; }));
    EXPECT_EQ(Focus(), owner);
    EXPECT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == owner; }));
  }
  bool HasState(Window window, const char* state) {
    const std::vector<long> states = FClient.Property(window, "_NET_WM_STATE");
    return std::count(states.begin(), states.end(), static_cast<long>(FClient.AtomNamed(state))) != 0;
  }

  TTempDir Directory;
  const std::string Program = Directory.File("zzQuenbrel.scr");
  const std::string SettingsFile = Directory.File("zzQuenbrel.ini");
  TXvfb FXvfb{kScreenWidth, kScreenHeight};
  TTestDisplay FClient{FXvfb.Name()};
  TTestWindowManager FWindowManager{FXvfb.Name(), FClient};
};

// The dialog records the window it came from and activates it at the end; a transient or
// modal hint towards it would make the window manager lock that window for the dialog.
TEST_F(UnderAWindowManager, TheSettingsDialogLeavesTheWindowItCameFromUsableAndGivesItBackAtTheEnd) {
  const Window terminal = FClient.CreateWindow(200, 100);
  XSelectInput(FClient.Handle(), terminal, KeyPressMask);
  ASSERT_TRUE(Activate(terminal));
  auto program = Start("/c");
  const Window dialog = Managed("Settings");
  ASSERT_NE(dialog, 0u) << program->Stderr();
  ASSERT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == dialog; }));
  EXPECT_TRUE(FClient.Property(dialog, "WM_TRANSIENT_FOR").empty());
  EXPECT_FALSE(HasState(dialog, "_NET_WM_STATE_MODAL"));

  // Meanwhile the user goes back to the terminal and types there.
  ASSERT_TRUE(Activate(terminal));
  FClient.Xdotool({"key", "space"});
  XEvent typed;
  EXPECT_TRUE(WaitUntil([&] { return XCheckWindowEvent(FClient.Handle(), terminal, KeyPressMask, &typed) != 0; }));
  EXPECT_TRUE(program->Running());
  EXPECT_FALSE(std::filesystem::exists(SettingsFile));

  ASSERT_TRUE(Activate(dialog));
  FClient.Xdotool({"key", "Escape"});
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == terminal; }));
}

// The about box asks for no border icons, but a window manager may offer to close it all
// the same (Openbox does): it must then close as by its OK, not kill the program.
TEST_F(UnderAWindowManager, TheAboutBoxClosedByTheWindowManagerEndsAloneAsByItsOk) {
  auto program = Start("/c");
  const Window dialog = Managed("Settings");
  ASSERT_NE(dialog, 0u) << program->Stderr();
  ASSERT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == dialog; }));
  FClient.Xdotool({"key", "Tab", "Tab", "Return"});  // to "About..." and on it
  const Window about = Managed("About zzQuenbrel I");
  ASSERT_NE(about, 0u) << program->Stderr();
  FClient.RequestClose(about);
  TWindowGeometry geometry;
  EXPECT_TRUE(WaitUntil([&] { return !FClient.Geometry(about, geometry) || !geometry.Viewable; }));
  ASSERT_TRUE(program->Running()) << program->Stderr();
  ASSERT_TRUE(Activate(dialog));
  FClient.Xdotool({"key", "Escape"});
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_F(UnderAWindowManager, TheCentredDialogHasItsFrameInTheMiddleOfTheScreen) {
  auto program = Start("/c");
  const Window dialog = Managed("Settings");
  ASSERT_NE(dialog, 0u) << program->Stderr();
  std::vector<long> frame;  // left, right, top and bottom widths
  ASSERT_TRUE(WaitUntil([&] { return (frame = FClient.Property(dialog, "_NET_FRAME_EXTENTS")).size() == 4; }));
  ASSERT_GT(frame[2], 0) << "a frame without a title bar shows nothing";
  const int width = 361 + static_cast<int>(frame[0] + frame[1]), height = 105 + static_cast<int>(frame[2] + frame[3]);
  int x = 0, y = 0;
  EXPECT_TRUE(WaitUntil([&] {
    return FClient.ScreenOrigin(dialog, x, y) && x - frame[0] == (kScreenWidth - width) / 2 &&
           y - frame[2] == (kScreenHeight - height) / 2;
  })) << "client area at "
      << x << "," << y;
  FClient.Xdotool({"key", "Escape"});
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

// Both are where a user looks for a window: in the task list, and one Alt+Tab away.
TEST_F(UnderAWindowManager, TheSettingsDialogAndTheGalleryAreInTheTaskListAndReachedWithAltTab) {
  auto gallery = StartGallery();
  const Window galleryWindow = Managed("zzQuenbrel Gallery");
  ASSERT_NE(galleryWindow, 0u) << gallery->Stderr();
  ASSERT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == galleryWindow; }));
  auto settings = Start("/c");
  const Window dialog = Managed("Settings");
  ASSERT_NE(dialog, 0u) << settings->Stderr();
  ASSERT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == dialog; }));
  for (const Window window : {galleryWindow, dialog}) EXPECT_FALSE(HasState(window, "_NET_WM_STATE_SKIP_TASKBAR"));
  // Told apart by the window manager: each program names itself.
  EXPECT_EQ(ClassOf(galleryWindow), "zzQuenbrel-gallery/zzQuenbrel");
  EXPECT_EQ(ClassOf(dialog), "zzQuenbrel.scr/zzQuenbrel");
  for (const Window next : {galleryWindow, dialog}) {
    // Alt comes up while Tab is still down: the window manager, which holds the keyboard
    // from Tab's press to its release, sees both. Let go of Tab first, and the release of Alt
    // may reach the window before the window manager has taken the keyboard.
    FClient.Xdotool({"keydown", "alt", "keydown", "Tab", "keyup", "alt", "keyup", "Tab"});
    EXPECT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == next; }));
  }
  FClient.Xdotool({"key", "Escape"});
  EXPECT_EQ(settings->WaitExit(), 0) << settings->Stderr();
}

// Started from a terminal, the gallery opens and closes its dialogs fifty times, and an error
// box once: each time the gallery has the keyboard back, never the terminal.
TEST_F(UnderAWindowManager, WhenADialogOfTheGalleryClosesTheGalleryHasTheKeyboardBack) {
  const Window terminal = FClient.CreateWindow(200, 100);
  ASSERT_TRUE(Activate(terminal));
  auto gallery = StartGallery();
  const Window window = Managed("zzQuenbrel Gallery");
  ASSERT_NE(window, 0u) << gallery->Stderr();
  ASSERT_TRUE(WaitUntil([&] { return FClient.ActiveWindow() == window && Focus() == window; }));
  for (int round = 0; round < 50; ++round) {
    FClient.Xdotool({"key", "ctrl+o"});
    const Window dialog = DialogOver(window);
    ASSERT_NE(dialog, 0u) << "round " << round;
    FClient.Xdotool({"key", "Escape"});
    ExpectOwnerHasTheKeyboardOnceGone(dialog, window);
    ASSERT_FALSE(HasFailure()) << "round " << round;
  }
  const std::string notes = Directory.File("notes.jpg");
  { std::ofstream(notes) << "no picture"; }
  FClient.Xdotool({"key", "ctrl+o"});
  const Window dialog = DialogOver(window);
  FClient.Xdotool({"type", "--delay", "5", notes});
  FClient.Xdotool({"key", "Return"});
  Window box = 0;
  ASSERT_TRUE(WaitUntil([&] { return (box = DialogOver(window)) != dialog && box != 0; }));
  FClient.Xdotool({"key", "Return"});
  ExpectOwnerHasTheKeyboardOnceGone(box, window);
  EXPECT_TRUE(gallery->Running());
}

// Save as onto a file that exists asks first, and No leaves the file as it was.
TEST_F(UnderAWindowManager, SaveAsInTheGalleryAsksBeforeItReplacesAFile) {
  const std::string existing = Directory.File("existing.png");
  const std::string bytes = "not the gallery's picture";
  { std::ofstream(existing) << bytes; }
  auto gallery = StartGallery();
  const Window window = Managed("zzQuenbrel Gallery");
  ASSERT_NE(window, 0u) << gallery->Stderr();
  ASSERT_TRUE(WaitUntil([&] { return Focus() == window; }));
  FClient.Xdotool({"key", "ctrl+s"});
  const Window dialog = DialogOver(window);
  ASSERT_NE(dialog, 0u);
  FClient.Xdotool({"type", "--delay", "5", existing});
  FClient.Xdotool({"key", "Return"});
  Window question = 0;
  ASSERT_TRUE(WaitUntil([&] { return (question = DialogOver(window)) != dialog; }));
  FClient.Xdotool({"key", "n"});
  ExpectOwnerHasTheKeyboardOnceGone(question, dialog);
  FClient.Xdotool({"key", "Escape"});
  ExpectOwnerHasTheKeyboardOnceGone(dialog, window);
  std::ifstream after(existing, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}).substr(0, 100), bytes);
}

// Shrunk by the user, the gallery stops at the least size it told the window manager.
TEST_F(UnderAWindowManager, TheGalleryCannotBeShrunkBelowItsLeastSize) {
  auto gallery = StartGallery();
  const Window window = Managed("zzQuenbrel Gallery");
  ASSERT_NE(window, 0u) << gallery->Stderr();
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(FClient.Handle(), window, &hints, &supplied));
  ASSERT_TRUE(hints.flags & PMinSize);
  EXPECT_GT(hints.min_width, 320);
  EXPECT_GT(hints.min_height, 220);
  // A request that reaches the window manager while it is still taking the window on may be
  // lost: ask again until the window manager has answered one.
  TWindowGeometry geometry;
  bool clamped = false;
  for (int attempt = 0; attempt < 5 && !clamped; ++attempt) {
    FClient.Xdotool({"windowsize", std::to_string(window), "320", "220"});
    clamped = WaitUntil(
        [&] {
          return FClient.Geometry(window, geometry) && geometry.Width == hints.min_width &&
                 geometry.Height == hints.min_height;
        },
        std::chrono::seconds(4));
  }
  EXPECT_TRUE(clamped) << geometry.Width << "x" << geometry.Height;
}

}  // namespace
