#include "X11EventTranslator.h"

#include "X11Keys.h"

namespace {

// Focus changes caused by grabs (ours, the window manager's) are no change of activation.
bool CausedByGrab(const XFocusChangeEvent& x) { return x.mode == NotifyGrab || x.mode == NotifyUngrab; }

bool Set(TWsEvent& event, TEventKind kind, Window window) {
  event.Kind = kind;
  event.Window = window;
  return true;
}

// The events that tell the server's time.
Time TimeOf(const XEvent& x) {
  switch (x.type) {
    case KeyPress:
    case KeyRelease: return x.xkey.time;
    case ButtonPress:
    case ButtonRelease: return x.xbutton.time;
    case MotionNotify: return x.xmotion.time;
    case EnterNotify:
    case LeaveNotify: return x.xcrossing.time;
    case PropertyNotify: return x.xproperty.time;
    default: return CurrentTime;
  }
}

}  // namespace

bool TX11EventTranslator::Translate(const XEvent& x, TWsEvent& event, std::int64_t nowMs) {
  event = TWsEvent{};
  FConnection.SawEventTime(TimeOf(x));
  const Window window = x.xany.window;
  if (const Window guest = FWindows.GuestOf(window)) return TranslateHostEvent(x, guest, event);
  if (window == FConnection.Root()) return TranslateScreenChange(x, event);
  if (!FWindows.Owns(window)) return false;
  switch (x.type) {
    case kXExposeEvent:
      event.Area = Bounds(x.xexpose.x, x.xexpose.y, x.xexpose.width, x.xexpose.height);
      return Set(event, TEventKind::Expose, window);
    case ConfigureNotify: return TranslateConfigure(x.xconfigure, event);
    case MapNotify: Mapped(window, nowMs); return false;
    case UnmapNotify: FWindows.Find(window)->Mapped = false; return false;
    case KeyPress:
    case KeyRelease: {
      XKeyEvent key = x.xkey;
      event.Key = VirtualKeyFromKeysym(XLookupKeysym(&key, 0));
      event.Shift = ShiftStateFromX(key.state);
      if (x.type == KeyPress) event.Char = TypedCharacter(key);
      return Set(event, x.type == KeyPress ? TEventKind::KeyDown : TEventKind::KeyUp, window);
    }
    case ButtonPress:
    case ButtonRelease: return TranslateButton(x.xbutton, event);
    case MotionNotify:
      event.X = x.xmotion.x;
      event.Y = x.xmotion.y;
      event.Shift = ShiftStateFromX(x.xmotion.state);
      return Set(event, TEventKind::MouseMove, window);
    case LeaveNotify: return x.xcrossing.mode == NotifyNormal && Set(event, TEventKind::MouseLeave, window);
    case FocusIn:
      return !CausedByGrab(x.xfocus) && x.xfocus.detail != NotifyPointer && Set(event, TEventKind::Activated, window);
    case FocusOut: return TranslateFocusOut(x.xfocus, event);
    case ClientMessage: return TranslateClientMessage(x.xclient, event);
    case PropertyNotify: return TranslateProperty(x.xproperty, event);
    default: return false;
  }
}

// A host is watched for two things: it goes away (the preview ends), it changes size (the
// preview follows, as it fills its host).
bool TX11EventTranslator::TranslateHostEvent(const XEvent& x, Window guest, TWsEvent& event) {
  if (x.type == DestroyNotify && x.xdestroywindow.window == x.xdestroywindow.event)
    return Set(event, TEventKind::HostDestroyed, guest);
  if (x.type == ConfigureNotify && x.xconfigure.window == x.xconfigure.event)
    XResizeWindow(FConnection.Handle(), guest, static_cast<unsigned>(x.xconfigure.width),
                  static_cast<unsigned>(x.xconfigure.height));
  return false;
}

