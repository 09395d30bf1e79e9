#include "ScrollBar.h"

#include <algorithm>

#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/platform/WindowSystem.h"
#include "framework/ui/core/Timer.h"

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner), FRepeat(std::make_unique<TTimer>(nullptr)) {
  TabStop = true;
  SetBounds(0, 0, 121, 17);
  FRepeat->SetEnabled(false);
  FRepeat->OnTimer = [this](TComponent*) {
    FRepeat->SetInterval(RepeatIntervalMs);
    StepPressedPart();
  };
}

TScrollBar::~TScrollBar() = default;

void TScrollBar::SetKind(TScrollBarKind kind) {
  if (!StoreChanged(FKind, kind)) return;
  // The bar turns about its top-left corner.
  SetBounds(Left(), Top(), Height(), Width());
  Invalidate();
}

void TScrollBar::SetParams(int position, int min, int max) {
  max = std::max(max, min);
  position = std::clamp(position, min, max);
  if (position == FPosition && min == FMin && max == FMax) return;
  const bool moved = position != FPosition;
  FMin = min;
  FMax = max;
  FPosition = position;
  Invalidate();
  if (moved && OnChange) OnChange(this);
}

int TScrollBar::Length() const { return Horizontal() ? Width() : Height(); }

int TScrollBar::ArrowLength() const { return std::min(Horizontal() ? Height() : Width(), Length() / 2); }

int TScrollBar::ThumbLength() const {
  // A square thumb, as long as the bar is thick, when the track has room for it.
  const int track = Length() - 2 * ArrowLength();
  return ArrowLength() <= track ? ArrowLength() : 0;
}

int TScrollBar::ThumbOffset() const {
  const int travel = Length() - 2 * ArrowLength() - ThumbLength();
  if (FMax == FMin) return ArrowLength();
  const auto offset = static_cast<long long>(travel) * (FPosition - FMin) / (FMax - FMin);
  return ArrowLength() + static_cast<int>(offset);
}

TRect TScrollBar::Span(int from, int length) const {
  return Horizontal() ? Bounds(from, 0, length, Height()) : Bounds(0, from, Width(), length);
}

TRect TScrollBar::LowerArrowRect() const { return Span(0, ArrowLength()); }

TRect TScrollBar::UpperArrowRect() const { return Span(Length() - ArrowLength(), ArrowLength()); }

TRect TScrollBar::TrackRect() const { return Span(ArrowLength(), Length() - 2 * ArrowLength()); }

TRect TScrollBar::ThumbRect() const { return ThumbLength() > 0 ? Span(ThumbOffset(), ThumbLength()) : TRect{}; }

TScrollBar::TPart TScrollBar::PartAt(int x, int y) const {
  if (!ClientRect().Contains(x, y)) return TPart::None;
  const int along = Along(x, y);
  if (along < ArrowLength()) return TPart::LowerArrow;
  if (along >= Length() - ArrowLength()) return TPart::UpperArrow;
  if (ThumbLength() == 0) return TPart::None;
  if (along < ThumbOffset()) return TPart::LowerTrack;
  if (along >= ThumbOffset() + ThumbLength()) return TPart::UpperTrack;
  return TPart::Thumb;
}

void TScrollBar::DragThumbTo(int along) {
  const int travel = Length() - 2 * ArrowLength() - ThumbLength();
  if (travel <= 0) return;
  const long long offset = std::clamp(along - FGrip - ArrowLength(), 0, travel);
  // Rounded to the nearest position, so that the thumb stays under the pointer.
  SetPosition(FMin + static_cast<int>((offset * (FMax - FMin) + travel / 2) / travel));
}

void TScrollBar::KeyDown(unsigned& key, TShiftState shift) {
  TWinControl::KeyDown(key, shift);
  switch (key) {
    case VK_LEFT:
    case VK_UP: SetPosition(FPosition - FSmallChange); break;
    case VK_RIGHT:
    case VK_DOWN: SetPosition(FPosition + FSmallChange); break;
    case VK_PRIOR: SetPosition(FPosition - FLargeChange); break;
    case VK_NEXT: SetPosition(FPosition + FLargeChange); break;
    case VK_HOME: SetPosition(FMin); break;
    case VK_END: SetPosition(FMax); break;
    default: return;
  }
  key = 0;
}

void TScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft) return;
  SetFocus();
  FPressed = PartAt(x, y);
  FPointer = {x, y};
  if (FPressed == TPart::Thumb) {
    FGrip = Along(x, y) - ThumbOffset();
  } else if (FPressed != TPart::None) {
    StepPressedPart();
    FRepeat->SetInterval(RepeatDelayMs);
    FRepeat->SetEnabled(true);
  }
  Invalidate();
}

void TScrollBar::StepPressedPart() {
  // Only while the pointer is on the part held: on the track, paging thus ends once the
  // thumb has come under the pointer.
  if (PartAt(FPointer.X, FPointer.Y) != FPressed) return;
  switch (FPressed) {
    case TPart::LowerArrow: SetPosition(FPosition - FSmallChange); break;
    case TPart::UpperArrow: SetPosition(FPosition + FSmallChange); break;
    case TPart::LowerTrack: SetPosition(FPosition - FLargeChange); break;
    case TPart::UpperTrack: SetPosition(FPosition + FLargeChange); break;
    case TPart::Thumb:
    case TPart::None: break;
  }
}

void TScrollBar::MouseMove(TShiftState shift, int x, int y) {
  TWinControl::MouseMove(shift, x, y);
  FPointer = {x, y};
  if (FPressed == TPart::Thumb) DragThumbTo(Along(x, y));
}

void TScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TWinControl::MouseUp(button, shift, x, y);
  Release();
}

void TScrollBar::CaptureLost() { Release(); }

void TScrollBar::Release() {
  FRepeat->SetEnabled(false);
  if (FPressed == TPart::None) return;
  FPressed = TPart::None;
  Invalidate();
}

void TScrollBar::Paint(TCanvas& canvas) {
  // The track: the classic half-tone of highlight and face.
  const TRect track = TrackRect();
  for (int y = track.Top; y < track.Bottom; ++y)
    for (int x = track.Left; x < track.Right; ++x) canvas.SetPixel(x, y, (x + y) % 2 ? clBtnFace : clBtnHighlight);
  PaintArrow(canvas, LowerArrowRect(), false);
  PaintArrow(canvas, UpperArrowRect(), true);
  if (ThumbLength() > 0) {
    canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
    canvas.FillRect(TStylePainter::DrawFrame(canvas, ThumbRect(), TFrameStyle::ButtonUp));
  }
  if (Focused()) TStylePainter::DrawFocusRect(canvas, TStylePainter::Inset(ThumbRect(), 2));
}

void TScrollBar::PaintArrow(TCanvas& canvas, const TRect& r, bool upper) const {
  const bool pressed = FPressed == (upper ? TPart::UpperArrow : TPart::LowerArrow);
  const TRect face = TStylePainter::DrawFrame(canvas, r, pressed ? TFrameStyle::ButtonDown : TFrameStyle::ButtonUp);
  canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
  canvas.FillRect(face);
  const TColor mark = Enabled() ? clBtnText : clBtnShadow;
  canvas.Pen = {mark, 1, TPenMode::pmCopy};
  canvas.Brush = {mark, TBrushStyle::bsSolid};
  canvas.Polygon(ArrowMark(r, upper, pressed ? 1 : 0));
}

std::vector<TPoint> TScrollBar::ArrowMark(const TRect& r, bool upper, int shift) const {
  // A triangle pointing away from the track, a third of the button across.
  const int half = std::max(1, std::min(r.Width(), r.Height()) / 6);
  const int cx = (r.Left + r.Right) / 2 + shift - (Horizontal() ? 1 : 0);
  const int cy = (r.Top + r.Bottom) / 2 + shift - (Horizontal() ? 0 : 1);
  const int tip = upper ? half : -half;
  if (Horizontal()) return {{cx + tip, cy}, {cx - tip, cy - 2 * half}, {cx - tip, cy + 2 * half}};
  return {{cx, cy + tip}, {cx - 2 * half, cy - tip}, {cx + 2 * half, cy - tip}};
}
