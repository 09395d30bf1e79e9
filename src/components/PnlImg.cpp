#include "PnlImg.h"

#include "VekImage.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/ScrollBar.h"

namespace {

// A borderless panel inside `parent`, owned by it.
TPanel* PlainPanel(TWinControl* parent, TAlign align) {
  auto* panel = new TPanel(parent);
  panel->SetParent(parent);
  panel->SetBevelInner(TBevelCut::bvNone);
  panel->SetBevelOuter(TBevelCut::bvNone);
  panel->SetAlign(align);
  return panel;
}

TScrollBar* Bar(TWinControl* parent, TScrollBarKind kind, TNotifyEvent onChange) {
  auto* bar = new TScrollBar(parent);
  bar->SetParent(parent);
  bar->SetKind(kind);
  bar->SetAlign(TAlign::alClient);
  bar->SetParams(0, 0, 100);
  bar->SetLargeChange(10);
  bar->SetSmallChange(1);
  bar->TabStop = false;
  bar->OnChange = std::move(onChange);
  return bar;
}

}  // namespace

TPnlImg::TPnlImg(TComponent* owner) : TCustomPanel(owner) {
  SetBevelInner(TBevelCut::bvLowered);
  SetBevelOuter(TBevelCut::bvLowered);
  SetBevelWidth(1);
  SetCaption(" ");
  SetBounds(Left(), Top(), 160, 160);
  FPanel = PlainPanel(this, TAlign::alClient);
  FPanel->OnResize = Handler(this, &TPnlImg::PanelResize);
  FImage = new TVekImage(FPanel);
  FImage->SetParent(FPanel);
  FImage->SetAlign(TAlign::alClient);
  FImage->OnClick = Handler(this, &TPnlImg::ImageClick);
  FImage->OnDblClick = Handler(this, &TPnlImg::ImageDblClick);
  FImage->OnMouseDown = Handler(this, &TPnlImg::ImageMouseDown);
  FImage->OnMouseMove = Handler(this, &TPnlImg::ImageMouseMove);
  FImage->OnMouseUp = Handler(this, &TPnlImg::ImageMouseUp);
  FImage->Resize();
}

TPnlImg::~TPnlImg() {
  // Quietly: the derived component is gone already, so nothing may be raised or redrawn.
  FPanel->OnResize = nullptr;
  ScrollBarsDelete();
  delete FPanel;
}

void TPnlImg::ImageClick(TComponent*) {
  if (OnClick) OnClick(this);
}

void TPnlImg::ImageDblClick(TComponent*) {
  if (OnDblClick) OnDblClick(this);
}

void TPnlImg::ImageMouseDown(TComponent*, TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TPnlImg::ImageMouseMove(TComponent*, TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TPnlImg::ImageMouseUp(TComponent*, TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TPnlImg::ScrollBarHChange(TComponent*) {
  if (OnScrollBarHChange) OnScrollBarHChange(this);
}

void TPnlImg::ScrollBarVChange(TComponent*) {
  if (OnScrollBarVChange) OnScrollBarVChange(this);
}

void TPnlImg::PanelResize(TComponent*) {
  FImage->Resize();
  SurfaceResized();
  if (OnResize) OnResize(this);
}

TCursor TPnlImg::Cursor() const { return FImage->Cursor(); }

void TPnlImg::SetCursor(TCursor cursor) { FImage->SetCursor(cursor); }

void TPnlImg::SetScrollBars(bool on) {
  if (on == FScrollBars) return;
  if (on) ScrollBarsCreate();
  else ScrollBarsDelete();
  FScrollBars = on;
  PanelResize(this);
}

void TPnlImg::ScrollBarsCreate() {
  // The bottom strip goes first in alignment order, so it spans the full width; the right
  // strip stands above it and the corner panel closes the bottom strip under it.
  FPanelRight = PlainPanel(FPanel, TAlign::alRight);
  FPanelRight->SetWidth(BarThickness);
  FScrollBarV = Bar(FPanelRight, TScrollBarKind::sbVertical, Handler(this, &TPnlImg::ScrollBarVChange));
  FPanelBottom = PlainPanel(FPanel, TAlign::alBottom);
  FPanelBottom->SetHeight(BarThickness);
  FPanelCorner = PlainPanel(FPanelBottom, TAlign::alRight);
  FPanelCorner->SetWidth(CornerWidth);
  FScrollBarH = Bar(FPanelBottom, TScrollBarKind::sbHorizontal, Handler(this, &TPnlImg::ScrollBarHChange));
}

void TPnlImg::ScrollBarsDelete() {
  delete FPanelRight;
  delete FPanelBottom;
  FPanelRight = FPanelBottom = FPanelCorner = nullptr;
  FScrollBarH = FScrollBarV = nullptr;
}
