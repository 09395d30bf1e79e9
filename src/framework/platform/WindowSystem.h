#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "Input.h"
#include "framework/base/Types.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

// The only door between the framework and a display. Three implementations: X11 (x11/) and
// Wayland (wayland/) for the shipped programs, and an in-memory one (headless/) for tests.
// No X11 or Wayland header is seen outside its own folder.

// A native window: a decimal X window id on X11, a counter of the program's own on Wayland
// (whose surfaces have no global name) and headless. 0 names no window.
using TWindowHandle = std::uint64_t;

// Raised when a window is needed and no display can be opened. Deliberately not an
// `Exception`: nothing in the framework shows it in a box, since there is no screen.
class EDisplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Whether PutPixels returns only once the display has taken the pixels. With NoWait the
// caller leaves those pixels of the bitmap alone until Flush(): the display may still be
// reading them from shared memory.
enum class TPutMode : std::uint8_t { Wait, NoWait };

enum class TBorderStyle : std::uint8_t { bsNone, bsDialog, bsSizeable };

// One area of the desktop that a full-screen window can cover: a monitor (a Wayland output),
// or on X11 the whole screen, which spans every monitor. Ids are never reused in a run.
using TScreenId = std::uint32_t;
struct TScreenInfo {
  TScreenId Id = 0;
  TSize Size;     // in the device's own pixels
  int Scale = 1;  // device pixels per logical pixel
  std::string Name;
  bool operator==(const TScreenInfo&) const = default;
};

struct TWindowParams {
  TWindowHandle Parent = 0;  // a window to be a child of (own or foreign); 0: top level
  TRect Bounds;              // in the parent's client coordinates, or the screen's
  TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
  TSize MinSize;           // the least size the user may give a sizeable window; 0: none
  bool SystemMenu = true;  // the window menu and its close box; without, no border icons
  bool StayOnTop = false;
  bool FullScreen = false;         // covers the whole screen, above everything (the saver)
  TScreenId Screen = 0;            // the screen a full-screen window covers; 0: the first
  TWindowHandle TransientFor = 0;  // a modal dialog's owner window
  // A menu: no frame, above everything, at Bounds on the screen. While shown it takes every
  // key and every pointer event of the display, the pointer's in its own coordinates (so a
  // click outside it is seen); it never takes the input focus from the window below.
  bool Popup = false;
  std::string Caption;
};

// Virtual key codes, the classic numbering.
constexpr unsigned VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
                   VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35, VK_HOME = 36, VK_LEFT = 37,
                   VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45, VK_DELETE = 46, VK_F1 = 112, VK_F10 = 121;

enum class TEventKind : std::uint8_t {
  Expose,   // Area of Window needs painting
  Resized,  // Window now has Width x Height
  KeyDown,
  KeyUp,
  MouseDown,
  MouseUp,
  MouseMove,
  MouseLeave,
  Activated,       // the program's window got the input focus
  Deactivated,     // the input focus left all of the program's windows for another client's
  SysCommand,      // a system command reached Window (WM_SYSCOMMAND), whatever its value
  CloseRequest,    // the user asked to close Window (the close box)
  HostDestroyed,   // the foreign parent of Window went away
  FrameExtents,    // the window manager's frame around Window: Area holds the widths of its
                   // left, top, right and bottom edges
  Terminate,       // SIGTERM, SIGINT or SIGHUP arrived
  MouseWheel,      // the wheel turned by WheelDelta over (X, Y)
  ScreenResized,   // the screen is now Width x Height (RandR); Window is 0
  ScreensChanged,  // a screen appeared, went away or changed (Screens()); Window is 0
  ScaleChanged,    // Window moved to a screen of another scale: an ordinary window now draws at
                   // Scale device pixels per logical one
};

