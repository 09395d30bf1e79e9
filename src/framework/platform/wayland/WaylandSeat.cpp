#include "WaylandSeat.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstring>

#include "WaylandApi.h"
#include "WaylandWindowTable.h"
#include "framework/platform/MonotonicClock.h"

namespace {

TWaylandSeat& Seat(void* data) { return *static_cast<TWaylandSeat*>(data); }

const wl_seat_listener kSeatListener = {
    .capabilities = [](void* data, wl_seat*, std::uint32_t capabilities) { Seat(data).Capabilities(capabilities); },
    .name = [](void*, wl_seat*, const char*) {},
};

const wl_pointer_listener kPointerListener = {
    .enter =
        [](void* data, wl_pointer*, std::uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
          Seat(data).PointerEntered(serial, surface, wl_fixed_to_double(x), wl_fixed_to_double(y));
        },
    .leave = [](void* data, wl_pointer*, std::uint32_t, wl_surface*) { Seat(data).PointerLeft(); },
    .motion = [](void* data, wl_pointer*, std::uint32_t, wl_fixed_t x,
                 wl_fixed_t y) { Seat(data).PointerMoved(wl_fixed_to_double(x), wl_fixed_to_double(y)); },
    .button = [](void* data, wl_pointer*, std::uint32_t serial, std::uint32_t, std::uint32_t button,
                 std::uint32_t state) { Seat(data).Button(serial, button, state == WL_POINTER_BUTTON_STATE_PRESSED); },
    .axis = [](void* data, wl_pointer*, std::uint32_t, std::uint32_t axis,
               wl_fixed_t value) { Seat(data).Wheel(axis, wl_fixed_to_double(value)); },
    .frame = [](void*, wl_pointer*) {},
    .axis_source = [](void*, wl_pointer*, std::uint32_t) {},
    .axis_stop = [](void*, wl_pointer*, std::uint32_t, std::uint32_t) {},
    .axis_discrete = [](void* data, wl_pointer*, std::uint32_t axis,
                        std::int32_t discrete) { Seat(data).WheelNotches(axis, discrete); },
    // Version 8, never bound.
    .axis_value120 = nullptr,
};

const wl_keyboard_listener kKeyboardListener = {
    .keymap = [](void* data, wl_keyboard*, std::uint32_t format, std::int32_t fd,
                 std::uint32_t size) { Seat(data).Keymap(format, fd, size); },
    .enter =
        [](void* data, wl_keyboard*, std::uint32_t, wl_surface* surface, wl_array* keys) {
          const auto* key = static_cast<const std::uint32_t*>(keys->data);
          Seat(data).KeyboardEntered(surface, {key, keys->size / sizeof(std::uint32_t)});
        },
    .leave = [](void* data, wl_keyboard*, std::uint32_t, wl_surface*) { Seat(data).KeyboardLeft(); },
    .key = [](void* data, wl_keyboard*, std::uint32_t serial, std::uint32_t, std::uint32_t key,
              std::uint32_t state) { Seat(data).Key(serial, key, state == WL_KEYBOARD_KEY_STATE_PRESSED); },
    .modifiers = [](void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed, std::uint32_t latched,
                    std::uint32_t locked,
                    std::uint32_t group) { Seat(data).Modifiers(depressed, latched, locked, group); },
    .repeat_info = [](void* data, wl_keyboard*, std::int32_t rate,
                      std::int32_t delay) { Seat(data).RepeatInfo(rate, delay); },
};

// A keymap is a few dozen kilobytes of text; more is not believed.
constexpr std::uint32_t kMaxKeymapBytes = 1 << 22;
// Without notches (a touchpad), this much scrolling counts as one.
constexpr double kScrollPerNotch = 10;

// A position in surface coordinates (logical) in the window's device pixels.
TPoint DevicePoint(const TWaylandWindow& window, double x, double y) {
  const double scale = DeviceScale(window);
  return {static_cast<int>(std::floor(x * scale)), static_cast<int>(std::floor(y * scale))};
}

}  // namespace

