#include "framework/platform/wayland/WaylandSeat.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sys/socket.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstdint>
#include <deque>
#include <stdexcept>
#include <vector>

#include "framework/platform/wayland/WaylandCursors.h"
#include "framework/platform/wayland/WaylandGlobals.h"
#include "framework/platform/wayland/WaylandOutputs.h"
#include "framework/platform/wayland/WaylandWindowTable.h"

namespace {

// A connection whose other end nobody reads: requests queue up and are never sent.
struct TUnansweredConnection {
  TUnansweredConnection() {
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) throw std::runtime_error("no socket pair");
    OtherEnd = ends[1];
    Display = wl_display_connect_to_fd(ends[0]);
  }
  ~TUnansweredConnection() {
    wl_display_disconnect(Display);
    close(OtherEnd);
  }
  int OtherEnd = -1;
  wl_display* Display = nullptr;
};

// A seat whose listeners' reports are made by hand. The surfaces are only compared, never sent.
class WaylandSeat : public ::testing::Test {
 protected:
  WaylandSeat() {
    for (std::size_t i = 0; i < 2; ++i) Windows[i]->Surface = reinterpret_cast<wl_surface*>(&SurfaceIds[i]);
    Saver.Params.FullScreen = true;
  }

  std::vector<TEventKind> Kinds() const {
    std::vector<TEventKind> kinds;
    for (const TWsEvent& event : Queue) kinds.push_back(event.Kind);
    return kinds;
  }

  TUnansweredConnection Connection;
  TWaylandOutputs Outputs{[] {}};
  TWaylandGlobals Globals{Connection.Display, Outputs, [](wl_seat*) {}};
  TWaylandCursors Cursors{Globals};
  TWaylandWindowTable Table;
  std::deque<TWsEvent> Queue;
  TWaylandSeat Seat{Table, Cursors, Queue};
  TWaylandWindow& Dialog = Table.Add();
  TWaylandWindow& Saver = Table.Add();
  TWaylandWindow* Windows[2] = {&Dialog, &Saver};
  int SurfaceIds[2] = {};
};

// Alt and Tab still down from switching to a dialog type nothing there; a key down as the
// saver gets the keyboard is typed there, as the user typing while it starts means it to end.
TEST_F(WaylandSeat, KeysDownAtTheKeyboardsArrivalArePressedOnlyInAFullScreenWindow) {
  const std::uint32_t switching[] = {KEY_LEFTALT, KEY_TAB};
  Seat.KeyboardEntered(Dialog.Surface, switching);
  EXPECT_EQ(Kinds(), std::vector<TEventKind>{TEventKind::Activated});
  Seat.KeyboardLeft();
  Queue.clear();

  const std::uint32_t typing[] = {KEY_A};
  Seat.KeyboardEntered(Saver.Surface, typing);
  // From one of the program's windows to another: no news of activation.
  ASSERT_EQ(Kinds(), std::vector<TEventKind>{TEventKind::KeyDown});
  EXPECT_EQ(Queue.back().Window, Saver.Handle);
}

// The pointer going onto the frame that the program draws leaves the client area, as far as the
// client knows: it hears of that once, and nothing of the moves over the frame.
TEST_F(WaylandSeat, ThePointerGoingOntoTheProgramsFrameLeavesTheClientAreaOnce) {
  Dialog.Frame.Caption.emplace();
  Dialog.Frame.Insets = TCaptionBar::Insets();
  Dialog.Size = {200, 100};
  const TPoint client{Dialog.Frame.Insets.Left + 10, Dialog.Frame.Insets.Top + 10};
  Seat.PointerEntered(1, Dialog.Surface, client.X, client.Y);
  Seat.PointerMoved(client.X + 1, client.Y);
  Seat.PointerMoved(2, 2);
  Seat.PointerMoved(3, 2);
  Seat.PointerLeft();
  EXPECT_EQ(Kinds(), (std::vector<TEventKind>{TEventKind::MouseMove, TEventKind::MouseLeave}));
  Queue.clear();

  Seat.PointerEntered(2, Dialog.Surface, client.X, client.Y);
  Seat.PointerLeft();
  EXPECT_EQ(Kinds(), std::vector<TEventKind>{TEventKind::MouseLeave});
}

}  // namespace
