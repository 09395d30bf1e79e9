#include "InputRouter.h"

#include <algorithm>
#include <cstdlib>

#include "Application.h"
#include "Form.h"
#include "MenuRouting.h"
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

bool TInputRouter::Contains(const TControl* control) const { return control == &FForm || InTree(FForm, control); }

void TInputRouter::KeyDown(const TWsEvent& event) {
  unsigned key = event.Key;
  if (FHint) FHint->Cancel();
  // An active drag has the keyboard: Escape cancels it, other keys do nothing meanwhile.
  if (FDrag.Active()) {
    if (key == VK_ESCAPE) EndDrag(false);
    return;
  }
  // The form sees every key before its focused control does; the popup menus' shortcuts
  // come in between.
  FForm.KeyDown(key, event.Shift);
  TWinControl* focused = ActiveControl();
  const auto& runShortCut = MenuRouting().RunShortCut;
  if (key != 0 && runShortCut && runShortCut(FForm, focused, key, event.Shift)) key = 0;
  focused = ActiveControl();
  if (key != 0 && focused) focused->KeyDown(key, event.Shift);
  if (char32_t ch = event.Char; key != 0 && ch != 0 && Contains(focused)) focused->KeyPress(ch);
  if (key == VK_TAB) SelectNext((event.Shift & ssShift) == 0);
  if (key == VK_RETURN || key == VK_ESCAPE) FForm.DialogKey(key);
}

void TInputRouter::Mouse(const TWsEvent& event) {
  TrackPointer(event);
  if (FDrag.Engaged() && DragMouse(event)) return;
  // Asked after the drag has had the event: its handlers may have destroyed controls.
  if (FCapture && !Contains(FCapture)) FCapture = nullptr;
  TControl* target = FCapture ? FCapture : FForm.ControlAtPos(event.X, event.Y);
  const TPoint offset = target == &FForm ? TPoint{} : target->WindowOffset();
  const int x = event.X - offset.X;
  const int y = event.Y - offset.Y;
  switch (event.Kind) {
    case TEventKind::MouseDown: {
      FCapture = target;
      const bool twice = event.Button == TMouseButton::mbLeft && SecondPress(target, {event.X, event.Y});
      target->MouseDown(event.Button, twice ? event.Shift | ssDouble : event.Shift, x, y);
      if (twice && Contains(target)) target->DblClick();
      if (event.Button == TMouseButton::mbLeft && Contains(target) && target->DragMode == TDragMode::dmAutomatic)
        target->BeginDrag(false);
      if (FDrag.Active()) YieldCapture();
      break;
    }
    case TEventKind::MouseMove:
      PointerCursorAt({event.X, event.Y});
      target->MouseMove(event.Shift, x, y);
      break;
    default: {
      FCapture = nullptr;
      target->MouseUp(event.Button, event.Shift, x, y);
      // A click is the left button's; the right one asks for the context menu.
      const bool inside = Contains(target) && target->ClientRect().Contains(x, y);
      if (inside && event.Button == TMouseButton::mbLeft) target->Click();
      if (inside && event.Button == TMouseButton::mbRight && MenuRouting().OpenContextMenu)
        MenuRouting().OpenContextMenu(*target, {x, y});
      break;
    }
  }
}

bool TInputRouter::DragMouse(const TWsEvent& event) {
  const TPoint at{event.X, event.Y};
  if (!FDrag.Active()) {
    if (event.Kind == TEventKind::MouseUp) FDrag.Forget();
    if (event.Kind != TEventKind::MouseMove) return false;
    FDrag.Move(at);
    if (!FDrag.Active()) return false;
    YieldCapture();
    PointerCursorAt(at);
    return true;
  }
  const bool left = event.Button == TMouseButton::mbLeft;
  switch (event.Kind) {
    case TEventKind::MouseMove: FDrag.Move(at); break;
    case TEventKind::MouseUp:
      if (left) FDrag.Drop(at);
      else FDrag.Cancel();
      break;
    default:
      if (!left) FDrag.Cancel();
      break;
  }
  PointerCursorAt(at);
  return true;
}

bool TInputRouter::SecondPress(const TControl* target, TPoint at) {
  const std::int64_t now = Application->WindowSystem().NowMs();
  const bool twice = target == FPressed && now - FPressedMs <= DoubleClickMs &&
                     std::abs(at.X - FPressedAt.X) <= DoubleClickDistance &&
                     std::abs(at.Y - FPressedAt.Y) <= DoubleClickDistance;
  // A third press begins a new pair.
  FPressed = twice ? nullptr : target;
  FPressedAt = at;
  FPressedMs = now;
  return twice;
}

void TInputRouter::YieldCapture() {
  TControl* held = FCapture;
  FCapture = nullptr;
  if (held && Contains(held)) held->CaptureLost();
}

void TInputRouter::PointerCursorAt(TPoint at) {
  FPointerCursor = FDrag.Active() ? FDrag.Cursor() : FForm.ControlAtPos(at.X, at.Y)->EffectiveCursor();
  ApplyCursor();
}

void TInputRouter::BeginDrag(TControl& source, bool immediate, int threshold) {
  FDrag.Begin(source, FPointer, immediate, threshold);
  if (FDrag.Active()) PointerCursorAt(FPointer);
}

void TInputRouter::EndDrag(bool drop) {
  if (!FDrag.Active()) FDrag.Forget();
  else if (drop) FDrag.Drop(FPointer);
  else FDrag.Cancel();
  PointerCursorAt(FPointer);
}

void TInputRouter::Wheel(const TWsEvent& event) {
  for (TControl* control = FForm.ControlAtPos(event.X, event.Y); control; control = control->Parent()) {
    const TPoint offset = control == &FForm ? TPoint{} : control->WindowOffset();
    if (control->MouseWheel(event.Shift, event.WheelDelta, event.X - offset.X, event.Y - offset.Y)) return;
    if (control == &FForm) return;
  }
}

void TInputRouter::TrackPointer(const TWsEvent& event) {
  FPointer = {event.X, event.Y};
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
  if (FDrag.Engaged()) EndDrag(false);
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
