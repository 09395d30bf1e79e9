#include "NumberPicture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "Decimal.h"

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }

// The positive, negative and zero pictures; ";" inside quoted text separates nothing.
std::array<std::string_view, 3> Sections(std::string_view picture) {
  std::array<std::string_view, 3> sections;
  std::size_t start = 0, index = 0;
  char quote = 0;
  for (std::size_t at = 0; at <= picture.size() && index < sections.size(); ++at) {
    const bool end = at == picture.size();
    if (!end && quote) {
      if (picture[at] == quote) quote = 0;
    } else if (!end && IsQuote(picture[at])) {
      quote = picture[at];
    } else if (end || picture[at] == ';') {
      sections[index++] = picture.substr(start, at - start);
      start = at + 1;
    }
  }
  return sections;
}

enum class TTokenKind : std::uint8_t { Digit, Point, Exponent, Literal };

struct TToken {
  TTokenKind Kind;
  std::string_view Text;   // the literal text; an exponent's letter and sign
  int ExponentDigits = 0;  // the least number of exponent digits
};

// What a picture's placeholders ask for.
struct TLayout {
  int IntegerPlaces = 0;
  int FirstZero = -1;  // integer placeholders from this one on always show a digit
  int FractionPlaces = 0;
  int FractionShown = 0;  // fraction placeholders up to the last "0" always show a digit
  bool Grouping = false;
  bool Scientific = false;
};

// One picture, read once into tokens and their layout.
class TPicture {
 public:
  explicit TPicture(std::string_view picture);

  // The value rounded as the picture asks, with the exponent that scientific pictures show.
  TDecimal Rounded(const TDecimal& value, int& exponent) const;
  std::string Render(const TDecimal& value, int exponent, const TNumberSeparators& separators) const;

 private:
  void Add(std::string_view picture, std::size_t& at);

  std::vector<TToken> FTokens;
  TLayout FLayout;
  bool FPointSeen = false;
};

TPicture::TPicture(std::string_view picture) {
  for (std::size_t at = 0; at < picture.size();) Add(picture, at);
  if (FLayout.FirstZero < 0) FLayout.FirstZero = FLayout.IntegerPlaces;
}

void TPicture::Add(std::string_view picture, std::size_t& at) {
  const char c = picture[at];
  if (IsQuote(c)) {
    const std::size_t close = std::min(picture.find(c, at + 1), picture.size());
    FTokens.push_back({TTokenKind::Literal, picture.substr(at + 1, close - at - 1)});
    at = close + 1;
    return;
  }
  const bool exponent =
      (c == 'E' || c == 'e') && at + 1 < picture.size() && (picture[at + 1] == '+' || picture[at + 1] == '-');
  if (exponent) {
    std::size_t end = at + 2;
    while (end < picture.size() && picture[end] == '0') ++end;
    FTokens.push_back({TTokenKind::Exponent, picture.substr(at, 2), static_cast<int>(end - at - 2)});
    FLayout.Scientific = true;
    at = end;
    return;
  }
  ++at;
  if (c == '0' || c == '#') {
    FTokens.push_back({TTokenKind::Digit, {}});
    if (FPointSeen) {
      ++FLayout.FractionPlaces;
      if (c == '0') FLayout.FractionShown = FLayout.FractionPlaces;
    } else {
      if (c == '0' && FLayout.FirstZero < 0) FLayout.FirstZero = FLayout.IntegerPlaces;
      ++FLayout.IntegerPlaces;
    }
  } else if (c == '.') {
    if (!FPointSeen) FTokens.push_back({TTokenKind::Point, {}});
    FPointSeen = true;
  } else if (c == ',') {
    FLayout.Grouping = FLayout.Grouping || !FPointSeen;
  } else {
    FTokens.push_back({TTokenKind::Literal, picture.substr(at - 1, 1)});
  }
}

TDecimal TPicture::Rounded(const TDecimal& value, int& exponent) const {
  exponent = 0;
  if (!FLayout.Scientific) return RoundedToPlaces(value, FLayout.FractionPlaces);
  TDecimal mantissa = RoundedToDigits(value, std::max(1, FLayout.IntegerPlaces + FLayout.FractionPlaces));
  if (mantissa.IsZero()) return mantissa;
  exponent = mantissa.Exponent - FLayout.IntegerPlaces;
  mantissa.Exponent = FLayout.IntegerPlaces;
  return mantissa;
}

