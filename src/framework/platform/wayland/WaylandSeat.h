#pragma once
#include <cstdint>
#include <deque>
#include <span>

#include "KeyRepeat.h"
#include "KeyboardFocus.h"
#include "WaylandCursors.h"
#include "WaylandWindowFrames.h"
#include "XkbKeyboard.h"
#include "framework/platform/WindowSystem.h"

class TWaylandWindowTable;
struct TWaylandWindow;
struct wl_keyboard;
struct wl_pointer;
struct wl_seat;
struct wl_surface;

// The user's pointer and keyboard, their events turned into the framework's, in device
// pixels of the window they concern. The program is active while one of its surfaces has
// the keyboard; it is deactivated when the keyboard goes to another client's surface,
// not when it moves between the program's own.
class TWaylandSeat {
 public:
  TWaylandSeat(TWaylandWindowTable& windows, TWaylandCursors& cursors, std::deque<TWsEvent>& queue);
  ~TWaylandSeat();
  TWaylandSeat(const TWaylandSeat&) = delete;
  TWaylandSeat& operator=(const TWaylandSeat&) = delete;

  // The compositor's seat, or null once it is gone.
  void SetSeat(wl_seat* seat);
  // Once a batch of events is handled: a keyboard that left and went to no window of ours
  // deactivated the program.
  void AfterDispatch();
  // What a popup needs of the input that asks for it: the seat it takes the input of, the
  // serial of the latest click or key, the window that input went to.
  wl_seat* Seat() const { return FSeat; }
  std::uint32_t InputSerial() const { return FInputSerial; }
  TWindowHandle InputWindow() const { return FInputWindow; }
  // The toplevel that has the keyboard, or 0.
  TWindowHandle FocusWindow() const { return FFocus.Window(); }
  // The window is going: nothing more is reported for it.
  void Forget(TWindowHandle window);
  // When a held key is next typed again (TKeyRepeat::Never: no key is held), and its typing.
  std::int64_t RepeatDue() const { return FRepeat.Due(); }
  void RepeatKeys(std::int64_t nowMs);
  // The window's cursor changed: shown at once when the pointer is over it.
  void CursorChanged(const TWaylandWindow& window);

  // --- What the listeners report ---
  void Capabilities(std::uint32_t capabilities);
  void PointerEntered(std::uint32_t serial, wl_surface* surface, double x, double y);
  void PointerLeft();
  void PointerMoved(double x, double y);
  void Button(std::uint32_t serial, std::uint32_t button, bool pressed);
  void Wheel(std::uint32_t axis, double value);
  void WheelNotches(std::uint32_t axis, int notches);
  void Keymap(std::uint32_t format, int fd, std::uint32_t size);
  void KeyboardEntered(wl_surface* surface, std::span<const std::uint32_t> keysDown);
  void KeyboardLeft();
  void Key(std::uint32_t serial, std::uint32_t key, bool pressed);
  void Modifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked, std::uint32_t group);
  void RepeatInfo(std::int32_t rate, std::int32_t delay);

 private:
  void Post(TEventKind kind, TWindowHandle window);
  bool FrameTakes(TEventKind kind, bool left, std::uint32_t serial);
  void ShowCursor(const TWaylandWindow& window);
  TWaylandWindow* PointerTarget();
  // False when the pointer is over no window of the program.
  bool PostPointer(TEventKind kind);
  void PostKey(std::uint32_t key, bool pressed);
  TShiftState Shift() const;
  void ReleaseDevices();

  TWaylandWindowTable& FWindows;
  TWaylandCursors& FCursors;
  std::deque<TWsEvent>& FQueue;
  wl_seat* FSeat = nullptr;
  wl_pointer* FPointer = nullptr;
  wl_keyboard* FKeyboard = nullptr;
  TXkbKeyboard FKeys;
  TKeyRepeat FRepeat;
  // The pointer: the window it is over, where in its surface, the serial of its entering, the
  // buttons down and the window the first of them went down on.
  TWindowHandle FPointerWindow = 0;
  TPoint FPointerAt;
  std::uint32_t FEnterSerial = 0;
  TShiftState FButtons = 0;
  TWindowHandle FPressTarget = 0;
  TWaylandWindowFrames FFrames;  // the frames that the program draws: their share of the pointer
  // The latest click or key: its serial and the window it went to.
  std::uint32_t FInputSerial = 0;
  TWindowHandle FInputWindow = 0;
  int FPendingNotches = 0;
  double FWheelRest = 0;
  TKeyboardFocus FFocus;
};
