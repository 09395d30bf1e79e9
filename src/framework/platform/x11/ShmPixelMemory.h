#pragma once
#include "X11Api.h"

#include <cstddef>
#include <memory>

#include "framework/graphics/Bitmap.h"

class TShmPixelMemoryProvider;

// Pixel memory shared with the X server: a bitmap in it goes to a window with
// XShmPutImage, without a copy through the connection.
class TShmPixelMemory : public TPixelMemory {
 public:
  // Null when the segment cannot be made or the server cannot attach it.
  static std::unique_ptr<TShmPixelMemory> Create(Display* display, std::size_t bytes,
                                                 TShmPixelMemoryProvider* provider);
  ~TShmPixelMemory() override;

  std::uint8_t* Data() override { return reinterpret_cast<std::uint8_t*>(FSegment.shmaddr); }
  // The server's view of the segment, for XShmPutImage; null once the display has closed.
  XShmSegmentInfo* Segment() { return FDisplay ? &FSegment : nullptr; }
  // The display closes before the bitmaps that use this memory: keep only our mapping.
  void ForgetDisplay();

 private:
  TShmPixelMemory(Display* display, TShmPixelMemoryProvider* provider) : FDisplay(display), FProvider(provider) {}

  Display* FDisplay;
  TShmPixelMemoryProvider* FProvider;
  XShmSegmentInfo FSegment{};
};
