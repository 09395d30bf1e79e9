#include "WaylandViewport.h"

#include <algorithm>
#include <cmath>

#include "WaylandApi.h"
#include "WaylandGlobals.h"
#include "WaylandOutputs.h"
#include "WaylandWindowTable.h"

namespace {

TWaylandWindow& Window(void* data) { return *static_cast<TWaylandWindow*>(data); }

const wp_fractional_scale_v1_listener kFractionalScaleListener = {
    .preferred_scale =
        [](void* data, wp_fractional_scale_v1*, std::uint32_t scale) {
          WaylandViewport::PreferredScale(Window(data), static_cast<int>(scale));
        },
};

const wl_surface_listener kSurfaceListener = {
    .enter = [](void* data, wl_surface*, wl_output* output) { WaylandViewport::Entered(Window(data), output); },
    .leave = [](void* data, wl_surface*, wl_output* output) { WaylandViewport::Left(Window(data), output); },
};

// The protocol's rounding of a logical length at a scale in 120ths: half away from zero.
int AtScale(int logical, int scale120) { return (logical * scale120 + 60) / 120; }

}  // namespace

namespace WaylandViewport {

// A popup takes the preferred scale the compositor tells for it too, as the window below it does.
void Attach(TWaylandWindow& window, TWaylandGlobals& globals, std::function<void(TWaylandWindow&)> scaleChanged) {
  window.View.ScaleChanged = std::move(scaleChanged);
  wl_surface_add_listener(window.Surface, &kSurfaceListener, &window);
  if (!globals.Viewporter) return;
  window.View.Viewport = wp_viewporter_get_viewport(globals.Viewporter, window.Surface);
  // A full-screen window's pixels are its output's: no preferred scale is needed for them.
  if (window.Params.FullScreen || !globals.FractionalScales) return;
  window.View.Fractional =
      wp_fractional_scale_manager_v1_get_fractional_scale(globals.FractionalScales, window.Surface);
  wp_fractional_scale_v1_add_listener(window.View.Fractional, &kFractionalScaleListener, &window);
}

void Detach(TWaylandWindow& window) {
  if (window.View.Fractional) wp_fractional_scale_v1_destroy(window.View.Fractional);
  if (window.View.Viewport) wp_viewport_destroy(window.View.Viewport);
  window.View = {};
}

// Beyond what an output's scale may be, the last good one stays.
void PreferredScale(TWaylandWindow& window, int scale120) {
  if (scale120 < 120 || scale120 > 120 * 8 || scale120 == window.View.Preferred120) return;
  window.View.Preferred120 = scale120;
  window.View.ScaleChanged(window);
}

void Entered(TWaylandWindow& window, wl_output* output) {
  if (std::find(window.View.Entered.begin(), window.View.Entered.end(), output) != window.View.Entered.end()) return;
  window.View.Entered.push_back(output);
  window.View.ScaleChanged(window);
}

void Left(TWaylandWindow& window, wl_output* output) {
  if (std::erase(window.View.Entered, output) > 0) window.View.ScaleChanged(window);
}

// The preferred scale counts once the surface is on an output: a compositor tells one before
// (KWin says 1 at first, then 1.5).
double WantedScale(const TWaylandWindow& window, const TWaylandOutputs& outputs) {
  int whole = 0;
  for (const wl_output* entered : window.View.Entered)
    if (const TWaylandOutput* output = outputs.FindProxy(entered); output && output->Done)
      whole = std::max(whole, output->Info.Scale);
  if (whole == 0 || !window.View.Viewport || window.View.Preferred120 == 0) return whole;
  return window.View.Preferred120 / 120.0;
}

void ScaleTold(TWaylandWindow& window, double scale) {
  window.View.FormScale = scale;
  const bool whole = scale == std::floor(scale);
  window.View.Scale = whole ? static_cast<int>(scale) : 1;
}

bool OutputScale(TWaylandWindow& window, int scale) {
  if (scale == window.View.Scale) return false;
  window.View.Scale = scale;
  return true;
}

TSize LogicalSize(const TWaylandWindow& window, TSize device) {
  const double scale = window.View.FormScale;
  return {static_cast<int>(std::lround(device.cx / scale)), static_cast<int>(std::lround(device.cy / scale))};
}

// A full-screen window covers its output: the output's pixels are every pixel there is.
TSize DeviceSize(const TWaylandWindow& window, const TWaylandOutput* output) {
  const TSize& logical = window.Role.Logical;
  if (window.Params.FullScreen) {
    if (window.View.Viewport && output && output->Done) return output->Info.Size;
    return {logical.cx * window.View.Scale, logical.cy * window.View.Scale};
  }
  const int scale120 = static_cast<int>(std::lround(window.View.FormScale * 120));
  return {AtScale(logical.cx, scale120), AtScale(logical.cy, scale120)};
}

// A destination of -1 by -1 takes the viewport away: the buffer scale is in force again.
void Prepare(TWaylandWindow& window) {
  const bool viewed = Viewed(window);
  const int bufferScale = viewed ? 1 : window.View.Scale;
  if (bufferScale != window.Presentation.CommittedScale) {
    wl_surface_set_buffer_scale(window.Surface, bufferScale);
    window.Presentation.CommittedScale = bufferScale;
  }
  // The program's own frame is part of the surface the viewport shows.
  const TRect& frame = window.Frame.LogicalInsets;
  const TSize destination = viewed ? TSize{window.Role.Logical.cx + frame.Left + frame.Right,
                                           window.Role.Logical.cy + frame.Top + frame.Bottom}
                                   : TSize{};
  if (!window.View.Viewport || destination == window.View.Destination) return;
  wp_viewport_set_destination(window.View.Viewport, viewed ? destination.cx : -1, viewed ? destination.cy : -1);
  window.View.Destination = destination;
}

}  // namespace WaylandViewport
