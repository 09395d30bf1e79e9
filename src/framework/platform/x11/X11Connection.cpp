#include "X11Connection.h"

#include <string_view>

#include "X11ErrorTrap.h"
#include "framework/platform/WindowSystem.h"

namespace {

bool MatchesPixelWord(const Visual* visual) {
  return visual->red_mask == 0xFF0000 && visual->green_mask == 0x00FF00 && visual->blue_mask == 0x0000FF;
}

// Depth-24 images must use 32-bit words, or a bitmap row is not an image row.
bool Depth24Uses32Bits(Display* display) {
  int count = 0;
  XPixmapFormatValues* formats = XListPixmapFormats(display, &count);
  bool found = false;
  for (int i = 0; i < count; ++i)
    if (formats[i].depth == 24 && formats[i].bits_per_pixel == 32) found = true;
  XFree(formats);
  return found;
}

}  // namespace

TX11Connection::TX11Connection() {
  const std::string name = XDisplayName(nullptr);
  FDisplay = XOpenDisplay(nullptr);
  if (!FDisplay) throw EDisplayError("cannot open display \"" + name + "\"");
  TX11ErrorTrap::InstallHandler();
  FRoot = DefaultRootWindow(FDisplay);
  try {
    ChooseVisual(name);
  } catch (...) {
    XCloseDisplay(FDisplay);
    throw;
  }
  FShmUsable = LocalDisplay() && XShmQueryExtension(FDisplay);
  FScreenSize = {DisplayWidth(FDisplay, DefaultScreen(FDisplay)), DisplayHeight(FDisplay, DefaultScreen(FDisplay))};
  // A change of the screen's size (RandR) reaches clients as a new size of the root window.
  XSelectInput(FDisplay, FRoot, StructureNotifyMask);
}

TX11Connection::~TX11Connection() {
  if (FOwnColormap) XFreeColormap(FDisplay, FColormap);
  XCloseDisplay(FDisplay);
}

void TX11Connection::ChooseVisual(const std::string& name) {
  const int screen = DefaultScreen(FDisplay);
  XVisualInfo info{};
  Visual* defaultVisual = DefaultVisual(FDisplay, screen);
  if (DefaultDepth(FDisplay, screen) == 24 && defaultVisual->c_class == TrueColor && MatchesPixelWord(defaultVisual)) {
    FVisual = defaultVisual;
    FColormap = DefaultColormap(FDisplay, screen);
  } else if (XMatchVisualInfo(FDisplay, screen, 24, TrueColor, &info) && MatchesPixelWord(info.visual)) {
    FVisual = info.visual;
    FColormap = XCreateColormap(FDisplay, FRoot, FVisual, AllocNone);
    FOwnColormap = true;
  }
  if (!FVisual || !Depth24Uses32Bits(FDisplay))
    throw EDisplayError("display \"" + name + "\" has no 24-bit TrueColor visual");
  FDepth = 24;
}

bool TX11Connection::LocalDisplay() const {
  const std::string_view name = DisplayString(FDisplay);
  return name.starts_with(':') || name.starts_with("unix:");
}

Atom TX11Connection::InternAtom(const char* name) {
  auto found = FAtoms.find(name);
  if (found != FAtoms.end()) return found->second;
  const Atom atom = XInternAtom(FDisplay, name, False);
  FAtoms.emplace(name, atom);
  return atom;
}

std::vector<unsigned long> TX11Connection::Property32(Window window, const char* name, Atom type) {
  Atom actualType = None;
  int format = 0;
  unsigned long count = 0, remaining = 0;
  unsigned char* data = nullptr;
  std::vector<unsigned long> items;
  if (XGetWindowProperty(FDisplay, window, InternAtom(name), 0, 1024, False, type, &actualType, &format, &count,
                         &remaining, &data) != Success)
    return items;
  // Xlib hands 32-bit items over as longs.
  const auto* values = reinterpret_cast<const unsigned long*>(data);
  if (data && actualType == type && format == 32) items.assign(values, values + count);
  if (data) XFree(data);
  return items;
}
