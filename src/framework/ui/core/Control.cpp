#include "Control.h"

#include "WinControl.h"
#include "framework/base/StoreChanged.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() { SetParent(nullptr); }

void TControl::SetParent(TWinControl* parent) {
  if (parent == FParent) return;
  Invalidate();
  if (FParent) FParent->RemoveControl(this);
  FParent = parent;
  if (FParent) FParent->InsertControl(this);
  ParentChanged();
  Invalidate();
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == FLeft && top == FTop && width == FWidth && height == FHeight) return;
  Invalidate();
  FLeft = left;
  FTop = top;
  FWidth = width;
  FHeight = height;
  BoundsChanged();
  if (FParent) FParent->ControlChanged(this);
  Invalidate();
}

void TControl::SetAlign(TAlign align) {
  if (!StoreChanged(FAlign, align)) return;
  if (FParent) FParent->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == FVisible) return;
  // Invalidated while visible, so that the area it leaves is painted over too.
  if (!visible) Invalidate();
  FVisible = visible;
  if (FParent && FAlign != TAlign::alNone) FParent->Realign();
  Invalidate();
}

void TControl::SetEnabled(bool enabled) {
  if (StoreChanged(FEnabled, enabled)) Invalidate();
}

void TControl::SetCursor(TCursor cursor) { FCursor = cursor; }

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible) return false;
    const auto* window = dynamic_cast<const TWinControl*>(c);
    if (window && window->HasWindow()) return true;
  }
  return false;
}

TWinControl* TControl::WindowParent() const {
  TWinControl* w = FParent;
  while (w && !w->HasWindow()) w = w->FParent;
  return w;
}

TPoint TControl::WindowOffset() const {
  TPoint offset{FLeft, FTop};
  for (const TWinControl* w = FParent; w && !w->HasWindow(); w = w->FParent) {
    offset.X += w->FLeft;
    offset.Y += w->FTop;
  }
  return offset;
}

TCursor TControl::EffectiveCursor() const {
  const TControl* c = this;
  while (c && c->FCursor == crDefault) c = c->FParent;
  return c ? c->FCursor : crDefault;
}

void TControl::Invalidate() {
  if (FVisible && FParent) FParent->InvalidateWindowArea(BoundsRect());
}

void TControl::Repaint() {
  Invalidate();
  if (TWinControl* window = WindowParent()) window->UpdateWindow();
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

bool TControl::MouseWheel(TShiftState shift, int wheelDelta, int x, int y) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, {x, y}, handled);
  return handled;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
