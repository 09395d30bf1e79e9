// Draws one picture with every drawing member of the image surface and writes it as PNG:
//
//   quenbrel-drawing FILE.png
#include <algorithm>
#include <cstdio>
#include <string>

#include "components/VekImage.h"
#include "framework/base/Exceptions.h"
#include "framework/base/Utf8.h"
#include "framework/graphics/Canvas.h"
#include "imaging/PngCodec.h"

namespace {

constexpr int kWidth = 720, kHeight = 450;

void Label(TVekImage& image, int x, int y, const std::string& text) {
  TCanvas& canvas = image.Canvas();
  canvas.Font = TFont{};
  canvas.Font.Color = clBlack;
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextOut(x, y, text);
}

// Raised and sunken boxes with bevels of one, two and four pixels.
void Bevels(TVekImage& image) {
  const int widths[] = {1, 2, 4};
  for (int i = 0; i < 6; ++i) {
    const int x = 16 + i * 76;
    const bool raised = i < 3;
    image.Rect3D(x, 16, x + 64, 64, clBtnFace, widths[i % 3], raised);
    Label(image, x + 4, 68, (raised ? "raised " : "sunken ") + std::to_string(widths[i % 3]));
  }
}

void Ellipses(TVekImage& image) {
  TCanvas& canvas = image.Canvas();
  canvas.Pen.Color = clNavy;
  canvas.Brush.Color = RGB(120, 170, 255);
  image.Ellipse(510, 40, 24);
  canvas.Brush.Color = RGB(255, 210, 120);
  image.Ellipse(610, 40, 60, 20);
  Label(image, 470, 68, "Ellipse: a circle and an ellipse");
}

void Balls(TVekImage& image) {
  image.Ball3D(16, 96, 116, 196, RGB(0, 0, 96), RGB(200, 220, 255), false);
  Label(image, 24, 200, "Ball3D");
  image.Ball3D(136, 96, 236, 196, RGB(96, 0, 0), RGB(255, 240, 160), true);
  Label(image, 140, 200, "with highlight");
  image.Ball3D(TRect{256, 106, 396, 186}, RGB(0, 80, 0), RGB(220, 255, 200), true);
  Label(image, 280, 200, "on a wide box");
  image.Ball3D(416, 96, 516, 196, RGB(60, 60, 60), clWhite, true, 8);
  Label(image, 432, 200, "in 8 steps");
}

// Grey shades from left to right, shown before and after a colour is ORed into all of them.
void FillTransPanel(TVekImage& image) {
  TVekImage panel(nullptr);
  panel.SetHeightWidth(100, 160);
  for (int x = 0; x < 160; ++x) {
    const int grey = x * 255 / 159;
    panel.Canvas().Pen.Color = RGB(grey, grey, grey);
    panel.Canvas().MoveTo(x, 0);
    panel.Canvas().LineTo(x, 100);
  }
  image.Canvas().DrawPart(540, 96, panel.Picture().Bitmap(), {0, 0, 160, 50});
  panel.FillTrans(RGB(0, 0, 160));
  image.Canvas().DrawPart(540, 146, panel.Picture().Bitmap(), {0, 50, 160, 100});
  Label(image, 548, 200, "FillTrans: blue into grey");
}

// Grey shades with three primary circles and a band ORed in: where they overlap, the
// colours add up.
void CombiningFills(TVekImage& image) {
  TCanvas& canvas = image.Canvas();
  for (int x = 16; x < 236; ++x) {
    const int grey = (x - 16) * 160 / 220;
    canvas.Pen.Color = RGB(grey, grey, grey);
    canvas.MoveTo(x, 226);
    canvas.LineTo(x, 406);
  }
  image.EllipseTrans(40, 236, 140, 336, RGB(200, 0, 0));
  image.EllipseTrans(110, 236, 210, 336, RGB(0, 200, 0));
  image.EllipseTrans(75, 296, 175, 396, RGB(0, 0, 200));
  image.RectTrans(16, 380, 236, 400, RGB(0, 90, 160));
  Label(image, 24, 410, "EllipseTrans and RectTrans over a gradient");
}

void InvertedText(TVekImage& image) {
  TCanvas& canvas = image.Canvas();
  for (int y = 226; y < 406; y += 12) {
    canvas.Brush.Color = (y / 12) % 2 ? RGB(230, 120, 40) : RGB(40, 60, 140);
    canvas.FillRect({256, y, 476, std::min(y + 12, 406)});
  }
  canvas.Font = TFont{};
  canvas.Font.Name = "Times New Roman";
  canvas.Font.Height = -40;
  canvas.Font.AddStyle(TFontStyle::fsBold);
  image.TextOutInv(276, 246, "Inverted");
  canvas.Font.AddStyle(TFontStyle::fsItalic);
  image.TextOutInv(310, 316, "50 %");
  Label(image, 264, 410, "TextOutInv over stripes");
}

// Letters around a circle, reading clockwise, each turned to the tangent where it stands,
// and words turned by right angles about the circle's centre.
void TurnedText(TVekImage& image) {
  constexpr int kX = 606, kY = 314, kRadius = 78;
  TCanvas& canvas = image.Canvas();
  canvas.Font = TFont{};
  canvas.Font.Name = "DejaVu Sans";
  canvas.Font.Height = -14;
  canvas.Font.AddStyle(TFontStyle::fsBold);
  canvas.Font.Color = clMaroon;
  canvas.BkMode = TBkMode::Transparent;
  const std::string text = "zzQuenbrel \xC2\xB7 TextOutAxial \xC2\xB7 ";
  // Once around from the top, as far as whole letters go.
  double angle = 90;
  for (bool full = false; !full;) {
    for (const std::string& letter : Utf8Characters(text)) {
      canvas.Font.Escapement = 0;  // measured upright
      const double span = canvas.TextWidth(letter) * 180.0 / (3.141592653589793 * kRadius);
      if ((full = angle - span < -270)) break;
      image.TextOutAxial(kX, kY, kRadius, angle, letter);
      angle -= span;
    }
  }
  canvas.Font.Color = clNavy;
  canvas.Font.Height = -11;
  canvas.Font.Style = 0;
  for (int quarter = 0; quarter < 4; ++quarter)
    image.TextOutRot(kX, kY, quarter * 90, " Rot " + std::to_string(quarter * 90));
  Label(image, 540, 410, "TextOutAxial and TextOutRot");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: quenbrel-drawing FILE.png\n", stderr);
    return 2;
  }
  TVekImage image(nullptr);
  image.SetHeightWidth(kHeight, kWidth);
  image.Fill(clBtnFace);
  image.Fill3D(clBtnFace, 2, true);
  Bevels(image);
  Ellipses(image);
  Balls(image);
  FillTransPanel(image);
  CombiningFills(image);
  InvertedText(image);
  TurnedText(image);
  try {
    SavePng(image.Picture().Bitmap(), argv[1]);
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
