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
  // The program's pictures are shown `scale` screen pixels to each of theirs, as the
  // desktop's scale has its windows.
  TX11Cursors(Display* display, const TImages& images, int scale)
      : FDisplay(display), FImages(images), FScale(scale < 1 ? 1 : scale) {}
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
  int FScale;
  std::map<TCursor, Cursor> FMade;
};