struct TWsEvent {
  TEventKind Kind = TEventKind::Expose;
  TWindowHandle Window = 0;
  int X = 0;  // pointer position in Window's client coordinates
  int Y = 0;
  int Width = 0;
  int Height = 0;
  TRect Area;
  TMouseButton Button = TMouseButton::mbLeft;
  TShiftState Shift = 0;
  unsigned Key = 0;    // virtual key code
  char32_t Char = 0;   // KeyDown: the character the key types with its modifiers, 0 for none
  int WheelDelta = 0;  // MouseWheel: WHEEL_DELTA per notch away from the user, negative towards
  double Scale = 1;    // ScaleChanged
};

class TWindowSystem {
 public:
  virtual ~TWindowSystem() = default;

  // Windows. CreateWindow raises EDisplayError when there is no display.
  virtual TWindowHandle CreateWindow(const TWindowParams& params) = 0;
  virtual void DestroyWindow(TWindowHandle window) = 0;
  virtual void ShowWindow(TWindowHandle window, bool visible) = 0;
  virtual void SetWindowBounds(TWindowHandle window, const TRect& bounds) = 0;
  virtual void SetWindowCaption(TWindowHandle window, const std::string& caption) = 0;
  virtual void SetWindowCursor(TWindowHandle window, TCursor cursor) = 0;
  // Gives a positive cursor value (a slot of the application's cursor table) its picture.
  virtual void DefineCursor(TCursor cursor, const TCursorImage& image) = 0;
  virtual void SetFocus(TWindowHandle window) = 0;

  // Pixels: `source` of a 32-bit bitmap goes to `dest` in the window's client area.
  virtual void PutPixels(TWindowHandle window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) = 0;
  // Memory that PutPixels can show without copying, or null. A display that shows a frame
  // straight from the memory it was drawn in (Wayland) may keep that memory after Flush: a
  // bitmap lends it only once it begins its frames with TBitmap::BeginFrame.
  virtual TPixelMemoryProvider* PixelMemory() = 0;
  // Whether a new picture of the window would be shown now: false while the display has not
  // yet shown the window's last one (Wayland's frame callbacks). An animation that draws a
  // frame per timer tick skips the ticks meanwhile, and so goes at the display's pace.
  virtual bool ReadyForFrame(TWindowHandle) { return true; }
  // Returns once the display has everything sent so far.
  virtual void Flush() = 0;

  // Screen and foreign windows. Sizes, places and pointer positions are the device's pixels.
  virtual TSize ScreenSize() = 0;
  // Device pixels per logical pixel (96 per inch) that the desktop asks of its ordinary
  // windows: 1 on a 96-dpi screen, 2 on a screen set up for twice that.
  virtual double DesktopScale() { return 1; }
  // The screens now, the first of them first. Empty while no monitor is connected.
  virtual std::vector<TScreenInfo> Screens() = 0;
  // A point of a window's client area in screen coordinates.
  virtual TPoint ClientToScreen(TWindowHandle window, TPoint point) = 0;
  // The window behind all others that a screen-saver hack draws into when no host names one
  // (X11's root window); 0 where there is none.
  virtual TWindowHandle DesktopWindow() { return 0; }
  // The size of any window (GetWindowRect); false when it does not exist.
  virtual bool WindowSize(TWindowHandle window, TSize& size) = 0;
  virtual TWindowHandle ForegroundWindow() = 0;
  // EnableWindow on a foreign window, whose input a dialog takes for its own while it is open.
  virtual void EnableForeignWindow(TWindowHandle foreign, bool enable) = 0;
  virtual void SetForegroundWindow(TWindowHandle window) = 0;

  // System state and services.
  virtual void SetScreenSaverRunning(TWindowHandle saver, bool running) = 0;
  virtual void HideTaskbarWindow() = 0;
  virtual void Beep() = 0;

  // Events and time. NextEvent never waits; WaitForEvent returns when an event is pending
  // or the clock has reached `deadlineMs` (NoDeadline: only an event ends the wait).
  static constexpr std::int64_t NoDeadline = INT64_MAX;
  virtual bool NextEvent(TWsEvent& event) = 0;
  virtual void WaitForEvent(std::int64_t deadlineMs) = 0;
  virtual std::int64_t NowMs() = 0;
};
