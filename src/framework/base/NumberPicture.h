#pragma once
// Numbers formatted by a picture string, as value labels show them:
//   "0"  a digit always shown          "#"  a digit shown only when significant
//   "."  the first one places the decimal separator
//   ","  before the decimal separator: group the integer digits by thousands
//   "E+", "E-", "e+", "e-" followed by zeros: an exponent with at least that many digits
//        ("+" shows the sign always, "-" only when negative)
//   'text' or "text"  copied as it stands;  ";" separates the pictures for positive,
//        negative and zero values (an empty or missing one falls back to the first).
// The value is rounded to the picture's places with halves away from zero. Other characters
// are copied.
#include <optional>
#include <string>
#include <string_view>

struct TNumberSeparators {
  std::string Decimal = ".";
  std::string Thousands;  // none: digits stay ungrouped even when the picture asks
};

// The separators of a locale's numeric conventions ("" names the user's, from LC_ALL,
// LC_NUMERIC or LANG), as UTF-8; none when that locale is not installed.
std::optional<TNumberSeparators> LocaleNumberSeparators(const char* localeName);
// The user's separators, read once; the C locale's when the user's cannot be loaded.
const TNumberSeparators& UserNumberSeparators();

// Never fails: infinities and NaN give "INF", "-INF" and "NAN", a value that rounds to zero
// prints as zero without a sign, an empty picture gives the value with up to 15 significant
// digits, and integer digits beyond the picture's are all kept.
std::string FormatFloat(std::string_view picture, double value, const TNumberSeparators& separators);
std::string FormatFloat(std::string_view picture, double value);
