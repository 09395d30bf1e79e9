// quenbrel-input: a mouse and a keyboard for tests on a Wayland compositor (WAYLAND_DISPLAY),
// made of the virtual-pointer and virtual-keyboard protocols.
//
//   quenbrel-input hold              keeps a pointer and a keyboard until the program is
//                                    ended; on SIGUSR1 the keyboard types the space bar, on
//                                    SIGUSR2 the left Shift key alone, on SIGRTMIN queued with
//                                    a value (sigqueue) the key of that kernel key code (bits
//                                    0-15) with the modifiers of the mask in bits 16-23 down
//                                    (the default keymap's: Shift 1, Ctrl 4, Alt 8); with bit
//                                    24 set, it presses the key only and keeps it down, and
//                                    writes "down" on stdout once the compositor has it
//   quenbrel-input move D [COUNT]    COUNT motions (default 1) of D pixels down and right,
//                                    then back, and so on, so that the pointer never runs
//                                    into an edge and every motion moves it
//   quenbrel-input moveto X Y W H    the pointer to (X, Y) of a desktop of W x H pixels
//   quenbrel-input click [BUTTON]    presses and releases a button (default: the left one)
//   quenbrel-input press [BUTTON]    presses it only, and release releases it
//
// A client learns of a new device through its seat, after the device exists: events of a
// device made just before them are lost for it. `hold` gives the seat its devices before the
// client under test starts. Keys come from that one keyboard, since a compositor may take the
// keyboard focus away and give it back when a keyboard appears. Motions and buttons come from
// a pointer of their own; `move` and `click` end once the compositor has handled them.
// Exit code 0, or 1 with a line on stderr.
#include <linux/input-event-codes.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/signalfd.h>
#include <time.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

struct TGlobals {
  wl_registry* Registry = nullptr;
  wl_seat* Seat = nullptr;
  zwlr_virtual_pointer_manager_v1* Pointers = nullptr;
  zwp_virtual_keyboard_manager_v1* Keyboards = nullptr;

  ~TGlobals() {
    for (void* proxy : {static_cast<void*>(Seat), static_cast<void*>(Pointers), static_cast<void*>(Keyboards)})
      if (proxy) wl_proxy_destroy(static_cast<wl_proxy*>(proxy));
    if (Registry) wl_registry_destroy(Registry);
  }
};

template <class TProxy>
void Bind(wl_registry* registry, std::uint32_t name, const char* interface, const wl_interface& wanted,
          TProxy*& proxy) {
  if (!proxy && std::strcmp(interface, wanted.name) == 0)
    proxy = static_cast<TProxy*>(wl_registry_bind(registry, name, &wanted, 1));
}

void Announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
  auto* globals = static_cast<TGlobals*>(data);
  Bind(registry, name, interface, wl_seat_interface, globals->Seat);
  Bind(registry, name, interface, zwlr_virtual_pointer_manager_v1_interface, globals->Pointers);
  Bind(registry, name, interface, zwp_virtual_keyboard_manager_v1_interface, globals->Keyboards);
}

void Withdraw(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener kRegistryListener{Announce, Withdraw};

std::uint32_t Milliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quenbrel-input: %s\n", message.c_str());
  return 1;
}

void Move(zwlr_virtual_pointer_v1* pointer, int distance, int count) {
  for (int i = 0; i < count; ++i) {
    const wl_fixed_t step = wl_fixed_from_int(i % 2 == 0 ? distance : -distance);
    zwlr_virtual_pointer_v1_motion(pointer, Milliseconds(), step, step);
    zwlr_virtual_pointer_v1_frame(pointer);
  }
}

void MoveTo(zwlr_virtual_pointer_v1* pointer, const int (&place)[4]) {
  const auto value = [](int v) { return static_cast<std::uint32_t>(v); };
  zwlr_virtual_pointer_v1_motion_absolute(pointer, Milliseconds(), value(place[0]), value(place[1]), value(place[2]),
                                          value(place[3]));
  zwlr_virtual_pointer_v1_frame(pointer);
}

void Button(zwlr_virtual_pointer_v1* pointer, std::uint32_t button, std::uint32_t state) {
  zwlr_virtual_pointer_v1_button(pointer, Milliseconds(), button, state);
  zwlr_virtual_pointer_v1_frame(pointer);
}

// Hands the compositor the default keymap (XKB's defaults: a US layout) in a file of its own.
bool SendKeymap(zwp_virtual_keyboard_v1* keyboard) {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* keymap = context ? xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS) : nullptr;
  char* text = keymap ? xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1) : nullptr;
  const std::size_t size = text ? std::strlen(text) + 1 : 0;
  const int fd = text ? memfd_create("keymap", MFD_CLOEXEC) : -1;
  const bool written = fd >= 0 && write(fd, text, size) == static_cast<ssize_t>(size);
  if (written)
    zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd, static_cast<std::uint32_t>(size));
  if (fd >= 0) close(fd);
  std::free(text);
  xkb_keymap_unref(keymap);
  xkb_context_unref(context);
  return written;
}

// The modifiers go down with the key and come up after it, as a hand's do.
void Type(zwp_virtual_keyboard_v1* keyboard, std::uint32_t key, std::uint32_t modifiers = 0) {
  if (modifiers) zwp_virtual_keyboard_v1_modifiers(keyboard, modifiers, 0, 0, 0);
  for (const std::uint32_t state : {WL_KEYBOARD_KEY_STATE_PRESSED, WL_KEYBOARD_KEY_STATE_RELEASED})
    zwp_virtual_keyboard_v1_key(keyboard, Milliseconds(), key, state);
  if (modifiers) zwp_virtual_keyboard_v1_modifiers(keyboard, 0, 0, 0, 0);
}

