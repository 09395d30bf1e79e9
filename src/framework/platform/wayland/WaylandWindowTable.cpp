#include "WaylandWindowTable.h"

TWaylandWindow& TWaylandWindowTable::Add() {
  auto window = std::make_unique<TWaylandWindow>();
  window->Handle = ++FLastHandle;
  TWaylandWindow& added = *window;
  FWindows[added.Handle] = std::move(window);
  return added;
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
