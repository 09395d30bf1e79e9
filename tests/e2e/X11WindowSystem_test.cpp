// The X11 backend against a virtual X server of its own per test.
#include "framework/platform/x11/X11WindowSystem.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "ChildProcess.h"
#include "TestDisplay.h"
#include "framework/platform/DragCursorImages.h"
#include "framework/platform/x11/ShmPixelMemory.h"
#include "framework/platform/x11/X11Keys.h"
#include "testkit/Polling.h"
#include "testkit/Xvfb.h"

namespace {

constexpr std::int64_t kEventTimeoutMs = 20000;

class X11WindowSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("DISPLAY", FXvfb.Name().c_str(), 1);
    FSystem = std::make_unique<TX11WindowSystem>();
  }

  TWindowHandle CreateShownWindow(TWindowParams params) {
    const TWindowHandle window = FSystem->CreateWindow(params);
    FSystem->ShowWindow(window, true);
    WaitViewable(window);
    return window;
  }

  void WaitViewable(TWindowHandle window) {
    TWindowGeometry geometry;
    ASSERT_TRUE(PumpUntil([&] { return Client().Geometry(window, geometry) && geometry.Viewable; }));
    // The backend learns of the mapping from its own event stream.
    FSystem->Flush();
    TWsEvent ignored;
    while (FSystem->NextEvent(ignored)) {
    }
  }

  // Runs the backend's loop until an event satisfies `wanted`; false on timeout.
  bool PumpUntilEvent(const std::function<bool(const TWsEvent&)>& wanted, TWsEvent* found = nullptr) {
    const std::int64_t giveUp = FSystem->NowMs() + kEventTimeoutMs;
    TWsEvent event;
    while (FSystem->NowMs() < giveUp) {
      FSystem->WaitForEvent(FSystem->NowMs() + 20);
      while (FSystem->NextEvent(event))
        if (wanted(event)) {
          if (found) *found = event;
          return true;
        }
    }
    return false;
  }

  bool PumpUntilKind(TEventKind kind, TWsEvent* found = nullptr) {
    return PumpUntilEvent([kind](const TWsEvent& event) { return event.Kind == kind; }, found);
  }

  // Runs the backend's loop (dropping its events) until `condition` holds.
  bool PumpUntil(const std::function<bool()>& condition) {
    const std::int64_t giveUp = FSystem->NowMs() + kEventTimeoutMs;
    TWsEvent event;
    while (!condition()) {
      if (FSystem->NowMs() > giveUp) return false;
      FSystem->WaitForEvent(FSystem->NowMs() + 20);
      while (FSystem->NextEvent(event)) {
      }
    }
    return true;
  }

  TTestDisplay& Client() {
    if (!FDisplay) FDisplay = std::make_unique<TTestDisplay>(FXvfb.Name());
    return *FDisplay;
  }

  TXvfb FXvfb{320, 240};
  std::unique_ptr<TX11WindowSystem> FSystem;
  std::unique_ptr<TTestDisplay> FDisplay;
};

TWindowParams Plain(int width, int height) {
  TWindowParams params;
  params.Bounds = Bounds(20, 30, width, height);
  params.Caption = "test";
  return params;
}

// A bitmap whose every pixel differs from its neighbours.
void FillPattern(TBitmap& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      bitmap.SetPixelAt(x, y, static_cast<TPixel>((x * 7919 + y * 104729) & 0xFFFFFF));
}

std::vector<std::uint32_t> PatternArea(const TBitmap& bitmap, const TRect& area) {
  std::vector<std::uint32_t> pixels;
  for (int y = area.Top; y < area.Bottom; ++y)
    for (int x = area.Left; x < area.Right; ++x) pixels.push_back(bitmap.PixelAt(x, y));
  return pixels;
}

