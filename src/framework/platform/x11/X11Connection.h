#pragma once
#include "X11Api.h"

#include <string>
#include <unordered_map>
#include <vector>

#include "framework/graphics/Canvas.h"

// One open display with what every request needs: the screen, its root, the TrueColor
// visual whose pixel word matches the bitmaps' (0x00RRGGBB), and interned atoms.
class TX11Connection {
 public:
  // Raises EDisplayError naming the display when it cannot be opened or has no such visual.
  TX11Connection();
  ~TX11Connection();
  TX11Connection(const TX11Connection&) = delete;
  TX11Connection& operator=(const TX11Connection&) = delete;

  Display* Handle() const { return FDisplay; }
  Window Root() const { return FRoot; }
  Visual* TrueColorVisual() const { return FVisual; }
  int Depth() const { return FDepth; }
  Colormap ColorMap() const { return FColormap; }
  // MIT-SHM works only where the server can map our memory: a local display.
  bool ShmUsable() const { return FShmUsable; }
  int Fd() const { return ConnectionNumber(FDisplay); }
  // The screen's size as the root window last reported it: Xlib's own figures stay as they
  // were when the display was opened.
  TSize ScreenSize() const { return FScreenSize; }
  void SetScreenSize(TSize size) { FScreenSize = size; }

  // The server's time in the latest event read that tells it. A focus request made with it
  // loses to any focus change that came after that event (the user's Alt+Tab, say), where
  // one made with CurrentTime would undo it. CurrentTime until an event told the time.
  Time LastEventTime() const { return FLastEventTime; }
  void SawEventTime(Time time) {
    if (time != CurrentTime) FLastEventTime = time;
  }

  Atom InternAtom(const char* name);
  // A property of 32-bit items of `type` (XA_ATOM, XA_WINDOW, XA_CARDINAL); empty when the
  // window has none of that name and type.
  std::vector<unsigned long> Property32(Window window, const char* name, Atom type);

 private:
  void ChooseVisual(const std::string& name);
  bool LocalDisplay() const;

  Display* FDisplay = nullptr;
  Window FRoot = 0;
  Visual* FVisual = nullptr;
  int FDepth = 0;
  Colormap FColormap = 0;
  bool FOwnColormap = false;
  bool FShmUsable = false;
  TSize FScreenSize;
  Time FLastEventTime = CurrentTime;
  std::unordered_map<std::string, Atom> FAtoms;
};
