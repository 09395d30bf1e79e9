#include "Screen.h"

#include "Application.h"
#include "Form.h"

TScreen* Screen = nullptr;

void TScreen::SetCursor(TCursor cursor) {
  if (cursor == FCursor) return;
  FCursor = cursor;
  if (!Application) return;
  for (TForm* form : Application->Forms()) form->ApplyCursor();
}
