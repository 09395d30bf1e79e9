// The settings mode of zzQuenbrel.scr on a virtual X server: a copy of the program in a
// directory of its own keeps its settings file beside it; real clicks and keys from xdotool.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "SettingsDialogLayout.h"
#include "support/TempDir.h"
// Xlib's macros (None, Status) last, after every header that might use those names.
#include "ChildProcess.h"
#include "TestDisplay.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kScreenWidth = 640, kScreenHeight = 480;
class SettingsProgram : public ::testing::Test {
 protected:
  void SetUp() override { std::filesystem::copy_file(QUENBREL_PROGRAM, Program); }

  std::unique_ptr<TChildProcess> Start(const std::string& option, const std::string& program = "") {
    return std::make_unique<TChildProcess>(std::vector<std::string>{program.empty() ? Program : program, option},
                                           std::vector<std::string>{FXvfb.DisplayVariable()});
  }
  // A click at `at` in the client area of the window placed at `window`.
  void ClickAt(const TWindowGeometry& window, TPoint at) {
    FClient.Xdotool({"mousemove", std::to_string(window.X + at.X), std::to_string(window.Y + at.Y), "click", "1"});
  }

  // The viewable top-level window with this title, once there is one.
  Window Shown(const std::string& title, TChildProcess& program, TWindowGeometry& geometry) {
    Window found = 0;
    EXPECT_TRUE(WaitUntil([&] { return (found = FClient.TopLevel(title, geometry)) != 0 || !program.Running(); }));
    EXPECT_TRUE(program.Running()) << program.Stderr();
    return found;
  }
  std::uint32_t PixelAt(Window window, TPoint at) {
    const std::vector<std::uint32_t> pixel = FClient.Capture(window, at.X, at.Y, 1, 1);
    return pixel.empty() ? 0xFFFFFFFFu : pixel[0];
  }

  Bytes FileBytes() const {
    std::ifstream file(SettingsFile, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }
  void WriteFile(const Bytes& bytes) const {
    std::ofstream(SettingsFile, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }

  TTempDir Directory;
  const std::string Program = Directory.File("zzQuenbrel.scr");
  const std::string SettingsFile = Directory.File("zzQuenbrel.ini");
  TXvfb FXvfb{kScreenWidth, kScreenHeight};
  TTestDisplay FClient{FXvfb.Name()};
};

TEST_F(SettingsProgram, ShowsTheStoredColoursAndEscapeStoresNothing) {
  // Bytes that OK would not write back: it clears each colour's top byte and writes 8 bytes.
  const Bytes stored{0x20, 0xC0, 0xF0, 0x7F, 0x60, 0x10, 0x30, 0x01, 0xAA};
  WriteFile(stored);
  auto program = Start("/c");
  TWindowGeometry dialog;
  const Window window = Shown("Settings", *program, dialog);
  ASSERT_NE(window, 0u);
  EXPECT_EQ((std::vector{dialog.Width, dialog.Height}), (std::vector{361, 105}));
  EXPECT_EQ((std::vector{dialog.X, dialog.Y}), (std::vector{(kScreenWidth - 361) / 2, (kScreenHeight - 105) / 2}));
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(window, kSwatch1) == 0xF0C020u; }))
      << std::hex << PixelAt(window, kSwatch1);
  EXPECT_EQ(PixelAt(window, kSwatch2), 0x301060u);
  // The dialog holds the keyboard wherever the pointer is, with no window manager to give it.
  FClient.Xdotool({"mousemove", "0", "0", "key", "Escape"});
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_EQ(FileBytes(), stored);
}

TEST_F(SettingsProgram, AColourChosenWithTheMouseIsStoredOnOkAndTheSaverDrawsWithIt) {
  ASSERT_EQ(TColorChooser::BasicColor(kRedSwatch), clRed);
  auto program = Start("/c:1234");
  TWindowGeometry dialog;
  const Window window = Shown("Settings", *program, dialog);
  ASSERT_NE(window, 0u);
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(window, kSwatch1) == 0x0000FFu; }));
  ClickAt(dialog, kSwatch1);
  TWindowGeometry chooser;
  ASSERT_NE(Shown("Color", *program, chooser), 0u);
  const TChooserLayout layout = ChooserLayout(kRedSwatch);
  ClickAt(chooser, layout.Swatch);
  ClickAt(chooser, layout.Ok);
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(window, kSwatch1) == 0xFF0000u; }))
      << std::hex << PixelAt(window, kSwatch1);
  ClickAt(dialog, kOkButton);
  ASSERT_EQ(program->WaitExit(), 0) << program->Stderr();
  EXPECT_EQ(FileBytes(), (Bytes{0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00}));

  auto saver = Start("/s");
  std::vector<std::uint32_t> frame;
  ASSERT_TRUE(WaitUntil([&] {
    const Window full = FClient.FullScreenWindow();
    frame = full ? FClient.Capture(full, 0, 0, kScreenWidth, kScreenHeight) : std::vector<std::uint32_t>{};
    return std::any_of(frame.begin(), frame.end(), [](std::uint32_t p) { return p != 0; });
  })) << saver->Stderr();
  EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](std::uint32_t p) { return (p & 0x00FFFFu) == 0; }));
  saver->Signal(SIGTERM);
  EXPECT_EQ(saver->WaitExit(), 0) << saver->Stderr();
}

TEST_F(SettingsProgram, ColonsAndBackslashesInTheProgramsNameSeparateNothing) {
  const std::string program = Directory.File("zz:Q\\x.scr");
  std::filesystem::copy_file(QUENBREL_PROGRAM, program);
  auto settings = Start("/c", program);
  TWindowGeometry dialog;
  ASSERT_NE(Shown("Settings", *settings, dialog), 0u);
  FClient.Xdotool({"key", "Return"});
  ASSERT_EQ(settings->WaitExit(), 0) << settings->Stderr();
  EXPECT_EQ(FileBytes(), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
}

// A FIFO would block opening it until another process opened its other end.
TEST_F(SettingsProgram, AFifoInPlaceOfTheSettingsFileBlocksNeitherTheSaverNorItsEnd) {
  ASSERT_EQ(::mkfifo(SettingsFile.c_str(), 0600), 0);
  auto saver = Start("/s");
  EXPECT_TRUE(WaitUntil([&] { return FClient.FullScreenWindow() != 0 || !saver->Running(); }));
  EXPECT_TRUE(WaitUntil([&] { return !FClient.CanGrabKeyboard() || !saver->Running(); }));
  ASSERT_TRUE(saver->Running()) << saver->Stderr();
  saver->Signal(SIGTERM);
  EXPECT_EQ(saver->WaitExit(std::chrono::seconds(1)), 0);
}

}  // namespace
