#include "InputRouter.h"

#include <algorithm>

#include "Application.h"
#include "Form.h"
#include "Screen.h"

namespace {

bool InTree(const TWinControl& parent, const TControl* control) {
  for (const TControl* child : parent.Controls()) {
    if (child == control) return true;
    const auto* container = dynamic_cast<const TWinControl*>(child);
    if (container && InTree(*container, control)) return true;
  }
  return false;
}

void TellFocusChanged(TWinControl& parent) {
  for (TControl* child : parent.Controls()) {
    child->FocusChanged();
    if (auto* container = dynamic_cast<TWinControl*>(child)) TellFocusChanged(*container);
  }
}

}  // namespace

TInputRouter::TInputRouter(TForm& form) : FForm(form) {}

TInputRouter::~TInputRouter() = default;

bool TInputRouter::Contains(const TControl* control) const {
  return control == &FForm || InTree(FForm, control);
}

void TInputRouter::KeyDown(const TWsEvent& event) {
  unsigned key = event.Key;
  if (FHint) FHint->Cancel();
  // The form sees every key before its focused control does.
  FForm.KeyDown(key, event.Shift);
  TWinControl* focused = ActiveControl();
  if (key != 0 && focused) focused->KeyDown(key, event.Shift);
  if (key == VK_TAB) SelectNext((event.Shift & ssShift) == 0);
  if (key == VK_RETURN || key == VK_ESCAPE) FForm.DialogKey(key);
}

void TInputRouter::Mouse(const TWsEvent& event) {
  TrackPointer(event);
  if (FCapture && !Contains(FCapture)) FCapture = nullptr;
  TControl* target = FCapture ? FCapture : FForm.ControlAtPos(event.X, event.Y);
  const TPoint offset = target == &FForm ? TPoint{} : target->WindowOffset();
  const int x = event.X - offset.X;
  const int y = event.Y - offset.Y;
  switch (event.Kind) {
    case TEventKind::MouseDown:
      FCapture = target;
      target->MouseDown(event.Button, event.Shift, x, y);
      break;
    case TEventKind::MouseMove:
      FPointerCursor = FForm.ControlAtPos(event.X, event.Y)->EffectiveCursor();
      ApplyCursor();
      target->MouseMove(event.Shift, x, y);
      break;
    default:
      FCapture = nullptr;
      target->MouseUp(event.Button, event.Shift, x, y);
      if (Contains(target) && target->ClientRect().Contains(x, y)) target->Click();
      break;
  }
}

void TInputRouter::Wheel(const TWsEvent& event) {
  for (TControl* control = FForm.ControlAtPos(event.X, event.Y); control; control = control->Parent()) {
    const TPoint offset = control == &FForm ? TPoint{} : control->WindowOffset();
    if (control->MouseWheel(event.Shift, event.WheelDelta, event.X - offset.X, event.Y - offset.Y)) return;
    if (control == &FForm) return;
  }
}

void TInputRouter::TrackPointer(const TWsEvent& event) {
  if (!FHint) FHint = std::make_unique<THintWindow>(FForm);
  if (event.Kind == TEventKind::MouseMove) FHint->PointerMoved({event.X, event.Y});
  else FHint->Cancel();
  SetHover(FForm.ControlAtPos(event.X, event.Y));
}

void TInputRouter::SetHover(TControl* control) {
  if (FHover && !Contains(FHover)) FHover = nullptr;
  if (control == FHover) return;
  if (FHover) FHover->MouseLeave();
  FHover = control;
  if (FHover) FHover->MouseEnter();
}

void TInputRouter::PointerLeft() {
  SetHover(nullptr);
  if (FHint) FHint->Cancel();
}

void TInputRouter::FormShown() {
  if (!ActiveControl()) SelectNext(true);
  FPointerCursor = FForm.ControlAtPos(FForm.Width() / 2, FForm.Height() / 2)->EffectiveCursor();
  ApplyCursor();
}

void TInputRouter::InputStopped() {
  if (FCapture && Contains(FCapture)) FCapture->CaptureLost();
  FCapture = nullptr;
}

bool TInputRouter::Focusable(const TWinControl* control) const {
  for (const TControl* c = control; c && c != &FForm; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return control->TabStop;
}

TWinControl* TInputRouter::ActiveControl() const {
  return FActiveControl && InTree(FForm, FActiveControl) && Focusable(FActiveControl) ? FActiveControl : nullptr;
}

void TInputRouter::SetActiveControl(TWinControl* control) {
  TWinControl* old = ActiveControl();
  FActiveControl = control;
  if (ActiveControl() != old) FocusMoved(old, ActiveControl());
}

void TInputRouter::FocusMoved(TWinControl* from, TWinControl* to) {
  // Both repaint, as the focused control marks itself; so do those whose look follows it.
  if (from) from->Invalidate();
  if (to) to->Invalidate();
  TellFocusChanged(FForm);
}

void TInputRouter::SelectNext(bool forward) {
  const std::vector<TWinControl*> list = FForm.TabOrderList();
  if (list.empty()) return;
  const auto count = static_cast<int>(list.size());
  const auto found = std::find(list.begin(), list.end(), ActiveControl());
  const int current = found == list.end() ? (forward ? -1 : count) : static_cast<int>(found - list.begin());
  SetActiveControl(list[static_cast<std::size_t>((current + (forward ? 1 : -1) + count) % count)]);
}

void TInputRouter::ApplyCursor() {
  if (!FForm.HandleAllocated()) return;
  const TCursor screenCursor = Screen ? Screen->Cursor() : crDefault;
  const TCursor wanted = screenCursor != crDefault ? screenCursor : FPointerCursor;
  const TCursor shown = Screen ? Screen->Resolve(wanted) : wanted;
  if (shown == FWindowCursor) return;
  FWindowCursor = shown;
  Application->WindowSystem().SetWindowCursor(FForm.Handle(), shown);
}

void TInputRouter::PaintHint(TCanvas& canvas) const {
  if (FHint) FHint->Paint(canvas);
}
