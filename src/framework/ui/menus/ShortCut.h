#pragma once
#include <cstdint>
#include <string>

#include "framework/platform/Input.h"

// A key with its modifiers, as a menu item answers to it: the virtual key code in the low
// byte, the modifiers in the high bits. 0 is no shortcut.
using TShortCut = std::uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000;

// The shortcut of `key` pressed with `shift`; only Shift, Ctrl and Alt count.
TShortCut ShortCut(unsigned key, TShiftState shift);
// "Ctrl+O", "Shift+Del", "F5": the text a menu shows beside its item.
std::string ShortCutToText(TShortCut shortCut);
