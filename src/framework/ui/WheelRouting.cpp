#include "WheelRouting.h"

void RouteWheel(TWinControl& window, const TWsEvent& event) {
  for (TControl* control = window.ControlAtPos(event.X, event.Y); control; control = control->Parent()) {
    const TPoint offset = control == &window ? TPoint{} : control->WindowOffset();
    if (control->MouseWheel(event.Shift, event.WheelDelta, event.X - offset.X, event.Y - offset.Y)) return;
    if (control == &window) return;
  }
}
