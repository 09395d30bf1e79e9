#pragma once
#include <cstdint>

// The window system's colour value: red in bits 0-7, green 8-15, blue 16-23.
// A top byte of 0x80 names a system colour by index; only a canvas resolves it.
using TColor = std::int32_t;

// A pixel word of a 32-bit bitmap row: blue in bits 0-7, green 8-15, red 16-23.
using TPixel = std::uint32_t;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// System colours: 0x80000000 | index.
constexpr TColor SystemColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<std::uint32_t>(index)); }
constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);

constexpr bool IsSystemColor(TColor c) { return (static_cast<std::uint32_t>(c) & 0xFF000000u) == 0x80000000u; }

// The plain colour a canvas draws for c: system colours come from the fixed classic scheme.
TColor ColorToRGB(TColor c);

// The pixel word of a plain colour: red and blue trade places, the top byte is dropped.
// A system colour is not resolved here (a direct pixel write does not resolve it).
constexpr TPixel ColorToPixel(TColor c) {
  const auto u = static_cast<std::uint32_t>(c);
  return ((u >> 16) & 0xFFu) | (u & 0xFF00u) | ((u & 0xFFu) << 16);
}
constexpr TColor PixelToColor(TPixel p) { return static_cast<TColor>(ColorToPixel(static_cast<TColor>(p))); }

constexpr TColor RGB(int r, int g, int b) {
  return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
// The channels of a plain colour.
constexpr int GetRValue(TColor c) { return static_cast<int>(static_cast<std::uint32_t>(c) & 0xFFu); }
constexpr int GetGValue(TColor c) { return static_cast<int>((static_cast<std::uint32_t>(c) >> 8) & 0xFFu); }
constexpr int GetBValue(TColor c) { return static_cast<int>((static_cast<std::uint32_t>(c) >> 16) & 0xFFu); }