std::string TPicture::Render(const TDecimal& value, int exponent, const TNumberSeparators& separators) const {
  const TLayout& layout = FLayout;
  const int integerDigits = value.IntegerDigits();
  const int significantFraction = std::max(0, static_cast<int>(value.Digits.size()) - value.Exponent);
  const int fractionShown = std::max(layout.FractionShown, std::min(significantFraction, layout.FractionPlaces));
  std::string text;
  const auto integerDigit = [&](int power) {
    text += value.DigitAt(power);
    if (layout.Grouping && power > 0 && power % 3 == 0) text += separators.Thousands;
  };
  // Integer digits beyond the picture's go where its first integer placeholder is.
  const auto leadingDigits = [&] {
    for (int power = integerDigits - 1; power >= layout.IntegerPlaces; --power) integerDigit(power);
  };
  int integerPlace = 0, fractionPlace = 0;
  bool pointPassed = false;
  for (const TToken& token : FTokens) {
    switch (token.Kind) {
      case TTokenKind::Digit:
        if (pointPassed) {
          if (fractionPlace < fractionShown) text += value.DigitAt(-1 - fractionPlace);
          ++fractionPlace;
          break;
        }
        if (integerPlace == 0) leadingDigits();
        if (const int power = layout.IntegerPlaces - 1 - integerPlace;
            power < integerDigits || integerPlace >= layout.FirstZero)
          integerDigit(power);
        ++integerPlace;
        break;
      case TTokenKind::Point:
        if (layout.IntegerPlaces == 0) leadingDigits();
        if (fractionShown > 0) text += separators.Decimal;
        pointPassed = true;
        break;
      case TTokenKind::Exponent: {
        text += token.Text[0];
        if (exponent < 0) text += '-';
        else if (token.Text[1] == '+') text += '+';
        const std::string digits = std::to_string(std::abs(exponent));
        text.append(static_cast<std::size_t>(std::max(0, token.ExponentDigits - static_cast<int>(digits.size()))), '0');
        text += digits;
        break;
      }
      case TTokenKind::Literal: text += token.Text; break;
    }
  }
  return text;
}

// Up to 15 significant digits, in plain notation from 0.0001 to below 10^15.
std::string GeneralFormat(double value, const TNumberSeparators& separators) {
  const TDecimal digits = RoundedToDigits(ShortestDecimal(std::fabs(value)), 15);
  if (digits.IsZero()) return "0";
  std::string text = value < 0 ? "-" : "";
  const int leadingPower = digits.Exponent - 1;
  if (leadingPower <= -5 || leadingPower >= 15) {
    text += digits.Digits[0];
    if (digits.Digits.size() > 1) text += separators.Decimal + digits.Digits.substr(1);
    return text + "E" + std::to_string(leadingPower);
  }
  for (int power = std::max(leadingPower, 0); power >= 0; --power) text += digits.DigitAt(power);
  const int fraction = static_cast<int>(digits.Digits.size()) - digits.Exponent;
  if (fraction > 0) text += separators.Decimal;
  for (int place = 1; place <= fraction; ++place) text += digits.DigitAt(-place);
  return text;
}

}  // namespace

std::string FormatFloat(std::string_view picture, double value, const TNumberSeparators& separators) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  const auto sections = Sections(picture);
  if (sections[0].empty()) return GeneralFormat(value, separators);
  const bool ownNegative = value < 0 && !sections[1].empty();
  const TPicture chosen(ownNegative ? sections[1] : sections[0]);
  int exponent = 0;
  const TDecimal rounded = chosen.Rounded(ShortestDecimal(std::fabs(value)), exponent);
  if (rounded.IsZero()) return TPicture(sections[2].empty() ? sections[0] : sections[2]).Render({}, 0, separators);
  const std::string sign = value < 0 && !ownNegative ? "-" : "";
  return sign + chosen.Render(rounded, exponent, separators);
}

std::string FormatFloat(std::string_view picture, double value) {
  return FormatFloat(picture, value, UserNumberSeparators());
}
