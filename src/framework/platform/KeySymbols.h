#pragma once
#include <cstdint>

// What a key means, as a keysym: X11 and xkbcommon give keysyms the same numbers.
using TKeySym = std::uint32_t;

// The classic virtual key code of a keysym. Every key has one: keys without a classic
// counterpart report 255, so that "any key" still sees them.
unsigned VirtualKeyFromKeysym(TKeySym keysym);
