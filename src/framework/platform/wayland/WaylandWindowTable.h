#pragma once
#include <map>
#include <memory>

#include "ShmBufferPool.h"
#include "WaylandPixelMemory.h"
#include "framework/platform/WindowSystem.h"

class TWaylandShell;
struct wl_surface;
struct xdg_surface;
struct xdg_toplevel;
struct zwlr_layer_surface_v1;

// One window of the program: its surface, the role that places it, and its pixels.
struct TWaylandWindow {
  TWindowHandle Handle = 0;
  TWindowParams Params;
  TWaylandShell* Shell = nullptr;  // whose listeners report on the role
  wl_surface* Surface = nullptr;
  // The role: a layer surface above everything, or a toplevel of the shell.
  zwlr_layer_surface_v1* Layer = nullptr;
  xdg_surface* ShellSurface = nullptr;
  xdg_toplevel* Toplevel = nullptr;
  TScreenId Screen = 0;  // the output a full-screen window covers
  TSize Logical;         // as configured, in the compositor's logical pixels
  TSize PendingLogical;  // a toplevel's size until its configure sequence ends
  int Scale = 1;
  int CommittedScale = 1;
  TSize Size;  // in device pixels: what the buffers hold and what the program draws
  bool Shown = false;
  bool Configured = false;  // since shown: buffers may be attached
  std::unique_ptr<TShmBufferPool> Buffers;
  TSize Unbuffered;               // a size no buffers could be had for: not tried again
  TShmBuffer* Drawing = nullptr;  // written since the last commit
  TLentBuffer Lent;               // or a bitmap's own buffer, to be shown as it is
  bool ShowsLent = false;         // the latest commit showed a bitmap's buffer: Buffers lag
  TRect Damage;
  TRect Missed;  // puts dropped while the compositor held every buffer
  TCursor Cursor = crDefault;
};

class TWaylandWindowTable {
 public:
  TWaylandWindow& Add();
  void Remove(TWindowHandle handle) { FWindows.erase(handle); }
  TWaylandWindow* Find(TWindowHandle handle);
  TWaylandWindow* FindSurface(const wl_surface* surface);
  template <class F>
  void ForEach(F&& visit) {
    for (auto& entry : FWindows) visit(*entry.second);
  }

 private:
  std::map<TWindowHandle, std::unique_ptr<TWaylandWindow>> FWindows;
  TWindowHandle FLastHandle = 0;
};
