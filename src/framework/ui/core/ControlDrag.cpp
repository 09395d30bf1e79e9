// TControl's side of drag-and-drop, and where its points are on the screen.
#include "Application.h"
#include "Control.h"
#include "Form.h"

namespace {

// The form whose input reaches the control: its window parent, or the control itself.
TForm* FormOf(const TControl& control) {
  if (const auto* form = dynamic_cast<const TForm*>(&control)) return const_cast<TForm*>(form);
  return dynamic_cast<TForm*>(control.WindowParent());
}

// The form whose drag has `control` as its source, or null.
TForm* DraggingForm(const TControl& control) {
  TForm* form = FormOf(control);
  return form && form->Input().Drag().Source() == &control ? form : nullptr;
}

}  // namespace

TPoint TControl::ClientToScreen(TPoint point) const {
  TForm* form = FormOf(*this);
  const TPoint offset = form == this ? TPoint{} : WindowOffset();
  const TPoint inForm{point.X + offset.X, point.Y + offset.Y};
  if (!form || !form->HandleAllocated()) return inForm;
  return form->WindowToScreen(inForm);
}

void TControl::BeginDrag(bool immediate, int threshold) {
  if (TForm* form = FormOf(*this); form && form != this) form->Input().BeginDrag(*this, immediate, threshold);
}

void TControl::EndDrag(bool drop) {
  if (TForm* form = DraggingForm(*this)) form->Input().EndDrag(drop);
}

bool TControl::Dragging() const { return DraggingForm(*this) != nullptr; }

void TControl::DragOver(TComponent* source, int x, int y, TDragState state, bool& accept) {
  accept = static_cast<bool>(OnDragOver);
  if (OnDragOver) OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TComponent* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoStartDrag() {
  if (OnStartDrag) OnStartDrag(this);
}

void TControl::DoEndDrag(TComponent* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}
