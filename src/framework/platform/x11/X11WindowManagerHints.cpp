#include "X11WindowManagerHints.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

// The Motif window-manager hints, still the common way to ask for a frame style.
struct TMotifHints {
  unsigned long Flags;
  unsigned long Functions;
  unsigned long Decorations;
  long InputMode;
  unsigned long StatusFlags;
};
constexpr unsigned long kMwmHintsFunctions = 1, kMwmHintsDecorations = 2;
constexpr unsigned long kFuncAll = 1, kFuncResize = 2, kFuncMove = 4, kFuncMinimize = 8, kFuncMaximize = 16,
                        kFuncClose = 32;
constexpr unsigned long kDecorAll = 1, kDecorBorder = 2, kDecorTitle = 8, kDecorMenu = 16;

constexpr long kSourceApplication = 1;

// WM_CLASS: the instance is the program's own file name, by which window managers and desktop
// entries (StartupWMClass) tell the saver, the gallery and the tools apart; the class is the
// family they all belong to.
constexpr const char* kWindowClass = "zzQuenbrel";
std::string ProgramInstanceName() {
  std::error_code error;
  const std::string name = std::filesystem::read_symlink("/proc/self/exe", error).filename().string();
  return error || name.empty() ? kWindowClass : name;
}

TMotifHints MotifHintsFor(const TWindowParams& params) {
  TMotifHints hints{kMwmHintsFunctions | kMwmHintsDecorations, 0, 0, 0, 0};
  switch (params.BorderStyle) {
    case TBorderStyle::bsNone: hints.Functions = kFuncMove | kFuncClose; break;
    case TBorderStyle::bsDialog:
      hints.Functions = kFuncMove | (params.SystemMenu ? kFuncClose : 0);
      hints.Decorations = kDecorBorder | kDecorTitle | (params.SystemMenu ? kDecorMenu : 0);
      break;
    case TBorderStyle::bsSizeable:
      hints.Functions = params.SystemMenu ? kFuncAll : kFuncResize | kFuncMove | kFuncMinimize | kFuncMaximize;
      // With the "all" bit, the bits beside it are taken away.
      hints.Decorations = params.SystemMenu ? kDecorAll : kDecorAll | kDecorMenu;
      break;
  }
  return hints;
}

}  // namespace

void TX11WindowManagerHints::Apply(Window window, const TWindowParams& params) {
  Display* display = FConnection.Handle();
  static const std::string instance = ProgramInstanceName();
  XClassHint classHint{const_cast<char*>(instance.c_str()), const_cast<char*>(kWindowClass)};
  XSetClassHint(display, window, &classHint);
  XWMHints wmHints{};
  wmHints.flags = InputHint | StateHint;
  wmHints.input = True;
  wmHints.initial_state = NormalState;
  XSetWMHints(display, window, &wmHints);
  // Also without a close box: a window manager may offer to close any window (Openbox does),
  // and one that cannot ask kills the program instead.
  Atom deleteWindow = FConnection.InternAtom("WM_DELETE_WINDOW");
  XSetWMProtocols(display, window, &deleteWindow, 1);
  SetCaption(window, params.Caption);
  SetFrame(window, params);
  SetPlacement(window, params.Bounds, params.BorderStyle == TBorderStyle::bsDialog, params.MinSize);
  if (params.StayOnTop) AddState(window, FConnection.InternAtom("_NET_WM_STATE_ABOVE"));
  // A modal dialog of our own stays over its owner.
  if (params.TransientFor) {
    XSetTransientForHint(display, window, params.TransientFor);
    AddState(window, FConnection.InternAtom("_NET_WM_STATE_MODAL"));
  }
}

void TX11WindowManagerHints::SetCaption(Window window, const std::string& caption) {
  Display* display = FConnection.Handle();
  XStoreName(display, window, caption.c_str());
  XChangeProperty(display, window, FConnection.InternAtom("_NET_WM_NAME"), FConnection.InternAtom("UTF8_STRING"), 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(caption.data()),
                  static_cast<int>(caption.size()));
}

void TX11WindowManagerHints::RequestActivation(Window window) {
  SendToRoot(window, FConnection.InternAtom("_NET_ACTIVE_WINDOW"), {kSourceApplication, CurrentTime, 0, 0, 0});
}

void TX11WindowManagerHints::RequestFrameExtents(Window window) {
  SendToRoot(window, FConnection.InternAtom("_NET_REQUEST_FRAME_EXTENTS"), {0, 0, 0, 0, 0});
}

bool TX11WindowManagerHints::FrameExtents(Window window, TRect& extents) {
  const std::vector<unsigned long> widths = FConnection.Property32(window, "_NET_FRAME_EXTENTS", XA_CARDINAL);
  if (widths.size() != 4) return false;
  // Left, right, top, bottom; a frame wider than any screen is no frame.
  for (const unsigned long width : widths)
    if (width > 0xFFFF) return false;
  const auto edge = [&](int i) { return static_cast<int>(widths[static_cast<std::size_t>(i)]); };
  extents = {edge(0), edge(2), edge(1), edge(3)};
  return true;
}

void TX11WindowManagerHints::SetFrame(Window window, const TWindowParams& params) {
  const TMotifHints hints = MotifHintsFor(params);
  const Atom atom = FConnection.InternAtom("_MOTIF_WM_HINTS");
  XChangeProperty(FConnection.Handle(), window, atom, atom, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(&hints), 5);
}

void TX11WindowManagerHints::SetPlacement(Window window, const TRect& bounds, bool fixed, TSize minSize) {
  XSizeHints hints{};
  hints.flags = PPosition | PSize | PWinGravity;
  hints.win_gravity = StaticGravity;
  hints.x = bounds.Left;
  hints.y = bounds.Top;
  hints.width = bounds.Width();
  hints.height = bounds.Height();
  if (fixed) {
    hints.flags |= PMinSize | PMaxSize;
    hints.min_width = hints.max_width = bounds.Width();
    hints.min_height = hints.max_height = bounds.Height();
  } else if (minSize.cx > 0 || minSize.cy > 0) {
    hints.flags |= PMinSize;
    hints.min_width = std::max(minSize.cx, 1);
    hints.min_height = std::max(minSize.cy, 1);
  }
  XSetWMNormalHints(FConnection.Handle(), window, &hints);
}

void TX11WindowManagerHints::AddState(Window window, Atom state) {
  const std::vector<unsigned long> items = FConnection.Property32(window, "_NET_WM_STATE", XA_ATOM);
  std::vector<Atom> states(items.begin(), items.end());
  // Listed once, however often asked.
  std::erase(states, state);
  states.push_back(state);
  XChangeProperty(FConnection.Handle(), window, FConnection.InternAtom("_NET_WM_STATE"), XA_ATOM, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(states.data()), static_cast<int>(states.size()));
}

void TX11WindowManagerHints::SendToRoot(Window window, Atom type, const long (&data)[5]) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  std::copy(std::begin(data), std::end(data), event.xclient.data.l);
  XSendEvent(FConnection.Handle(), FConnection.Root(), False, SubstructureRedirectMask | SubstructureNotifyMask,
             &event);
}
