#include "WaylandCompositor.h"

#include <signal.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>
#include <string_view>

#include "testkit/Polling.h"

namespace {

constexpr uid_t kUnprivileged = 65534;

// The values of every "name" member in the compositor's JSON answer.
std::set<std::string> Names(const std::string& json) {
  static const std::string key = "\"name\": \"";
  std::set<std::string> names;
  for (std::size_t at = json.find(key); at != std::string::npos; at = json.find(key, at)) {
    at += key.size();
    names.insert(json.substr(at, json.find('"', at) - at));
  }
  return names;
}

// The criteria that pick a window by its whole title, its regular expression's characters
// taken literally.
std::string TitleCriteria(const std::string& title) {
  std::string pattern;
  for (const char c : title) {
    if (std::string_view("\\^$.|?*+()[]{}\"").find(c) != std::string_view::npos) pattern += '\\';
    pattern += c;
  }
  return "title=\"^" + pattern + "$\"";
}

// A binary portable pixmap ("P6 W H 255", then R, G, B per pixel), as grim writes it.
TOutputPicture ReadPixmap(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string magic;
  int maximum = 0;
  TOutputPicture picture;
  file >> magic >> picture.Width >> picture.Height >> maximum;
  file.get();
  if (!file || magic != "P6" || maximum != 255 || picture.Width <= 0 || picture.Height <= 0) return {};
  const std::size_t count = static_cast<std::size_t>(picture.Width) * static_cast<std::size_t>(picture.Height);
  std::vector<unsigned char> bytes(3 * count);
  if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return {};
  picture.Pixels.resize(count);
  for (std::size_t i = 0; i < count; ++i)
    picture.Pixels[i] = std::uint32_t{bytes[3 * i]} << 16 | std::uint32_t{bytes[3 * i + 1]} << 8 | bytes[3 * i + 2];
  return picture;
}

// The full path of a program on PATH; empty when it is on none.
std::string OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  const std::string folders = path ? path : "";
  for (std::size_t start = 0, end; start <= folders.size(); start = end + 1) {
    end = std::min(folders.find(':', start), folders.size());
    const std::string candidate = folders.substr(start, end - start) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return "";
}

// Compositors refuse root: as root, the command runs as an unprivileged user, who is given
// the runtime folder (private to its owner, as compositors demand).
std::vector<std::string> AsCompositorUser(std::vector<std::string> command, const TTempDir& runtime) {
  chmod(runtime.Path().c_str(), 0700);
  if (geteuid() != 0) return command;
  if (chown(runtime.Path().c_str(), kUnprivileged, kUnprivileged) != 0)
    throw std::runtime_error("cannot hand " + runtime.Path() + " to the compositor's user");
  const std::string id = std::to_string(kUnprivileged);
  // A change of user clears the request to end with the test: setpriv makes it again.
  command.insert(command.begin(), {"setpriv", "--reuid=" + id, "--regid=" + id, "--clear-groups", "--pdeathsig=KILL"});
  return command;
}

// Whether a Unix socket takes connections: its file stands a moment before it listens.
bool Listens(const std::string& path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof(address.sun_path)) return false;
  path.copy(address.sun_path, path.size());
  const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool connected = connect(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
  close(socket);
  return connected;
}

}  // namespace

std::string TWaylandCompositor::MissingProgram() {
  for (const char* program : {"sway", "swaymsg", "grim", "swayidle", "setpriv"})
    if (OnPath(program).empty()) return program;
  return "";
}

TWaylandCompositor::TWaylandCompositor(const std::vector<TOutputMode>& outputs, bool inputDevices) {
  const std::string config = FRuntime.File("config");
  std::ofstream(config) << "xwayland disable\n";
  const std::vector<std::string> command = AsCompositorUser({"sway", "-c", config}, FRuntime);
  FSway = std::make_unique<TChildProcess>(
      command, std::vector<std::string>{
                   "WLR_BACKENDS=headless", "WLR_RENDERER=pixman", "WLR_LIBINPUT_NO_DEVICES=1",
                   "WLR_HEADLESS_OUTPUTS=1", "XDG_RUNTIME_DIR=" + FRuntime.Path(), "HOME=" + FRuntime.Path(),
                   "XDG_CONFIG_HOME=", "WAYLAND_DISPLAY=", "WAYLAND_SOCKET=", "DISPLAY=", "SWAYSOCK="});
  WaitUntilAnswering();
  FOutputs = {"HEADLESS-1"};
  FFirstMode = outputs.at(0);
  SetMode(FOutputs[0], outputs.at(0));
  for (std::size_t i = 1; i < outputs.size(); ++i) AddOutput(outputs[i]);
  if (!inputDevices) return;
  FInput = std::make_unique<TChildProcess>(std::vector<std::string>{QUENBREL_INPUT, "hold"}, ClientEnvironment());
  WaitForInputDevices();
}

