#include "MetafilePlayer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"

namespace {

// Far enough outside any picture; keeps the arithmetic of wild coordinates in range.
constexpr double FarAway = 1 << 24;
constexpr double MaxPenPixels = 1000;
constexpr double MaxFontPixels = 2000;
constexpr int ArcSegments = 64;

// The map modes that take their scale from the window and viewport extents.
constexpr int Isotropic = 7, Anisotropic = 8;

int Pixel(double v) { return static_cast<int>(std::lround(std::clamp(v, -FarAway, FarAway))); }

// Millimetres per logical unit of the metric and English map modes.
double MillimetresPerUnit(int mode) {
  switch (mode) {
    case 2: return 0.1;          // low metric
    case 3: return 0.01;         // high metric
    case 4: return 0.254;        // low English
    case 5: return 0.0254;       // high English
    case 6: return 25.4 / 1440;  // twips
    default: return 0;
  }
}

}  // namespace

TMetafilePlayer::TMetafilePlayer(TBitmap& picture)
    : FPicture(picture),
      FCanvas(picture.Canvas()),
      // Generous for any real drawing: every pixel painted 256 times over, and some.
      FBudget(256.0 * picture.Width() * picture.Height() + (1 << 24)) {
  FCanvas.Brush.Color = clWhite;
  FCanvas.Pen.Color = clWhite;
  FCanvas.Rectangle(0, 0, picture.Width(), picture.Height());
  State().Pen.Color = clBlack;
}

TMetafilePlayer::~TMetafilePlayer() = default;

void TMetafilePlayer::SetDeviceTransform(TPointF origin, TPointF scale, TPointF devicePerMm) {
  FDeviceOrigin = origin;
  FDeviceScale = scale;
  FDevicePerMm = devicePerMm;
}

void TMetafilePlayer::SaveState() {
  if (FStates.size() < 1024) FStates.push_back(State());
}

void TMetafilePlayer::RestoreState(int which) {
  const auto count = static_cast<std::int64_t>(FStates.size());
  const std::int64_t keep = which < 0 ? count + which : which;
  if (keep >= 1 && keep < count) FStates.resize(static_cast<std::size_t>(keep));
}

void TMetafilePlayer::SetPen(std::uint32_t slot, const TPen& pen) {
  FObjects[slot] = {TObject::TKind::Pen, pen, {}, {}};
}
void TMetafilePlayer::SetBrush(std::uint32_t slot, const TBrush& brush) {
  FObjects[slot] = {TObject::TKind::Brush, {}, brush, {}};
}
void TMetafilePlayer::SetFont(std::uint32_t slot, const TLogicalFont& font) {
  FObjects[slot] = {TObject::TKind::Font, {}, {}, font};
}

void TMetafilePlayer::SetUnused(std::uint32_t slot) { FObjects[slot] = {TObject::TKind::Unused, {}, {}, {}}; }

std::uint32_t TMetafilePlayer::FreeSlot() const {
  std::uint32_t slot = 0;
  for (const auto& entry : FObjects) {
    if (entry.first != slot) break;
    ++slot;
  }
  return slot;
}

void TMetafilePlayer::Select(std::uint32_t slot) {
  const auto it = FObjects.find(slot);
  if (it == FObjects.end()) return;
  switch (it->second.Kind) {
    case TObject::TKind::Pen: State().Pen = it->second.Pen; break;
    case TObject::TKind::Brush: State().Brush = it->second.Brush; break;
    case TObject::TKind::Font: State().Font = it->second.Font; break;
    case TObject::TKind::Unused: break;
  }
}

