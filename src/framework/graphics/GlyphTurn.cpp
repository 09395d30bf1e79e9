#include "GlyphTurn.h"

namespace {

// One quarter turn: in the glyph's coordinates (y up) the point (x, y) goes to (-y, x), so
// column c of row r lands in row Width - 1 - c of column r.
TGlyph TurnedOnce(const TGlyph& glyph) {
  TGlyph turned;
  turned.Left = -glyph.Top;
  turned.Top = glyph.Left + glyph.Width;
  turned.Width = glyph.Rows;
  turned.Rows = glyph.Width;
  turned.Pitch = (turned.Width + 7) / 8;
  turned.Bits.assign(static_cast<std::size_t>(turned.Pitch) * turned.Rows, 0);
  for (int row = 0; row < glyph.Rows; ++row)
    for (int column = 0; column < glyph.Width; ++column)
      if (glyph.IsSet(column, row)) {
        const int newRow = glyph.Width - 1 - column;
        turned.Bits[static_cast<std::size_t>(newRow * turned.Pitch + row / 8)] |=
            static_cast<std::uint8_t>(0x80u >> (row % 8));
      }
  turned.AdvanceX = -glyph.AdvanceY;
  turned.AdvanceY = glyph.AdvanceX;
  return turned;
}

}  // namespace

TGlyph TurnedGlyph(const TGlyph& glyph, int quarters) {
  TGlyph turned = glyph;
  for (int q = ((quarters % 4) + 4) % 4; q > 0; --q) turned = TurnedOnce(turned);
  return turned;
}
