#include "ScrollBar.h"

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  TabStop = true;
  SetBounds(0, 0, 121, 17);
}

void TScrollBar::SetKind(TScrollBarKind kind) { FKind = kind; }
void TScrollBar::SetParams(int position, int min, int max) {
  FMin = min;
  FMax = max;
  FPosition = position;
}
int TScrollBar::Length() const { return 0; }
int TScrollBar::ArrowLength() const { return 0; }
int TScrollBar::ThumbLength() const { return 0; }
int TScrollBar::ThumbOffset() const { return 0; }
TRect TScrollBar::Span(int, int) const { return {}; }
TRect TScrollBar::LowerArrowRect() const { return {}; }
TRect TScrollBar::UpperArrowRect() const { return {}; }
TRect TScrollBar::TrackRect() const { return {}; }
TRect TScrollBar::ThumbRect() const { return {}; }
TScrollBar::TPart TScrollBar::PartAt(int, int) const { return TPart::None; }
void TScrollBar::DragThumbTo(int) {}
void TScrollBar::KeyDown(unsigned& key, TShiftState shift) { TWinControl::KeyDown(key, shift); }
void TScrollBar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) { TWinControl::MouseDown(button, shift, x, y); }
void TScrollBar::MouseMove(TShiftState shift, int x, int y) { TWinControl::MouseMove(shift, x, y); }
void TScrollBar::MouseUp(TMouseButton button, TShiftState shift, int x, int y) { TWinControl::MouseUp(button, shift, x, y); }
void TScrollBar::Paint(TCanvas&) {}
void TScrollBar::PaintArrow(TCanvas&, const TRect&, bool) const {}
