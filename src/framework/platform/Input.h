#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/base/Types.h"

// The vocabulary of pointer and keyboard input that the window system reports and the
// controls receive.

using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crHourGlass = -11;
// While dragging: over a control that accepts the drop, and over one that refuses it.
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHandPoint = -21;

// A two-colour picture that the program brings for a cursor: one string per row, 'X' black,
// '.' white, ' ' transparent; HotSpot is the pixel that points.
struct TCursorImage {
  std::vector<std::string_view> Rows;
  TPoint HotSpot;
  int Width() const { return Rows.empty() ? 0 : static_cast<int>(Rows.front().size()); }
  int Height() const { return static_cast<int>(Rows.size()); }
};

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// A set of shift-state bits.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;

// One notch of a mouse wheel turned away from the user; towards the user is its negative.
constexpr int WHEEL_DELTA = 120;
