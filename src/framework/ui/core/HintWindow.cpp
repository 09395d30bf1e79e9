#include "HintWindow.h"

#include <algorithm>

#include "Form.h"
#include "Timer.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/graphics/TextPainter.h"

namespace {

constexpr int kPadding = 3;

// Whether the control's hint is to be shown: its own ShowHint, or its parent's while it
// follows the parent.
bool ShowsHint(const TControl* control) {
  while (control && !control->ShowHint && control->ParentShowHint) control = control->Parent();
  return control && control->ShowHint;
}

}  // namespace

THintWindow::THintWindow(TForm& form) : FForm(form), FTimer(std::make_unique<TTimer>(nullptr)) {
  FTimer->SetEnabled(false);
  FTimer->SetInterval(HintPauseMs);
  FTimer->OnTimer = [this](TComponent*) {
    FTimer->SetEnabled(false);
    Show();
  };
}

THintWindow::~THintWindow() = default;

void THintWindow::PointerMoved(TPoint at) {
  FAt = at;
  TControl* under = FForm.ControlAtPos(at.X, at.Y);
  if (under == FUnder) return;
  // The pointer went to another control: its hint waits for the pointer to rest again.
  FUnder = under;
  Hide();
  FTimer->SetEnabled(false);
  FTimer->SetEnabled(true);
}

void THintWindow::Cancel() {
  Hide();
  FTimer->SetEnabled(false);
}

void THintWindow::Show() {
  // Asked anew: the control seen when the pointer arrived may be gone by now.
  const TControl* under = FForm.ControlAtPos(FAt.X, FAt.Y);
  if (under->Hint.empty() || !ShowsHint(under)) return;
  FText = under->Hint;
  const TSize text = TTextPainter(TFont{}).Extent(FText);
  const TSize size{text.cx + 2 * kPadding, text.cy + 2 * kPadding};
  const int left = std::max(0, std::min(FAt.X, FForm.Width() - size.cx));
  const int below = FAt.Y + PointerHeight;
  const int top = below + size.cy <= FForm.Height() ? below : std::max(0, FAt.Y - size.cy);
  FArea = Bounds(left, top, size.cx, size.cy);
  FForm.InvalidateWindowArea(FArea);
}

void THintWindow::Hide() {
  if (!Showing()) return;
  FForm.InvalidateWindowArea(FArea);
  FArea = {};
}

void THintWindow::Paint(TCanvas& canvas) const {
  if (!Showing()) return;
  const TRect inner = TStylePainter::DrawFrame(canvas, FArea, TFrameStyle::Single);
  canvas.Brush = {clInfoBk, TBrushStyle::bsSolid};
  canvas.FillRect(inner);
  canvas.Font = TFont{};
  canvas.Font.Color = clInfoText;
  TStylePainter::DrawCaption(canvas, {FArea.Left + kPadding, FArea.Top + kPadding}, FText, true);
}
