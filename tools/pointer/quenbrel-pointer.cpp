// quenbrel-pointer: a mouse for tests on a Wayland compositor (WAYLAND_DISPLAY), made of the
// virtual-pointer protocol.
//
//   quenbrel-pointer hold              keeps a pointer device until the program is ended, so
//                                      that the seat has a pointer all along
//   quenbrel-pointer move D [COUNT]    COUNT motions (default 1) of D pixels down and right,
//                                      then back, and so on, so that the pointer never runs
//                                      into an edge and every motion moves it
//   quenbrel-pointer click [BUTTON]    presses and releases a button (default: the left one)
//
// A client learns of a new pointer device through its seat, after the device exists: events
// of a device made just before them are lost for it. `hold` gives the seat its pointer before
// the client under test starts; `move` and `click` then use a device of their own. They end
// once the compositor has handled every request, exit code 0, or 1 with a line on stderr.
#include <linux/input-event-codes.h>
#include <time.h>
#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace {

constexpr std::uint32_t kReleased = WL_POINTER_BUTTON_STATE_RELEASED, kPressed = WL_POINTER_BUTTON_STATE_PRESSED;

struct TGlobals {
  zwlr_virtual_pointer_manager_v1* Manager = nullptr;
};

void Announce(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
  auto* globals = static_cast<TGlobals*>(data);
  if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
    globals->Manager = static_cast<zwlr_virtual_pointer_manager_v1*>(
        wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void Withdraw(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener kRegistryListener{Announce, Withdraw};

std::uint32_t Milliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quenbrel-pointer: %s\n", message.c_str());
  return 1;
}

void Move(zwlr_virtual_pointer_v1* pointer, int distance, int count) {
  for (int i = 0; i < count; ++i) {
    const wl_fixed_t step = wl_fixed_from_int(i % 2 == 0 ? distance : -distance);
    zwlr_virtual_pointer_v1_motion(pointer, Milliseconds(), step, step);
    zwlr_virtual_pointer_v1_frame(pointer);
  }
}

void Click(zwlr_virtual_pointer_v1* pointer, std::uint32_t button) {
  for (const std::uint32_t state : {kPressed, kReleased}) {
    zwlr_virtual_pointer_v1_button(pointer, Milliseconds(), button, state);
    zwlr_virtual_pointer_v1_frame(pointer);
  }
}

struct TCommand {
  enum { Hold, Move, Click } Kind = Hold;
  int Distance = 0;
  int Count = 1;
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
  if (command == "click" && argc <= 3) {
    parsed.Kind = TCommand::Click;
    if (argc == 3) parsed.Button = static_cast<std::uint32_t>(std::atoi(argv[2]));
    return parsed;
  }
  return std::nullopt;
}

int Run(wl_display* display, const TCommand& command) {
  TGlobals globals;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kRegistryListener, &globals);
  wl_display_roundtrip(display);
  if (!globals.Manager) return Fail("the compositor offers no virtual pointer");
  zwlr_virtual_pointer_v1* pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(globals.Manager, nullptr);
  if (command.Kind == TCommand::Hold) {
    while (wl_display_dispatch(display) != -1) {
    }
    return 0;
  }
  if (command.Kind == TCommand::Move) Move(pointer, command.Distance, command.Count);
  else Click(pointer, command.Button);
  zwlr_virtual_pointer_v1_destroy(pointer);
  if (wl_display_roundtrip(display) == -1) return Fail("the compositor closed the connection");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<TCommand> command = Parse(argc, argv);
  if (!command) return Fail("usage: quenbrel-pointer hold | move D [COUNT] | click [BUTTON]");
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return Fail("cannot connect to the Wayland display");
  const int result = Run(display, *command);
  wl_display_disconnect(display);
  return result;
}
