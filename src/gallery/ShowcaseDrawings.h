#pragma once
#include <cstdint>

#include "framework/graphics/Color.h"

class TVekImage;

// The image surface's drawing members at work, one picture per kind, each covering the whole
// surface: bevelled boxes, shaded balls, colours combined by OR, and turned and inverting text.
enum class TShowcaseDrawing : std::uint8_t { Boxes, Balls, Combined, Text };

struct TShowcaseStyle {
  TColor Color1 = clTeal;
  TColor Color2 = clYellow;
  int Size = 4;    // the bevels' width, the balls' and circles' share of the surface
  int Angle = 30;  // degrees, counter-clockwise
};

void DrawShowcase(TVekImage& image, TShowcaseDrawing drawing, const TShowcaseStyle& style);
