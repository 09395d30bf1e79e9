#include "Form.h"

#include <algorithm>
#include <utility>

#include "Application.h"
#include "framework/base/StoreChanged.h"
#include "framework/graphics/Canvas.h"

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
  params.Bounds = DeviceBounds();
  params.BorderStyle = BorderStyle;
  params.MinSize = {FScale.X(Constraints.MinWidth), FScale.Y(Constraints.MinHeight)};
  params.SystemMenu = SystemMenu;
  params.StayOnTop = FormStyle == TFormStyle::fsStayOnTop;
  params.FullScreen = CoversScreen();
  params.Screen = ScreenId;
  const TForm* owner = Application->MainForm();
  if (FModal && owner && owner != this && owner->FHandle) params.TransientFor = owner->FHandle;
  params.Caption = FCaption;
  CreateParams(params);
  return params;
}

bool TForm::CoversScreen() const {
  return !FParentWindow && BorderStyle == TBorderStyle::bsNone && WindowState == TWindowState::wsMaximized;
}

TDeviceScale TForm::WantedScale() const {
  return FParentWindow || CoversScreen() ? TDeviceScale() : TDeviceScale(System().DesktopScale());
}

TRect TForm::DeviceBounds() const {
  const TSize size = DeviceSize();
  return Bounds(FScale.X(Left()), FScale.Y(Top()), size.cx, size.cy);
}

void TForm::CreateHandle() {
  if (FHandle) return;
  FScale = WantedScale();
  FHandle = System().CreateWindow(WindowParams());
  FSurface.SetMemoryProvider(System().PixelMemory());
  const TSize size = DeviceSize();
  FSurface.SetSize(size.cx, size.cy);
  FSurface.Canvas().SetScale(FScale);
}

void TForm::DestroyHandle() {
  if (!FHandle) return;
  System().DestroyWindow(FHandle);
  ForgetHandle();
}

void TForm::ForgetHandle() {
  FHandle = 0;
  FMapped = false;
  FSurface.SetSize(0, 0);
  FInvalid = {};
}

void TForm::SetBounds(int left, int top, int width, int height) {
  const int keptWidth = std::max(width, Constraints.MinWidth), keptHeight = std::max(height, Constraints.MinHeight);
  TWinControl::SetBounds(left, top, keptWidth, keptHeight);
  // A window made smaller than its least size (by a window manager that ignored it) is
  // brought back to the size the form keeps.
  if (FResizedBySystem && FHandle && (keptWidth != width || keptHeight != height))
    System().SetWindowBounds(FHandle, DeviceBounds());
}

void TForm::SetVisible(bool visible) {
  if (visible == Visible()) return;
  TWinControl::SetVisible(visible);
  // A description may make a form visible; it shows once its creation handler has run.
  if (!FConstructed) return;
  if (visible) ShowWindow();
  else HideWindow();
}

// The size of the screen the form covers when maximised.
TSize TForm::CoveredScreenSize() const {
  if (ScreenId != 0)
    for (const TScreenInfo& screen : System().Screens())
      if (screen.Id == ScreenId) return LogicalSize(screen.Size);
  return ScreenSize();
}

TSize TForm::ScreenSize() const { return LogicalSize(System().ScreenSize()); }

// Before its window is made, a form measures with the scale that window will have.
TSize TForm::LogicalSize(TSize device) const {
  const TDeviceScale scale = FHandle ? FScale : WantedScale();
  return {scale.LogicalLength(device.cx), scale.LogicalLength(device.cy)};
}

TPoint TForm::WindowToScreen(TPoint point) {
  return LogicalPoint(System().ClientToScreen(Handle(), FScale.Point(point)));
}

TPoint TForm::LogicalPoint(TPoint device) const {
  const TRect pixel = FScale.Logical(Bounds(device.X, device.Y, 1, 1));
  return {pixel.Left, pixel.Top};
}

void TForm::PlaceForShowing() {
  if (WindowState == TWindowState::wsMaximized && !FParentWindow) {
    const TSize screen = CoveredScreenSize();
    SetBounds(0, 0, screen.cx, screen.cy);
  } else if (Position == TPosition::poScreenCenter) {
    Centre();
    FCentreWithFrame = true;
  } else if (Position == TPosition::poDefault && FParentWindow) SetBounds(0, 0, Width(), Height());
}

