#include "KeySymbols.h"

#include "WindowSystem.h"

namespace {

constexpr unsigned VK_PAUSE = 19, VK_CAPITAL = 20, VK_LWIN = 91, VK_RWIN = 92, VK_APPS = 93, VK_NUMPAD0 = 96,
                   VK_NUMLOCK = 144, VK_SCROLL = 145, VK_NONAME = 255;

// The keysyms by their X11 names (XK_ without the prefix).
constexpr TKeySym kSpace = 0x20, kDigit0 = 0x30, kDigit9 = 0x39, kUpperA = 0x41, kUpperZ = 0x5a, kLowerA = 0x61,
                  kLowerZ = 0x7a, kKeypad0 = 0xffb0, kKeypad9 = 0xffb9, kF1 = 0xffbe, kF24 = 0xffd5;

struct TKeyPair {
  TKeySym Sym;
  unsigned Key;
};

constexpr TKeyPair kNamedKeys[] = {
    {0xff08, VK_BACK},     // BackSpace
    {0xff09, VK_TAB},      // Tab
    {0xfe20, VK_TAB},      // ISO_Left_Tab
    {0xff0d, VK_RETURN},   // Return
    {0xff8d, VK_RETURN},   // KP_Enter
    {0xffe1, VK_SHIFT},    // Shift_L
    {0xffe2, VK_SHIFT},    // Shift_R
    {0xffe3, VK_CONTROL},  // Control_L
    {0xffe4, VK_CONTROL},  // Control_R
    {0xffe9, VK_MENU},     // Alt_L
    {0xffea, VK_MENU},     // Alt_R
    {0xffe7, VK_MENU},     // Meta_L
    {0xffe8, VK_MENU},     // Meta_R
    {0xfe03, VK_MENU},     // ISO_Level3_Shift
    {0xff13, VK_PAUSE},    // Pause
    {0xffe5, VK_CAPITAL},  // Caps_Lock
    {0xff1b, VK_ESCAPE},   // Escape
    {kSpace, VK_SPACE},    // space
    {0xff55, VK_PRIOR},    // Prior
    {0xff56, VK_NEXT},     // Next
    {0xff57, VK_END},      // End
    {0xff50, VK_HOME},     // Home
    {0xff51, VK_LEFT},     // Left
    {0xff52, VK_UP},       // Up
    {0xff53, VK_RIGHT},    // Right
    {0xff54, VK_DOWN},     // Down
    {0xff63, VK_INSERT},   // Insert
    {0xffff, VK_DELETE},   // Delete
    {0xffeb, VK_LWIN},     // Super_L
    {0xffec, VK_RWIN},     // Super_R
    {0xff67, VK_APPS},     // Menu
    {0xff7f, VK_NUMLOCK},  // Num_Lock
    {0xff14, VK_SCROLL},   // Scroll_Lock
};

}  // namespace

unsigned VirtualKeyFromKeysym(TKeySym keysym) {
  if (keysym >= kLowerA && keysym <= kLowerZ) return keysym - kLowerA + 'A';
  if (keysym >= kUpperA && keysym <= kUpperZ) return keysym - kUpperA + 'A';
  if (keysym >= kDigit0 && keysym <= kDigit9) return keysym - kDigit0 + '0';
  if (keysym >= kKeypad0 && keysym <= kKeypad9) return keysym - kKeypad0 + VK_NUMPAD0;
  if (keysym >= kF1 && keysym <= kF24) return keysym - kF1 + VK_F1;
  for (const TKeyPair& pair : kNamedKeys)
    if (pair.Sym == keysym) return pair.Key;
  return VK_NONAME;
}
