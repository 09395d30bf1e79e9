#pragma once
#include <cstdint>

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

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// A set of shift-state bits.
using TShiftState = std::uint8_t;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32, ssDouble = 64;
