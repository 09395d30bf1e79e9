#pragma once
#include <cstdint>
#include <string>

#include "Color.h"

enum class TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;  // a set of TFontStyle bits
constexpr TFontStyles operator|(TFontStyle a, TFontStyle b) {
  return static_cast<TFontStyles>(static_cast<int>(a) | static_cast<int>(b));
}
constexpr bool HasStyle(TFontStyles set, TFontStyle s) { return (set & static_cast<TFontStyles>(s)) != 0; }

enum class TFontPitch : std::uint8_t { fpDefault, fpVariable, fpFixed };

constexpr int DEFAULT_CHARSET = 1;
constexpr int ANSI_CHARSET = 0;

// Screen resolution in pixels per inch: a size of S points is a height of -round(S * 96 / 72).
constexpr int ScreenPixelsPerInch = 96;

// A logical font. A negative Height is the character height in pixels, a positive one the
// cell height; Size is the same in points. Escapement turns the baseline counter-clockwise
// about the text's anchor, in tenths of a degree.
class TFont {
 public:
  std::string Name = "MS Sans Serif";
  int Height = -11;
  TFontStyles Style = 0;
  int Charset = DEFAULT_CHARSET;
  TColor Color = clWindowText;
  TFontPitch Pitch = TFontPitch::fpDefault;
  int Escapement = 0;

  int Size() const;
  void SetSize(int points);
  void AddStyle(TFontStyle s) { Style = static_cast<TFontStyles>(Style | static_cast<TFontStyles>(s)); }
  void RemoveStyle(TFontStyle s) { Style = static_cast<TFontStyles>(Style & ~static_cast<TFontStyles>(s)); }
  bool operator==(const TFont&) const = default;
};
