#pragma once
// The X11 headers that the backend uses, in one place. Xlib defines its event types as
// macros, and one of them (Expose) is also a name of the framework's own event kinds: it is
// given another name here and undefined, so that both can be used in one file.
#include <X11/X.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/cursorfont.h>
#include <X11/extensions/XShm.h>
#include <X11/keysym.h>

inline constexpr int kXExposeEvent = Expose;
#undef Expose
