#pragma once
#include <functional>

#include "framework/platform/WindowSystem.h"

class TWaylandGlobals;
class TWaylandOutputs;
struct TWaylandOutput;
struct TWaylandWindow;
struct wl_output;

// Windows at their output's scale. A whole scale goes to the compositor as the buffer scale.
// At a fractional one the buffers have the physical pixels, at buffer scale 1, and the
// compositor is told through a viewport which logical size they cover: the integer buffer scale
// alone would have the program draw the next whole scale's pixels for the compositor to shrink
// (at 1.5, 2560x1440 for a 1920x1080 output).
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

// The scale an ordinary window is to be drawn at: the compositor's preferred scale where it
// tells one, else the largest whole scale of the outputs the window is on (its pixels are sharp
// on each); 0 while it is on none the program knows.
double WantedScale(const TWaylandWindow& window, const TWaylandOutputs& outputs);
// The form was told to draw at `scale`: whole scales go to the compositor as the buffer scale,
// fractional ones through the viewport.
void ScaleTold(TWaylandWindow& window, double scale);
// A full-screen window is drawn at the whole scale of the output it covers: whether that changed.
bool OutputScale(TWaylandWindow& window, int scale);
// An ordinary window's logical size for its form's device size.
TSize LogicalSize(const TWaylandWindow& window, TSize device);

// The client area's size in device pixels: for a full-screen window the physical size of the
// output it covers where a viewport shows it, for another the logical size at its form's scale.
TSize DeviceSize(const TWaylandWindow& window, const TWaylandOutput* output);

// Sets, before a commit, the buffer scale or the viewport's destination the buffers need.
void Prepare(TWaylandWindow& window);

}  // namespace WaylandViewport
