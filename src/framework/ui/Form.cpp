#include "Form.h"

#include <algorithm>
#include <utility>

#include "Application.h"
#include "framework/graphics/Canvas.h"
#include "framework/base/Exceptions.h"
#include "Screen.h"
#include "framework/base/StoreChanged.h"

namespace {

TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)};
}

bool InTree(const TWinControl& parent, const TControl* control) {
  for (const TControl* child : parent.Controls()) {
    if (child == control) return true;
    const auto* container = dynamic_cast<const TWinControl*>(child);
    if (container && InTree(*container, control)) return true;
  }
  return false;
}

// Runs `atExit` however the scope is left.
template <class F>
struct TScopeExit {
  F AtExit;
  ~TScopeExit() { AtExit(); }
};
template <class F>
TScopeExit(F) -> TScopeExit<F>;

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  TWinControl::SetVisible(false);
  WindowProc = [this](const TWsEvent& event) { DefaultWndProc(event); };
  if (Application) Application->AddForm(this);
}

TForm::~TForm() {
  // The controls go first, while they still see a whole form.
  DestroyComponents();
  DestroyHandle();
  if (Application) Application->RemoveForm(this);
}

TWindowSystem& TForm::System() const { return Application->WindowSystem(); }

void TForm::CallEvent(const TNotifyEvent& event) {
  if (event) Application->CallHandler([&] { event(this); });
}

void TForm::AfterConstruction() {
  if (FConstructed) return;
  FConstructed = true;
  FNotifiedSize = {Width(), Height()};
  CallEvent(OnCreate);
  if (Visible()) ShowWindow();
}

void TForm::BeforeDestruction() {
  if (!FConstructed || FDestroying) return;
  FDestroying = true;
  CallEvent(OnDestroy);
}

void TForm::SetCaption(const std::string& caption) {
  FCaption = caption;
  if (FHandle) System().SetWindowCaption(FHandle, caption);
}

void TForm::SetParentWindow(TWindowHandle window) {
  if (!StoreChanged(FParentWindow, window)) return;
  // A window cannot change its kind: it is made again inside the new parent.
  if (!FHandle) return;
  DestroyHandle();
  CreateHandle();
  if (Visible()) MapWindow();
}

TWindowHandle TForm::Handle() {
  CreateHandle();
  return FHandle;
}

TWindowParams TForm::WindowParams() const {
  TWindowParams params;
  params.Parent = FParentWindow;
  params.Bounds = BoundsRect();
  params.BorderStyle = BorderStyle;
  params.CloseBox = CloseBox;
  params.StayOnTop = FormStyle == TFormStyle::fsStayOnTop;
  params.FullScreen = !FParentWindow && BorderStyle == TBorderStyle::bsNone && WindowState == TWindowState::wsMaximized;
  const TForm* owner = Application->MainForm();
  if (FModal && owner && owner != this && owner->FHandle) params.TransientFor = owner->FHandle;
  params.Caption = FCaption;
  return params;
}

void TForm::CreateHandle() {
  if (FHandle) return;
  FHandle = System().CreateWindow(WindowParams());
  FSurface.SetMemoryProvider(System().PixelMemory());
  FSurface.SetSize(Width(), Height());
}

void TForm::DestroyHandle() {
  if (!FHandle) return;
  System().DestroyWindow(FHandle);
  FHandle = 0;
  FMapped = false;
  FSurface.SetSize(0, 0);
  FInvalid = {};
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TWinControl::SetVisible(visible);
  // A description may make a form visible; it shows once its creation handler has run.
  if (!FConstructed) return;
  if (visible) ShowWindow();
  else HideWindow();
}

void TForm::PlaceForShowing() {
  const TSize screen = System().ScreenSize();
  if (WindowState == TWindowState::wsMaximized && !FParentWindow) SetBounds(0, 0, screen.cx, screen.cy);
  else if (Position == TPosition::poScreenCenter)
    SetBounds((screen.cx - Width()) / 2, (screen.cy - Height()) / 2, Width(), Height());
  else if (Position == TPosition::poDefault && FParentWindow) SetBounds(0, 0, Width(), Height());
}

void TForm::ShowWindow() {
  CreateHandle();
  // Maximising waits until now, so that no resize reaches a form before it is shown.
  PlaceForShowing();
  // Mapped before the show handler runs, so that what it draws reaches the screen.
  MapWindow();
  InvalidateWindowArea(ClientRect());
  CallEvent(OnShow);
  if (!FHandle || !Visible()) return;
  UpdateWindow();
  if (!ActiveControl()) SelectNext(true);
  // Until the pointer reports where it is, guess the middle of the window.
  FPointerCursor = ControlAtPos(Width() / 2, Height() / 2)->EffectiveCursor();
  ApplyCursor();
  System().SetFocus(FHandle);
}

