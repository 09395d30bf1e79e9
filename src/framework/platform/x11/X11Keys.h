#pragma once
#include "X11Api.h"

#include "framework/platform/Input.h"

// The classic virtual key code of a keysym. Every key has one: keys without a classic
// counterpart report 255, so that "any key" still sees them.
unsigned VirtualKeyFromKeysym(KeySym keysym);

// The printable character a key press types, 0 for none (a control character, a function
// key, a modifier).
char32_t TypedCharacter(XKeyEvent& key);

// Modifier and button bits of an X event's state field.
TShiftState ShiftStateFromX(unsigned state);
