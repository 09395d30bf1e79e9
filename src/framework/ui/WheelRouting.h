#pragma once
#include "WinControl.h"

// Offers a wheel turn to the control under the pointer, then to each of its parents up to
// `window` (the form that received it), until one takes it.
void RouteWheel(TWinControl& window, const TWsEvent& event);