void TForm::MapWindow() {
  System().ShowWindow(FHandle, true);
  FMapped = true;
}

void TForm::HideWindow() {
  if (FHandle) System().ShowWindow(FHandle, false);
  FMapped = false;
  CallEvent(OnHide);
}

void TForm::SetEnabled(bool enabled) {
  TWinControl::SetEnabled(enabled);
  if (!enabled && FCapture) std::exchange(FCapture, nullptr)->CaptureLost();
}

void TForm::BoundsChanged() {
  TWinControl::BoundsChanged();
  if (FHandle) {
    if (!FResizedBySystem) System().SetWindowBounds(FHandle, BoundsRect());
    FSurface.SetSize(Width(), Height());
    InvalidateWindowArea(ClientRect());
  }
  const TSize size{Width(), Height()};
  if (!FConstructed || size == FNotifiedSize) return;
  FNotifiedSize = size;
  CallEvent(OnResize);
}

void TForm::Paint(TCanvas& canvas) {
  canvas.Brush.Color = Color;
  canvas.Brush.Style = TBrushStyle::bsSolid;
  canvas.FillRect(ClientRect());
  CallEvent(OnPaint);
}

void TForm::InvalidateWindowArea(const TRect& area) {
  if (!FHandle || !Visible()) return;
  FInvalid = Union(FInvalid, area.Intersect(ClientRect()));
}

void TForm::UpdateWindow() {
  if (FInvalid.IsEmpty() || !FMapped || !Visible()) return;
  const TRect area = FInvalid;
  FInvalid = {};
  if (ShownByCoveringChild(area)) return;
  TCanvas& canvas = FSurface.Canvas();
  const auto ownClip = canvas.ClipRect();
  canvas.SetClipRect(area);
  Paint(canvas);
  if (ownClip) canvas.SetClipRect(*ownClip);
  else canvas.ClearClipRect();
  PaintChildren(FSurface, {0, 0}, area);
  if (FHint) FHint->Paint(canvas);
  System().PutPixels(FHandle, FSurface, area, {area.Left, area.Top}, TPutMode::Wait);
}

// The topmost child in the area, when it covers the area with pixels it shows itself (an
// opaque image over the whole form), makes painting the form there needless.
bool TForm::ShownByCoveringChild(const TRect& area) {
  if (FHint && FHint->Showing()) return false;
  for (auto child = Controls().rbegin(); child != Controls().rend(); ++child) {
    if (!(*child)->Visible() || (*child)->BoundsRect().Intersect(area).IsEmpty()) continue;
    return (*child)->BoundsRect().Intersect(area) == area && (*child)->ShowOwnPixels();
  }
  return false;
}

// Nothing goes to a window before it is mapped: it would never be seen.
bool TForm::PutWindowPixels(TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) {
  if (!FMapped || !Visible()) return false;
  TRect clipped = source;
  if (ClipToClient(clipped, dest)) System().PutPixels(FHandle, bitmap, clipped, dest, mode);
  return true;
}

void TForm::ApplyCursor() {
  if (!FHandle) return;
  const TCursor screenCursor = Screen ? Screen->Cursor() : crDefault;
  const TCursor wanted = screenCursor != crDefault ? screenCursor : FPointerCursor;
  const TCursor shown = Screen ? Screen->Resolve(wanted) : wanted;
  if (shown == FWindowCursor) return;
  FWindowCursor = shown;
  System().SetWindowCursor(FHandle, shown);
}

bool TForm::Contains(const TControl* control) const { return control == this || InTree(*this, control); }

TWinControl* TForm::ActiveControl() const {
  if (FActiveControl && InTree(*this, FActiveControl) && FActiveControl->CanFocus()) return FActiveControl;
  return nullptr;
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control == FActiveControl) return;
  // Both repaint: the focused control marks itself.
  if (TWinControl* old = ActiveControl()) old->Invalidate();
  FActiveControl = control;
  if (control) control->Invalidate();
}

void TForm::SelectNext(bool forward) {
  const std::vector<TWinControl*> list = TabOrderList();
  if (list.empty()) return;
  const auto count = static_cast<int>(list.size());
  const auto found = std::find(list.begin(), list.end(), ActiveControl());
  const int current = found == list.end() ? (forward ? -1 : count) : static_cast<int>(found - list.begin());
  SetActiveControl(list[static_cast<std::size_t>((current + (forward ? 1 : -1) + count) % count)]);
}

