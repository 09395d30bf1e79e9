#pragma once
#include "X11Api.h"

#include "framework/platform/Input.h"
#include "framework/platform/KeySymbols.h"

// The printable character a key press types, 0 for none (a control character, a function
// key, a modifier).
char32_t TypedCharacter(XKeyEvent& key);

// Modifier and button bits of an X event's state field.
TShiftState ShiftStateFromX(unsigned state);
