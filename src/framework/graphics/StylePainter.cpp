#include "StylePainter.h"

#include <array>

#include "Canvas.h"

namespace {

constexpr TEdgeRing kRaised[] = {{clBtnHighlight, clBtnShadow}};
constexpr TEdgeRing kSunken[] = {{clBtnShadow, clBtnHighlight}};
constexpr TEdgeRing kButtonUp[] = {{clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
constexpr TEdgeRing kButtonDown[] = {{cl3DDkShadow, clBtnHighlight}, {clBtnShadow, cl3DLight}};
constexpr TEdgeRing kDefaultButton[] = {
    {clWindowFrame, clWindowFrame}, {clBtnHighlight, cl3DDkShadow}, {cl3DLight, clBtnShadow}};
constexpr TEdgeRing kField[] = {{clBtnShadow, clBtnHighlight}, {cl3DDkShadow, cl3DLight}};
constexpr TEdgeRing kEtched[] = {{clBtnShadow, clBtnHighlight}, {clBtnHighlight, clBtnShadow}};
constexpr TEdgeRing kSingle[] = {{clWindowFrame, clWindowFrame}};

// In the order of TFrameStyle.
constexpr std::array<std::span<const TEdgeRing>, 8> kFrames = {kRaised,        kSunken, kButtonUp, kButtonDown,
                                                               kDefaultButton, kField,  kEtched,   kSingle};

void Fill(TCanvas& canvas, TColor color, const TRect& r) {
  canvas.Brush.Color = color;
  canvas.FillRect(r);
}

}  // namespace

std::span<const TEdgeRing> TStylePainter::Rings(TFrameStyle style) { return kFrames[static_cast<std::size_t>(style)]; }

TRect TStylePainter::InnerRect(const TRect& bounds, TFrameStyle style) {
  return Inset(bounds, static_cast<int>(Rings(style).size()));
}

void TStylePainter::DrawRing(TCanvas& canvas, const TRect& r, const TEdgeRing& ring) {
  if (r.IsEmpty()) return;
  Fill(canvas, ring.TopLeft, {r.Left, r.Top, r.Right - 1, r.Top + 1});
  Fill(canvas, ring.TopLeft, {r.Left, r.Top, r.Left + 1, r.Bottom - 1});
  Fill(canvas, ring.BottomRight, {r.Right - 1, r.Top, r.Right, r.Bottom});
  Fill(canvas, ring.BottomRight, {r.Left, r.Bottom - 1, r.Right, r.Bottom});
}

TRect TStylePainter::DrawFrame(TCanvas& canvas, const TRect& bounds, TFrameStyle style) {
  const TBrush saved = canvas.Brush;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  TRect ring = bounds;
  for (const TEdgeRing& edges : Rings(style)) {
    DrawRing(canvas, ring, edges);
    ring = Inset(ring, 1);
  }
  canvas.Brush = saved;
  return ring;
}

TRect TStylePainter::Inset(const TRect& r, int by) { return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by}; }

void TStylePainter::DrawFocusRect(TCanvas& canvas, const TRect& r) {
  if (r.IsEmpty()) return;
  // Every other pixel of the outline, counted from the top-left corner.
  for (int x = r.Left; x < r.Right; x += 2) {
    canvas.SetPixel(x, r.Top, clBlack);
    if ((x - r.Left + r.Height() - 1) % 2 == 0) canvas.SetPixel(x, r.Bottom - 1, clBlack);
  }
  for (int y = r.Top; y < r.Bottom; y += 2) {
    canvas.SetPixel(r.Left, y, clBlack);
    if ((y - r.Top + r.Width() - 1) % 2 == 0) canvas.SetPixel(r.Right - 1, y, clBlack);
  }
}

void TStylePainter::DrawCaption(TCanvas& canvas, TPoint at, const std::string& caption, bool enabled) {
  if (caption.empty()) return;
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextAlign = TA_LEFT | TA_TOP;
  if (enabled) {
    canvas.TextOut(at.X, at.Y, caption);
    return;
  }
  canvas.Font.Color = clBtnHighlight;
  canvas.TextOut(at.X + 1, at.Y + 1, caption);
  canvas.Font.Color = clBtnShadow;
  canvas.TextOut(at.X, at.Y, caption);
}