TEST(X11WindowSystemWithoutDisplay, RunsUntilAWindowIsNeededThenNamesTheDisplay) {
  setenv("DISPLAY", ":9999", 1);
  TX11WindowSystem system;
  TWsEvent event;
  EXPECT_FALSE(system.NextEvent(event));
  const std::int64_t start = system.NowMs();
  system.WaitForEvent(start + 20);
  EXPECT_GE(system.NowMs(), start + 20);
  try {
    system.CreateWindow(Plain(10, 10));
    FAIL() << "no EDisplayError";
  } catch (const EDisplayError& error) {
    EXPECT_STREQ(error.what(), "cannot open display \":9999\"");
  }
}

TEST_F(X11WindowSystemTest, PixelsReachTheWindowExactlyWhateverTheirMemory) {
  const TWindowHandle window = CreateShownWindow(Plain(64, 48));
  TBitmap shared, heap, packed;
  shared.SetMemoryProvider(FSystem->PixelMemory());
  for (TBitmap* bitmap : {&shared, &heap, &packed}) {
    bitmap->SetSize(64, 48);
    FillPattern(*bitmap);
  }
  packed.SetPixelBits(24);
  ASSERT_NE(dynamic_cast<TShmPixelMemory*>(shared.Memory()), nullptr) << "a local display shares memory";
  for (TBitmap* bitmap : {&shared, &heap, &packed}) {
    FSystem->PutPixels(window, *bitmap, Bounds(0, 0, 64, 48), {0, 0}, TPutMode::Wait);
    FSystem->Flush();
    EXPECT_EQ(Client().Capture(window, 0, 0, 64, 48), PatternArea(shared, Bounds(0, 0, 64, 48)));
  }
}

TEST_F(X11WindowSystemTest, PixelsOfAPartGoWhereAsked) {
  const TWindowHandle window = CreateShownWindow(Plain(64, 48));
  TBitmap bitmap;
  bitmap.SetMemoryProvider(FSystem->PixelMemory());
  bitmap.SetSize(64, 48);
  FillPattern(bitmap);
  // Partly outside the bitmap: only the part inside goes, shifted alike.
  FSystem->PutPixels(window, bitmap, Bounds(50, 40, 20, 20), {3, 4}, TPutMode::Wait);
  FSystem->Flush();
  EXPECT_EQ(Client().Capture(window, 3, 4, 14, 8), PatternArea(bitmap, Bounds(50, 40, 14, 8)));
}

TEST_F(X11WindowSystemTest, BitmapsGrowFromEmptyOnSharedMemory) {
  CreateShownWindow(Plain(8, 8));
  TBitmap bitmap;
  bitmap.SetMemoryProvider(FSystem->PixelMemory());
  bitmap.SetSize(0, 0);  // an empty block comes from the heap, and must still be readable
  bitmap.SetSize(8, 8);
  EXPECT_NE(dynamic_cast<TShmPixelMemory*>(bitmap.Memory()), nullptr);
  EXPECT_EQ(bitmap.PixelAt(7, 7), 0u);
}

TEST_F(X11WindowSystemTest, PreviewLivesInItsHostAndFollowsIt) {
  const Window host = Client().CreateWindow(120, 90);
  TSize size;
  ASSERT_TRUE(FSystem->WindowSize(host, size));
  EXPECT_EQ(size, (TSize{120, 90}));
  TWindowParams params = Plain(size.cx, size.cy);
  params.Parent = host;
  params.BorderStyle = TBorderStyle::bsNone;
  const TWindowHandle preview = CreateShownWindow(params);
  TWindowGeometry geometry;
  ASSERT_TRUE(Client().Geometry(preview, geometry));
  EXPECT_EQ(Client().Children(host), std::vector<Window>{preview});
  EXPECT_EQ((std::vector{geometry.X, geometry.Y, geometry.Width, geometry.Height}), (std::vector{0, 0, 120, 90}));

  // A change in one dimension is a change too.
  for (const TSize next : {TSize{150, 90}, TSize{150, 100}}) {
    Client().ResizeWindow(host, next.cx, next.cy);
    TWsEvent resized;
    ASSERT_TRUE(PumpUntilKind(TEventKind::Resized, &resized));
    EXPECT_EQ(resized.Window, preview);
    EXPECT_EQ((TSize{resized.Width, resized.Height}), next);
  }

  Client().DestroyWindow(host);
  TWsEvent gone;
  ASSERT_TRUE(PumpUntilKind(TEventKind::HostDestroyed, &gone));
  EXPECT_EQ(gone.Window, preview);
  FSystem->DestroyWindow(preview);  // already gone with its host: must not be fatal
  FSystem->Flush();
}

