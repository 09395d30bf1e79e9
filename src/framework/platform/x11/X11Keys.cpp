#include "X11Keys.h"

#include "framework/platform/WindowSystem.h"

namespace {

constexpr unsigned VK_PAUSE = 19, VK_CAPITAL = 20, VK_LWIN = 91, VK_RWIN = 92, VK_APPS = 93, VK_NUMPAD0 = 96,
                   VK_NUMLOCK = 144, VK_SCROLL = 145, VK_NONAME = 255;

struct TKeyPair {
  KeySym Sym;
  unsigned Key;
};

constexpr TKeyPair kNamedKeys[] = {
    {XK_BackSpace, VK_BACK},
    {XK_Tab, VK_TAB},
    {XK_ISO_Left_Tab, VK_TAB},
    {XK_Return, VK_RETURN},
    {XK_KP_Enter, VK_RETURN},
    {XK_Shift_L, VK_SHIFT},
    {XK_Shift_R, VK_SHIFT},
    {XK_Control_L, VK_CONTROL},
    {XK_Control_R, VK_CONTROL},
    {XK_Alt_L, VK_MENU},
    {XK_Alt_R, VK_MENU},
    {XK_Meta_L, VK_MENU},
    {XK_Meta_R, VK_MENU},
    {XK_ISO_Level3_Shift, VK_MENU},
    {XK_Pause, VK_PAUSE},
    {XK_Caps_Lock, VK_CAPITAL},
    {XK_Escape, VK_ESCAPE},
    {XK_space, VK_SPACE},
    {XK_Prior, VK_PRIOR},
    {XK_Next, VK_NEXT},
    {XK_End, VK_END},
    {XK_Home, VK_HOME},
    {XK_Left, VK_LEFT},
    {XK_Up, VK_UP},
    {XK_Right, VK_RIGHT},
    {XK_Down, VK_DOWN},
    {XK_Insert, VK_INSERT},
    {XK_Delete, VK_DELETE},
    {XK_Super_L, VK_LWIN},
    {XK_Super_R, VK_RWIN},
    {XK_Menu, VK_APPS},
    {XK_Num_Lock, VK_NUMLOCK},
    {XK_Scroll_Lock, VK_SCROLL},
};

}  // namespace

unsigned VirtualKeyFromKeysym(KeySym keysym) {
  if (keysym >= XK_a && keysym <= XK_z) return static_cast<unsigned>(keysym - XK_a + 'A');
  if (keysym >= XK_A && keysym <= XK_Z) return static_cast<unsigned>(keysym - XK_A + 'A');
  if (keysym >= XK_0 && keysym <= XK_9) return static_cast<unsigned>(keysym - XK_0 + '0');
  if (keysym >= XK_KP_0 && keysym <= XK_KP_9) return static_cast<unsigned>(keysym - XK_KP_0 + VK_NUMPAD0);
  if (keysym >= XK_F1 && keysym <= XK_F24) return static_cast<unsigned>(keysym - XK_F1 + VK_F1);
  for (const TKeyPair& pair : kNamedKeys)
    if (pair.Sym == keysym) return pair.Key;
  return VK_NONAME;
}

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
