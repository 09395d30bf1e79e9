#pragma once
#include <vector>

#include "Control.h"
#include "framework/platform/WindowSystem.h"

class TBitmap;
class TDeviceScale;

// A control that holds other controls. Its children are laid out by their Align and painted
// on the surface of the form that shows them; only a form owns a native window.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // Children in z-order: the last one is on top.
  const std::vector<TControl*>& Controls() const { return FControls; }
  int ControlCount() const { return static_cast<int>(FControls.size()); }

  // The area that aligned children share, in client coordinates.
  virtual TRect AlignRect() const { return ClientRect(); }
  // Lays out the aligned children: top, bottom, left, right, then client.
  void Realign();
  static constexpr int MostLayoutPasses = 8;
  // The deepest enabled, visible control under (x, y) in client coordinates; this control
  // itself when no child is there.
  TControl* ControlAtPos(int x, int y);

  // Keyboard focus: a control that takes keys when its form is active.
  bool TabStop = false;
  // Tab visits the controls of a form by TabOrder, equal ones in the order they were made.
  void SetTabOrder(int order) { FTabOrder = order; }
  bool CanFocus() const;
  // Whether this control is its form's focused control; SetFocus makes it so.
  bool Focused() const;
  void SetFocus();
  // The controls inside this one that Tab visits, in the order it visits them.
  std::vector<TWinControl*> TabOrderList() const;
  virtual void KeyDown(unsigned& key, TShiftState shift);
  TKeyEvent OnKeyDown;
  // The character a key typed, after KeyDown left the key alone; 0 swallows it.
  virtual void KeyPress(char32_t& ch);
  TKeyPressEvent OnKeyPress;
  bool DialogKey(unsigned key) override;

  // The native window's side: a form overrides these; others pass them to their parent.
  virtual bool HasWindow() const { return false; }
  virtual void InvalidateWindowArea(const TRect& area);
  virtual void UpdateWindow();
  // Puts pixels straight into the window, bypassing its surface; false when nothing is shown.
  virtual bool PutWindowPixels(TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode);

  // Paints the visible children, each with its own origin, into `surface`, where this
  // control's top-left is `origin`; nothing is drawn outside `clip`. Both are in the window's
  // logical coordinates, which `scale` takes to the surface's device pixels.
  void PaintChildren(TBitmap& surface, const TDeviceScale& scale, TPoint origin, const TRect& clip);

 protected:
  void BoundsChanged() override;
  // Clips a transfer of `source` to `dest` (client coordinates) to the client area; false
  // when nothing of it is left.
  bool ClipToClient(TRect& source, TPoint& dest) const;

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void ControlChanged(TControl* control);
  void AlignKind(TAlign align, TRect& rest);

  std::vector<TControl*> FControls;
  bool FAligning = false;
  bool FRealignAgain = false;
  int FTabOrder = 0;
};
