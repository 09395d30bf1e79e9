#pragma once
// What the canvas needs to know of a font face to draw text: its vertical metrics and its
// characters as one-bit-deep pictures. The font engine behind it stays out of sight.
#include <cstdint>
#include <vector>

// One character, rendered without grey levels, in the face's rotation.
struct TGlyph {
  int Left = 0;  // columns from the pen position to the first column
  int Top = 0;   // rows from the baseline up to the first row
  int Width = 0;
  int Rows = 0;
  int Pitch = 0;                   // bytes per row
  std::vector<std::uint8_t> Bits;  // most significant bit first
  double AdvanceX = 0;             // how far the pen moves, in pixels, y upwards
  double AdvanceY = 0;

  bool IsSet(int column, int row) const {
    return (Bits[static_cast<std::size_t>(row * Pitch + column / 8)] >> (7 - column % 8)) & 1;
  }
};

// Vertical measures in pixels, all unrotated and positive.
struct TFaceMetrics {
  int Ascent = 0;
  int Descent = 0;
  int UnderlineOffset = 1;  // from the baseline down to the underline's first row
  int UnderlineThickness = 1;
  int StrikeOutOffset = 1;  // from the baseline up to the strike-out's first row
  int StrikeOutThickness = 1;
};

class TGlyphFace {
 public:
  virtual ~TGlyphFace() = default;
  virtual const TFaceMetrics& Metrics() const = 0;
  // The glyph for a code point; a character the face lacks gets its placeholder glyph.
  virtual const TGlyph& Glyph(char32_t codePoint) = 0;
};
