#include "Screen.h"

#include "Application.h"
#include "Form.h"
#include "framework/base/StoreChanged.h"

TScreen* Screen = nullptr;

void TScreen::SetCursor(TCursor cursor) {
  if (!StoreChanged(FCursor, cursor)) return;
  if (!Application) return;
  for (TForm* form : Application->Forms()) form->Input().ApplyCursor();
}

void TScreen::SetCursorImage(TCursor slot, const TCursorImage* image) {
  if (slot <= 0 || CursorImage(slot) == image) return;
  if (!image) {
    FImages.erase(slot);
    return;
  }
  FImages[slot] = image;
  if (Application && Application->HasWindowSystem()) Application->WindowSystem().DefineCursor(slot, *image);
}

const TCursorImage* TScreen::CursorImage(TCursor slot) const {
  const auto found = FImages.find(slot);
  return found == FImages.end() ? nullptr : found->second;
}
