#include "Control.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TWinControl* parent) { FParent = parent; }

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged();
}

void TControl::SetAlign(TAlign align) { FAlign = align; }

void TControl::SetVisible(bool visible) { FVisible = visible; }

void TControl::SetEnabled(bool enabled) { FEnabled = enabled; }

void TControl::SetCursor(TCursor cursor) { FCursor = cursor; }

bool TControl::Showing() const { return FVisible && FParent != nullptr; }

void TControl::Invalidate() {}

void TControl::Repaint() {}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}