TEST_F(X11WindowSystemTest, MissingHostsHaveNoSizeAndEndAPreviewAtOnce) {
  TSize size{7, 7};
  EXPECT_FALSE(FSystem->WindowSize(0, size));
  const Window host = Client().CreateWindow(50, 50);
  Client().DestroyWindow(host);
  EXPECT_FALSE(FSystem->WindowSize(host, size));
  EXPECT_EQ(size, (TSize{7, 7}));

  TWindowParams params = Plain(50, 50);
  params.Parent = host;
  const TWindowHandle preview = FSystem->CreateWindow(params);
  TWsEvent gone;
  ASSERT_TRUE(PumpUntilKind(TEventKind::HostDestroyed, &gone));
  EXPECT_EQ(gone.Window, preview);
}

TEST_F(X11WindowSystemTest, MessagesBecomeSystemCommandsAndCloseRequests) {
  const TWindowHandle window = CreateShownWindow(Plain(40, 40));
  Client().SendClientMessage(window, "WM_SYSCOMMAND");
  TWsEvent event;
  ASSERT_TRUE(PumpUntilKind(TEventKind::SysCommand, &event));
  EXPECT_EQ(event.Window, window);

  XEvent close{};
  close.xclient.type = ClientMessage;
  close.xclient.window = window;
  close.xclient.message_type = XInternAtom(Client().Handle(), "WM_PROTOCOLS", False);
  close.xclient.format = 32;
  close.xclient.data.l[0] = static_cast<long>(XInternAtom(Client().Handle(), "WM_DELETE_WINDOW", False));
  XSendEvent(Client().Handle(), window, False, NoEventMask, &close);
  XSync(Client().Handle(), False);
  ASSERT_TRUE(PumpUntilKind(TEventKind::CloseRequest, &event));
  EXPECT_EQ(event.Window, window);
}

// Motif's hints: functions (bit 32: close) and decorations (bit 16: the window menu).
// The close protocol stays: a window manager may offer to close the window all the same.
TEST_F(X11WindowSystemTest, ADialogWithoutSystemMenuAsksForNoWindowMenuAndNoCloseBox) {
  const long deleteWindow = static_cast<long>(Client().AtomNamed("WM_DELETE_WINDOW"));
  for (const bool systemMenu : {true, false}) {
    TWindowParams params = Plain(60, 40);
    params.BorderStyle = TBorderStyle::bsDialog;
    params.SystemMenu = systemMenu;
    const TWindowHandle window = CreateShownWindow(params);
    const std::vector<long> motif = Client().Property(window, "_MOTIF_WM_HINTS");
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ((motif[1] & 32) != 0, systemMenu) << "close function";
    EXPECT_EQ((motif[2] & 16) != 0, systemMenu) << "window menu";
    EXPECT_EQ(Client().Property(window, "WM_PROTOCOLS"), std::vector<long>{deleteWindow});
  }
}

