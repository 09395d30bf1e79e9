#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "InputRouter.h"
#include "WinControl.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/platform/WindowSystem.h"

enum class TFormStyle : std::uint8_t { fsNormal, fsStayOnTop };
enum class TWindowState : std::uint8_t { wsNormal, wsMaximized };
enum class TPosition : std::uint8_t { poDesigned, poDefault, poScreenCenter };
enum class TCloseAction : std::uint8_t { caNone, caHide, caFree };

// The least size of a form's client area, 0 for none: the user cannot make the window
// smaller, and neither can the program.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
};

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7;

using TCloseEvent = std::function<void(TComponent* sender, TCloseAction& action)>;
// A window procedure: sees each event that reaches the form's window.
using TWndMethod = std::function<void(const TWsEvent& event)>;

// A top-level window (or a child of a foreign window) with its own surface: it paints its
// background, then its controls, and puts the result on screen. The native window is made
// when first needed: by Handle() or by showing the form. Its input goes through Input().
class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // --- What a form description sets ---
  TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
  // The window menu and its close box; without them the frame has no border icons.
  bool SystemMenu = true;
  TFormStyle FormStyle = TFormStyle::fsNormal;
  TWindowState WindowState = TWindowState::wsNormal;
  TPosition Position = TPosition::poDesigned;
  // The screen that a maximised borderless form covers, set before its window is made; 0: the first.
  TScreenId ScreenId = 0;
  TSizeConstraints Constraints;
  TColor Color = clBtnFace;
  TFont Font;
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  void SetClientWidth(int width) { SetWidth(width); }
  void SetClientHeight(int height) { SetHeight(height); }
  // A foreign window to live in (a screen-saver host); 0: a top-level window.
  void SetParentWindow(TWindowHandle window);

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnResize;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;

  // --- Life ---
  // Runs the creation handler once, after the description and the derived constructor;
  // then shows the form when its description made it visible.
  void AfterConstruction();
  // Runs the destruction handler while the form is still whole.
  void BeforeDestruction() override;

  TWindowHandle Handle();
  bool HandleAllocated() const { return FHandle != 0; }
  void Show() {
    AfterConstruction();
    SetVisible(true);
  }
  void Hide() { SetVisible(false); }
  // The main form ends the application; another form hides (or frees itself, as OnClose
  // says); a modal form ends its modal loop with mrCancel.
  void Close();
  // Shows the form and runs the application's modal loop, its other windows disabled, until
  // ModalResult is set and OnClose lets the form go; returns the result (TApplication::ShowModal).
  TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  bool Modal() const { return FModal; }

  // Pointer, keyboard focus, cursor and hint.
  TInputRouter& Input() { return FInput; }
  const TInputRouter& Input() const { return FInput; }
  // The focused control, which gets the keys after the form's own OnKeyDown.
  TWinControl* ActiveControl() const { return FInput.ActiveControl(); }
  void SetActiveControl(TWinControl* control) { FInput.SetActiveControl(control); }

  // The surface that the form paints on (its client size); OnPaint draws here.
  TCanvas& Canvas() { return FSurface.Canvas(); }
  // How the form's logical pixels, in which it and its controls are laid out, map to the
  // device pixels of its window: the desktop's scale, or 1 for a window that covers a screen
  // or lives in a foreign one (the saver and its preview draw the device's own pixels).
  const TDeviceScale& Scale() const { return FScale; }
  // The screen's size and a point of the client area on the screen, in logical pixels.
  TSize ScreenSize() const;
  TPoint WindowToScreen(TPoint point);

  // Every event that reaches the window goes through WindowProc, which is DefaultWndProc
  // unless replaced; a replacement passes on what it does not swallow.
  TWndMethod WindowProc;
  void DefaultWndProc(const TWsEvent& event);

  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  // A form has no parent to mark it: it marks its own window.
  void Invalidate() override { InvalidateWindowArea(ClientRect()); }
  void Paint(TCanvas& canvas) override;
  bool HasWindow() const override { return true; }
  void InvalidateWindowArea(const TRect& area) override;
  void UpdateWindow() override;
  bool PutWindowPixels(TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode) override;

 protected:
  void BoundsChanged() override;
  // The application's window system.
  TWindowSystem& System() const;
  // A form of a special kind (a menu) changes what its native window is made with.
  virtual void CreateParams(TWindowParams&) const {}

 private:
  // The modal loop sets the form's modal state and asks OnClose.
  friend class TApplication;

  TWindowParams WindowParams() const;
  bool CoversScreen() const;
  TDeviceScale WantedScale() const;
  // The window's place and size in the device's pixels.
  TRect DeviceBounds() const;
  TSize DeviceSize() const { return {FScale.X(Width()), FScale.Y(Height())}; }
  // An event of the window system with its places and sizes in logical pixels.
  TWsEvent InLogicalPixels(const TWsEvent& event) const;
  TPoint LogicalPoint(TPoint device) const;
  TSize LogicalSize(TSize device) const;
  void CreateHandle();
  void DestroyHandle();
  // The form without its native window, whether destroyed here or gone with its host.
  void ForgetHandle();
  void ShowWindow();
  void MapWindow();
  void HideWindow();
  void PlaceForShowing();
  TSize CoveredScreenSize() const;
  void Centre();
  void FrameChanged(const TRect& extents);
  void Rescaled(double scale);
  void CallEvent(const TNotifyEvent& event);
  void Resized(const TWsEvent& event);
  bool ShownByCoveringChild(const TRect& area);
  bool CloseQuery(TCloseAction& action);

  std::string FCaption;
  TWindowHandle FParentWindow = 0;
  TWindowHandle FHandle = 0;
  // The native window has been shown (mapped) since it was made or last hidden.
  bool FMapped = false;
  TBitmap FSurface;
  TDeviceScale FScale;
  TRect FInvalid;
  bool FConstructed = false;
  bool FDestroying = false;
  bool FModal = false;
  TModalResult FModalResult = mrNone;
  TSize FNotifiedSize;
  // The widths of the frame that the window manager puts around the window, once it says.
  TRect FFrame;
  // Centred before the frame was known: the frame's news centres it again, once.
  bool FCentreWithFrame = false;
  TInputRouter FInput{*this};
  // Set while the window system itself reports a new size, so that it is not echoed back.
  bool FResizedBySystem = false;
};
