#pragma once
#include <cstdint>
#include <memory>

#include "DragTracker.h"
#include "HintWindow.h"
#include "framework/platform/WindowSystem.h"

class TCanvas;
class TControl;
class TForm;
class TWinControl;

// Where the input that reaches a form's window goes: the pointer to the control under it,
// or to the control that a button went down on until it comes up (capture); hover, hints
// and the cursor shown; keys to the form, then to its focused control; Tab through the tab
// order; Enter and Escape to the default and cancel buttons; a right click to the popup menu
// of the control (or of its nearest parent that names one); a drag to the controls it passes.
class TInputRouter {
 public:
  explicit TInputRouter(TForm& form);
  ~TInputRouter();
  TInputRouter(const TInputRouter&) = delete;
  TInputRouter& operator=(const TInputRouter&) = delete;

  // --- What the window reports; coordinates are the form's client coordinates ---
  void KeyDown(const TWsEvent& event);
  // MouseDown, MouseMove or MouseUp.
  void Mouse(const TWsEvent& event);
  // A turn of the wheel: offered to the control under the pointer, then to each of its
  // parents up to the form, until one takes it.
  void Wheel(const TWsEvent& event);
  void PointerLeft();
  // The form has just been shown: the first control in tab order takes the keyboard unless
  // one has it, and until the pointer reports where it is, the cursor is that of the middle.
  void FormShown();
  // The form stopped taking input (a modal window opened): the control that a button went
  // down on will not see it come up.
  void InputStopped();

  // Two left presses on one control at most this far apart in time and place are a double click.
  static constexpr std::int64_t DoubleClickMs = 500;
  static constexpr int DoubleClickDistance = 4;

  // --- Drag-and-drop ---
  // Begins a drag of `source` where the pointer was last seen (see TControl::BeginDrag).
  void BeginDrag(TControl& source, bool immediate, int threshold);
  // Ends the drag: dropped where the pointer was last seen, or cancelled; one that never
  // became active ends without a word.
  void EndDrag(bool drop);
  TDragTracker& Drag() { return FDrag; }
  const TDragTracker& Drag() const { return FDrag; }

  // Whether `control` still belongs to the form; a pointer kept here may outlive its control.
  bool Contains(const TControl* control) const;

  // --- Keyboard focus ---
  // The focused control, which gets the keys after the form's own OnKeyDown. It stays the
  // form's while the form itself is disabled, so that a form redrawn under a modal window
  // still shows where its keys will go.
  TWinControl* ActiveControl() const;
  void SetActiveControl(TWinControl* control);
  // Focuses the next control in tab order (the previous one when not `forward`), round.
  void SelectNext(bool forward);

  // --- Cursor and hint ---
  // Sets the window's cursor anew: the screen's cursor while it is not crDefault, else the
  // cursor of the control under the pointer.
  void ApplyCursor();
  // The hint shown over the form, once the pointer has moved over it; else null.
  const THintWindow* Hint() const { return FHint.get(); }
  void PaintHint(TCanvas& canvas) const;

 private:
  // Mouse input while a drag is engaged; true when the drag took it.
  bool DragMouse(const TWsEvent& event);
  // The control that a button went down on loses it to a drag that has become active.
  void YieldCapture();
  // Shows what the pointer is over once the drag moved it or ended.
  void PointerCursorAt(TPoint at);
  // Whether a left press on `target` at `at` is the second of a double click.
  bool SecondPress(const TControl* target, TPoint at);
  // Whether `control` can have the focus, whatever the state of the form itself.
  bool Focusable(const TWinControl* control) const;
  void TrackPointer(const TWsEvent& event);
  void SetHover(TControl* control);
  void FocusMoved(TWinControl* from, TWinControl* to);

  TForm& FForm;
  TControl* FCapture = nullptr;
  TControl* FHover = nullptr;
  TWinControl* FActiveControl = nullptr;
  std::unique_ptr<THintWindow> FHint;
  TCursor FPointerCursor = crDefault;
  TCursor FWindowCursor = crDefault;
  TPoint FPointer;
  // The last left press that may begin a double click: its control, place and time.
  const TControl* FPressed = nullptr;
  TPoint FPressedAt;
  std::int64_t FPressedMs = 0;
  TDragTracker FDrag{FForm, *this};
};
