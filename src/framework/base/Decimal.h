#pragma once
// Finite non-negative numbers as strings of decimal digits, rounded in decimal: what number
// pictures need in order to round halves away from zero at any decimal place.
#include <string>

// value = 0.D1 D2 D3 ... x 10^Exponent, with D1 non-zero and no trailing zero digit.
// Zero has no digits.
struct TDecimal {
  std::string Digits;
  int Exponent = 0;

  bool IsZero() const { return Digits.empty(); }
  // How many digits lie before the decimal point (0 for values below 1).
  int IntegerDigits() const { return Exponent > 0 ? Exponent : 0; }
  // The digit of 10^power, '0' where the number has none.
  char DigitAt(int power) const;
};

// The shortest digits that read back as the same double: 2.675 gives "2675", exponent 1,
// although the double lies a little below 2.675, so that halves are the halves one wrote.
TDecimal ShortestDecimal(double magnitude);

// Rounded to `places` digits after the decimal point (negative: before it), halves away from zero.
TDecimal RoundedToPlaces(const TDecimal& value, int places);
// Rounded to `digits` significant digits, halves away from zero.
TDecimal RoundedToDigits(const TDecimal& value, int digits);
