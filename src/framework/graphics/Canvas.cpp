#include "Canvas.h"

#include <algorithm>

#include "Bitmap.h"
#include "PixelWriter.h"
#include "ShapeRasterizer.h"
#include "TextPainter.h"

namespace {

TPixel ResolvedPixel(TColor color) { return ColorToPixel(ColorToRGB(color)); }

TPixelOp PenOp(TPenMode mode) {
  switch (mode) {
    case TPenMode::pmCopy: return TPixelOp::Copy;
    case TPenMode::pmNot: return TPixelOp::Invert;
    case TPenMode::pmXor: return TPixelOp::Xor;
    case TPenMode::pmNotXor: return TPixelOp::NotXor;
  }
  return TPixelOp::Copy;
}

TPixelOp CopyModeOp(std::uint32_t copyMode) {
  switch (copyMode) {
    case SRCPAINT: return TPixelOp::Or;
    case SRCINVERT: return TPixelOp::Xor;
    case SRCAND: return TPixelOp::And;
    default: return TPixelOp::Copy;
  }
}

std::vector<TPointF> ToPointsF(const std::vector<TPoint>& points) {
  std::vector<TPointF> result;
  result.reserve(points.size());
  for (const TPoint& p : points) result.push_back({double(p.X), double(p.Y)});
  return result;
}

}  // namespace

TCanvas::TCanvas(TBitmap& bitmap) : FBitmap(bitmap) {}

void TCanvas::MoveTo(int x, int y) { PenPos = {x, y}; }

void TCanvas::LineTo(int x, int y) {
  TPixelWriter writer(FBitmap, DrawableArea());
  StrokeSegment(writer, PenPos, {x, y});
  PenPos = {x, y};
  Changed();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
  TPixelWriter writer(FBitmap, DrawableArea());
  for (std::size_t i = 1; i < points.size(); ++i) StrokeSegment(writer, points[i - 1], points[i]);
  Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  TPixelWriter writer(FBitmap, DrawableArea());
  RasterizeRectangle(NormalizedRect(x1, y1, x2, y2), PenWidth(), writer.Area(), PenSink(writer), BrushSink(writer));
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  TPixelWriter writer(FBitmap, DrawableArea());
  const TRect box = NormalizedRect(r.Left, r.Top, r.Right, r.Bottom).Intersect(writer.Area());
  const TSpanSink fill = BrushSink(writer);
  for (int y = box.Top; y < box.Bottom; ++y) fill(y, box.Left, box.Right);
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  TPixelWriter writer(FBitmap, DrawableArea());
  const TPixel pixel = ResolvedPixel(Brush.Color);
  const TSpanSink frame = [&](int y, int x1, int x2) { writer.Span(y, x1, x2, pixel, TPixelOp::Copy); };
  RasterizeRectangle(NormalizedRect(r.Left, r.Top, r.Right, r.Bottom), 1, writer.Area(), frame, [](int, int, int) {});
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  TPixelWriter writer(FBitmap, DrawableArea());
  RasterizeEllipse(NormalizedRect(x1, y1, x2, y2), PenWidth(), writer.Area(), PenSink(writer), BrushSink(writer));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  TPixelWriter writer(FBitmap, DrawableArea());
  RasterizePolygon(ToPointsF(points), writer.Area(), BrushSink(writer));
  for (std::size_t i = 0; i < points.size() && points.size() > 1; ++i)
    StrokeSegment(writer, points[i], points[(i + 1) % points.size()]);
  Changed();
}

TColor TCanvas::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= FBitmap.Width() || y >= FBitmap.Height()) return clBlack;
  return PixelToColor(FBitmap.PixelAt(x, y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  TPixelWriter writer(FBitmap, DrawableArea());
  writer.Span(y, x, x + 1, ResolvedPixel(color), TPixelOp::Copy);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  TPixelWriter writer(FBitmap, DrawableArea());
  PaintText(writer, x, y, text, OpaqueText());
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  const TRect box = NormalizedRect(r.Left, r.Top, r.Right, r.Bottom);
  TPixelWriter writer(FBitmap, DrawableArea().Intersect(box));
  if (OpaqueText()) {
    const TRect& area = writer.Area();
    for (int row = area.Top; row < area.Bottom; ++row)
      writer.Span(row, area.Left, area.Right, ResolvedPixel(Brush.Color), TPixelOp::Copy);
  }
  PaintText(writer, x, y, text, false);
  Changed();
}

TSize TCanvas::TextExtent(const std::string& text) { return TTextPainter(Font).Extent(text); }

void TCanvas::Draw(int x, int y, const TBitmap& source) {
  DrawPart(x, y, source, {0, 0, source.Width(), source.Height()});
}

void TCanvas::DrawPart(int x, int y, const TBitmap& source, const TRect& sourceRect) {
  TPixelWriter writer(FBitmap, DrawableArea());
  writer.Blit(x, y, source, sourceRect, CopyModeOp(CopyMode));
  Changed();
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source) {
  TPixelWriter writer(FBitmap, DrawableArea());
  writer.StretchBlit(NormalizedRect(dest.Left, dest.Top, dest.Right, dest.Bottom), source, CopyModeOp(CopyMode));
  Changed();
}

bool TCanvas::PtVisible(int x, int y) const { return DrawableArea().Contains(x, y); }

void TCanvas::Changed() {
  if (FBitmap.OnChange) FBitmap.OnChange();
}

TRect TCanvas::DrawableArea() const {
  const TRect bounds{0, 0, FBitmap.Width(), FBitmap.Height()};
  return FClip ? bounds.Intersect(*FClip) : bounds;
}

// A clear brush has nothing to paint a background with, whatever the background mode says.
bool TCanvas::OpaqueText() const { return BkMode == TBkMode::Opaque && Brush.Style == TBrushStyle::bsSolid; }

int TCanvas::PenWidth() const { return std::max(Pen.Width, 1); }

TSpanSink TCanvas::PenSink(TPixelWriter& writer) const {
  return [&writer, pixel = ResolvedPixel(Pen.Color), op = PenOp(Pen.Mode)](int y, int x1, int x2) {
    writer.Span(y, x1, x2, pixel, op);
  };
}

TSpanSink TCanvas::BrushSink(TPixelWriter& writer) const {
  if (Brush.Style == TBrushStyle::bsClear) return [](int, int, int) {};
  return [&writer, pixel = ResolvedPixel(Brush.Color)](int y, int x1, int x2) {
    writer.Span(y, x1, x2, pixel, TPixelOp::Copy);
  };
}

void TCanvas::StrokeSegment(TPixelWriter& writer, TPoint from, TPoint to) const {
  if (PenWidth() == 1) RasterizeThinLine(from, to, writer.Area(), PenSink(writer));
  else RasterizeWideLine(from, to, PenWidth(), writer.Area(), PenSink(writer));
}

void TCanvas::PaintText(TPixelWriter& writer, int x, int y, const std::string& text, bool opaque) const {
  TTextPainter painter(Font);
  const auto background = opaque ? std::optional<TPixel>(ResolvedPixel(Brush.Color)) : std::nullopt;
  painter.Paint(writer, {x, y}, TextAlign, ResolvedPixel(Font.Color), background, text);
}
