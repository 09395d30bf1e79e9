#pragma once
#include "Control.h"

class TForm;
class TInputRouter;

// One drag of a control over the controls of its form: it waits for the pointer to move
// far enough, asks each control under the pointer whether it takes the source, and ends in
// a drop or without one. The input router feeds it; coordinates are the form's client
// coordinates.
class TDragTracker {
 public:
  static constexpr int DefaultThreshold = 5;

  TDragTracker(TForm& form, const TInputRouter& router);

  // Begun and not yet ended: pending (waiting for the pointer to move) or active.
  bool Engaged() const { return FSource != nullptr; }
  bool Active() const { return FActive; }
  TControl* Source() const { return FSource; }
  // The cursor for the pointer while active: the source's drag cursor over a control that
  // accepts the drop, crNoDrop elsewhere.
  TCursor Cursor() const;

  void Begin(TControl& source, TPoint at, bool immediate, int threshold);
  // The pointer moved; a pending drag becomes active once it has gone far enough.
  void Move(TPoint at);
  // Ends an active drag with a drop where the pointer is, when the control there accepts.
  void Drop(TPoint at);
  // Ends an active drag without a drop.
  void Cancel();
  // Ends a drag without a word to anyone: one that never became active, or whose source went.
  void Forget();

 private:
  bool Alive(const TControl* control) const;
  void Start();
  // Tells the control under `at` (and the one the pointer left) about the drag.
  void Over(TPoint at);
  void Finish(bool drop);
  TPoint InControl(const TControl& control, TPoint at) const;

  TForm& FForm;
  const TInputRouter& FRouter;
  TControl* FSource = nullptr;
  TControl* FTarget = nullptr;
  bool FActive = false;
  bool FAccepted = false;
  TPoint FStart;
  TPoint FAt;
  int FThreshold = DefaultThreshold;
};
