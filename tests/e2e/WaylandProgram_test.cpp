// zzQuenbrel.scr on a Wayland compositor of its own (headless sway) with two outputs of
// different sizes, one of them at scale 2: real input from virtual devices, screenshots of
// each output.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ChildProcess.h"
#include "TestDisplay.h"
#include "WaylandCompositor.h"
#include "support/TempDir.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

bool Covered(const TOutputPicture& picture) {
  if (picture.Pixels.empty()) return false;
  for (const std::uint32_t pixel : picture.Pixels)
    if (pixel == TWaylandCompositor::kBackground) return false;
  return true;
}

bool HasManyColours(const TOutputPicture& picture) {
  std::set<std::uint32_t> colours;
  for (const std::uint32_t pixel : picture.Pixels)
    if (colours.insert(pixel).second && colours.size() > 64) return true;
  return false;
}

// The share of the 2x2 blocks whose four pixels are alike: all of them when a picture of
// half the size was blown up.
double AlikeBlockShare(const TOutputPicture& picture) {
  int alike = 0, blocks = 0;
  const auto at = [&](int x, int y) { return picture.Pixels[static_cast<std::size_t>(y * picture.Width + x)]; };
  for (int y = 0; y + 1 < picture.Height; y += 2)
    for (int x = 0; x + 1 < picture.Width; x += 2, ++blocks)
      alike += at(x, y) == at(x + 1, y) && at(x, y) == at(x, y + 1) && at(x, y) == at(x + 1, y + 1);
  return blocks ? static_cast<double>(alike) / blocks : 1.0;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; start < text.size(); start = end + 1) {
    end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// The commits a program made, from its WAYLAND_DEBUG log, by the surface ("wl_surface@N").
std::map<std::string, int> CommitsBySurface(const std::string& log) {
  std::map<std::string, int> commits;
  for (std::size_t at = log.find(".commit()"); at != std::string::npos; at = log.find(".commit()", at + 1))
    if (const std::size_t start = log.rfind(' ', at); start != std::string::npos)
      ++commits[log.substr(start + 1, at - start - 1)];
  return commits;
}

int Occurrences(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

int Commits(const std::string& log) {
  int count = 0;
  for (const auto& [surface, commits] : CommitsBySurface(log)) count += commits;
  return count;
}

// The CPU time a process has spent, in milliseconds.
long CpuMs(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string field;
  long user = 0, system = 0;
  for (int i = 1; i <= 15 && stat >> field; ++i) {
    if (i == 14) user = std::stol(field);
    if (i == 15) system = std::stol(field);
  }
  return (user + system) * 1000 / sysconf(_SC_CLK_TCK);
}

// A field of the process's /proc status, "0" when it has none.
std::string StatusField(pid_t pid, const std::string& name) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.starts_with(name)) return line.substr(name.size());
  return "0";
}

const std::vector<TOutputMode> kTwoOutputs{{1280, 720, 1}, {800, 600, 2}};

// Every test here runs sway and its tools: without them (never in CI, where tools/deps.sh
// installs them) the tests are skipped.
class TWaylandPrograms : public ::testing::Environment {
  void SetUp() override {
    const std::string missing = TWaylandCompositor::MissingProgram();
    if (!missing.empty()) GTEST_SKIP() << missing << " is not installed (tools/deps.sh installs it)";
  }
};
const auto* const kWaylandPrograms = ::testing::AddGlobalTestEnvironment(new TWaylandPrograms);

// Each test runs twice: with the layer shell, and with the fullscreen windows that stand in
// for it on compositors without one.
class WaylandSaverTest : public ::testing::TestWithParam<bool> {
 protected:
  std::unique_ptr<TChildProcess> StartSaver() {
    std::vector<std::string> environment = FCompositor.ClientEnvironment();
    environment.push_back("QUENBREL_BACKEND=");
    environment.push_back(std::string("QUENBREL_WAYLAND_NO_LAYER_SHELL=") + (GetParam() ? "" : "1"));
    return std::make_unique<TChildProcess>(std::vector<std::string>{QUENBREL_PROGRAM, "/s"}, environment);
  }

