#pragma once
#include <optional>
#include <string>

#include "Color.h"
#include "Font.h"
#include "ShapeRasterizer.h"
#include "framework/base/Types.h"

class TPixelWriter;
class TGlyphFace;
struct TSize;

// Lays out one line of text in a font and draws it: glyphs along the font's turned baseline,
// placed by the text alignment, over an optional background box, with underline and
// strike-out.
class TTextPainter {
 public:
  explicit TTextPainter(const TFont& font) : FFont(font) {}

  // Sum of the advances by ascent + descent, unrotated; zero when no face is installed.
  TSize Extent(const std::string& text) const;
  void Paint(TPixelWriter& writer, TPoint anchor, unsigned align, TPixel foreground, std::optional<TPixel> background,
             const std::string& text) const;

 private:
  // A band along the baseline from `offset` to `offset + thickness` pixels below it.
  static std::vector<TPointF> Band(TPointF origin, TPointF advance, TPointF down, double offset, double thickness);
  static TPointF Origin(TPoint anchor, unsigned align, TPointF advance, TPointF down, const TGlyphFace& face);

  const TFont& FFont;
};
