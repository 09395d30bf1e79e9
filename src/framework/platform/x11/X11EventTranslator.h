#pragma once
#include "X11Api.h"

#include <cstdint>

#include "X11Connection.h"
#include "X11Grabs.h"
#include "X11WindowManagerHints.h"
#include "X11WindowTable.h"
#include "framework/platform/WindowSystem.h"

// Turns X events into the framework's window-system events, and does the bookkeeping some
// of them call for (focus and grabs once the saver is mapped, following a host's size).
class TX11EventTranslator {
 public:
  TX11EventTranslator(TX11Connection& connection, TX11WindowTable& windows, TX11Grabs& grabs,
                      TX11WindowManagerHints& hints)
      : FConnection(connection), FWindows(windows), FGrabs(grabs), FHints(hints) {}

  // False when the X event means nothing to the framework.
  bool Translate(const XEvent& x, TWsEvent& event, std::int64_t nowMs);

 private:
  bool TranslateHostEvent(const XEvent& x, Window guest, TWsEvent& event);
  bool TranslateScreenChange(const XEvent& x, TWsEvent& event);
  bool TranslateConfigure(const XConfigureEvent& x, TWsEvent& event);
  bool TranslateButton(const XButtonEvent& x, TWsEvent& event);
  bool TranslateFocusOut(const XFocusChangeEvent& x, TWsEvent& event);
  bool TranslateClientMessage(const XClientMessageEvent& x, TWsEvent& event);
  bool TranslateProperty(const XPropertyEvent& x, TWsEvent& event);
  void Mapped(Window window, std::int64_t nowMs);
  // Whether the input focus now rests on a window of another client.
  bool FocusWithAnotherClient();

  TX11Connection& FConnection;
  TX11WindowTable& FWindows;
  TX11Grabs& FGrabs;
  TX11WindowManagerHints& FHints;
};
