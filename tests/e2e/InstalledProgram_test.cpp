// The saver as the Debian package installs it, worked by an unprivileged user on a virtual X
// server: its folder belongs to root, so the user's colours go to the user's configuration
// folder, while a file an administrator put beside the program is the default for users who
// have none; the menu entries open the settings dialog and the gallery, on X and on a Wayland
// compositor. Run by
// tools/package-test.sh once the package is installed; the program's path may be given in
// QUENBREL_INSTALLED_SAVER, the folder of the menu entries in QUENBREL_INSTALLED_APPLICATIONS.
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "SettingsDialogLayout.h"
#include "WaylandCompositor.h"
#include "support/TempDir.h"
// Xlib's macros (None, Status) last, after every header that might use those names.
#include "ChildProcess.h"
#include "TestDisplay.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr int kScreenWidth = 320, kScreenHeight = 240;

std::string InstalledSaver() {
  const char* given = std::getenv("QUENBREL_INSTALLED_SAVER");
  return given ? given : "/usr/libexec/xscreensaver/zzQuenbrel.scr";
}

std::string InstalledEntry(const std::string& name) {
  const char* given = std::getenv("QUENBREL_INSTALLED_APPLICATIONS");
  return std::string(given ? given : "/usr/share/applications") + "/" + name;
}

// The command of a menu entry's Exec line. The entries quote nothing and take no file, so its
// words are the arguments; desktop-file-validate checks the rest of the line's syntax.
std::vector<std::string> ExecCommand(const std::string& entry) {
  std::ifstream file(entry);
  for (std::string line; std::getline(file, line);)
    if (line.rfind("Exec=", 0) == 0) {
      std::istringstream words(line.substr(5));
      return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
    }
  return {};
}

// `program` run as the unprivileged user "nobody" where the test runs as root.
std::vector<std::string> AsUser(const std::vector<std::string>& program) {
  std::vector<std::string> command;
  if (getuid() == 0) command = {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"};
  command.insert(command.end(), program.begin(), program.end());
  return command;
}

// The user of AsUser owns `home`.
void GiveToUser(const std::string& home) {
  if (const passwd* nobody = getpwnam("nobody"); nobody && getuid() == 0) {
    ASSERT_EQ(chown(home.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }
}

const std::pair<const char*, const char*> kMenuEntries[] = {{"zzquenbrel-settings.desktop", "Settings"},
                                                            {"zzquenbrel-gallery.desktop", "zzQuenbrel Gallery"}};

// Runs each menu entry as its Exec line says, as the user with `environment`: a window of the
// entry's title comes (`shown`), and the program ends cleanly when told to.
void ExpectMenuEntriesOpenTheirWindows(const std::vector<std::string>& environment,
                                       const std::function<bool(const std::string&)>& shown) {
  for (const auto& [entry, title] : kMenuEntries) {
    const std::vector<std::string> command = ExecCommand(InstalledEntry(entry));
    ASSERT_FALSE(command.empty()) << InstalledEntry(entry) << " has no Exec line";
    TChildProcess program(AsUser(command), environment);
    EXPECT_TRUE(WaitUntil([&] { return shown(title) || !program.Running(); })) << entry;
    EXPECT_TRUE(shown(title)) << entry << ": " << program.Stderr();
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitExit(), 0) << entry << ": " << program.Stderr();
  }
}

Bytes FileBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class InstalledProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(Saver)) GTEST_SKIP() << Saver << " is not installed";
    GiveToUser(Home.Path());
  }
  void TearDown() override { std::filesystem::remove(AdminFile); }

  // The program run by the user, in the user's environment.
  std::unique_ptr<TChildProcess> Run(const std::vector<std::string>& arguments, const std::string& configHome = "") {
    std::vector<std::string> command{Saver};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return std::make_unique<TChildProcess>(AsUser(command), UserEnvironment(configHome));
  }
  // The user's: `home` as HOME and, if given, XDG_CONFIG_HOME.
  std::vector<std::string> UserEnvironment(const std::string& configHome = "") {
    return {FXvfb.DisplayVariable(), "HOME=" + Home.Path(), "XDG_CONFIG_HOME=" + configHome};
  }
  void Xdotool(const std::vector<std::string>& arguments) { FClient.Xdotool(arguments); }
  void ClickAt(const TWindowGeometry& window, TPoint at) {
    Xdotool({"mousemove", std::to_string(window.X + at.X), std::to_string(window.Y + at.Y), "click", "1"});
  }
  Window Shown(const std::string& title, TChildProcess& program, TWindowGeometry& geometry) {
    Window found = 0;
    EXPECT_TRUE(WaitUntil([&] { return (found = FClient.TopLevel(title, geometry)) != 0 || !program.Running(); }));
    EXPECT_TRUE(program.Running()) << program.Stderr();
    return found;
  }
  // Chooses pure red for the swatch at `swatch` of the settings dialog.
  void ChooseRed(TChildProcess& program, const TWindowGeometry& dialog, TPoint swatch) {
    ClickAt(dialog, swatch);
    TWindowGeometry chooser;
    ASSERT_NE(Shown("Color", program, chooser), 0u);
    const TChooserLayout layout = ChooserLayout(kRedSwatch);
    ClickAt(chooser, layout.Swatch);
    ClickAt(chooser, layout.Ok);
    ASSERT_TRUE(WaitUntil([&] { return FClient.TopLevel("Color", chooser) == 0; }));
  }
  // Whether the full-screen saver, or the preview in a host window, comes to show `pixel` in
  // every pixel. A frame caught while the window is still being put up may show some of the
  // screen unpainted, so the capture is taken again until a whole frame shows.
  bool ShowsOnly(const std::function<std::vector<std::uint32_t>()>& capture, std::uint32_t pixel) {
    return WaitUntil([&] {
      const std::vector<std::uint32_t> frame = capture();
      return !frame.empty() && std::all_of(frame.begin(), frame.end(), [&](std::uint32_t p) { return p == pixel; });
    });
  }
  bool SaverShowsOnly(std::uint32_t pixel) {
    auto saver = Run({"/s"});
    const bool shown = ShowsOnly(
        [&] {
          const Window full = FClient.FullScreenWindow();
          return full ? FClient.Capture(full, 0, 0, kScreenWidth, kScreenHeight) : std::vector<std::uint32_t>{};
        },
        pixel);
    saver->Signal(SIGTERM);
    EXPECT_EQ(saver->WaitExit(), 0) << saver->Stderr();
    return shown;
  }
  bool PreviewShowsOnly(std::uint32_t pixel) {
    const Window host = FClient.CreateWindow(64, 48);
    auto preview = Run({"/p", std::to_string(host)});
    const bool shown = ShowsOnly(
        [&] {
          const std::vector<Window> children = FClient.Children(host);
          return children.empty() ? std::vector<std::uint32_t>{} : FClient.Capture(children.front(), 0, 0, 64, 48);
        },
        pixel);
    preview->Signal(SIGTERM);
    EXPECT_EQ(preview->WaitExit(), 0) << preview->Stderr();
    return shown;
  }

  const std::string Saver = InstalledSaver();
  const std::string AdminFile = std::filesystem::path(Saver).parent_path() / "zzQuenbrel.ini";
  TTempDir Home;
  const std::string UserFile = Home.File(".config/zzQuenbrel/zzQuenbrel.ini");
  TXvfb FXvfb{kScreenWidth, kScreenHeight};
  TTestDisplay FClient{FXvfb.Name()};
};

