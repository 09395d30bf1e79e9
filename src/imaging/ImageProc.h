#pragma once
#include <cstdint>

#include "ImageCodec.h"
#include "framework/base/Component.h"

class TBitmap;

// Rotates an image surface's bitmap.
class TImageProc : public TComponent {
 public:
  using TComponent::TComponent;

  // Turns the picture counter-clockwise by whole degrees of either sign. Quarter turns are
  // exact pixel permutations; other angles resample (bilinear when smooth) into a bitmap that
  // grows to hold the whole turned picture, its uncovered corners black. The bitmap comes back
  // at 24 bits per pixel. A result larger than Limits raises EImageFormat and leaves the
  // bitmap as it was.
  void Rotate(TBitmap& bitmap, int degrees, bool smooth);

  TImageLimits Limits;
};

// The size of a width x height picture turned by `degrees` (0 ... 359).
struct TTurnedSize {
  std::int64_t Width;
  std::int64_t Height;
};
TTurnedSize TurnedSize(int width, int height, int degrees);
