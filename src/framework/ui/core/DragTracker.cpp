#include "DragTracker.h"

#include <cstdlib>

#include "Application.h"
#include "Form.h"

TDragTracker::TDragTracker(TForm& form, const TInputRouter& router) : FForm(form), FRouter(router) {}

bool TDragTracker::Alive(const TControl* control) const { return control && FRouter.Contains(control); }

TCursor TDragTracker::Cursor() const { return FAccepted && FSource ? FSource->DragCursor : crNoDrop; }

void TDragTracker::Begin(TControl& source, TPoint at, bool immediate, int threshold) {
  if (Engaged()) return;
  FSource = &source;
  FStart = FAt = at;
  FThreshold = threshold < 0 ? DefaultThreshold : threshold;
  if (immediate) Start();
}

void TDragTracker::Start() {
  FActive = true;
  FTarget = nullptr;
  FAccepted = false;
  Application->CallHandler([&] { FSource->DoStartDrag(); });
  if (Alive(FSource)) Over(FAt);
  else Forget();
}

void TDragTracker::Move(TPoint at) {
  if (!Engaged()) return;
  if (!Alive(FSource)) return Forget();
  FAt = at;
  if (FActive) return Over(at);
  if (std::abs(at.X - FStart.X) >= FThreshold || std::abs(at.Y - FStart.Y) >= FThreshold) Start();
}

TPoint TDragTracker::InControl(const TControl& control, TPoint at) const {
  if (&control == &FForm) return at;
  const TPoint offset = control.WindowOffset();
  return {at.X - offset.X, at.Y - offset.Y};
}

void TDragTracker::Over(TPoint at) {
  TControl* under = FForm.ClientRect().Contains(at.X, at.Y) ? FForm.ControlAtPos(at.X, at.Y) : nullptr;
  TDragState state = TDragState::dsDragMove;
  if (under != FTarget) {
    TControl* left = FTarget;
    FTarget = nullptr;
    FAccepted = false;
    if (Alive(left)) {
      const TPoint p = InControl(*left, at);
      bool ignored = false;
      Application->CallHandler([&] { left->DragOver(FSource, p.X, p.Y, TDragState::dsDragLeave, ignored); });
    }
    // The handler may have ended the drag or destroyed the control found before it.
    if (!FActive) return;
    if (!Alive(FSource)) return Forget();
    under = FForm.ClientRect().Contains(at.X, at.Y) ? FForm.ControlAtPos(at.X, at.Y) : nullptr;
    FTarget = under;
    state = TDragState::dsDragEnter;
  }
  if (!FTarget) return;
  const TPoint p = InControl(*FTarget, at);
  bool accept = false;
  const bool answered = Application->CallHandler([&] { FTarget->DragOver(FSource, p.X, p.Y, state, accept); });
  if (!FActive) return;
  if (!Alive(FSource)) return Forget();
  FAccepted = answered && accept;
}

void TDragTracker::Drop(TPoint at) {
  if (!FActive) return;
  if (!Alive(FSource)) return Forget();
  if (!(at == FAt)) Move(at);
  if (FActive) Finish(true);
}

void TDragTracker::Cancel() {
  if (!FActive) return Forget();
  if (!Alive(FSource)) return Forget();
  Finish(false);
}

void TDragTracker::Forget() {
  FSource = FTarget = nullptr;
  FActive = FAccepted = false;
}

// The target hears that the pointer left before the drop, so that a mark it shows while a
// drag is over it goes; the source hears the end whatever the handlers do.
void TDragTracker::Finish(bool drop) {
  TControl* source = FSource;
  TControl* target = Alive(FTarget) ? FTarget : nullptr;
  const bool accepted = drop && FAccepted && target;
  const TPoint at = FAt;
  Forget();
  if (target) {
    const TPoint p = InControl(*target, at);
    bool ignored = false;
    Application->CallHandler([&] { target->DragOver(source, p.X, p.Y, TDragState::dsDragLeave, ignored); });
    if (accepted && Alive(target) && Alive(source))
      Application->CallHandler([&] { target->DragDrop(source, p.X, p.Y); });
  }
  if (!Alive(source)) return;
  // The end names the target that took the drop, in its coordinates, while it is still there.
  TControl* taker = accepted && Alive(target) ? target : nullptr;
  const TPoint p = InControl(taker ? *taker : *source, at);
  Application->CallHandler([&] { source->DoEndDrag(taker, p.X, p.Y); });
}
