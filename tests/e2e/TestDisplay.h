#pragma once
#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/platform/Input.h"

struct TWindowGeometry {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  bool Viewable = false;
  bool OverrideRedirect = false;
};

// The test's own connection to the display: it makes host windows, looks at what the
// program shows, and plays the other clients (one that grabs, one that takes the focus).
class TTestDisplay {
 public:
  explicit TTestDisplay(const std::string& name);
  ~TTestDisplay();
  TTestDisplay(const TTestDisplay&) = delete;
  TTestDisplay& operator=(const TTestDisplay&) = delete;

  Display* Handle() const { return FDisplay; }
  Window Root() const { return DefaultRootWindow(FDisplay); }
  int ScreenWidth() const;
  int ScreenHeight() const;

  // A mapped top-level window, viewable when this returns.
  Window CreateWindow(int width, int height);
  void DestroyWindow(Window window);
  void ResizeWindow(Window window, int width, int height);
  void Focus(Window window);
  // The server's clock now, as the time of a property change.
  Time ServerTime();

  // False when the window does not exist (any more).
  bool Geometry(Window window, TWindowGeometry& geometry);
  std::vector<Window> Children(Window parent);
  // The viewable override-redirect window covering the screen, or 0.
  Window FullScreenWindow();
  // A viewable override-redirect window smaller than the screen (a menu), or 0.
  Window PopupWindow();
  // The viewable top-level window with this title, or 0.
  Window TopLevel(const std::string& title, TWindowGeometry& geometry);
  // Pixel words (0x00RRGGBB) of a window's area, row by row; empty when it cannot be read.
  std::vector<std::uint32_t> Capture(Window window, int x, int y, int width, int height);

  // Where the window's top-left corner lies on the screen, however deep it sits.
  bool ScreenOrigin(Window window, int& x, int& y);
  // A property of 32-bit items (cardinals, atoms, windows); empty when it is not set.
  std::vector<long> Property(Window window, const char* name);
  Atom AtomNamed(const char* name) { return XInternAtom(FDisplay, name, False); }
  // The window the window manager has made active, or 0.
  Window ActiveWindow();
  // Asks the window manager to activate or to close `window`, as a pager does for the user.
  void RequestActivation(Window window);
  void RequestClose(Window window);

  // Whether this client could take the keyboard now (it lets go again at once).
  bool CanGrabKeyboard();
  // Whether the pointer shape on screen shows no pixel at all.
  bool PointerInvisible();
  // Whether the pointer shape on screen is this picture, pixel for pixel, hot spot included.
  bool PointerShows(const TCursorImage& image);
  void SendClientMessage(Window window, const char* type);
  // The user's hands: xdotool with these arguments, on this display. Raises when it fails.
  void Xdotool(const std::vector<std::string>& arguments);
  // What RandR tells clients when the screen takes a new size: a new size of the root
  // window. Xvfb cannot change its screen's size, so the test tells it instead.
  void AnnounceScreenSize(int width, int height);

 private:
  // A request of the extended window-manager hints; `sourceIndex`: where it says who asks.
  void SendToWindowManager(Window window, const char* request, int sourceIndex);

  Display* FDisplay;
};