// Hiding "the application's taskbar window" hides nothing: a user finds every window of the
// program in the window manager's task list.
TEST_F(X11WindowSystemTest, EveryTopLevelWindowStaysInTheTaskList) {
  const long skip = static_cast<long>(Client().AtomNamed("_NET_WM_STATE_SKIP_TASKBAR"));
  for (const TBorderStyle style : {TBorderStyle::bsSizeable, TBorderStyle::bsDialog}) {
    TWindowParams params = Plain(60, 40);
    params.BorderStyle = style;
    params.StayOnTop = true;
    const TWindowHandle window = CreateShownWindow(params);
    FSystem->HideTaskbarWindow();
    FSystem->Flush();
    const std::vector<long> states = Client().Property(window, "_NET_WM_STATE");
    EXPECT_EQ(std::count(states.begin(), states.end(), skip), 0);
  }
}

// WM_CLASS names the program by its file name, and the family of programs it belongs to.
TEST_F(X11WindowSystemTest, EveryWindowSaysWhichProgramItBelongsTo) {
  const TWindowHandle window = CreateShownWindow(Plain(60, 40));
  XClassHint hint{};
  ASSERT_TRUE(XGetClassHint(Client().Handle(), window, &hint));
  EXPECT_STREQ(hint.res_name, "x11_backend_tests");
  EXPECT_STREQ(hint.res_class, "zzQuenbrel");
  XFree(hint.res_name);
  XFree(hint.res_class);
}

// A focus request carries the time of the last event the program read: what the user chose
// after that wins over it, where a request for "now" would undo the user's choice.
TEST_F(X11WindowSystemTest, AFocusAskedForBeforeTheWindowShowedLosesToALaterChoiceOfTheUser) {
  const Window chosen = Client().CreateWindow(40, 40);
  const TWindowHandle window = FSystem->CreateWindow(Plain(60, 40));
  FSystem->ShowWindow(window, true);
  FSystem->SetFocus(window);  // taken once the backend hears that the window is mapped
  TWindowGeometry geometry;
  ASSERT_TRUE(WaitUntil([&] { return Client().Geometry(window, geometry) && geometry.Viewable; }));
  const Time seen = Client().ServerTime();
  Time later = seen;
  ASSERT_TRUE(WaitUntil([&] { return (later = Client().ServerTime()) > seen; }));
  XSetInputFocus(Client().Handle(), chosen, RevertToParent, later);
  WaitViewable(window);
  Window focus = 0;
  int revert = 0;
  XGetInputFocus(Client().Handle(), &focus, &revert);
  EXPECT_EQ(focus, chosen);
}

// The least size goes to the window manager with the window, and stays when it moves.
TEST_F(X11WindowSystemTest, ASizeableWindowTellsItsLeastSize) {
  TWindowParams params = Plain(100, 80);
  params.MinSize = {90, 70};
  const TWindowHandle window = CreateShownWindow(params);
  for (int round = 0; round < 2; ++round) {
    XSizeHints hints{};
    long supplied = 0;
    ASSERT_TRUE(XGetWMNormalHints(Client().Handle(), window, &hints, &supplied));
    EXPECT_TRUE((hints.flags & PMinSize) && !(hints.flags & PMaxSize));
    EXPECT_EQ((TSize{hints.min_width, hints.min_height}), (TSize{90, 70}));
    FSystem->SetWindowBounds(window, Bounds(5, 5, 120, 90));
    FSystem->Flush();
  }
  // A least width alone is told too, with the least height a window can have.
  params.MinSize = {90, 0};
  const TWindowHandle widthOnly = CreateShownWindow(params);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(Client().Handle(), widthOnly, &hints, &supplied));
  EXPECT_TRUE(hints.flags & PMinSize);
  EXPECT_EQ((TSize{hints.min_width, hints.min_height}), (TSize{90, 1}));
}