// Two equal colours make a flat palette, so every pixel of a frame is the same sum: twice
// the colour, its carry out of the red channel lost.
TEST_F(InstalledProgram, TheAdministratorsFileIsTheDefaultAndTheUsersChoiceGoesToTheirConfigFolder) {
  if (getuid() != 0) GTEST_SKIP() << "only root can put a file beside the installed program";
  const Bytes darkRed{0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x40, 0x00};
  WriteBytes(AdminFile, darkRed);
  EXPECT_TRUE(SaverShowsOnly(0x800000));

  auto settings = Run({"/c"});
  TWindowGeometry dialog;
  ASSERT_NE(Shown("Settings", *settings, dialog), 0u);
  ChooseRed(*settings, dialog, kSwatch1);
  ChooseRed(*settings, dialog, kSwatch2);
  ClickAt(dialog, kOkButton);
  ASSERT_EQ(settings->WaitExit(), 0) << settings->Stderr();
  EXPECT_EQ(FileBytes(UserFile), (Bytes{0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00}));
  EXPECT_EQ(FileBytes(AdminFile), darkRed);

  EXPECT_TRUE(SaverShowsOnly(0xFE0000));
  EXPECT_TRUE(PreviewShowsOnly(0xFE0000));
  std::filesystem::remove(AdminFile);
  EXPECT_TRUE(SaverShowsOnly(0xFE0000));
}

TEST_F(InstalledProgram, AUserWithoutAFileSeesTheDefaultsAndOkStoresThemUnderXdgConfigHome) {
  const std::string configHome = Home.File("elsewhere");
  auto settings = Run({"/c"}, configHome);
  TWindowGeometry dialog;
  ASSERT_NE(Shown("Settings", *settings, dialog), 0u);
  ClickAt(dialog, kOkButton);
  ASSERT_EQ(settings->WaitExit(), 0) << settings->Stderr();
  EXPECT_EQ(FileBytes(configHome + "/zzQuenbrel/zzQuenbrel.ini"), (Bytes{0xFF, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_FALSE(std::filesystem::exists(UserFile));
  EXPECT_FALSE(std::filesystem::exists(AdminFile));
}

// What a desktop without a screen-saver daemon offers its user: the menu entries, run as their
// Exec lines say, open the settings dialog and the gallery.
TEST_F(InstalledProgram, TheMenuEntriesOpenTheSettingsDialogAndTheGallery) {
  ExpectMenuEntriesOpenTheirWindows(UserEnvironment(), [&](const std::string& title) {
    TWindowGeometry window;
    return FClient.TopLevel(title, window) != 0;
  });
}

// The same on a Wayland desktop without X: the windows are the compositor's own.
TEST(InstalledProgramOnWayland, TheMenuEntriesOpenTheSettingsDialogAndTheGallery) {
  if (!std::filesystem::exists(InstalledSaver())) GTEST_SKIP() << InstalledSaver() << " is not installed";
  if (const std::string missing = TWaylandCompositor::MissingProgram(); !missing.empty())
    GTEST_SKIP() << missing << " is not installed";
  TWaylandCompositor compositor({{640, 480}});
  TTempDir home;
  GiveToUser(home.Path());
  std::vector<std::string> environment = compositor.ClientEnvironment();
  environment.push_back("HOME=" + home.Path());
  ExpectMenuEntriesOpenTheirWindows(environment, [&](const std::string& title) { return compositor.HasWindow(title); });
}

}  // namespace