TWaylandSeat::TWaylandSeat(TWaylandWindowTable& windows, TWaylandCursors& cursors, std::deque<TWsEvent>& queue)
    : FWindows(windows),
      FCursors(cursors),
      FQueue(queue),
      FFrames(queue, [this](const TWaylandWindow& window) { ShowCursor(window); }) {}

TWaylandSeat::~TWaylandSeat() { SetSeat(nullptr); }

void TWaylandSeat::SetSeat(wl_seat* seat) {
  ReleaseDevices();
  if (FSeat) {
    if (wl_seat_get_version(FSeat) >= WL_SEAT_RELEASE_SINCE_VERSION) wl_seat_release(FSeat);
    else wl_seat_destroy(FSeat);
  }
  FSeat = seat;
  if (FSeat) wl_seat_add_listener(FSeat, &kSeatListener, this);
}

void TWaylandSeat::ReleaseDevices() {
  if (FPointer) wl_pointer_release(FPointer);
  if (FKeyboard) wl_keyboard_release(FKeyboard);
  FPointer = nullptr;
  FKeyboard = nullptr;
  FPointerWindow = 0;
  FFocus.Forget(FFocus.Window());
  FRepeat.Stop();
}

void TWaylandSeat::Capabilities(std::uint32_t capabilities) {
  const bool pointer = capabilities & WL_SEAT_CAPABILITY_POINTER;
  const bool keyboard = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
  if (pointer && !FPointer) {
    FPointer = wl_seat_get_pointer(FSeat);
    wl_pointer_add_listener(FPointer, &kPointerListener, this);
  } else if (!pointer && FPointer) {
    wl_pointer_release(FPointer);
    FPointer = nullptr;
    FPointerWindow = 0;
  }
  if (keyboard && !FKeyboard) {
    FKeyboard = wl_seat_get_keyboard(FSeat);
    wl_keyboard_add_listener(FKeyboard, &kKeyboardListener, this);
  } else if (!keyboard && FKeyboard) {
    wl_keyboard_release(FKeyboard);
    FKeyboard = nullptr;
    FFocus.Forget(FFocus.Window());
    FRepeat.Stop();
  }
}

void TWaylandSeat::Post(TEventKind kind, TWindowHandle window) {
  TWsEvent event;
  event.Kind = kind;
  event.Window = window;
  FQueue.push_back(event);
}

// Pointer input goes to the window that a button went down on, until every button is up;
// else to the newest popup, which takes the pointer over every window of the program while
// shown, as a menu does; else to the window under the pointer.
TWaylandWindow* TWaylandSeat::PointerTarget() {
  if (FButtons)
    if (TWaylandWindow* pressed = FWindows.Find(FPressTarget)) return pressed;
  if (TWaylandWindow* popup = FWindows.TopPopup()) return popup;
  return FWindows.Find(FPointerWindow);
}

// At the pointer, in the target's client coordinates: outside it, up and left, where the
// compositor tells nothing of where the two windows are.
bool TWaylandSeat::PostPointer(TEventKind kind) {
  TWaylandWindow* under = FWindows.Find(FPointerWindow);
  TWaylandWindow* target = PointerTarget();
  if (!under || !target) return false;
  const TPoint at = FWindows.ClientPoint(*under, FPointerAt, *target).value_or(TPoint{-1, -1});
  Post(kind, target->Handle);
  FQueue.back().X = at.X;
  FQueue.back().Y = at.Y;
  FQueue.back().Shift = Shift();
  return true;
}