// A window manager frames a window after it is mapped; asked before, it tells the frame's
// widths soon enough for a centred form to place its frame.
TEST_F(X11WindowSystemTest, TheFrameIsAskedForBeforeMappingAndItsWidthsArriveAsAnEvent) {
  Display* client = Client().Handle();
  XSelectInput(client, Client().Root(), SubstructureNotifyMask);
  XSync(client, False);
  const TWindowHandle window = CreateShownWindow(Plain(100, 80));
  XSync(client, False);
  bool asked = false;
  XEvent request;
  while (XCheckTypedEvent(client, ClientMessage, &request))
    asked |= request.xclient.window == window &&
             request.xclient.message_type == XInternAtom(client, "_NET_REQUEST_FRAME_EXTENTS", False);
  EXPECT_TRUE(asked);
  // The position asked for is the client area's, not the frame's.
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_TRUE(XGetWMNormalHints(client, window, &hints, &supplied));
  EXPECT_TRUE(hints.flags & PWinGravity);
  EXPECT_EQ(hints.win_gravity, StaticGravity);

  const long widths[] = {2, 3, 21, 4};  // left, right, top, bottom, as a window manager writes them
  XChangeProperty(client, window, XInternAtom(client, "_NET_FRAME_EXTENTS", False), XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(widths), 4);
  XSync(client, False);
  TWsEvent event;
  ASSERT_TRUE(PumpUntilKind(TEventKind::FrameExtents, &event));
  EXPECT_EQ(event.Window, window);
  EXPECT_EQ(event.Area, (TRect{2, 21, 3, 4}));
}

TEST_F(X11WindowSystemTest, ANewSizeOfTheScreenArrivesAsAnEventAndHoldsFromThen) {
  CreateShownWindow(Plain(10, 10));
  EXPECT_EQ(FSystem->ScreenSize(), (TSize{320, 240}));
  Client().AnnounceScreenSize(200, 150);
  TWsEvent event;
  ASSERT_TRUE(PumpUntilKind(TEventKind::ScreenResized, &event));
  EXPECT_EQ((TSize{event.Width, event.Height}), (TSize{200, 150}));
  EXPECT_EQ(FSystem->ScreenSize(), (TSize{200, 150}));
}

TEST_F(X11WindowSystemTest, KeysAndButtonsArriveWithTheirCodes) {
  const TWindowHandle window = CreateShownWindow(Plain(100, 80));
  FSystem->SetFocus(window);
  FSystem->Flush();
  TWsEvent event;
  Client().Xdotool({"key", "a"});
  ASSERT_TRUE(PumpUntilKind(TEventKind::KeyDown, &event));
  EXPECT_EQ(event.Key, unsigned{'A'});
  Client().Xdotool({"keydown", "alt", "keyup", "alt"});
  ASSERT_TRUE(PumpUntilKind(TEventKind::KeyDown, &event));
  EXPECT_EQ(event.Key, VK_MENU);

  // The window sits at (20, 30) on a screen without a window manager.
  Client().Xdotool({"mousemove", "30", "45"});
  ASSERT_TRUE(PumpUntilKind(TEventKind::MouseMove, &event));
  EXPECT_EQ((TPoint{event.X, event.Y}), (TPoint{10, 15}));
  Client().Xdotool({"click", "3"});
  ASSERT_TRUE(PumpUntilKind(TEventKind::MouseDown, &event));
  EXPECT_EQ(event.Button, TMouseButton::mbRight);
  EXPECT_EQ(event.Window, window);
}

TEST_F(X11WindowSystemTest, ActivationLostOnlyToAnotherClient) {
  const TWindowHandle first = CreateShownWindow(Plain(40, 40));
  const TWindowHandle second = CreateShownWindow(Plain(40, 40));
  FSystem->SetFocus(first);
  FSystem->Flush();
  ASSERT_TRUE(PumpUntilKind(TEventKind::Activated));
  FSystem->SetFocus(second);
  FSystem->Flush();
  TWsEvent event;
  ASSERT_TRUE(PumpUntilKind(TEventKind::Activated, &event));
  EXPECT_EQ(event.Window, second);

  Client().Focus(Client().CreateWindow(30, 30));
  ASSERT_TRUE(PumpUntilKind(TEventKind::Deactivated, &event));
  EXPECT_EQ(event.Window, second);
}

