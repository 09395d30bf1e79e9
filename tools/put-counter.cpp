// libquenbrel-put-counter.so, loaded into a program with LD_PRELOAD: adds up the pixel area
// and the number of the images that the program puts with XPutImage and XShmPutImage, in the
// file named by QUENBREL_PUT_COUNTER (two 64-bit words in this machine's order: area, puts).
// Programs that draw in different ways can then be compared by the frames they put: the area
// over the area of one frame.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>

#include <cstdint>

#include "PutCounts.h"

extern "C" int XPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int sourceX, int sourceY, int destX,
                         int destY, unsigned width, unsigned height) {
  static auto* const next = Next<decltype(XPutImage)>("XPutImage");
  CountPut(std::uint64_t{width} * height);
  return next(display, drawable, gc, image, sourceX, sourceY, destX, destY, width, height);
}

extern "C" Bool XShmPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int sourceX, int sourceY,
                             int destX, int destY, unsigned width, unsigned height, Bool sendEvent) {
  static auto* const next = Next<decltype(XShmPutImage)>("XShmPutImage");
  CountPut(std::uint64_t{width} * height);
  return next(display, drawable, gc, image, sourceX, sourceY, destX, destY, width, height, sendEvent);
}