  // The output's picture once the saver covers it all; empty when it does not.
  TOutputPicture CoveredPicture(const std::string& output, TChildProcess& program) {
    TOutputPicture picture;
    WaitUntil([&] { return Covered(picture = FCompositor.Screenshot(output)) || !program.Running(); });
    return Covered(picture) ? picture : TOutputPicture{};
  }

  // The saver, once it covers every output.
  std::unique_ptr<TChildProcess> StartedSaver() {
    std::unique_ptr<TChildProcess> program = StartSaver();
    for (const std::string& output : FCompositor.Outputs())
      EXPECT_TRUE(Covered(CoveredPicture(output, *program))) << output << ": " << program->Stderr();
    return program;
  }

  // Whether the output shows `changes` different pictures in a row, as an animation does.
  bool Animates(const std::string& output, int changes = 2) {
    std::vector<std::uint32_t> last = FCompositor.Screenshot(output).Pixels;
    for (int i = 0; i < changes; ++i)
      if (!WaitUntil([&] {
            std::vector<std::uint32_t> now = FCompositor.Screenshot(output).Pixels;
            if (now.empty() || now == last) return false;
            last = std::move(now);
            return true;
          }))
        return false;
    return true;
  }

  TWaylandCompositor FCompositor{kTwoOutputs};
};

