#include "TextPainter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Canvas.h"
#include "GlyphRenderer.h"
#include "PixelWriter.h"
#include "framework/base/Utf8.h"

namespace {

TPointF operator+(TPointF a, TPointF b) { return {a.X + b.X, a.Y + b.Y}; }
TPointF operator*(double k, TPointF a) { return {k * a.X, k * a.Y}; }

// Far beyond any bitmap, yet far from overflowing when glyph offsets are added.
constexpr double kFarAway = 1 << 30;

int Nearest(double v) { return static_cast<int>(std::clamp(std::floor(v + 0.5), -kFarAway, kFarAway)); }

// The pixels of one glyph, run by run, with its origin at pen.
void PaintGlyph(TPixelWriter& writer, const TGlyph& glyph, TPointF pen, TPixel foreground) {
  const int left = Nearest(pen.X) + glyph.Left;
  const int top = Nearest(pen.Y) - glyph.Top;
  for (int row = 0; row < glyph.Rows; ++row) {
    for (int column = 0; column < glyph.Width;) {
      if (!glyph.IsSet(column, row)) {
        ++column;
        continue;
      }
      const int start = column;
      while (column < glyph.Width && glyph.IsSet(column, row)) ++column;
      writer.Span(top + row, left + start, left + column, foreground, TPixelOp::Copy);
    }
  }
}

void Fill(TPixelWriter& writer, const std::vector<TPointF>& outline, TPixel pixel) {
  RasterizePolygon(outline, writer.Area(),
                   [&](int y, int x1, int x2) { writer.Span(y, x1, x2, pixel, TPixelOp::Copy); });
}

}  // namespace

TSize TTextPainter::Extent(const std::string& text) const {
  TFont upright = FFont;
  upright.Escapement = 0;
  TGlyphFace* face = TGlyphRenderer::FaceFor(upright);
  if (!face) return {};
  double width = 0;
  for (std::size_t at = 0; at < text.size();) width += face->Glyph(NextCodePoint(text, at)).AdvanceX;
  return {Nearest(width), face->Metrics().Ascent + face->Metrics().Descent};
}

void TTextPainter::Paint(TPixelWriter& writer, TPoint anchor, unsigned align, TPixel foreground,
                         std::optional<TPixel> background, const std::string& text) const {
  TGlyphFace* face = TGlyphRenderer::FaceFor(FFont);
  if (!face) return;
  // Glyph advances point up; the bitmap's y axis points down.
  TPointF advance;
  for (std::size_t at = 0; at < text.size();) {
    const TGlyph& glyph = face->Glyph(NextCodePoint(text, at));
    advance = advance + TPointF{glyph.AdvanceX, -glyph.AdvanceY};
  }
  const double angle = FFont.Escapement * std::numbers::pi / 1800.0;
  const TPointF down{std::sin(angle), std::cos(angle)};
  const TPointF origin = Origin(anchor, align, advance, down, *face);
  const TFaceMetrics& metrics = face->Metrics();
  if (background)
    Fill(writer, Band(origin, advance, down, -metrics.Ascent, metrics.Ascent + metrics.Descent), *background);
  TPointF pen = origin;
  for (std::size_t at = 0; at < text.size();) {
    const TGlyph& glyph = face->Glyph(NextCodePoint(text, at));
    PaintGlyph(writer, glyph, pen, foreground);
    pen = pen + TPointF{glyph.AdvanceX, -glyph.AdvanceY};
  }
  if (HasStyle(FFont.Style, TFontStyle::fsUnderline))
    Fill(writer, Band(origin, advance, down, metrics.UnderlineOffset, metrics.UnderlineThickness), foreground);
  if (HasStyle(FFont.Style, TFontStyle::fsStrikeOut))
    Fill(writer, Band(origin, advance, down, -metrics.StrikeOutOffset, metrics.StrikeOutThickness), foreground);
}

std::vector<TPointF> TTextPainter::Band(TPointF origin, TPointF advance, TPointF down, double offset,
                                        double thickness) {
  const TPointF near = origin + offset * down;
  const TPointF far = origin + (offset + thickness) * down;
  return {near, near + advance, far + advance, far};
}

// The baseline's start: the anchor moved back along the baseline for centred and right
// alignment, and along the glyphs' downward direction for top and bottom alignment.
TPointF TTextPainter::Origin(TPoint anchor, unsigned align, TPointF advance, TPointF down, const TGlyphFace& face) {
  TPointF origin{double(anchor.X), double(anchor.Y)};
  if ((align & TA_CENTER) == TA_CENTER) origin = origin + -0.5 * advance;
  else if (align & TA_RIGHT) origin = origin + -1.0 * advance;
  if ((align & TA_BASELINE) != TA_BASELINE) {
    const int shift = (align & TA_BOTTOM) ? -face.Metrics().Descent : face.Metrics().Ascent;
    origin = origin + double(shift) * down;
  }
  return {double(Nearest(origin.X)), double(Nearest(origin.Y))};
}
