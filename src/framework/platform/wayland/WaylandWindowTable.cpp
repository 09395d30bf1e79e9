#include "WaylandWindowTable.h"

#include <cmath>

TWaylandWindow& TWaylandWindowTable::Add() {
  auto window = std::make_unique<TWaylandWindow>();
  window->Handle = ++FLastHandle;
  TWaylandWindow& added = *window;
  FWindows[added.Handle] = std::move(window);
  return added;
}

void TWaylandWindowTable::Remove(TWindowHandle handle) {
  PopupHidden(handle);
  FWindows.erase(handle);
}

TWaylandWindow* TWaylandWindowTable::Find(TWindowHandle handle) {
  const auto found = FWindows.find(handle);
  return found == FWindows.end() ? nullptr : found->second.get();
}

TWaylandWindow* TWaylandWindowTable::FindSurface(const wl_surface* surface) {
  if (!surface) return nullptr;
  for (auto& entry : FWindows)
    if (entry.second->Surface == surface) return entry.second.get();
  return nullptr;
}

TWaylandWindow* TWaylandWindowTable::ParentOf(const TWaylandWindow& window) {
  return window.Params.Popup ? Find(window.Role.PopupParent) : nullptr;
}

// A popup is shown over a window that is shown and hidden before it: the chains end. The
// count of steps holds them to that all the same.
TWaylandWindow& TWaylandWindowTable::Root(TWaylandWindow& window) {
  TWaylandWindow* root = &window;
  std::size_t steps = 0;
  while (TWaylandWindow* parent = ParentOf(*root)) {
    if (++steps > FWindows.size()) break;
    root = parent;
  }
  return *root;
}

TPoint TWaylandWindowTable::OffsetInRoot(TWaylandWindow& window) {
  TPoint offset;
  TWaylandWindow* w = &window;
  std::size_t steps = 0;
  while (TWaylandWindow* parent = ParentOf(*w)) {
    if (++steps > FWindows.size()) break;
    offset = {offset.X + w->Role.PopupAt.X, offset.Y + w->Role.PopupAt.Y};
    w = parent;
  }
  return offset;
}

bool Viewed(const TWaylandWindow& window) {
  return window.View.Viewport && window.Role.Logical.cx > 0 && window.Role.Logical.cy > 0 &&
         window.Size != TSize{window.Role.Logical.cx * window.View.Scale, window.Role.Logical.cy * window.View.Scale};
}

double DeviceScale(const TWaylandWindow& window) {
  return Viewed(window) ? static_cast<double>(window.Size.cx) / window.Role.Logical.cx : window.View.Scale;
}

std::optional<TPoint> TWaylandWindowTable::ClientPoint(TWaylandWindow& from, TPoint at, TWaylandWindow& to) {
  if (&Root(from) != &Root(to)) return std::nullopt;
  // The compositor tells the places in logical pixels; the points are in each window's device ones.
  const TPoint source = OffsetInRoot(from), target = OffsetInRoot(to);
  const TPoint origin = ClientOrigin(to);
  const double fromScale = DeviceScale(from), toScale = DeviceScale(to);
  const auto device = [&](int point, int offset, int clientOrigin) {
    return static_cast<int>(std::floor((point / fromScale + offset) * toScale)) - clientOrigin;
  };
  return TPoint{device(at.X, source.X - target.X, origin.X), device(at.Y, source.Y - target.Y, origin.Y)};
}
