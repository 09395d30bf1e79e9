#include "Canvas.h"

#include <algorithm>
#include <cmath>
#include <utility>

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

std::vector<TPointF> ToPointsF(const std::vector<TPoint>& points, const TDeviceScale& scale) {
  std::vector<TPointF> result;
  result.reserve(points.size());
  for (const TPoint& p : points) result.push_back({double(scale.X(p.X)), double(scale.Y(p.Y))});
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
  RasterizeRectangle(NormalizedRect(x1, y1, x2, y2), PenWidth(), LogicalArea(writer), Grown(PenSink(writer)),
                     Grown(BrushSink(writer)));
  Changed();
}

void TCanvas::FillRect(const TRect& r) {
  TPixelWriter writer(FBitmap, DrawableArea());
  const TRect box = FScale.Rect(NormalizedRect(r.Left, r.Top, r.Right, r.Bottom)).Intersect(writer.Area());
  const TSpanSink fill = BrushSink(writer);
  for (int y = box.Top; y < box.Bottom; ++y) fill(y, box.Left, box.Right);
  Changed();
}

void TCanvas::FrameRect(const TRect& r) {
  TPixelWriter writer(FBitmap, DrawableArea());
  const TPixel pixel = ResolvedPixel(Brush.Color);
  const TSpanSink frame = [&](int y, int x1, int x2) { writer.Span(y, x1, x2, pixel, TPixelOp::Copy); };
  RasterizeRectangle(NormalizedRect(r.Left, r.Top, r.Right, r.Bottom), 1, LogicalArea(writer), Grown(frame),
                     [](int, int, int) {});
  Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  TPixelWriter writer(FBitmap, DrawableArea());
  // Curves are traced at the device's pixels, so that they come out smooth.
  RasterizeEllipse(FScale.Rect(NormalizedRect(x1, y1, x2, y2)), FScale.Length(PenWidth()), writer.Area(),
                   PenSink(writer), BrushSink(writer));
  Changed();
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  TPixelWriter writer(FBitmap, DrawableArea());
  RasterizePolygon(ToPointsF(points, FScale), writer.Area(), BrushSink(writer));
  for (std::size_t i = 0; i < points.size() && points.size() > 1; ++i)
    StrokeSegment(writer, points[i], points[(i + 1) % points.size()]);
  Changed();
}

TColor TCanvas::Pixel(int x, int y) const {
  const TPoint at = FScale.Point({x, y});
  if (at.X < 0 || at.Y < 0 || at.X >= FBitmap.Width() || at.Y >= FBitmap.Height()) return clBlack;
  return PixelToColor(FBitmap.PixelAt(at.X, at.Y));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  TPixelWriter writer(FBitmap, DrawableArea());
  Grown([&](int row, int x1, int x2) { writer.Span(row, x1, x2, ResolvedPixel(color), TPixelOp::Copy); })(y, x, x + 1);
  Changed();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  TPixelWriter writer(FBitmap, DrawableArea());
  PaintText(writer, x, y, text, OpaqueText());
  Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const std::string& text) {
  const TRect box = FScale.Rect(NormalizedRect(r.Left, r.Top, r.Right, r.Bottom));
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
  if (!FScale.IsIdentity()) {
    // Only what lies inside the source is drawn, as an unscaled copy would.
    const TRect part = sourceRect.Intersect({0, 0, source.Width(), source.Height()});
    const TRect dest =
        Bounds(x + part.Left - sourceRect.Left, y + part.Top - sourceRect.Top, part.Width(), part.Height());
    DrawScaled(FScale.Rect(dest), source, part);
    return;
  }
  TPixelWriter writer(FBitmap, DrawableArea());
  writer.Blit(x, y, source, sourceRect, CopyModeOp(CopyMode));
  Changed();
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& source) {
  DrawScaled(FScale.Rect(NormalizedRect(dest.Left, dest.Top, dest.Right, dest.Bottom)), source,
             {0, 0, source.Width(), source.Height()});
}

// A picture keeps its own pixels and is shown grown: whole pixels at a whole factor, blended
// at a fractional one, where whole pixels would come out in uneven rows and columns.
void TCanvas::DrawScaled(const TRect& dest, const TBitmap& source, const TRect& sourceRect) {
  if (&source == &FBitmap) {
    // Read from a copy, so that no pixel is read after it was written.
    TBitmap snapshot;
    snapshot.Assign(source);
    DrawScaled(dest, snapshot, sourceRect);
    return;
  }
  TPixelWriter writer(FBitmap, DrawableArea());
  const TPixelOp op = CopyModeOp(CopyMode);
  const bool sameSize = dest.Width() == sourceRect.Width() && dest.Height() == sourceRect.Height();
  if (FScale.IsWhole() || op != TPixelOp::Copy || sameSize) writer.StretchBlit(dest, source, sourceRect, op);
  else writer.SmoothStretchBlit(dest, source, sourceRect);
  Changed();
}

bool TCanvas::PtVisible(int x, int y) const {
  const TPoint at = FScale.Point({x, y});
  return DrawableArea().Contains(at.X, at.Y);
}

void TCanvas::Changed() {
  if (FBitmap.OnChange) FBitmap.OnChange();
}

TRect TCanvas::DrawableArea() const {
  const TRect bounds{0, 0, FBitmap.Width(), FBitmap.Height()};
  return FClip ? bounds.Intersect(FScale.Rect(*FClip)) : bounds;
}

TRect TCanvas::LogicalArea(const TPixelWriter& writer) const { return FScale.Logical(writer.Area()); }

TSpanSink TCanvas::Grown(TSpanSink sink) const {
  if (FScale.IsIdentity()) return sink;
  return [this, sink = std::move(sink)](int y, int x1, int x2) {
    const int left = FScale.X(x1), right = FScale.X(x2);
    for (int row = FScale.Y(y); row < FScale.Y(y + 1); ++row) sink(row, left, right);
  };
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

// Lines are laid down in logical pixels and grown, so that each device pixel is written once
// (inverting pens stay reversible) and straight lines stay as sharp as the bevels they meet.
void TCanvas::StrokeSegment(TPixelWriter& writer, TPoint from, TPoint to) const {
  if (PenWidth() == 1) RasterizeThinLine(from, to, LogicalArea(writer), Grown(PenSink(writer)));
  else RasterizeWideLine(from, to, PenWidth(), LogicalArea(writer), Grown(PenSink(writer)));
}

void TCanvas::PaintText(TPixelWriter& writer, int x, int y, const std::string& text, bool opaque) const {
  // Text is rasterised at the device's size, not grown from the logical one.
  TFont font = Font;
  font.Height = FScale.IsIdentity() ? Font.Height : static_cast<int>(std::lround(Font.Height * FScale.Factor()));
  TTextPainter painter(font);
  const auto background = opaque ? std::optional<TPixel>(ResolvedPixel(Brush.Color)) : std::nullopt;
  painter.Paint(writer, FScale.Point({x, y}), TextAlign, ResolvedPixel(Font.Color), background, text);
}
