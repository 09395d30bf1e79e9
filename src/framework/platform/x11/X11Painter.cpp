#include "X11Painter.h"

#include <bit>
#include <vector>

#include "ShmPixelMemory.h"

namespace {

// The bitmap's words are in this machine's order; Xlib swaps them if the server differs.
constexpr int kNativeByteOrder = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;

// The image struct only describes memory that the bitmap owns: detach it before freeing.
void FreeImageHeader(XImage* image) {
  image->data = nullptr;
  XDestroyImage(image);
}

}  // namespace

TX11Painter::~TX11Painter() {
  if (FContext) XFreeGC(FConnection.Handle(), FContext);
}

void TX11Painter::Put(Window window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) {
  const TRect clipped = source.Intersect(Bounds(0, 0, bitmap.Width(), bitmap.Height()));
  if (clipped.IsEmpty()) return;
  const TPoint shifted{dest.X + clipped.Left - source.Left, dest.Y + clipped.Top - source.Top};
  if (bitmap.PixelBits() != 32) {
    PutConverted(window, bitmap, clipped, shifted);
  } else if (!PutShared(window, bitmap, clipped, shifted, mode)) {
    PutCopy(window, reinterpret_cast<char*>(bitmap.Row(0)), bitmap.Width(), bitmap.Height(),
            static_cast<int>(bitmap.Stride()), clipped, shifted);
  }
}

GC TX11Painter::ContextFor(Window window) {
  // All our windows share one depth and visual, so one context serves them all.
  if (!FContext) FContext = XCreateGC(FConnection.Handle(), window, 0, nullptr);
  return FContext;
}

bool TX11Painter::PutShared(Window window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) {
  auto* memory = dynamic_cast<TShmPixelMemory*>(bitmap.Memory());
  XShmSegmentInfo* segment = memory ? memory->Segment() : nullptr;
  if (!segment) return false;
  Display* display = FConnection.Handle();
  XImage* image = XShmCreateImage(display, FConnection.TrueColorVisual(), static_cast<unsigned>(FConnection.Depth()),
                                  ZPixmap, segment->shmaddr, segment, static_cast<unsigned>(bitmap.Width()),
                                  static_cast<unsigned>(bitmap.Height()));
  if (!image) return false;
  XShmPutImage(display, window, ContextFor(window), image, source.Left, source.Top, dest.X, dest.Y,
               static_cast<unsigned>(source.Width()), static_cast<unsigned>(source.Height()), False);
  FreeImageHeader(image);
  // The server reads shared memory while it handles the request: waiting for it is what
  // makes the pixels safe to change again.
  if (mode == TPutMode::Wait) XSync(display, False);
  else XFlush(display);
  return true;
}

void TX11Painter::PutCopy(Window window, char* data, int width, int height, int stride, const TRect& source,
                          TPoint dest) {
  Display* display = FConnection.Handle();
  XImage* image =
      XCreateImage(display, FConnection.TrueColorVisual(), static_cast<unsigned>(FConnection.Depth()), ZPixmap, 0, data,
                   static_cast<unsigned>(width), static_cast<unsigned>(height), 32, stride);
  if (!image) return;
  image->byte_order = kNativeByteOrder;
  XPutImage(display, window, ContextFor(window), image, source.Left, source.Top, dest.X, dest.Y,
            static_cast<unsigned>(source.Width()), static_cast<unsigned>(source.Height()));
  FreeImageHeader(image);
  XFlush(display);
}

// 24-bit bitmaps (fresh from a file) are widened to pixel words for the part shown.
void TX11Painter::PutConverted(Window window, const TBitmap& bitmap, const TRect& source, TPoint dest) {
  const int width = source.Width();
  std::vector<std::uint32_t> words(static_cast<std::size_t>(width) * static_cast<std::size_t>(source.Height()));
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < width; ++x)
      words[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          bitmap.PixelAt(source.Left + x, source.Top + y);
  PutCopy(window, reinterpret_cast<char*>(words.data()), width, source.Height(), width * 4,
          Bounds(0, 0, width, source.Height()), dest);
}
