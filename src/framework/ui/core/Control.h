#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "framework/base/Component.h"
#include "framework/base/Types.h"
#include "framework/platform/Input.h"

class TCanvas;
class TPopupMenu;
class TWinControl;

enum class TAlign : std::uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };
// Automatic: a left button press on the control begins dragging it once the pointer moves.
enum class TDragMode : std::uint8_t { dmManual, dmAutomatic };
// What a drag-over notification says: the pointer came over the control, moves on it, or left.
enum class TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

using TNotifyEvent = std::function<void(TComponent* sender)>;
using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TComponent* sender, unsigned& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, char32_t& ch)>;
using TStartDragEvent = std::function<void(TComponent* sender)>;
// `accept` comes in true; the handler sets it false to refuse the drop here.
using TDragOverEvent =
    std::function<void(TComponent* sender, TComponent* source, int x, int y, TDragState state, bool& accept)>;
using TDragDropEvent = std::function<void(TComponent* sender, TComponent* source, int x, int y)>;
// `target` is null when the drag ended without a drop.
using TEndDragEvent = std::function<void(TComponent* sender, TComponent* target, int x, int y)>;
// The wheel turned by wheelDelta (WHEEL_DELTA per notch, positive away from the user) with
// the pointer at mousePos in the control's own coordinates; setting `handled` keeps the turn
// from the control's parents.
using TMouseWheelEvent =
    std::function<void(TComponent* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;

// A visual element with a place inside its parent window. Without a parent it still works
// as a drawing target; it is then never painted.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return FParent; }
  virtual void SetParent(TWinControl* parent);

  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  TRect BoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  TRect ClientRect() const { return {0, 0, FWidth, FHeight}; }
  void SetLeft(int v) { SetBounds(v, FTop, FWidth, FHeight); }
  void SetTop(int v) { SetBounds(FLeft, v, FWidth, FHeight); }
  void SetWidth(int v) { SetBounds(FLeft, FTop, v, FHeight); }
  void SetHeight(int v) { SetBounds(FLeft, FTop, FWidth, v); }
  virtual void SetBounds(int left, int top, int width, int height);

  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign align);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool enabled);
  TCursor Cursor() const { return FCursor; }
  virtual void SetCursor(TCursor cursor);

  std::string Hint;
  bool ShowHint = false;
  bool ParentShowHint = true;

  // True when this control and every parent up to its form are visible.
  bool Showing() const;
  // The nearest parent that owns a native window (a form), or null.
  TWinControl* WindowParent() const;
  // The control's top-left corner in the client coordinates of WindowParent().
  TPoint WindowOffset() const;
  // The cursor shown over the control: its own, or its parents' while it has crDefault.
  TCursor EffectiveCursor() const;

  // Marks the control for the next paint cycle of its window.
  virtual void Invalidate();
  // Paints the control at once (nothing when it is hidden or without a parent window).
  virtual void Repaint();
  // Draws the control with the canvas's origin at the control's top-left corner.
  virtual void Paint(TCanvas&) {}
  // Puts the whole control on screen straight from pixels of its own, bypassing the paint
  // cycle of its window; false when it has none that cover it.
  virtual bool ShowOwnPixels() { return false; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TMouseWheelEvent OnMouseWheel;

  // Input as delivered by the window; coordinates are the control's own.
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  // True when the control took the turn; otherwise the form offers it to the parent.
  virtual bool MouseWheel(TShiftState shift, int wheelDelta, int x, int y);
  // The pointer came over the control, or left it.
  virtual void MouseEnter() {}
  virtual void MouseLeave() {}
  // The button pressed on this control will not be released here: its form stopped taking
  // input (a modal window opened) while the button was down.
  virtual void CaptureLost() {}
  // The keyboard focus moved from one control of the form to another (or to none).
  virtual void FocusChanged() {}
  virtual void Click();
  // The second of two left presses close together in time and place (OnDblClick).
  virtual void DblClick();
  // Enter and Escape reach every control of a form whose focused control did not take
  // them; a control that acts on one (a default or cancel button) returns true.
  virtual bool DialogKey(unsigned) { return false; }

  // --- Context menu ---
  // The menu that a right click on the control opens; without one, its parent's is used.
  TPopupMenu* PopupMenu = nullptr;
  // A point of the control's client area on the screen.
  TPoint ClientToScreen(TPoint point) const;

  // --- Drag-and-drop between the controls of one form ---
  TDragMode DragMode = TDragMode::dmManual;
  // Shown while the pointer is over a control that accepts the drop; crNoDrop elsewhere.
  TCursor DragCursor = crDrag;
  TStartDragEvent OnStartDrag;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  // Begins dragging this control at once, or (not immediate) once the pointer has moved
  // `threshold` pixels (-1: the default) with the button still down; released before that,
  // the press stays a click. The drag ends when the left button comes up: dropped on the
  // control under the pointer if it accepts. The right button, Escape or a modal window
  // cancel it. OnEndDrag comes at the end of every drag that began.
  void BeginDrag(bool immediate, int threshold = -1);
  // Ends this control's drag: dropped where the pointer is, or (not `drop`) cancelled.
  void EndDrag(bool drop);
  bool Dragging() const;
  // Whether this control takes `source` at (x, y): false unless OnDragOver says otherwise.
  virtual void DragOver(TComponent* source, int x, int y, TDragState state, bool& accept);
  virtual void DragDrop(TComponent* source, int x, int y);
  virtual void DoStartDrag();
  virtual void DoEndDrag(TComponent* target, int x, int y);

 protected:
  // Called after the size or place changed.
  virtual void BoundsChanged() {}
  // Called after the parent changed.
  virtual void ParentChanged() {}

 private:
  // A parent orphans its children when it goes before them.
  friend class TWinControl;
  TWinControl* FParent = nullptr;
  int FLeft = 0;
  int FTop = 0;
  int FWidth = 0;
  int FHeight = 0;
  TAlign FAlign = TAlign::alNone;
  bool FVisible = true;
  bool FEnabled = true;
  TCursor FCursor = crDefault;
};

// A control without a window of its own: it paints on its parent's surface.
class TGraphicControl : public TControl {
 public:
  using TControl::TControl;
  // Paints the control onto its parent window's canvas, whose origin is the control's top-left.
  void Paint(TCanvas& canvas) override = 0;
};