TEST_F(X11WindowSystemTest, SaverHoldsTheInputUntilToldOtherwise) {
  TWindowParams params = Plain(10, 10);
  params.FullScreen = true;
  params.BorderStyle = TBorderStyle::bsNone;
  const TWindowHandle saver = FSystem->CreateWindow(params);
  FSystem->SetScreenSaverRunning(saver, true);
  FSystem->ShowWindow(saver, true);
  EXPECT_TRUE(PumpUntil([&] { return !Client().CanGrabKeyboard(); }));
  EXPECT_EQ(Client().FullScreenWindow(), saver);

  FSystem->SetScreenSaverRunning(saver, false);
  EXPECT_TRUE(Client().CanGrabKeyboard());
}

TEST_F(X11WindowSystemTest, SaverTakesTheInputOnceAnotherClientLetsGo) {
  TTestDisplay other(FXvfb.Name());
  ASSERT_EQ(XGrabKeyboard(other.Handle(), other.Root(), False, GrabModeAsync, GrabModeAsync, CurrentTime), GrabSuccess);
  XSync(other.Handle(), False);
  TWindowParams params = Plain(10, 10);
  params.FullScreen = true;
  const TWindowHandle saver = FSystem->CreateWindow(params);
  FSystem->SetScreenSaverRunning(saver, true);
  FSystem->ShowWindow(saver, true);
  WaitViewable(saver);
  XUngrabKeyboard(other.Handle(), CurrentTime);
  XSync(other.Handle(), False);
  EXPECT_TRUE(PumpUntil([&] { return !Client().CanGrabKeyboard(); }));
}

TEST_F(X11WindowSystemTest, HiddenCursorHidesThePointer) {
  const TWindowHandle window = CreateShownWindow(Plain(100, 100));
  Client().Xdotool({"mousemove", "50", "60"});
  EXPECT_FALSE(Client().PointerInvisible());
  FSystem->SetWindowCursor(window, crNone);
  FSystem->Flush();
  EXPECT_TRUE(Client().PointerInvisible());
  FSystem->SetWindowCursor(window, crDefault);
  FSystem->Flush();
  EXPECT_FALSE(Client().PointerInvisible());
}

TEST_F(X11WindowSystemTest, APopupHoldsTheInputWhileShownAndSeesClicksOutsideIt) {
  const TWindowHandle window = CreateShownWindow(Plain(100, 80));
  FSystem->SetFocus(window);
  EXPECT_EQ(FSystem->ClientToScreen(window, {5, 6}), (TPoint{25, 36}));
  TWindowParams params = Plain(50, 40);
  params.Bounds = Bounds(60, 70, 50, 40);
  params.Popup = true;
  params.BorderStyle = TBorderStyle::bsNone;
  const TWindowHandle popup = CreateShownWindow(params);
  TWindowGeometry geometry;
  ASSERT_TRUE(Client().Geometry(popup, geometry));
  EXPECT_TRUE(geometry.OverrideRedirect);
  EXPECT_EQ((TPoint{geometry.X, geometry.Y}), (TPoint{60, 70}));
  EXPECT_FALSE(Client().CanGrabKeyboard());

  // A click over the other window reaches the popup, in the popup's coordinates.
  Client().Xdotool({"mousemove", "30", "40", "click", "1"});
  TWsEvent event;
  ASSERT_TRUE(PumpUntilKind(TEventKind::MouseDown, &event));
  EXPECT_EQ(event.Window, popup);
  EXPECT_EQ((TPoint{event.X, event.Y}), (TPoint{-30, -30}));
  Client().Xdotool({"key", "Escape"});
  ASSERT_TRUE(PumpUntilKind(TEventKind::KeyDown, &event));
  EXPECT_EQ(event.Window, popup);

  FSystem->ShowWindow(popup, false);
  FSystem->Flush();
  EXPECT_TRUE(PumpUntil([&] { return Client().CanGrabKeyboard(); }));
  // The focus never left the window below.
  Window focus = None;
  int revert = 0;
  XGetInputFocus(Client().Handle(), &focus, &revert);
  EXPECT_EQ(focus, window);
}

