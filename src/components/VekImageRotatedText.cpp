// Text at an angle: turned about its anchor, or placed on a circle along its tangent.
#include <cmath>

#include "VekImage.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/RotatedFont.h"
#include "vekutils/Vekutils.h"

namespace {

constexpr double kPi = 3.141592653589793;

// An angle that is not a number, or infinite, counts as 0.
double Finite(double angle) { return std::isfinite(angle) ? angle : 0.0; }

// The angle in [0, 360]. The remainder comes first, exactly, so that a huge angle keeps the
// precision that a division by 360 would lose.
double Normalised(double angle) {
  angle = std::fmod(Finite(angle), 360.0);
  if (angle >= 0) return angle;
  const double turns = std::ceil(angle * (1.0 / 360.0));
  return angle + (1 - turns) * 360.0;
}

}  // namespace

void TVekImage::TextOutRot(int x, int y, double angle, const std::string& s) {
  TCanvas& canvas = Canvas();
  canvas.Font = RotatedFont(canvas.Font, RoundToInt(Normalised(angle) * 10));
  if (!PixelIn(x, y)) return;
  const unsigned align = canvas.TextAlign;
  canvas.TextAlign = TA_LEFT | TA_TOP;
  canvas.TextOut(x, y, s);
  canvas.TextAlign = align;
}

void TVekImage::TextOutAxial(int x, int y, int r, double angle, const std::string& s) {
  TextOutAxial(x, y, r, r, angle, s);
}

void TVekImage::TextOutAxial(int x, int y, int rx, int ry, double angle, const std::string& s) {
  angle = Finite(angle);
  const double a = angle * kPi / 180;
  TextOutRot(RoundToInt(x + rx * std::cos(a)), RoundToInt(y - ry * std::sin(a)), RoundToInt(angle + 270), s);
}