TWaylandCompositor::~TWaylandCompositor() = default;

std::vector<std::string> TWaylandCompositor::ClientEnvironment() const {
  return {"WAYLAND_DISPLAY=" + FWaylandSocket, "XDG_RUNTIME_DIR=" + FRuntime.Path(), "SWAYSOCK=" + FIpcSocket,
          "WAYLAND_SOCKET=", "DISPLAY="};
}

void TWaylandCompositor::WaitUntilAnswering() {
  const auto found = [&] {
    for (const auto& entry : std::filesystem::directory_iterator(FRuntime.Path())) {
      const std::string name = entry.path().filename();
      if (!entry.is_socket()) continue;
      if (name.starts_with("wayland-")) FWaylandSocket = entry.path();
      if (name.starts_with("sway-ipc.")) FIpcSocket = entry.path();
    }
    return !FWaylandSocket.empty() && !FIpcSocket.empty();
  };
  // A socket's file stands a moment before the socket listens.
  const auto answers = [&] {
    TChildProcess probe({"swaymsg", "-s", FIpcSocket, "-t", "get_version"}, ClientEnvironment());
    return probe.WaitExit() == 0;
  };
  if (!WaitUntil([&] { return (found() && answers()) || !FSway->Running(); }) || !FSway->Running())
    throw std::runtime_error("the compositor did not start: " + FSway->Stderr());
}

void TWaylandCompositor::WaitForInputDevices() {
  const auto present = [&] {
    const std::string inputs = Swaymsg({"-t", "get_inputs"});
    return inputs.find("\"type\": \"pointer\"") != std::string::npos &&
           inputs.find("\"type\": \"keyboard\"") != std::string::npos;
  };
  if (!WaitUntil([&] { return present() || !FInput->Running(); }) || !FInput->Running())
    throw std::runtime_error("no virtual input devices: " + FInput->Stderr());
}

std::string TWaylandCompositor::AddOutput(const TOutputMode& mode) {
  const std::set<std::string> before = Names(Swaymsg({"-t", "get_outputs"}));
  Swaymsg({"create_output"});
  for (const std::string& name : Names(Swaymsg({"-t", "get_outputs"})))
    if (!before.contains(name)) {
      FOutputs.push_back(name);
      SetMode(name, mode);
      return name;
    }
  throw std::runtime_error("the compositor made no output");
}

// Disabled, the output goes away for clients as an unplugged one does.
void TWaylandCompositor::RemoveOutput(const std::string& output) {
  Swaymsg({"output", output, "disable"});
  std::erase(FOutputs, output);
}

void TWaylandCompositor::SetMode(const std::string& output, const TOutputMode& mode) {
  Swaymsg({"output", output, "mode", std::to_string(mode.Width) + "x" + std::to_string(mode.Height), "scale",
           std::to_string(mode.Scale)});
}

TOutputPicture TWaylandCompositor::Screenshot(const std::string& output) {
  const std::string path = FRuntime.File("screenshot.ppm");
  TChildProcess grim({"grim", "-t", "ppm", "-o", output, path}, ClientEnvironment());
  return grim.WaitExit() == 0 ? ReadPixmap(path) : TOutputPicture{};
}

int TWaylandCompositor::WindowCount() {
  static const std::string window = "\"type\": \"con\"";
  const std::string tree = Swaymsg({"-t", "get_tree"});
  int count = 0;
  for (std::size_t at = tree.find(window); at != std::string::npos; at = tree.find(window, at + 1)) ++count;
  return count;
}

void TWaylandCompositor::TypeKey(TKey key) { FInput->Signal(key == TKey::Space ? SIGUSR1 : SIGUSR2); }

void TWaylandCompositor::MovePointer(int motions) {
  RunClient({QUENBREL_INPUT, "move", "10", std::to_string(motions)});
}

void TWaylandCompositor::Click() { RunClient({QUENBREL_INPUT, "click"}); }

void TWaylandCompositor::TypeKey(unsigned code, unsigned modifiers) {
  sigval value{};
  value.sival_int = static_cast<int>(code | modifiers << 16);
  if (sigqueue(FInput->Pid(), SIGRTMIN, value) != 0) throw std::runtime_error("the keyboard is gone");
}

void TWaylandCompositor::HoldKeyDown(unsigned code) {
  const auto downs = [&] { return std::ranges::count(FInput->Stdout(), '\n'); };
  const auto before = downs();
  constexpr unsigned kKeepDown = 1u << 24;  // the keyboard's flag beside the key code
  TypeKey(code | kKeepDown);
  if (!WaitUntil([&] { return downs() > before || !FInput->Running(); }) || !FInput->Running())
    throw std::runtime_error("the keyboard did not press the key: " + FInput->Stderr());
}

