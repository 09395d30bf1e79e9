#include "WinControl.h"

#include <algorithm>

#include "Form.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/PixelWriter.h"

namespace {

// Paints one control through a bitmap of its own size: the control draws with its origin
// at its top-left corner and cannot spill outside `visible`. `origin` and `visible` are in the
// window's logical coordinates, which `scale` takes to the surface's device pixels.
void PaintControl(TControl& control, TBitmap& surface, const TDeviceScale& scale, TPoint origin, const TRect& visible) {
  const TRect bounds = scale.Rect(Bounds(origin.X, origin.Y, control.Width(), control.Height()));
  const TRect shown = scale.Rect(visible);
  TBitmap own(bounds.Width(), bounds.Height());
  const TRect inOwn = shown.Offset(-bounds.Left, -bounds.Top);
  TPixelWriter(own, inOwn).Blit(inOwn.Left, inOwn.Top, surface, shown, TPixelOp::Copy);
  own.Canvas().SetScale(scale.Moved(origin));
  control.Paint(own.Canvas());
  TPixelWriter(surface, shown).Blit(shown.Left, shown.Top, own, inOwn, TPixelOp::Copy);
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  // Children outlive their parent when their owner destroys them later.
  for (TControl* child : FControls) child->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  ControlChanged(control);
}

void TWinControl::RemoveControl(TControl* control) {
  FControls.erase(std::remove(FControls.begin(), FControls.end(), control), FControls.end());
  if (control->Align() != TAlign::alNone) Realign();
}

void TWinControl::ControlChanged(TControl* control) {
  if (!FAligning && control->Align() != TAlign::alNone) Realign();
}

void TWinControl::BoundsChanged() { Realign(); }

void TWinControl::Realign() {
  // A layout asked for while one runs (a child's resize handler resizing this control, say)
  // follows it, so that the last size wins; handlers that never settle stop after a few.
  if (FAligning) {
    FRealignAgain = true;
    return;
  }
  FAligning = true;
  for (int pass = 0; pass < MostLayoutPasses; ++pass) {
    FRealignAgain = false;
    TRect rest = AlignRect();
    for (TAlign align : {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient})
      AlignKind(align, rest);
    if (!FRealignAgain) break;
  }
  FAligning = false;
}

void TWinControl::AlignKind(TAlign align, TRect& rest) {
  for (TControl* c : FControls) {
    if (c->Align() != align || !c->Visible()) continue;
    switch (align) {
      case TAlign::alTop:
        c->SetBounds(rest.Left, rest.Top, rest.Width(), c->Height());
        rest.Top = std::min(rest.Top + c->Height(), rest.Bottom);
        break;
      case TAlign::alBottom:
        c->SetBounds(rest.Left, rest.Bottom - c->Height(), rest.Width(), c->Height());
        rest.Bottom = std::max(rest.Bottom - c->Height(), rest.Top);
        break;
      case TAlign::alLeft:
        c->SetBounds(rest.Left, rest.Top, c->Width(), rest.Height());
        rest.Left = std::min(rest.Left + c->Width(), rest.Right);
        break;
      case TAlign::alRight:
        c->SetBounds(rest.Right - c->Width(), rest.Top, c->Width(), rest.Height());
        rest.Right = std::max(rest.Right - c->Width(), rest.Left);
        break;
      case TAlign::alClient: c->SetBounds(rest.Left, rest.Top, rest.Width(), rest.Height()); break;
      case TAlign::alNone: break;
    }
  }
}

TControl* TWinControl::ControlAtPos(int x, int y) {
  for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
    TControl* c = *it;
    if (!c->Visible() || !c->Enabled() || !c->BoundsRect().Contains(x, y)) continue;
    if (auto* container = dynamic_cast<TWinControl*>(c)) return container->ControlAtPos(x - c->Left(), y - c->Top());
    return c;
  }
  return this;
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return TabStop;
}

bool TWinControl::Focused() const {
  const auto* form = dynamic_cast<const TForm*>(WindowParent());
  return form && form->ActiveControl() == this;
}

void TWinControl::SetFocus() {
  if (auto* form = dynamic_cast<TForm*>(WindowParent()); form && CanFocus()) form->SetActiveControl(this);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
  std::vector<TWinControl*> children;
  for (TControl* c : FControls)
    if (auto* child = dynamic_cast<TWinControl*>(c)) children.push_back(child);
  std::stable_sort(children.begin(), children.end(),
                   [](const TWinControl* a, const TWinControl* b) { return a->FTabOrder < b->FTabOrder; });
  std::vector<TWinControl*> list;
  for (TWinControl* child : children) {
    if (child->CanFocus()) list.push_back(child);
    const std::vector<TWinControl*> inner = child->TabOrderList();
    list.insert(list.end(), inner.begin(), inner.end());
  }
  return list;
}

void TWinControl::KeyDown(unsigned& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyPress(char32_t& ch) {
  if (OnKeyPress) OnKeyPress(this, ch);
}

bool TWinControl::DialogKey(unsigned key) {
  for (TControl* c : FControls)
    if (c->Visible() && c->Enabled() && c->DialogKey(key)) return true;
  return false;
}

void TWinControl::InvalidateWindowArea(const TRect& area) {
  if (Parent() && Visible()) Parent()->InvalidateWindowArea(area.Offset(Left(), Top()));
}

void TWinControl::UpdateWindow() {
  if (Parent()) Parent()->UpdateWindow();
}

bool TWinControl::ClipToClient(TRect& source, TPoint& dest) const {
  const TRect target = Bounds(dest.X, dest.Y, source.Width(), source.Height()).Intersect(ClientRect());
  if (target.IsEmpty()) return false;
  source = target.Offset(source.Left - dest.X, source.Top - dest.Y);
  dest = {target.Left, target.Top};
  return true;
}

bool TWinControl::PutWindowPixels(TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) {
  if (!Parent() || !Visible()) return false;
  TRect clipped = source;
  if (!ClipToClient(clipped, dest)) return true;
  return Parent()->PutWindowPixels(bitmap, clipped, {dest.X + Left(), dest.Y + Top()}, mode);
}

void TWinControl::PaintChildren(TBitmap& surface, const TDeviceScale& scale, TPoint origin, const TRect& clip) {
  for (TControl* child : FControls) {
    if (!child->Visible()) continue;
    const TPoint childOrigin{origin.X + child->Left(), origin.Y + child->Top()};
    const TRect visible = child->BoundsRect().Offset(origin.X, origin.Y).Intersect(clip);
    if (visible.IsEmpty()) continue;
    PaintControl(*child, surface, scale, childOrigin, visible);
    if (auto* container = dynamic_cast<TWinControl*>(child))
      container->PaintChildren(surface, scale, childOrigin, visible);
  }
}
