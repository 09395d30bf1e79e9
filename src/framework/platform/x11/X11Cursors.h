#pragma once
#include "X11Api.h"

#include <map>

#include "framework/platform/Input.h"

// The X cursors behind the framework's cursor values, made once each. crDefault is None:
// the window shows its parent's cursor.
class TX11Cursors {
 public:
  explicit TX11Cursors(Display* display) : FDisplay(display) {}
  ~TX11Cursors();
  TX11Cursors(const TX11Cursors&) = delete;
  TX11Cursors& operator=(const TX11Cursors&) = delete;

  Cursor For(TCursor cursor);

 private:
  Cursor Make(TCursor cursor);
  Cursor MakeInvisible();

  Display* FDisplay;
  std::map<TCursor, Cursor> FMade;
};