TEST_F(X11WindowSystemTest, TwoColourPicturesOfTheProgramBecomeCursors) {
  const TCursorImage arrowhead{{
                                   "X       ",
                                   "XX      ",
                                   "X.X     ",
                                   "X..X    ",
                                   "X...X   ",
                                   "X....X  ",
                                   "XXXXXXX ",
                                   "        ",
                               },
                               {0, 1}};
  const TCursorImage block{{"XX..", "XX..", "..XX", "..XX"}, {3, 2}};
  const TWindowHandle window = CreateShownWindow(Plain(100, 100));
  Client().Xdotool({"mousemove", "50", "60"});
  FSystem->DefineCursor(1, arrowhead);
  FSystem->SetWindowCursor(window, 1);
  FSystem->Flush();
  EXPECT_TRUE(Client().PointerShows(arrowhead));
  // A slot given a new picture shows the new one.
  FSystem->DefineCursor(1, block);
  FSystem->SetWindowCursor(window, crDefault);
  FSystem->SetWindowCursor(window, 1);
  FSystem->Flush();
  EXPECT_TRUE(Client().PointerShows(block));
}

TEST_F(X11WindowSystemTest, DragCursorsShowTheFrameworksOwnPictures) {
  const TWindowHandle window = CreateShownWindow(Plain(100, 100));
  Client().Xdotool({"mousemove", "50", "60"});
  for (TCursor cursor : {crDrag, crNoDrop}) {
    FSystem->SetWindowCursor(window, cursor);
    FSystem->Flush();
    EXPECT_TRUE(Client().PointerShows(*BuiltInCursorImage(cursor))) << cursor;
  }
}

TEST_F(X11WindowSystemTest, WheelNotchesArriveAsTurnsWhereThePointerIs) {
  const TWindowHandle window = CreateShownWindow(Plain(100, 80));
  Client().Xdotool({"mousemove", "30", "45", "click", "4"});
  TWsEvent event;
  ASSERT_TRUE(PumpUntilKind(TEventKind::MouseWheel, &event));
  EXPECT_EQ(event.WheelDelta, WHEEL_DELTA);
  EXPECT_EQ((TPoint{event.X, event.Y}), (TPoint{10, 15}));
  EXPECT_EQ(event.Window, window);
  Client().Xdotool({"click", "5"});
  ASSERT_TRUE(PumpUntilEvent([](const TWsEvent& e) { return e.Kind != TEventKind::MouseMove; }, &event));
  EXPECT_EQ(event.Kind, TEventKind::MouseWheel) << "a notch is one turn: its release is nothing";
  EXPECT_EQ(event.WheelDelta, -WHEEL_DELTA);
}

TEST_F(X11WindowSystemTest, TerminationSignalsBecomeEvents) {
  CreateShownWindow(Plain(10, 10));
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    kill(getpid(), signal);
    EXPECT_TRUE(PumpUntilKind(TEventKind::Terminate)) << signal;
  }
}

TEST(X11Keys, EveryKeyHasAVirtualCode) {
  EXPECT_EQ(VirtualKeyFromKeysym(XK_q), unsigned{'Q'});
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Q), unsigned{'Q'});
  EXPECT_EQ(VirtualKeyFromKeysym(XK_7), unsigned{'7'});
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Return), VK_RETURN);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Escape), VK_ESCAPE);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_ISO_Left_Tab), VK_TAB);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Down), VK_DOWN);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_F10), VK_F10);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Control_R), VK_CONTROL);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_Alt_L), VK_MENU);
  EXPECT_EQ(VirtualKeyFromKeysym(XK_EuroSign), 255u);
  EXPECT_EQ(ShiftStateFromX(ShiftMask | Mod1Mask | Button1Mask), ssShift | ssAlt | ssLeft);
}

}  // namespace