void TMetafilePlayer::SelectStock(std::uint32_t index) {
  static constexpr TColor BrushGreys[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
  if (index < 5) State().Brush = {false, BrushGreys[index]};
  else if (index == 5) State().Brush = {true, 0};
  else if (index == 6 || index == 7) State().Pen = {false, 0, index == 6 ? 0xFFFFFF : 0};
  else if (index == 8) State().Pen = {true, 0, 0};
  else if (index >= 10 && index <= 17) State().Font = {};
}

TPointF TMetafilePlayer::Unit() const {
  const TState& s = FStates.back();
  const double mm = MillimetresPerUnit(s.MapMode);
  if (mm > 0) return {mm * FDevicePerMm.X, -mm * FDevicePerMm.Y};
  if (s.MapMode != Isotropic && s.MapMode != Anisotropic) return {1, 1};
  const TPointF unit{s.WindowExt.X == 0 ? 1 : s.ViewportExt.X / s.WindowExt.X,
                     s.WindowExt.Y == 0 ? 1 : s.ViewportExt.Y / s.WindowExt.Y};
  if (s.MapMode == Anisotropic) return unit;
  // Isotropic: one logical unit is as long across as down, the smaller of the two scales;
  // each axis keeps its own direction.
  const double length = std::min(std::abs(unit.X), std::abs(unit.Y));
  return {std::copysign(length, unit.X), std::copysign(length, unit.Y)};
}

TPointF TMetafilePlayer::Scale() const {
  const TPointF unit = Unit();
  return {unit.X * FDeviceScale.X, unit.Y * FDeviceScale.Y};
}

TPoint TMetafilePlayer::ToPicture(TPointF p) const {
  const TState& s = FStates.back();
  const TPointF unit = Unit();
  const double deviceX = (p.X - s.WindowOrg.X) * unit.X + s.ViewportOrg.X;
  const double deviceY = (p.Y - s.WindowOrg.Y) * unit.Y + s.ViewportOrg.Y;
  return {Pixel((deviceX - FDeviceOrigin.X) * FDeviceScale.X), Pixel((deviceY - FDeviceOrigin.Y) * FDeviceScale.Y)};
}

std::vector<TPoint> TMetafilePlayer::ToPicture(const std::vector<TPointF>& points) const {
  std::vector<TPoint> out;
  out.reserve(points.size());
  for (const TPointF& p : points) out.push_back(ToPicture(p));
  return out;
}

void TMetafilePlayer::Charge(double pixels) {
  FBudget -= std::max(pixels, 1.0);
  if (FBudget < 0) throw EImageFormat("the metafile draws more than any picture needs");
}

double TMetafilePlayer::PenPixels() const {
  return std::clamp(std::round(std::abs(FStates.back().Pen.Width * Scale().X)), 1.0, MaxPenPixels);
}

bool TMetafilePlayer::PrepareFill() {
  const TState& s = FStates.back();
  if (s.Pen.Null && s.Brush.Null) return false;
  FCanvas.Pen.Width = static_cast<int>(PenPixels());
  // Without a pen the outline takes the fill's colour; without a brush the inside stays.
  FCanvas.Pen.Color = s.Pen.Null ? s.Brush.Color : s.Pen.Color;
  FCanvas.Brush.Color = s.Brush.Color;
  FCanvas.Brush.Style = s.Brush.Null ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
  return true;
}

void TMetafilePlayer::MoveTo(TPointF p) { FPosition = p; }

void TMetafilePlayer::LineTo(TPointF p) {
  Polyline({FPosition, p});
  FPosition = p;
}

void TMetafilePlayer::Rectangle(TPointF a, TPointF b) {
  const TPoint p = ToPicture(a), q = ToPicture(b);
  Charge(std::abs(double(q.X) - p.X) * std::abs(double(q.Y) - p.Y));
  if (PrepareFill()) FCanvas.Rectangle(p.X, p.Y, q.X, q.Y);
}

void TMetafilePlayer::Ellipse(TPointF a, TPointF b) {
  const TPoint p = ToPicture(a), q = ToPicture(b);
  Charge(std::abs(double(q.X) - p.X) * std::abs(double(q.Y) - p.Y));
  if (PrepareFill()) FCanvas.Ellipse(p.X, p.Y, q.X, q.Y);
}

void TMetafilePlayer::Polygon(const std::vector<TPointF>& points) {
  if (points.size() < 2) return;
  const std::vector<TPoint> out = ToPicture(points);
  Charge(CoveredArea(out) + double(points.size()));
  if (PrepareFill()) FCanvas.Polygon(out);
}

double TMetafilePlayer::CoveredArea(const std::vector<TPoint>& points) const {
  int left = points[0].X, right = left, top = points[0].Y, bottom = top;
  for (const TPoint& p : points) {
    left = std::min(left, p.X);
    right = std::max(right, p.X);
    top = std::min(top, p.Y);
    bottom = std::max(bottom, p.Y);
  }
  const double width = std::clamp(right, 0, FPicture.Width()) - std::clamp(left, 0, FPicture.Width());
  const double height = std::clamp(bottom, 0, FPicture.Height()) - std::clamp(top, 0, FPicture.Height());
  return width * height;
}

void TMetafilePlayer::Polyline(const std::vector<TPointF>& points) {
  const TState& s = FStates.back();
  if (points.size() < 2 || s.Pen.Null) return;
  const std::vector<TPoint> out = ToPicture(points);
  const double width = PenPixels();
  // A segment never costs more than a pass across the picture.
  const double across = double(FPicture.Width()) + FPicture.Height();
  double length = 0;
  for (std::size_t i = 1; i < out.size(); ++i)
    length += std::min(across, std::hypot(double(out[i].X) - out[i - 1].X, double(out[i].Y) - out[i - 1].Y));
  Charge(width * (length + double(out.size())));
  FCanvas.Pen.Width = static_cast<int>(width);
  FCanvas.Pen.Color = s.Pen.Color;
  FCanvas.Polyline(out);
}

void TMetafilePlayer::Arc(TPointF a, TPointF b, TPointF start, TPointF end, TArcKind kind) {
  const TPointF centre{(a.X + b.X) / 2, (a.Y + b.Y) / 2};
  const double rx = std::abs(b.X - a.X) / 2, ry = std::abs(b.Y - a.Y) / 2;
  // Angles as a viewer sees them, y up; the arc runs counter-clockwise from start to end.
  const double from = std::atan2(centre.Y - start.Y, start.X - centre.X);
  double to = std::atan2(centre.Y - end.Y, end.X - centre.X);
  if (to <= from) to += 2 * std::numbers::pi;
  std::vector<TPointF> points;
  if (kind == TArcKind::Pie) points.push_back(centre);
  for (int i = 0; i <= ArcSegments; ++i) {
    const double angle = from + (to - from) * i / ArcSegments;
    points.push_back({centre.X + rx * std::cos(angle), centre.Y - ry * std::sin(angle)});
  }
  if (kind == TArcKind::Arc) Polyline(points);
  else Polygon(points);
}

void TMetafilePlayer::Text(TPointF at, const std::string& utf8) {
  if (utf8.empty()) return;
  const TState& s = FStates.back();
  TFont font;
  font.Name = s.Font.Face.empty() ? "Default" : s.Font.Face;
  const double height = std::clamp(s.Font.Height * std::abs(Scale().Y), -MaxFontPixels, MaxFontPixels);
  font.Height = static_cast<int>(std::lround(height == 0 ? -12 : height));
  font.Style = static_cast<TFontStyles>((s.Font.Bold ? 1 : 0) | (s.Font.Italic ? 2 : 0));
  font.Escapement = s.Font.Escapement;
  font.Color = s.TextColor;
  Charge(double(font.Height) * font.Height * double(utf8.size()));
  FCanvas.Font = font;
  // Horizontal placement and the vertical one (top, bottom, baseline); the update flag is ignored.
  FCanvas.TextAlign = (s.TextAlign & 6u) | (s.TextAlign & 24u);
  FCanvas.BkMode = s.OpaqueText ? TBkMode::Opaque : TBkMode::Transparent;
  FCanvas.Brush.Style = TBrushStyle::bsSolid;
  FCanvas.Brush.Color = s.BkColor;
  const TPoint p = ToPicture(at);
  FCanvas.TextOut(p.X, p.Y, utf8);
}

void TMetafilePlayer::Image(TPointF destA, TPointF destB, const TBitmap& source, TRect sourceRect) {
  const TPoint a = ToPicture(destA), b = ToPicture(destB);
  const int width = b.X - a.X, height = b.Y - a.Y;
  sourceRect.Left = std::clamp(sourceRect.Left, 0, source.Width());
  sourceRect.Right = std::clamp(sourceRect.Right, sourceRect.Left, source.Width());
  sourceRect.Top = std::clamp(sourceRect.Top, 0, source.Height());
  sourceRect.Bottom = std::clamp(sourceRect.Bottom, sourceRect.Top, source.Height());
  const int sw = sourceRect.Right - sourceRect.Left, sh = sourceRect.Bottom - sourceRect.Top;
  if (width == 0 || height == 0 || sw == 0 || sh == 0) return;
  // Each picture pixel the rectangle covers takes the source pixel under its centre;
  // negative sizes mirror.
  const int x0 = std::max(0, std::min(a.X, b.X)), x1 = std::min(FPicture.Width(), std::max(a.X, b.X));
  const int y0 = std::max(0, std::min(a.Y, b.Y)), y1 = std::min(FPicture.Height(), std::max(a.Y, b.Y));
  Charge(double(std::max(0, x1 - x0)) * std::max(0, y1 - y0));
  for (int y = y0; y < y1; ++y) {
    const int sy = sourceRect.Top + static_cast<int>((y - a.Y + 0.5) * sh / height);
    for (int x = x0; x < x1; ++x) {
      const int sx = sourceRect.Left + static_cast<int>((x - a.X + 0.5) * sw / width);
      FPicture.SetPixelAt(
          x, y, source.PixelAt(std::clamp(sx, 0, source.Width() - 1), std::clamp(sy, 0, source.Height() - 1)));
    }
  }
}