// A key held down when the keyboard focus moves comes with the focus: a test needs to know it
// is down before it moves the focus.
void PressAndKeep(wl_display* display, zwp_virtual_keyboard_v1* keyboard, std::uint32_t key) {
  zwp_virtual_keyboard_v1_key(keyboard, Milliseconds(), key, WL_KEYBOARD_KEY_STATE_PRESSED);
  if (wl_display_roundtrip(display) == -1) return;
  std::puts("down");
  std::fflush(stdout);
}

constexpr std::uint32_t kKeepDown = 1u << 24;

void TypeForSignal(wl_display* display, zwp_virtual_keyboard_v1* keyboard, const signalfd_siginfo& signal) {
  if (signal.ssi_signo == static_cast<std::uint32_t>(SIGRTMIN)) {
    const auto value = static_cast<std::uint32_t>(signal.ssi_int);
    if (value & kKeepDown) PressAndKeep(display, keyboard, value & 0xFFFF);
    else Type(keyboard, value & 0xFFFF, (value >> 16) & 0xFF);
  } else {
    Type(keyboard, signal.ssi_signo == SIGUSR1 ? KEY_SPACE : KEY_LEFTSHIFT);
  }
}

// Keeps the devices until the program is ended, typing a key for each signal that asks.
int Hold(wl_display* display, const TGlobals& globals) {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGUSR1);
  sigaddset(&signals, SIGUSR2);
  sigaddset(&signals, SIGRTMIN);
  // Blocked before the devices exist: once a test sees them, its signals type keys.
  sigprocmask(SIG_BLOCK, &signals, nullptr);
  const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);
  if (!globals.Keyboards || !globals.Seat) return Fail("the compositor offers no virtual keyboard");
  zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.Pointers, nullptr);
  zwp_virtual_keyboard_v1* keyboard =
      zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(globals.Keyboards, globals.Seat);
  if (signalFd < 0 || !SendKeymap(keyboard)) return Fail("cannot make the keyboard");
  pollfd watched[] = {{wl_display_get_fd(display), POLLIN, 0}, {signalFd, POLLIN, 0}};
  while (wl_display_flush(display) != -1 && poll(watched, 2, -1) > 0) {
    if ((watched[0].revents & POLLIN) && wl_display_dispatch(display) == -1) break;
    if (watched[0].revents & (POLLERR | POLLHUP)) break;
    signalfd_siginfo signal{};
    if ((watched[1].revents & POLLIN) && read(signalFd, &signal, sizeof signal) == sizeof signal)
      TypeForSignal(display, keyboard, signal);
  }
  return Fail("the compositor closed the connection");
}

struct TCommand {
  enum { Hold, Move, MoveTo, Click, Press, Release } Kind = Hold;
  int Distance = 0;
  int Count = 1;
  int Place[4] = {};  // MoveTo: x, y, and the desktop's width and height
  std::uint32_t Button = BTN_LEFT;
};

std::optional<TCommand> Parse(int argc, char** argv) {
  const std::string command = argc >= 2 ? argv[1] : "";
  TCommand parsed;
  if (command == "hold" && argc == 2) return parsed;
  if (command == "move" && (argc == 3 || argc == 4)) {
    parsed.Kind = TCommand::Move;
    parsed.Distance = std::atoi(argv[2]);
    if (argc == 4) parsed.Count = std::atoi(argv[3]);
    return parsed;
  }
  if (command == "moveto" && argc == 6) {
    parsed.Kind = TCommand::MoveTo;
    for (int i = 0; i < 4; ++i) parsed.Place[i] = std::atoi(argv[2 + i]);
    return parsed;
  }
  const bool button = command == "click" || command == "press" || command == "release";
  if (button && argc <= 3) {
    parsed.Kind = command == "click" ? TCommand::Click : command == "press" ? TCommand::Press : TCommand::Release;
    if (argc == 3) parsed.Button = static_cast<std::uint32_t>(std::atoi(argv[2]));
    return parsed;
  }
  return std::nullopt;
}

int Run(wl_display* display, const TCommand& command) {
  TGlobals globals;
  globals.Registry = wl_display_get_registry(display);
  wl_registry_add_listener(globals.Registry, &kRegistryListener, &globals);
  wl_display_roundtrip(display);
  if (!globals.Pointers) return Fail("the compositor offers no virtual pointer");
  if (command.Kind == TCommand::Hold) return Hold(display, globals);
  zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.Pointers, nullptr);
  if (command.Kind == TCommand::Move) Move(pointer, command.Distance, command.Count);
  else if (command.Kind == TCommand::MoveTo) MoveTo(pointer, command.Place);
  if (command.Kind == TCommand::Click || command.Kind == TCommand::Press)
    Button(pointer, command.Button, WL_POINTER_BUTTON_STATE_PRESSED);
  if (command.Kind == TCommand::Click || command.Kind == TCommand::Release)
    Button(pointer, command.Button, WL_POINTER_BUTTON_STATE_RELEASED);
  zwlr_virtual_pointer_v1_destroy(pointer);
  if (wl_display_roundtrip(display) == -1) return Fail("the compositor closed the connection");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<TCommand> command = Parse(argc, argv);
  if (!command)
    return Fail("usage: quenbrel-input hold | move D [COUNT] | moveto X Y W H | click|press|release [BUTTON]");
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return Fail("cannot connect to the Wayland display");
  const int result = Run(display, *command);
  wl_display_disconnect(display);
  return result;
}