// Entering is no move (a window shown under a pointer at rest is entered too): the position
// is kept for the events that follow. But a popup follows the pointer over every window of the
// program, and the compositor tells a move from one of them onto another by the entering
// alone. The window's cursor shows at once, so a hidden pointer never appears over it.
void TWaylandSeat::PointerEntered(std::uint32_t serial, wl_surface* surface, double x, double y) {
  const TWaylandWindow* window = FWindows.FindSurface(surface);
  FPointerWindow = window ? window->Handle : 0;
  FEnterSerial = serial;
  if (!window) return;
  FPointerAt = DevicePoint(*window, x, y);
  FFrames.PointerEntered(*window, FPointerAt);
  ShowCursor(*window);
  if (FWindows.TopPopup()) PostPointer(TEventKind::MouseMove);
}

// A popup that holds the pointer follows it everywhere: leaving a window is no news to it.
// With a button still down, the compositor took the pointer (to move the window): the
// button's release goes elsewhere.
void TWaylandSeat::PointerLeft() {
  TWaylandWindow* window = FWindows.Find(FPointerWindow);
  if (window) FFrames.PointerLeft(*window, !FWindows.TopPopup());
  FPointerWindow = 0;
  FButtons = 0;
  FPressTarget = 0;
  FFrames.ButtonsUp();
}

void TWaylandSeat::PointerMoved(double x, double y) {
  const TWaylandWindow* window = FWindows.Find(FPointerWindow);
  if (!window) return;
  FPointerAt = DevicePoint(*window, x, y);
  if (!FrameTakes(TEventKind::MouseMove, false, 0)) PostPointer(TEventKind::MouseMove);
}

// The frame that the program draws has the first say over pointer input, but not while a popup
// holds the pointer. True when the client hears nothing of the event.
bool TWaylandSeat::FrameTakes(TEventKind kind, bool left, std::uint32_t serial) {
  TWaylandWindow* under = FWindows.Find(FPointerWindow);
  return under && !FWindows.TopPopup() && FFrames.Takes(*under, {kind, FPointerAt, left, FButtons != 0, FSeat, serial});
}

void TWaylandSeat::ShowCursor(const TWaylandWindow& window) {
  if (FPointer) FCursors.Show(FPointer, FEnterSerial, FFrames.Cursor(window), window.View.Scale);
}

// The three buttons the framework knows; others (side buttons) are not reported, as on X11.
void TWaylandSeat::Button(std::uint32_t serial, std::uint32_t button, bool pressed) {
  TMouseButton which = TMouseButton::mbLeft;
  TShiftState bit = ssLeft;
  switch (button) {
    case BTN_LEFT: break;
    case BTN_RIGHT:
      which = TMouseButton::mbRight;
      bit = ssRight;
      break;
    case BTN_MIDDLE:
      which = TMouseButton::mbMiddle;
      bit = ssMiddle;
      break;
    default: return;
  }
  FInputSerial = serial;
  const TEventKind kind = pressed ? TEventKind::MouseDown : TEventKind::MouseUp;
  // The state is the one before the event, as X11 reports it.
  if (!FrameTakes(kind, button == BTN_LEFT, serial) && PostPointer(kind)) {
    FQueue.back().Button = which;
    FInputWindow = FQueue.back().Window;
    if (pressed && !FButtons) FPressTarget = FInputWindow;
  }
  if (pressed) FButtons |= bit;
  else FButtons &= static_cast<TShiftState>(~bit);
  if (FButtons) return;
  FPressTarget = 0;
  FFrames.ButtonsUp();
}

void TWaylandSeat::WheelNotches(std::uint32_t axis, int notches) {
  if (axis == WL_POINTER_AXIS_VERTICAL_SCROLL) FPendingNotches += notches;
}

