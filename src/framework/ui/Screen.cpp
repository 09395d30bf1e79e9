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
