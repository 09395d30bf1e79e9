#pragma once
// Free functions shared by the effect engine and the components: colour conversion and
// blends, distances, rounding, 4-byte stream I/O, the program's directory, and drawing
// guarded to the device coordinates that are safe to draw (-8191 ... 8191).
#include <cstdint>
#include <string>

#include "framework/graphics/Color.h"

class TCanvas;
class TControl;
class TStream;

// Trades bits 0-7 and 16-23; bits 24-31 of the result are 0. TColor <-> pixel value.
std::int32_t SwapRedBlue(std::int32_t colour);

// Channel-wise blend from a (step 0) to b (step == steps); steps < 1 returns a unchanged.
std::int32_t BlendColor(std::int32_t a, std::int32_t b, int step, int steps);
// Blend a -> b over the first half of the steps, b -> c over the rest.
std::int32_t BlendColor3(std::int32_t a, std::int32_t b, std::int32_t c, int step, int steps);

double DistanceSq(double x1, double y1, double x2, double y2);
double Distance(double x1, double y1, double x2, double y2);

// Nearest integer, halves away from zero. Values beyond the 32-bit range saturate and NaN
// gives 0 (callers pass pixel-sized values).
int RoundToInt(double x);
int RoundToLong(double x);

// One little-endian 32-bit integer at the stream's position.
std::int32_t ReadInt(TStream& stream);
// As ReadInt, but tells whether all four bytes were there.
bool TryReadInt(TStream& stream, std::int32_t& value);
// Raises EWriteError when the stream takes fewer than four bytes (a full disk, say).
void WriteInt(TStream& stream, std::int32_t value);

// Fills the control's whole area; pen and brush keep the colour afterwards.
void ClearCanvas(const TControl& control, TCanvas& canvas, TColor colour);

// The directory of the running program, always ending in "/".
std::string AppDir();
// The same for a given program file name: all of it up to its last "/".
std::string AppDirOf(const std::string& programFileName);

bool LineInRange(int x1, int y1, int x2, int y2);
bool TriangleInRange(int x1, int y1, int x2, int y2, int x3, int y3);
// Draws a filled triangle with the canvas's pen and brush unless it lies wholly outside
// the control (then true) or a coordinate or edge extent is unsafe (then false).
bool FillTriangle(const TControl& control, TCanvas& canvas, int x1, int y1, int x2, int y2, int x3, int y3);