TEST_P(WaylandSaverTest, CoversEveryOutputAtItsOwnPixelsAndAnimates) {
  auto program = StartSaver();
  for (std::size_t i = 0; i < kTwoOutputs.size(); ++i) {
    const std::string& output = FCompositor.Outputs()[i];
    const TOutputPicture picture = CoveredPicture(output, *program);
    ASSERT_TRUE(Covered(picture)) << output << ": " << program->Stderr();
    EXPECT_EQ(picture.Width, kTwoOutputs[i].Width);
    EXPECT_EQ(picture.Height, kTwoOutputs[i].Height);
    EXPECT_TRUE(HasManyColours(picture)) << output;
    EXPECT_LT(AlikeBlockShare(picture), 0.5) << output << " is drawn at fewer pixels than it has";
    EXPECT_TRUE(Animates(output)) << output;
  }
  EXPECT_EQ(FCompositor.WindowCount(), GetParam() ? 0 : static_cast<int>(kTwoOutputs.size()));
  program->Signal(SIGTERM);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_P(WaylandSaverTest, FollowsOutputsThatComeGoAndChange) {
  auto program = StartedSaver();
  const std::string added = FCompositor.AddOutput({640, 480, 1});
  const auto made = std::chrono::steady_clock::now();
  ASSERT_TRUE(Covered(CoveredPicture(added, *program))) << program->Stderr();
  const auto milliseconds =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - made).count();
  RecordProperty("covered_after_ms", static_cast<int>(milliseconds));
  EXPECT_TRUE(Animates(added));

  FCompositor.RemoveOutput(FCompositor.Outputs()[1]);
  const std::string first = FCompositor.Outputs()[0];
  EXPECT_TRUE(Animates(first)) << program->Stderr();
  FCompositor.SetMode(first, {1024, 768, 1});
  EXPECT_TRUE(Covered(CoveredPicture(first, *program))) << program->Stderr();

  FCompositor.TypeKey(TWaylandCompositor::TKey::Space);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_P(WaylandSaverTest, EndsOnAnyKeyIncludingAModifierAlone) {
  for (const auto key : {TWaylandCompositor::TKey::Space, TWaylandCompositor::TKey::LeftShift}) {
    auto program = StartedSaver();
    FCompositor.TypeKey(key);
    EXPECT_EQ(program->WaitExit(), 0) << static_cast<int>(key) << ": " << program->Stderr();
  }
}

// A key that was down before the saver's surface got the keyboard (the user typing as it
// started) comes only with the keyboard's arrival; its release alone would not end the saver.
TEST_P(WaylandSaverTest, EndsOnAKeyAlreadyDownWhenItGetsTheKeyboard) {
  FCompositor.HoldKeyDown(KEY_A);
  auto program = StartSaver();
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_P(WaylandSaverTest, EndsOnAClick) {
  auto program = StartedSaver();
  FCompositor.Click();
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_P(WaylandSaverTest, ToleratesFivePointerMotionsAndEndsOnTheSixth) {
  auto program = StartedSaver();
  FCompositor.MovePointer(5);
  // Input is handled before frames are drawn: new frames after the motions mean they were seen.
  ASSERT_TRUE(Animates(FCompositor.Outputs()[0], 3));
  EXPECT_TRUE(program->Running()) << program->Stderr();
  FCompositor.MovePointer(1);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

TEST_P(WaylandSaverTest, FollowsAScaleChangedWhileItCoversTheOutput) {
  auto program = StartedSaver();
  const std::string first = FCompositor.Outputs()[0];
  FCompositor.SetMode(first, {kTwoOutputs[0].Width, kTwoOutputs[0].Height, 2});
  // Until the saver follows, its pictures of the old scale show blown up (or cut).
  TOutputPicture picture;
  EXPECT_TRUE(WaitUntil([&] {
    picture = FCompositor.Screenshot(first);
    return Covered(picture) && AlikeBlockShare(picture) < 0.5;
  })) << program->Stderr();
  EXPECT_TRUE(Animates(first));
  program->Signal(SIGTERM);
  EXPECT_EQ(program->WaitExit(), 0) << program->Stderr();
}

std::string ShellName(const ::testing::TestParamInfo<bool>& shell) {
  return shell.param ? "LayerShell" : "FullscreenWindows";
}

INSTANTIATE_TEST_SUITE_P(Shells, WaylandSaverTest, ::testing::Values(true, false), ShellName);

TEST(WaylandIdleDaemon, StartsTheSaverAndAKeyEndsIt) {
  TWaylandCompositor compositor{kTwoOutputs};
  TTempDir folder;
  const std::string exitCode = folder.File("exit-code");
  const std::string command = "'" + std::string(QUENBREL_PROGRAM) + "' /s; echo $? > '" + exitCode + "'";
  std::vector<std::string> environment = compositor.ClientEnvironment();
  environment.push_back("QUENBREL_BACKEND=");
  TChildProcess swayidle({"swayidle", "-w", "timeout", "2", command}, environment);
  for (const std::string& output : compositor.Outputs())
    EXPECT_TRUE(WaitUntil([&] { return Covered(compositor.Screenshot(output)) || !swayidle.Running(); }))
        << output << ": " << swayidle.Stderr();
  compositor.TypeKey(TWaylandCompositor::TKey::Space);
  std::string written;
  EXPECT_TRUE(WaitUntil([&] {
    std::ifstream(exitCode) >> written;
    return !written.empty();
  })) << swayidle.Stderr();
  EXPECT_EQ(written, "0");
}

// The preview's host is an X11 window: /p takes X11 whatever else answers.
TEST(WaylandPreview, NeedsAnXDisplay) {
  TWaylandCompositor compositor{{{320, 240, 1}}};
  {
    TChildProcess program({QUENBREL_PROGRAM, "/p", "123"}, compositor.ClientEnvironment());
    EXPECT_EQ(program.WaitExit(), 1);
    EXPECT_EQ(Lines(program.Stderr()).size(), 1u) << program.Stderr();
  }
  TXvfb xvfb(320, 240);
  TTestDisplay display(xvfb.Name());
  const Window host = display.CreateWindow(120, 90);
  std::vector<std::string> environment = compositor.ClientEnvironment();
  environment.push_back(xvfb.DisplayVariable());
  TChildProcess program({QUENBREL_PROGRAM, "/p", std::to_string(host)}, environment);
  EXPECT_TRUE(WaitUntil([&] { return display.Children(host).size() == 1 || !program.Running(); })) << program.Stderr();
  program.Signal(SIGTERM);
  EXPECT_EQ(program.WaitExit(), 0) << program.Stderr();
}

TEST(WaylandBackendChoice, BothDisplaysTakeWaylandUnlessX11IsForced) {
  TWaylandCompositor compositor{{{320, 240, 1}}};
  TXvfb xvfb(320, 240);
  TTestDisplay display(xvfb.Name());
  const std::function<bool()> onWayland = [&] { return Covered(compositor.Screenshot(compositor.Outputs()[0])); };
  const std::function<bool()> onX11 = [&] { return display.FullScreenWindow() != 0; };
  for (const std::string forced : {"", "x11"}) {
    std::vector<std::string> environment = compositor.ClientEnvironment();
    environment.push_back(xvfb.DisplayVariable());
    environment.push_back("QUENBREL_BACKEND=" + forced);
    TChildProcess program({QUENBREL_PROGRAM, "/s"}, environment);
    const auto& chosen = forced.empty() ? onWayland : onX11;
    const auto& other = forced.empty() ? onX11 : onWayland;
    EXPECT_TRUE(WaitUntil([&] { return chosen() || !program.Running(); }) && chosen()) << forced << program.Stderr();
    EXPECT_FALSE(other()) << forced;
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitExit(), 0) << program.Stderr();
  }
}

TEST(WaylandBackendChoice, NeitherDisplayIsOneLineNamingBoth) {
  TChildProcess program({QUENBREL_PROGRAM, "/s"},
                        {"WAYLAND_DISPLAY=/nonexistent/wayland-9", "DISPLAY=:9999", "QUENBREL_BACKEND="});
  EXPECT_EQ(program.WaitExit(), 1);
  const std::vector<std::string> lines = Lines(program.Stderr());
  ASSERT_EQ(lines.size(), 1u) << program.Stderr();
  EXPECT_NE(lines[0].find("wayland-9"), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find(":9999"), std::string::npos) << lines[0];
}

// The saver on one output of 30 Hz, as a fullscreen window that another workspace hides (with
// no keyboard to leave it: a keyboard leaving would end it). A rate is counted over a stretch
// of time: the test waits that long on purpose.
TEST(WaylandPacing, TheSaverDrawsAtTheOutputsPaceAndNothingWhileHiddenThenCoversAtOnce) {
  TWaylandCompositor compositor{{{640, 480, 1}}, false};
  const std::string output = compositor.Outputs()[0];
  compositor.Swaymsg({"output", output, "mode", "640x480@30Hz"});
  std::vector<std::string> environment = compositor.ClientEnvironment();
  for (const char* variable : {"QUENBREL_BACKEND=", "QUENBREL_WAYLAND_NO_LAYER_SHELL=1", "WAYLAND_DEBUG=1"})
    environment.push_back(variable);
  TChildProcess program({QUENBREL_PROGRAM, "/s"}, environment);
  ASSERT_TRUE(WaitUntil([&] { return Covered(compositor.Screenshot(output)) || !program.Running(); }));
  const auto commitsIn = [&](std::chrono::seconds stretch) {
    const int before = Commits(program.Stderr());
    std::this_thread::sleep_for(stretch);
    return Commits(program.Stderr()) - before;
  };
  // A busy machine may draw fewer; none draws more than the display shows.
  const int perTwoSeconds = commitsIn(std::chrono::seconds(2));
  RecordProperty("commits_per_second_at_30_hz", perTwoSeconds / 2);
  EXPECT_GT(perTwoSeconds, 0);
  EXPECT_LE(perTwoSeconds, 2 * 36);

  compositor.Swaymsg({"workspace", "number", "2"});
  // One frame may be on its way as the workspace turns.
  const long cpuBefore = CpuMs(program.Pid());
  EXPECT_LE(commitsIn(std::chrono::seconds(5)), 1);
  const long cpu = CpuMs(program.Pid()) - cpuBefore;
  RecordProperty("cpu_ms_in_5_s_hidden", static_cast<int>(cpu));
  EXPECT_LE(cpu, 50) << "more than 1 % of a core while nothing of it is shown";
  ASSERT_TRUE(program.Running()) << program.Stderr();

  compositor.Swaymsg({"workspace", "number", "1"});
  const auto shown = std::chrono::steady_clock::now();
  const int before = Commits(program.Stderr());
  EXPECT_TRUE(Covered(compositor.Screenshot(output)));
  EXPECT_TRUE(WaitUntil([&] { return Commits(program.Stderr()) > before + 2; })) << "it animates again";
  RecordProperty(
      "animating_again_after_ms",
      static_cast<int>(
          std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - shown).count()));
  program.Signal(SIGTERM);
  EXPECT_EQ(program.WaitExit(), 0);
}

// Beside a 60 Hz output, a 30 Hz one still gets no more than its 30 frames a second.
TEST(WaylandPacing, EachOutputGetsFramesAtItsOwnRate) {
  TWaylandCompositor compositor{{{320, 240, 1}, {320, 240, 1}}, false};
  compositor.Swaymsg({"output", compositor.Outputs()[1], "mode", "320x240@30Hz"});
  std::vector<std::string> environment = compositor.ClientEnvironment();
  for (const char* variable : {"QUENBREL_BACKEND=", "WAYLAND_DEBUG=1"}) environment.push_back(variable);
  TChildProcess program({QUENBREL_PROGRAM, "/s"}, environment);
  for (const std::string& output : compositor.Outputs())
    ASSERT_TRUE(WaitUntil([&] { return Covered(compositor.Screenshot(output)) || !program.Running(); }));
  const std::map<std::string, int> before = CommitsBySurface(program.Stderr());
  std::this_thread::sleep_for(std::chrono::seconds(2));
  std::vector<int> rates;
  for (const auto& [surface, commits] : CommitsBySurface(program.Stderr()))
    if (before.contains(surface)) rates.push_back((commits - before.at(surface)) / 2);
  std::sort(rates.begin(), rates.end());
  ASSERT_GE(rates.size(), 2u);
  EXPECT_LE(rates[rates.size() - 2], 36) << "the slower output's surface drew faster than it shows";
  EXPECT_GT(rates.back(), 0);
  program.Signal(SIGTERM);
  EXPECT_EQ(program.WaitExit(), 0);
}

// A mode set and set back in one go: the saver's surface is configured at the large size and
// again at the small one before its loop turns. Nothing of the large size is drawn, nor made
// (one picture of it alone would lift the peak of the saver's memory by 32 MB).
TEST(WaylandMemory, ASizeReplacedBeforeItWasDrawnTakesNoMemory) {
  TWaylandCompositor compositor{{{1280, 720, 1}}, false};
  const std::string output = compositor.Outputs()[0];
  std::vector<std::string> environment = compositor.ClientEnvironment();
  for (const char* variable : {"QUENBREL_BACKEND=", "WAYLAND_DEBUG=1"}) environment.push_back(variable);
  TChildProcess program({QUENBREL_PROGRAM, "/s"}, environment);
  ASSERT_TRUE(WaitUntil([&] { return Covered(compositor.Screenshot(output)) || !program.Running(); }));
  const auto acks = [&] { return Occurrences(program.Stderr(), ".ack_configure("); };
  const int acksBefore = acks();
  const long peakBefore = std::stol(StatusField(program.Pid(), "VmHWM:"));
  compositor.Swaymsg({"output " + output + " mode 3840x2160; output " + output + " mode 1280x720"});
  ASSERT_TRUE(WaitUntil([&] { return acks() >= acksBefore + 2 || !program.Running(); })) << program.Stderr();
  const int commits = Commits(program.Stderr());
  ASSERT_TRUE(WaitUntil([&] { return Commits(program.Stderr()) > commits + 2 || !program.Running(); }));
  const long grownKb = std::stol(StatusField(program.Pid(), "VmHWM:")) - peakBefore;
  RecordProperty("peak_kb_grown", static_cast<int>(grownKb));
  EXPECT_LT(grownKb, 8 * 1024);
  EXPECT_TRUE(Covered(compositor.Screenshot(output)));
  program.Signal(SIGTERM);
  EXPECT_EQ(program.WaitExit(), 0);
}

// Losing the compositor ends the program at once, with exit code 1 and a line that says so,
// as losing the X server does.
TEST(WaylandConnection, TheCompositorGoneEndsTheSaverWithItsMessage) {
  TWaylandCompositor compositor{{{320, 240, 1}}};
  std::vector<std::string> environment = compositor.ClientEnvironment();
  environment.push_back("QUENBREL_BACKEND=");
  TChildProcess program({QUENBREL_PROGRAM, "/s"}, environment);
  ASSERT_TRUE(WaitUntil([&] { return Covered(compositor.Screenshot(compositor.Outputs()[0])) || !program.Running(); }));
  kill(compositor.Pid(), SIGKILL);
  EXPECT_EQ(program.WaitExit(), 1);
  const std::vector<std::string> lines = Lines(program.Stderr());
  ASSERT_EQ(lines.size(), 1u) << program.Stderr();
  EXPECT_NE(lines[0].find("Wayland connection is lost"), std::string::npos) << lines[0];
}

// Whether the process has `signal` blocked (/proc's SigBlk mask).
bool BlocksSignal(pid_t pid, int signal) {
  return (std::stoull(StatusField(pid, "SigBlk:"), nullptr, 16) >> (signal - 1)) & 1;
}

// A socket that takes connections and never answers.
class TSilentCompositor {
 public:
  explicit TSilentCompositor(const std::string& path) : FSocket(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    if (bind(FSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(FSocket, 4) != 0)
      throw std::runtime_error("no socket at " + path);
  }
  ~TSilentCompositor() {
    for (const int client : FClients) close(client);
    close(FSocket);
  }
  // Whether a client connected within a few seconds; it is kept, unanswered.
  bool Accept() {
    pollfd waiting{FSocket, POLLIN, 0};
    if (poll(&waiting, 1, 20000) != 1) return false;
    FClients.push_back(accept(FSocket, nullptr, nullptr));
    return true;
  }

 private:
  int FSocket;
  std::vector<int> FClients;
};

TEST(WaylandConnection, ASilentCompositorIsOneLineAndExitOneAndTheEndingSignalsEndTheWait) {
  TTempDir folder;
  const std::string path = folder.File("wayland-silent");
  TSilentCompositor silent(path);
  const std::vector<std::string> environment{"WAYLAND_DISPLAY=" + path, "DISPLAY=", "QUENBREL_BACKEND="};
  {
    TChildProcess program({QUENBREL_PROGRAM, "/s"}, environment);
    EXPECT_EQ(program.WaitExit(std::chrono::seconds(10)), 1);
    const std::vector<std::string> lines = Lines(program.Stderr());
    ASSERT_EQ(lines.size(), 1u) << program.Stderr();
    EXPECT_NE(lines[0].find(path), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("did not tell"), std::string::npos) << lines[0];
  }
  {
    // Where X11 works too the saver runs there, and says why.
    TXvfb xvfb(320, 240);
    TTestDisplay display(xvfb.Name());
    std::vector<std::string> withX11 = environment;
    withX11.push_back(xvfb.DisplayVariable());
    TChildProcess program({QUENBREL_PROGRAM, "/s"}, withX11);
    ASSERT_TRUE(
        WaitUntil([&] { return display.FullScreenWindow() != 0 || !program.Running(); }, std::chrono::seconds(10)));
    const std::vector<std::string> lines = Lines(program.Stderr());
    ASSERT_EQ(lines.size(), 1u) << program.Stderr();
    EXPECT_NE(lines[0].find(path), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("running on the X display " + xvfb.Name()), std::string::npos) << lines[0];
    program.Signal(SIGTERM);
    EXPECT_EQ(program.WaitExit(), 0);
  }
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    TChildProcess program({QUENBREL_PROGRAM, "/s"}, environment);
    ASSERT_TRUE(silent.Accept());
    // Connected, it takes the signals as its own once it has blocked them.
    ASSERT_TRUE(WaitUntil([&] { return BlocksSignal(program.Pid(), signal); }));
    program.Signal(signal);
    EXPECT_TRUE(WaitUntil([&] { return !program.Running(); }, std::chrono::seconds(1))) << signal;
  }
}

}  // namespace