// The frame goes in the middle of the screen; Left and Top are the client area's.
void TForm::Centre() {
  const TSize screen = ScreenSize();
  const TSize frame{Width() + FFrame.Left + FFrame.Right, Height() + FFrame.Top + FFrame.Bottom};
  SetBounds((screen.cx - frame.cx) / 2 + FFrame.Left, (screen.cy - frame.cy) / 2 + FFrame.Top, Width(), Height());
}

void TForm::ShowWindow() {
  // Maximising waits until now, so that no resize reaches a form before it is shown; and
  // it comes before the window is made, so that its surface is made once, at the final size.
  PlaceForShowing();
  CreateHandle();
  // Mapped before the show handler runs, so that what it draws reaches the screen.
  MapWindow();
  InvalidateWindowArea(ClientRect());
  CallEvent(OnShow);
  if (!FHandle || !Visible()) return;
  UpdateWindow();
  FInput.FormShown();
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
  if (!enabled) FInput.InputStopped();
}

void TForm::BoundsChanged() {
  TWinControl::BoundsChanged();
  if (FHandle) {
    if (!FResizedBySystem) System().SetWindowBounds(FHandle, DeviceBounds());
    // The whole form is painted again below: its old picture need not be copied.
    const TSize size = DeviceSize();
    FSurface.SetSizeBlank(size.cx, size.cy);
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
  FInvalid = FInvalid.Union(area.Intersect(ClientRect()));
}

void TForm::UpdateWindow() {
  if (FInvalid.IsEmpty() || !FMapped || !Visible()) return;
  // The form may have shrunk since the area was marked (a burst of resizes held back).
  const TRect area = FInvalid.Intersect(ClientRect());
  FInvalid = {};
  if (area.IsEmpty()) return;
  if (ShownByCoveringChild(area)) return;
  TCanvas& canvas = FSurface.Canvas();
  const auto ownClip = canvas.ClipRect();
  canvas.SetClipRect(area);
  Paint(canvas);
  if (ownClip) canvas.SetClipRect(*ownClip);
  else canvas.ClearClipRect();
  PaintChildren(FSurface, FScale, {0, 0}, area);
  FInput.PaintHint(canvas);
  const TRect device = FScale.Rect(area);
  System().PutPixels(FHandle, FSurface, device, {device.Left, device.Top}, TPutMode::Wait);
}

// The topmost child in the area, when it covers the area with pixels it shows itself (an
// opaque image over the whole form), makes painting the form there needless.
bool TForm::ShownByCoveringChild(const TRect& area) {
  if (FInput.Hint() && FInput.Hint()->Showing()) return false;
  for (auto child = Controls().rbegin(); child != Controls().rend(); ++child) {
    if (!(*child)->Visible()) continue;
    const TRect covered = (*child)->BoundsRect().Intersect(area);
    if (covered.IsEmpty()) continue;
    return covered == area && (*child)->ShowOwnPixels();
  }
  return false;
}

// Nothing goes to a window before it is mapped: it would never be seen.
bool TForm::PutWindowPixels(TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) {
  if (!FMapped || !Visible()) return false;
  TRect clipped = source;
  if (!ClipToClient(clipped, dest)) return true;
  if (FScale.IsIdentity()) {
    System().PutPixels(FHandle, bitmap, clipped, dest, mode);
    return true;
  }
  // A picture at the window's scale is grown first, on the surface, which then shows it.
  TCanvas& canvas = FSurface.Canvas();
  const std::uint32_t copyMode = std::exchange(canvas.CopyMode, SRCCOPY);
  canvas.DrawPart(dest.X, dest.Y, bitmap, clipped);
  canvas.CopyMode = copyMode;
  const TRect device = FScale.Rect(Bounds(dest.X, dest.Y, clipped.Width(), clipped.Height()));
  System().PutPixels(FHandle, FSurface, device, {device.Left, device.Top}, TPutMode::Wait);
  return true;
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

TModalResult TForm::ShowModal() { return Application->ShowModal(*this); }
