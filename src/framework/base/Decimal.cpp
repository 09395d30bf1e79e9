#include "Decimal.h"

#include <charconv>
#include <string_view>

namespace {

void DropTrailingZeros(TDecimal& value) {
  const auto last = value.Digits.find_last_not_of('0');
  value.Digits.erase(last == std::string::npos ? 0 : last + 1);
  if (value.Digits.empty()) value.Exponent = 0;
}

// Keeps the first `keep` digits, rounding up when the first dropped digit is 5 or more.
TDecimal RoundedKeeping(const TDecimal& value, long long keep) {
  if (keep >= static_cast<long long>(value.Digits.size())) return value;
  if (keep < 0) return {};
  TDecimal result{value.Digits.substr(0, static_cast<std::size_t>(keep)), value.Exponent};
  if (value.Digits[static_cast<std::size_t>(keep)] < '5') {
    DropTrailingZeros(result);
    return result;
  }
  // Carry upwards through trailing nines; a carry out of the first digit adds a new one.
  auto at = result.Digits.size();
  while (at > 0 && result.Digits[at - 1] == '9') result.Digits[--at] = '0';
  if (at == 0) {
    result.Digits.insert(result.Digits.begin(), '1');
    ++result.Exponent;
  } else {
    ++result.Digits[at - 1];
  }
  DropTrailingZeros(result);
  return result;
}

}  // namespace

char TDecimal::DigitAt(int power) const {
  const long long index = static_cast<long long>(Exponent) - 1 - power;
  if (index < 0 || index >= static_cast<long long>(Digits.size())) return '0';
  return Digits[static_cast<std::size_t>(index)];
}

TDecimal ShortestDecimal(double magnitude) {
  if (!(magnitude > 0)) return {};
  // "d.ddddde[+-]xxx": at most 17 digits and a three-digit exponent.
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific);
  std::string_view scientific(text, static_cast<std::size_t>(written.ptr - text));
  const auto e = scientific.find('e');
  TDecimal value;
  for (const char c : scientific.substr(0, e))
    if (c != '.') value.Digits += c;
  std::string_view exponent = scientific.substr(e + 1);
  if (exponent.front() == '+') exponent.remove_prefix(1);
  std::from_chars(exponent.data(), exponent.data() + exponent.size(), value.Exponent);
  ++value.Exponent;
  DropTrailingZeros(value);
  return value;
}

TDecimal RoundedToPlaces(const TDecimal& value, int places) {
  return RoundedKeeping(value, static_cast<long long>(value.Exponent) + places);
}

TDecimal RoundedToDigits(const TDecimal& value, int digits) { return RoundedKeeping(value, digits); }