void TWaylandCompositor::MovePointerTo(int x, int y) {
  RunClient({QUENBREL_INPUT, "moveto", std::to_string(x), std::to_string(y), std::to_string(FFirstMode.Width),
             std::to_string(FFirstMode.Height)});
}

void TWaylandCompositor::Click(unsigned button) { RunClient({QUENBREL_INPUT, "click", std::to_string(button)}); }
void TWaylandCompositor::Press(unsigned button) { RunClient({QUENBREL_INPUT, "press", std::to_string(button)}); }
void TWaylandCompositor::Release(unsigned button) { RunClient({QUENBREL_INPUT, "release", std::to_string(button)}); }

bool TWaylandCompositor::Matches(const std::string& criteria) {
  TChildProcess swaymsg({"swaymsg", "-s", FIpcSocket, "[" + criteria + "] nop"}, ClientEnvironment());
  return swaymsg.WaitExit() == 0;
}

bool TWaylandCompositor::HasWindow(const std::string& title) { return Matches(TitleCriteria(title)); }

bool TWaylandCompositor::HasFocus(const std::string& title) {
  return Matches("con_id=__focused__ " + TitleCriteria(title));
}

namespace {

std::string Placing(int x, int y) {
  return "floating enable, border none, move position " + std::to_string(x) + " " + std::to_string(y);
}

}  // namespace

void TWaylandCompositor::PlaceWindow(const std::string& title, int x, int y) {
  Swaymsg({"[" + TitleCriteria(title) + "] " + Placing(x, y)});
}

void TWaylandCompositor::PlaceNewWindows(const std::string& title, int x, int y) {
  // Quoted: the commands are the rule's, not more commands of this message.
  Swaymsg({"for_window [" + TitleCriteria(title) + "] \"" + Placing(x, y) + "\""});
}

void TWaylandCompositor::CloseWindow(const std::string& title) { Swaymsg({"[" + TitleCriteria(title) + "] kill"}); }

std::string TWaylandCompositor::Swaymsg(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{"swaymsg", "-r", "-s", FIpcSocket};
  command.insert(command.end(), arguments.begin(), arguments.end());
  return RunClient(command);
}

std::string TWaylandCompositor::RunClient(const std::vector<std::string>& arguments) {
  TChildProcess client(arguments, ClientEnvironment());
  if (client.WaitExit() != 0) throw std::runtime_error(arguments[0] + " failed: " + client.Stderr() + client.Stdout());
  return client.Stdout();
}

bool TKWinCompositor::Installed() {
  for (const char* program : {"kwin_wayland", "dbus-run-session", "setpriv"})
    if (OnPath(program).empty()) return false;
  return true;
}

// The installed binary carries a file capability that an unprivileged user cannot be granted
// here, so that it would not start: a plain copy, without it, runs.
TKWinCompositor::TKWinCompositor(int width, int height, const std::string& scale) {
  const std::string kwin = FRuntime.File("kwin_wayland");
  std::filesystem::copy_file(OnPath("kwin_wayland"), kwin);
  // The session's bus ends when KWin does: KWin ends first, with the test or when told, and
  // tells its process id for that.
  const std::string run = "echo $$ > " + FRuntime.File("kwin.pid") + "; exec setpriv --pdeathsig=KILL " + kwin +
                          " --virtual --width " + std::to_string(width) + " --height " + std::to_string(height) +
                          " --scale " + scale + " --socket kwin-test --no-lockscreen";
  const std::vector<std::string> command = AsCompositorUser({"dbus-run-session", "--", "sh", "-c", run}, FRuntime);
  FKWin = std::make_unique<TChildProcess>(
      command, std::vector<std::string>{"QT_QPA_PLATFORM=wayland", "XDG_RUNTIME_DIR=" + FRuntime.Path(),
                                        "HOME=" + FRuntime.Path(),
                                        "XDG_CONFIG_HOME=", "WAYLAND_DISPLAY=", "WAYLAND_SOCKET=", "DISPLAY="});
  const std::string socket = FRuntime.File("kwin-test");
  if (!WaitUntil([&] { return Listens(socket) || !FKWin->Running(); }) || !FKWin->Running())
    throw std::runtime_error("KWin did not start: " + FKWin->Stderr());
}

TKWinCompositor::~TKWinCompositor() {
  pid_t kwin = 0;
  if (std::ifstream(FRuntime.File("kwin.pid")) >> kwin && kwin > 0) kill(kwin, SIGTERM);
  FKWin->WaitExit();
}

std::vector<std::string> TKWinCompositor::ClientEnvironment() const {
  return {"WAYLAND_DISPLAY=kwin-test", "XDG_RUNTIME_DIR=" + FRuntime.Path(), "WAYLAND_SOCKET=", "DISPLAY="};
}