// Positive values scroll down, towards the user: a negative wheel delta.
void TWaylandSeat::Wheel(std::uint32_t axis, double value) {
  if (axis != WL_POINTER_AXIS_VERTICAL_SCROLL || !FPointerWindow) return;
  int notches = FPendingNotches;
  FPendingNotches = 0;
  if (notches == 0) {
    FWheelRest += value;
    notches = static_cast<int>(FWheelRest / kScrollPerNotch);
    FWheelRest -= notches * kScrollPerNotch;
  }
  if (notches == 0 || FrameTakes(TEventKind::MouseWheel, false, 0)) return;
  if (PostPointer(TEventKind::MouseWheel)) FQueue.back().WheelDelta = -notches * WHEEL_DELTA;
}

void TWaylandSeat::Keymap(std::uint32_t format, int fd, std::uint32_t size) {
  void* text = MAP_FAILED;
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0 && size <= kMaxKeymapBytes)
    text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
  close(fd);
  if (text == MAP_FAILED) return;
  // The text ends at its first zero byte, or at the end of what was mapped.
  const auto* characters = static_cast<const char*>(text);
  FKeys.SetKeymap({characters, strnlen(characters, size)});
  munmap(text, size);
}

// A popup that takes the keyboard leaves it with the window below: the program's focus
// stays there.
// Keys already down as the keyboard enters a full-screen window (the saver, shown while the
// user typed, or given the keyboard only then) were pressed there as far as it is concerned:
// any key ends the saver. Another window takes only the keys pressed over it (Alt still down
// from switching to a dialog types nothing there).
void TWaylandSeat::KeyboardEntered(wl_surface* surface, std::span<const std::uint32_t> keysDown) {
  TWaylandWindow* window = FWindows.FindSurface(surface);
  if (!window) return;
  const TWindowHandle focus = FWindows.Root(*window).Handle;
  if (FFocus.Entered(focus)) Post(TEventKind::Activated, focus);
  if (window->Params.FullScreen)
    for (const std::uint32_t key : keysDown) PostKey(key, true);
}

void TWaylandSeat::KeyboardLeft() {
  FFocus.Left();
  FRepeat.Stop();
}

void TWaylandSeat::AfterDispatch() {
  if (const TWindowHandle lost = FFocus.LostInBatch()) Post(TEventKind::Deactivated, lost);
}

void TWaylandSeat::Forget(TWindowHandle window) {
  FFocus.Forget(window);
  for (TWindowHandle* kept : {&FPointerWindow, &FPressTarget, &FInputWindow})
    if (*kept == window) *kept = 0;
}

void TWaylandSeat::CursorChanged(const TWaylandWindow& window) {
  if (FPointerWindow == window.Handle) ShowCursor(window);
}

void TWaylandSeat::Key(std::uint32_t serial, std::uint32_t key, bool pressed) {
  FInputSerial = serial;
  if (pressed && FKeys.Repeats(key)) FRepeat.Pressed(key, MonotonicMs());
  else if (!pressed) FRepeat.Released(key);
  PostKey(key, pressed);
}

// Keys go to the newest popup while one is shown, as to a menu that holds the keyboard.
void TWaylandSeat::PostKey(std::uint32_t key, bool pressed) {
  const TWaylandWindow* popup = FWindows.TopPopup();
  const TWindowHandle target = popup ? popup->Handle : FFocus.Window();
  if (!target) return;
  FInputWindow = target;
  Post(pressed ? TEventKind::KeyDown : TEventKind::KeyUp, target);
  TWsEvent& event = FQueue.back();
  event.Shift = Shift();
  FKeys.Translate(key, pressed, event.Key, event.Char);
}

void TWaylandSeat::RepeatInfo(std::int32_t rate, std::int32_t delay) { FRepeat.Configure(rate, delay); }

void TWaylandSeat::RepeatKeys(std::int64_t nowMs) {
  std::uint32_t key = 0;
  if (FRepeat.Take(nowMs, key)) PostKey(key, true);
}

void TWaylandSeat::Modifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                             std::uint32_t group) {
  FKeys.SetModifiers(depressed, latched, locked, group);
}

TShiftState TWaylandSeat::Shift() const { return FButtons | FKeys.Shift(); }
