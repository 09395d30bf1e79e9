#pragma once
#include "X11Api.h"

#include "framework/platform/Input.h"

// The classic virtual key code of a keysym. Every key has one: keys without a classic
// counterpart report 255, so that "any key" still sees them.
unsigned VirtualKeyFromKeysym(KeySym keysym);

// Modifier and button bits of an X event's state field.
TShiftState ShiftStateFromX(unsigned state);
