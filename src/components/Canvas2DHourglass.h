#pragma once
#include <memory>

#include "framework/ui/core/Control.h"

// Shows the hourglass on a plot's surface while it lives, then the cursor from before, unless
// someone set another meanwhile or the plot is gone (`alive` expired).
class TPlotHourglass {
 public:
  TPlotHourglass(TControl& surface, std::weak_ptr<int> alive)
      : FSurface(surface), FAlive(std::move(alive)), FSaved(surface.Cursor()) {
    surface.SetCursor(crHourGlass);
  }
  ~TPlotHourglass() {
    if (!FAlive.expired() && FSurface.Cursor() == crHourGlass) FSurface.SetCursor(FSaved);
  }
  TPlotHourglass(const TPlotHourglass&) = delete;
  TPlotHourglass& operator=(const TPlotHourglass&) = delete;

 private:
  TControl& FSurface;
  std::weak_ptr<int> FAlive;
  TCursor FSaved;
};