void TForm::DefaultWndProc(const TWsEvent& event) {
  switch (event.Kind) {
    case TEventKind::Expose:
      InvalidateWindowArea(event.Area);
      break;
    case TEventKind::Resized: {
      FResizedBySystem = true;
      TScopeExit done{[this] { FResizedBySystem = false; }};
      SetBounds(Left(), Top(), event.Width, event.Height);
      break;
    }
    case TEventKind::KeyDown:
      if (Enabled()) RouteKey(event);
      break;
    case TEventKind::MouseDown:
    case TEventKind::MouseUp:
    case TEventKind::MouseMove:
      if (Enabled()) RouteMouse(event);
      break;
    case TEventKind::MouseLeave:
      SetHover(nullptr);
      if (FHint) FHint->Cancel();
      break;
    case TEventKind::CloseRequest:
      if (Enabled()) Close();
      break;
    case TEventKind::HostDestroyed:
      // The window went with its host: there is nothing left to destroy.
      FHandle = 0;
      FMapped = false;
      FSurface.SetSize(0, 0);
      Close();
      break;
    default:
      break;
  }
}

void TForm::RouteKey(const TWsEvent& event) {
  unsigned key = event.Key;
  // The form sees every key before its focused control does.
  if (FHint) FHint->Cancel();
  KeyDown(key, event.Shift);
  TWinControl* focused = ActiveControl();
  if (key != 0 && focused) focused->KeyDown(key, event.Shift);
  if (key == VK_TAB) SelectNext((event.Shift & ssShift) == 0);
  if (key == VK_RETURN || key == VK_ESCAPE) DialogKey(key);
}

void TForm::TrackPointer(const TWsEvent& event) {
  if (!FHint) FHint = std::make_unique<THintWindow>(*this);
  if (event.Kind == TEventKind::MouseMove) FHint->PointerMoved({event.X, event.Y});
  else FHint->Cancel();
  SetHover(ControlAtPos(event.X, event.Y));
}

void TForm::SetHover(TControl* control) {
  if (FHover && !Contains(FHover)) FHover = nullptr;
  if (control == FHover) return;
  if (FHover) FHover->MouseLeave();
  FHover = control;
  if (FHover) FHover->MouseEnter();
}

void TForm::RouteMouse(const TWsEvent& event) {
  TrackPointer(event);
  if (FCapture && !Contains(FCapture)) FCapture = nullptr;
  TControl* target = FCapture ? FCapture : ControlAtPos(event.X, event.Y);
  const TPoint offset = target == this ? TPoint{} : target->WindowOffset();
  const int x = event.X - offset.X;
  const int y = event.Y - offset.Y;
  switch (event.Kind) {
    case TEventKind::MouseDown:
      FCapture = target;
      target->MouseDown(event.Button, event.Shift, x, y);
      break;
    case TEventKind::MouseMove:
      FPointerCursor = ControlAtPos(event.X, event.Y)->EffectiveCursor();
      ApplyCursor();
      target->MouseMove(event.Shift, x, y);
      break;
    default:
      FCapture = nullptr;
      target->MouseUp(event.Button, event.Shift, x, y);
      if (Contains(target) && target->ClientRect().Contains(x, y)) target->Click();
      break;
  }
}

bool TForm::CloseQuery(TCloseAction& action) {
  if (OnClose) Application->CallHandler([&] { OnClose(this, action); });
  return action != TCloseAction::caNone;
}

void TForm::Close() {
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
  const bool main = Application->MainForm() == this;
  TCloseAction action = main ? TCloseAction::caFree : TCloseAction::caHide;
  if (!CloseQuery(action)) return;
  if (main) Application->Terminate();
  else if (action == TCloseAction::caHide) Hide();
  else Application->Release(this);
}

TModalResult TForm::ShowModal() {
  AfterConstruction();
  if (Visible() || FModal) throw Exception("Cannot make a visible window modal");
  const std::vector<TForm*> disabled = Application->DisableForms(this);
  FModal = true;
  FModalResult = mrNone;
  TScopeExit restore{[&] {
    Hide();
    FModal = false;
    Application->EnableForms(disabled);
  }};
  Show();
  RunModalLoop();
  return FModalResult;
}

void TForm::RunModalLoop() {
  for (;;) {
    Application->HandleMessage();
    if (FModalResult == mrNone) continue;
    TCloseAction action = TCloseAction::caHide;
    if (CloseQuery(action)) return;
    FModalResult = mrNone;
  }
}
