#include "ShowcaseDrawings.h"

#include <algorithm>
#include <string>

#include "components/VekImage.h"
#include "framework/graphics/Canvas.h"

namespace {

void DrawBoxes(TVekImage& image, const TShowcaseStyle& style) {
  image.Fill3D(style.Color1, style.Size, true);
  const int w = image.Width(), h = image.Height();
  // Three by two boxes inside, raised and sunken in turn.
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 3; ++column) {
      const int x = w / 8 + column * w / 4, y = h / 6 + row * h / 3;
      image.Rect3D(x, y, x + w / 5, y + h / 4, style.Color2, style.Size, (row + column) % 2 == 0);
    }
}

void DrawBalls(TVekImage& image, const TShowcaseStyle& style) {
  image.Fill(clBlack);
  const int w = image.Width(), h = image.Height();
  const int big = std::min(w, h) * (10 + style.Size) / 40;
  image.Ball3D(w / 2 - big, h / 2 - big, w / 2 + big, h / 2 + big, style.Color1, style.Color2, true);
  image.Ball3D(4, 4, 4 + big, 4 + big, style.Color2, style.Color1, false);
  image.Ball3D(w - 4 - big / 2, h - 4 - big / 2, w - 4, h - 4, style.Color1, clWhite, true);
}

void DrawCombined(TVekImage& image, const TShowcaseStyle& style) {
  image.Fill(clBlack);
  const int w = image.Width(), h = image.Height();
  const int r = std::min(w, h) * (10 + style.Size) / 60;
  // Red, green and blue discs overlap into yellow, cyan, magenta and white.
  image.EllipseTrans(w / 2 - r - r / 2, h / 2 - r, w / 2 + r / 2, h / 2 + r, clRed);
  image.EllipseTrans(w / 2 - r / 2, h / 2 - r, w / 2 + r + r / 2, h / 2 + r, clLime);
  image.EllipseTrans(w / 2 - r, h / 2 - r / 2, w / 2 + r, h / 2 + 3 * r / 2, clBlue);
  image.RectTrans(0, h - h / 8, w, h, style.Color1);
  image.RectTrans(0, 0, w / 8, h, style.Color2);
}

void DrawText(TVekImage& image, const TShowcaseStyle& style) {
  image.Fill3D(style.Color2, 2, false);
  const int w = image.Width(), h = image.Height();
  TCanvas& canvas = image.Canvas();
  canvas.Font.Name = "Times New Roman";
  canvas.Font.SetSize(10 + style.Size);
  canvas.Font.Color = style.Color1;
  canvas.BkMode = TBkMode::Transparent;
  image.TextOutRot(w / 2, h / 2, style.Angle, "zzQuenbrel");
  canvas.Font.SetSize(10);
  const std::string around = "GALLERY";
  for (std::size_t i = 0; i < around.size(); ++i)
    image.TextOutAxial(w / 2, h / 2, std::min(w, h) * 2 / 5, 150.0 - 20.0 * static_cast<double>(i),
                       around.substr(i, 1));
  canvas.Font = TFont{};
  canvas.Font.SetSize(12);
  image.TextOutInv(8, 8, "inverted");
}

}  // namespace

void DrawShowcase(TVekImage& image, TShowcaseDrawing drawing, const TShowcaseStyle& style) {
  switch (drawing) {
    case TShowcaseDrawing::Boxes: return DrawBoxes(image, style);
    case TShowcaseDrawing::Balls: return DrawBalls(image, style);
    case TShowcaseDrawing::Combined: return DrawCombined(image, style);
    case TShowcaseDrawing::Text: return DrawText(image, style);
  }
}
