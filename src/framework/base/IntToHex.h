#pragma once
#include <cstdint>
#include <string>

// The value in upper-case hexadecimal digits, zero-padded on the left to at least `digits`
// digits; a longer value keeps all of its digits.
std::string IntToHex(std::uint64_t value, int digits);

// The value of a hexadecimal digit in either case; -1 for any other character.
int HexDigitValue(char c);
