#include "ButtonGlyphs.h"

#include "PixelArt.h"

namespace {

// '.' is the transparent background; the rest are the mark and its shading.
const std::map<char, TColor> kGlyphKey = {
    {'.', clOlive},        {'g', RGB(0, 128, 0)}, {'G', RGB(0, 192, 0)}, {'d', RGB(0, 64, 0)},
    {'r', RGB(128, 0, 0)}, {'R', RGB(224, 0, 0)}, {'k', RGB(64, 0, 0)},
};

std::unique_ptr<TBitmap> WithDisabledImage(std::unique_ptr<TBitmap> enabled) {
  return SideBySide(*enabled, *GreyedCopy(*enabled));
}

}  // namespace

std::unique_ptr<TBitmap> OkButtonGlyph() {
  return WithDisabledImage(BitmapFromArt(
      {
          "..................",
          "..................",
          "..................",
          "..............G...",
          ".............GGd..",
          "............GGgd..",
          "...........GGgd...",
          "..G.......GGgd....",
          ".GGG.....GGgd.....",
          ".dGGG...GGgd......",
          "..dGGG.GGgd.......",
          "...dGGGGGgd.......",
          "....dGGGgd........",
          ".....dGgd.........",
          "......dd..........",
          "..................",
          "..................",
          "..................",
      },
      kGlyphKey));
}

std::unique_ptr<TBitmap> CancelButtonGlyph() {
  return WithDisabledImage(BitmapFromArt(
      {
          "..................",
          "..................",
          "..................",
          "...RR.......RR....",
          "...RRR.....RRRk...",
          "....RRR...RRRk....",
          ".....RRR.RRRk.....",
          "......RRRRRk......",
          ".......RRRk.......",
          "......RRRRR.......",
          ".....RRRkRRR......",
          "....RRRk..RRR.....",
          "...RRRk....RRR....",
          "...RRk......RRk...",
          "....k........k....",
          "..................",
          "..................",
          "..................",
      },
      kGlyphKey));
}
