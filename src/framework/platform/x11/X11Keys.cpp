#include "X11Keys.h"

#include "framework/platform/WindowSystem.h"

char32_t TypedCharacter(XKeyEvent& key) {
  char bytes[8];
  KeySym keysym = NoSymbol;
  const int count = XLookupString(&key, bytes, sizeof bytes, &keysym, nullptr);
  // Keysyms beyond Latin-1 carry their code point; Latin-1 ones come as one byte.
  if (keysym >= 0x01000100 && keysym <= 0x0110FFFF) return static_cast<char32_t>(keysym - 0x01000000);
  const auto byte = static_cast<unsigned char>(bytes[0]);
  return count == 1 && byte >= 0x20 && byte != 0x7F ? byte : 0;
}

TShiftState ShiftStateFromX(unsigned state) {
  TShiftState shift = 0;
  if (state & ShiftMask) shift |= ssShift;
  if (state & Mod1Mask) shift |= ssAlt;
  if (state & ControlMask) shift |= ssCtrl;
  if (state & Button1Mask) shift |= ssLeft;
  if (state & Button3Mask) shift |= ssRight;
  if (state & Button2Mask) shift |= ssMiddle;
  return shift;
}
