#pragma once
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "CaptionBar.h"
#include "ShmBufferPool.h"
#include "WaylandPixelMemory.h"
#include "framework/platform/WindowSystem.h"

class TWaylandShell;
struct TWaylandWindow;
struct wl_callback;
struct wl_output;
struct wl_surface;
struct wp_fractional_scale_v1;
struct wp_viewport;
struct xdg_popup;
struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;
struct zxdg_toplevel_decoration_v1;

// What the presenter keeps of a window: its buffers, what goes with its next commit, and the
// compositor's frame callback for its last one.
struct TWaylandPresentation {
  std::unique_ptr<TShmBufferPool> Buffers;
  TSize Unbuffered;                      // a size no buffers could be had for: not tried again
  TShmBuffer* Drawing = nullptr;         // written since the last commit
  TLentBuffer Lent;                      // or a bitmap's own buffer, to be shown as it is
  bool ShowsLent = false;                // the latest commit showed a bitmap's buffer: Buffers lag
  wl_callback* FrameCallback = nullptr;  // asked with the last commit, until it was shown
  bool CallbackLate = false;             // not waited for: the compositor was late with it
  TRect Damage;
  TRect Missed;  // puts dropped while the compositor held every buffer
  int CommittedScale = 1;
};

// The role that places a window, its configuring, and the output and logical size it was given: the shell's alone.
struct TWaylandRole {
  TWaylandShell* Shell = nullptr;  // whose listeners report on the role
  // A layer surface above everything, or a toplevel or a popup of the shell.
  zwlr_layer_surface_v1* Layer = nullptr;
  xdg_surface* ShellSurface = nullptr;
  xdg_toplevel* Toplevel = nullptr;
  xdg_popup* Popup = nullptr;  // while shown
  // A popup: the window it was shown over, and where the compositor put it there, in that
  // window's surface.
  TWindowHandle PopupParent = 0;
  TPoint PopupAt;
  TPoint PopupOrigin;                                 // where its form put it, in logical pixels of the window below
  zxdg_toplevel_decoration_v1* Decoration = nullptr;  // asks the compositor for a frame
  // A toplevel's state until its configure sequence ends: its size, whether it has the
  // keyboard, whether the compositor frames it.
  TSize PendingLogical;
  bool PendingActive = false;
  bool PendingServerFrame = false;
  bool Active = false;
  bool ServerFrame = false;
  bool Configured = false;  // since shown: buffers may be attached
  TScreenId Screen = 0;     // the output a full-screen window covers
  TSize Logical;            // as configured, in the compositor's logical pixels
};

// The frame that the program draws around the client area where the compositor draws none:
// its caption bar, the widths of its left, top, right and bottom edges, and whether it is to
// be drawn anew. TWaylandWindowFrames' alone.
struct TWaylandWindowFrame {
  std::optional<TCaptionBar> Caption;
  TRect Insets;         // in the surface's device pixels
  TRect LogicalInsets;  // the same in logical pixels
  bool Stale = false;
};

// The outputs a window's surface is on, the scale it is drawn at, and how a full-screen window's buffers cover its
// logical size where a viewport shows them. WaylandViewport's alone.
struct TWaylandView {
  std::vector<wl_output*> Entered;
  wp_viewport* Viewport = nullptr;
  wp_fractional_scale_v1* Fractional = nullptr;
  int Scale = 1;                                      // the buffer scale: device pixels per logical one
  int Preferred120 = 0;                               // the compositor's preferred scale in 120ths, once told
  double FormScale = 1;                               // what an ordinary window's form draws at, as last told
  TSize Destination;                                  // as last set; empty while none is
  std::function<void(TWaylandWindow&)> ScaleChanged;  // the outputs or the preferred scale changed
};

// One window of the program: its surface, and the parts that one class each keeps. The fields
// here are the window system's alone.
struct TWaylandWindow {
  TWindowHandle Handle = 0;
  TWindowParams Params;
  wl_surface* Surface = nullptr;
  TSize Size;  // of the client area in device pixels: what the program draws
  bool Shown = false;
  TCursor Cursor = crDefault;
  TWaylandRole Role;
  TWaylandWindowFrame Frame;
  TWaylandPresentation Presentation;
  TWaylandView View;
};

// Where the client area lies in the window's surface, and the surface's size, in device pixels.
inline TPoint ClientOrigin(const TWaylandWindow& window) { return {window.Frame.Insets.Left, window.Frame.Insets.Top}; }
inline TSize SurfaceSize(const TWaylandWindow& window) {
  const TRect& insets = window.Frame.Insets;
  return {window.Size.cx + insets.Left + insets.Right, window.Size.cy + insets.Top + insets.Bottom};
}

// Whether the window's buffers are shown through its viewport rather than at buffer scale.
bool Viewed(const TWaylandWindow& window);
// Device pixels per logical pixel, for pointer positions.
double DeviceScale(const TWaylandWindow& window);

class TWaylandWindowTable {
 public:
  TWaylandWindow& Add();
  void Remove(TWindowHandle handle);
  TWaylandWindow* Find(TWindowHandle handle);
  TWaylandWindow* FindSurface(const wl_surface* surface);
  template <class F>
  void ForEach(F&& visit) {
    for (auto& entry : FWindows) visit(*entry.second);
  }

  // The toplevel that a popup was shown over, through the popups between; another window is
  // its own.
  TWaylandWindow& Root(TWaylandWindow& window);
  // A point of `from`'s surface in `to`'s client coordinates. The compositor tells where a
  // popup is in the window below it, and nothing of where toplevels are: nothing for two
  // windows that are not one toplevel with its popups.
  std::optional<TPoint> ClientPoint(TWaylandWindow& from, TPoint at, TWaylandWindow& to);

  // The popups shown, the newest last: the newest takes the input.
  void PopupShown(TWindowHandle popup) { FPopups.push_back(popup); }
  void PopupHidden(TWindowHandle popup) { std::erase(FPopups, popup); }
  TWaylandWindow* TopPopup() { return FPopups.empty() ? nullptr : Find(FPopups.back()); }
  bool PopupIsShown(TWindowHandle popup) const {
    return std::find(FPopups.begin(), FPopups.end(), popup) != FPopups.end();
  }

 private:
  TWaylandWindow* ParentOf(const TWaylandWindow& window);
  // Where a window's surface lies in its root's.
  TPoint OffsetInRoot(TWaylandWindow& window);

  std::map<TWindowHandle, std::unique_ptr<TWaylandWindow>> FWindows;
  std::vector<TWindowHandle> FPopups;
  TWindowHandle FLastHandle = 0;
};
