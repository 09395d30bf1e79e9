#include "ShortCut.h"

#include "framework/platform/WindowSystem.h"

namespace {

struct TKeyName {
  unsigned Key;
  const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

std::string KeyName(unsigned key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key < VK_F1 + 24) return "F" + std::to_string(key - VK_F1 + 1);
  for (const TKeyName& name : kKeyNames)
    if (name.Key == key) return name.Name;
  return "";
}

}  // namespace

TShortCut ShortCut(unsigned key, TShiftState shift) {
  auto value = static_cast<TShortCut>(key & 0xFFu);
  if (shift & ssShift) value |= scShift;
  if (shift & ssCtrl) value |= scCtrl;
  if (shift & ssAlt) value |= scAlt;
  return value;
}

std::string ShortCutToText(TShortCut shortCut) {
  const std::string key = KeyName(shortCut & 0xFFu);
  if (key.empty()) return "";
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + key;
}
