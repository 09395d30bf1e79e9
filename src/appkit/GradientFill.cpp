#include "GradientFill.h"

#include <algorithm>

#include "framework/base/MulDiv.h"
#include "framework/graphics/Canvas.h"

namespace {

struct TChannels {
  int R, G, B;
};

TChannels Channels(TColor c) { return {GetRValue(c), GetGValue(c), GetBValue(c)}; }

// Band i of n between base (band 0) and base + delta (band n - 1), rounded halves away from zero.
TColor BandColor(const TChannels& base, const TChannels& delta, int i, int n) {
  return RGB(base.R + MulDiv(i, delta.R, n - 1), base.G + MulDiv(i, delta.G, n - 1),
             base.B + MulDiv(i, delta.B, n - 1));
}

}  // namespace

void GradientFillRect(TCanvas& canvas, const TRect& r, TColor start, TColor end, TFillDirection direction, int count) {
  if (r.IsEmpty()) return;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  if (count < 2) {
    canvas.Brush.Color = start;
    canvas.FillRect(r);
    return;
  }
  start = ColorToRGB(start);
  end = ColorToRGB(end);
  const bool forward = direction == TFillDirection::fdTopToBottom || direction == TFillDirection::fdLeftToRight;
  const bool vertical = direction == TFillDirection::fdTopToBottom || direction == TFillDirection::fdBottomToTop;
  const TChannels from = Channels(forward ? start : end), to = Channels(forward ? end : start);
  const TChannels delta{to.R - from.R, to.G - from.G, to.B - from.B};

  // Along the direction, 64 bits: a rectangle may span the whole integer range.
  const long long origin = vertical ? r.Top : r.Left;
  const long long extent =
      vertical ? static_cast<long long>(r.Bottom) - r.Top : static_cast<long long>(r.Right) - r.Left;
  const int n = static_cast<int>(std::clamp<long long>(extent, 2, count));
  const long long size = extent / n;
  // The part of r from `first` to `last` along the direction.
  const auto span = [&](long long first, long long last) {
    return vertical ? TRect{r.Left, static_cast<int>(first), r.Right, static_cast<int>(last)}
                    : TRect{static_cast<int>(first), r.Top, static_cast<int>(last), r.Bottom};
  };
  canvas.Pen.Mode = TPenMode::pmCopy;
  if (size > 0) {
    for (int i = 0; i < n; ++i) {
      canvas.Brush.Color = BandColor(from, delta, i, n);
      canvas.FillRect(span(origin + i * size, origin + (i + 1) * size));
    }
  }
  if (const long long rest = extent % n; rest > 0) {
    canvas.Brush.Color = forward ? end : start;
    canvas.FillRect(span(origin + extent - rest, origin + extent));
  }
}
