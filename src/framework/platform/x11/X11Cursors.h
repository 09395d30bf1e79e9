#pragma once
#include "X11Api.h"

#include <map>

#include "framework/platform/Input.h"

// The X cursors behind the framework's cursor values, made once each. crDefault is None:
// the window shows its parent's cursor. Positive values are the program's own pictures.
class TX11Cursors {
 public:
  using TImages = std::map<TCursor, TCursorImage>;

  // `images` are the pictures given to positive values so far; they outlive this object.
  TX11Cursors(Display* display, const TImages& images) : FDisplay(display), FImages(images) {}
  ~TX11Cursors();
  TX11Cursors(const TX11Cursors&) = delete;
  TX11Cursors& operator=(const TX11Cursors&) = delete;

  Cursor For(TCursor cursor);
  // Drops what was made for a value whose picture changed.
  void Forget(TCursor cursor);

 private:
  Cursor Make(TCursor cursor);
  Cursor MakeInvisible();
  Cursor MakeFromImage(const TCursorImage& image);

  Display* FDisplay;
  const TImages& FImages;
  std::map<TCursor, Cursor> FMade;
};