// The root window is as large as the screen, and RandR tells a new size of the screen so.
bool TX11EventTranslator::TranslateScreenChange(const XEvent& x, TWsEvent& event) {
  if (x.type != ConfigureNotify || x.xconfigure.window != FConnection.Root()) return false;
  const TSize size{x.xconfigure.width, x.xconfigure.height};
  if (size == FConnection.ScreenSize() || size.cx <= 0 || size.cy <= 0) return false;
  FConnection.SetScreenSize(size);
  event.Width = size.cx;
  event.Height = size.cy;
  return Set(event, TEventKind::ScreenResized, 0);
}

bool TX11EventTranslator::TranslateConfigure(const XConfigureEvent& x, TWsEvent& event) {
  TX11WindowRecord* record = FWindows.Find(x.window);
  if (x.width == record->Width && x.height == record->Height) return false;
  record->Width = event.Width = x.width;
  record->Height = event.Height = x.height;
  return Set(event, TEventKind::Resized, x.window);
}

bool TX11EventTranslator::TranslateButton(const XButtonEvent& x, TWsEvent& event) {
  event.X = x.x;
  event.Y = x.y;
  event.Shift = ShiftStateFromX(x.state);
  switch (x.button) {
    case Button1: event.Button = TMouseButton::mbLeft; break;
    case Button2: event.Button = TMouseButton::mbMiddle; break;
    case Button3: event.Button = TMouseButton::mbRight; break;
    // The vertical wheel: each notch is a press and a release of button 4 (away from the
    // user) or 5 (towards); the press alone counts.
    case Button4:
    case Button5:
      event.WheelDelta = x.button == Button4 ? WHEEL_DELTA : -WHEEL_DELTA;
      return x.type == ButtonPress && Set(event, TEventKind::MouseWheel, x.window);
    default: return false;  // horizontal wheels and extra buttons
  }
  return Set(event, x.type == ButtonPress ? TEventKind::MouseDown : TEventKind::MouseUp, x.window);
}

bool TX11EventTranslator::TranslateFocusOut(const XFocusChangeEvent& x, TWsEvent& event) {
  if (CausedByGrab(x) || x.detail == NotifyInferior || x.detail == NotifyPointer) return false;
  return FocusWithAnotherClient() && Set(event, TEventKind::Deactivated, x.window);
}

bool TX11EventTranslator::TranslateClientMessage(const XClientMessageEvent& x, TWsEvent& event) {
  if (x.message_type == FConnection.InternAtom("WM_SYSCOMMAND")) return Set(event, TEventKind::SysCommand, x.window);
  const bool deleteRequest = x.message_type == FConnection.InternAtom("WM_PROTOCOLS") && x.format == 32 &&
                             static_cast<Atom>(x.data.l[0]) == FConnection.InternAtom("WM_DELETE_WINDOW");
  return deleteRequest && Set(event, TEventKind::CloseRequest, x.window);
}

bool TX11EventTranslator::TranslateProperty(const XPropertyEvent& x, TWsEvent& event) {
  const bool frame = x.atom == FConnection.InternAtom("_NET_FRAME_EXTENTS") && x.state == PropertyNewValue;
  return frame && FHints.FrameExtents(x.window, event.Area) && Set(event, TEventKind::FrameExtents, x.window);
}

// The saver's window is override-redirect: no window manager gives it the focus, so it
// takes it, which is what lets it see another program's activation as a focus change.
// A window that asked for the focus before it was mapped takes it now, so that a dialog
// has the keyboard even where no window manager hands it over.
void TX11EventTranslator::Mapped(Window window, std::int64_t nowMs) {
  TX11WindowRecord* record = FWindows.Find(window);
  record->Mapped = true;
  if (record->FullScreen) XRaiseWindow(FConnection.Handle(), window);
  if (record->FullScreen || record->FocusWanted) {
    XSetInputFocus(FConnection.Handle(), window, RevertToParent, FConnection.LastEventTime());
    record->FocusWanted = false;
  }
  FGrabs.WindowMapped(window, record->FullScreen, nowMs);
}

bool TX11EventTranslator::FocusWithAnotherClient() {
  Window focus = None;
  int revert = 0;
  XGetInputFocus(FConnection.Handle(), &focus, &revert);
  return focus != None && focus != PointerRoot && !FWindows.Owns(focus);
}
