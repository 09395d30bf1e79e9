#pragma once
#include <functional>

#include "framework/platform/WindowSystem.h"

class TWaylandGlobals;
class TWaylandOutputs;
struct TWaylandOutput;
struct TWaylandWindow;
struct wl_output;

// A full-screen window at a fractional scale: its buffers have the output's physical pixels,
// at buffer scale 1, and the compositor is told through a viewport which logical size they
// cover. The integer buffer scale alone would have it draw the next whole scale's pixels for
// the compositor to shrink (at 1.5, 2560x1440 for a 1920x1080 output).
namespace WaylandViewport {

// Follows the outputs a window's surface enters and leaves. Gives a full-screen window a viewport
// and asks for its preferred scale, where the compositor offers both. `scaleChanged` runs when
// the surface enters or leaves an output, or the compositor tells another preferred scale.
void Attach(TWaylandWindow& window, TWaylandGlobals& globals, std::function<void(TWaylandWindow&)> scaleChanged);
void Detach(TWaylandWindow& window);

// A preferred scale in 120ths, as the compositor tells it.
void PreferredScale(TWaylandWindow& window, int scale120);
void Entered(TWaylandWindow& window, wl_output* output);
void Left(TWaylandWindow& window, wl_output* output);

// The largest scale of the outputs the window is on (its pixels are sharp on each); 0 while it
// is on none the program knows.
int EnteredScale(const TWaylandWindow& window, const TWaylandOutputs& outputs);

// The client area's size in device pixels: the physical size of the output a full-screen
// window covers, or its logical size at the preferred scale while its output is not known, or
// the logical size at the integer scale where no viewport shows the window.
TSize DeviceSize(const TWaylandWindow& window, const TWaylandOutput* output);

// Device pixels per logical pixel, for pointer positions.
double DeviceScale(const TWaylandWindow& window);

// Whether the window's buffers are shown through its viewport rather than at buffer scale.
bool Viewed(const TWaylandWindow& window);

// Sets, before a commit, the buffer scale or the viewport's destination the buffers need.
void Prepare(TWaylandWindow& window);

}  // namespace WaylandViewport
