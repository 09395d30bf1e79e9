#pragma once
#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "support/TempDir.h"

struct TOutputMode {
  int Width = 0;
  int Height = 0;
  int Scale = 1;
};

// One output's pixels as the compositor shows them, at its physical size: pixel words
// (0x00RRGGBB) row by row.
struct TOutputPicture {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

// A Wayland compositor of its own for one test: sway on no hardware (its headless backend,
// pixman for drawing, no XWayland), started as an unprivileged user since it refuses root;
// the test's clients, root or not, connect to its socket. It has a virtual pointer and a
// virtual keyboard from the start, so that a client sees both when it starts: a client that
// meets a device only later loses the first events of it. Ready when made.
class TWaylandCompositor {
 public:
  // The first of the programs the tests need (sway and its tools) that is not installed; empty
  // when all are.
  static std::string MissingProgram();

  // The first output is the one sway starts with; the others are made for it. Without the
  // input devices nothing takes a client's keyboard focus away (and nothing types).
  explicit TWaylandCompositor(const std::vector<TOutputMode>& outputs, bool inputDevices = true);
  ~TWaylandCompositor();
  TWaylandCompositor(const TWaylandCompositor&) = delete;
  TWaylandCompositor& operator=(const TWaylandCompositor&) = delete;

  pid_t Pid() const { return FSway->Pid(); }
  // What a client needs to reach this compositor, and no X display to reach instead.
  std::vector<std::string> ClientEnvironment() const;
  // The outputs' names, in the order made.
  const std::vector<std::string>& Outputs() const { return FOutputs; }
  std::string AddOutput(const TOutputMode& mode);
  void RemoveOutput(const std::string& output);
  void SetMode(const std::string& output, const TOutputMode& mode);
  // What the screen shows where no window is: sway's clear colour.
  static constexpr std::uint32_t kBackground = 0x3F3F3F;
  // Empty when the output cannot be read.
  TOutputPicture Screenshot(const std::string& output);
  // The windows (toplevels) it manages; surfaces of the layer shell are none of them.
  int WindowCount();

  // The user's hands. The pointer's return once the compositor has handled the input; a key
  // is typed a little later.
  enum class TKey { Space, LeftShift };
  void TypeKey(TKey key);
  void MovePointer(int motions);
  void Click();

  // Keys by their kernel codes (<linux/input-event-codes.h>) with the modifiers of the mask
  // down (the default keymap's bits below), typed a little later, in the order asked.
  static constexpr unsigned kShift = 1, kCtrl = 4, kAlt = 8;
  void TypeKey(unsigned code, unsigned modifiers = 0);
  // Presses the key and keeps it down; returns once the compositor has handled it, so that
  // the window the keyboard enters next gets it as already down.
  void HoldKeyDown(unsigned code);
  // The pointer to a point of the first output, which tests that point at have alone.
  void MovePointerTo(int x, int y);
  void Click(unsigned button);
  void Press(unsigned button);
  void Release(unsigned button);

  // Windows by their titles, exactly.
  bool HasWindow(const std::string& title);
  bool HasFocus(const std::string& title);
  // Floats the window, without a frame of the compositor's, with its top-left corner at (x, y).
  void PlaceWindow(const std::string& title, int x, int y);
  // The same for windows of that title yet to come, from their first showing on, at the
  // size they ask for.
  void PlaceNewWindows(const std::string& title, int x, int y);
  // Asks the window to close, as the compositor's own close button or shortcut does.
  void CloseWindow(const std::string& title);

  // The compositor's control command with these arguments; its output. Raises when it fails.
  std::string Swaymsg(const std::vector<std::string>& arguments);

 private:
  // Runs a program as a client of this compositor; raises when it fails.
  std::string RunClient(const std::vector<std::string>& arguments);
  void WaitUntilAnswering();
  void WaitForInputDevices();
  // Whether a command about the windows that the criteria pick finds any.
  bool Matches(const std::string& criteria);

  TTempDir FRuntime;  // XDG_RUNTIME_DIR: the sockets and the configuration
  std::string FWaylandSocket, FIpcSocket;
  std::unique_ptr<TChildProcess> FSway;
  std::unique_ptr<TChildProcess> FInput;  // the devices held for the whole run
  std::vector<std::string> FOutputs;
  TOutputMode FFirstMode;
};

// KWin on no hardware (its virtual backend) with one output at a scale that may be
// fractional: the compositor that offers fractional scales. It refuses root too, and runs in a
// D-Bus session of its own. Ready when made.
class TKWinCompositor {
 public:
  // Whether KWin and what it runs in are installed.
  static bool Installed();
  // The output's logical size: at 1.5, 1280x720 is a 1920x1080 output.
  TKWinCompositor(int width, int height, const std::string& scale);
  ~TKWinCompositor();
  TKWinCompositor(const TKWinCompositor&) = delete;
  TKWinCompositor& operator=(const TKWinCompositor&) = delete;

  std::vector<std::string> ClientEnvironment() const;

 private:
  TTempDir FRuntime;
  std::unique_ptr<TChildProcess> FKWin;
};
