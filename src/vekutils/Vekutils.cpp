#include "Vekutils.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <vector>

#include <unistd.h>

#include "framework/base/Exceptions.h"
#include "framework/base/Stream.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/core/Control.h"

namespace {

// Signed 32-bit arithmetic that wraps instead of overflowing, as the blends require.
std::int32_t Wrap(std::int64_t v) { return static_cast<std::int32_t>(static_cast<std::uint32_t>(v)); }

int Channel(std::int32_t colour, int shift) { return (static_cast<std::uint32_t>(colour) >> shift) & 0xFF; }

bool InSafeRange(std::int64_t v) { return v >= -8191 && v <= 8191; }

}  // namespace

std::int32_t SwapRedBlue(std::int32_t colour) {
  const auto c = static_cast<std::uint32_t>(colour);
  return static_cast<std::int32_t>(((c >> 16) & 0xFFu) | (c & 0xFF00u) | ((c & 0xFFu) << 16));
}

std::int32_t BlendColor(std::int32_t a, std::int32_t b, int step, int steps) {
  if (steps < 1) return a;
  std::uint32_t result = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const std::int32_t weighted = Wrap(Wrap(std::int64_t{steps} - step) * std::int64_t{Channel(a, shift)} +
                                       std::int64_t{step} * Channel(b, shift));
    const std::int32_t channel = weighted / steps;  // truncates toward zero
    result |= (static_cast<std::uint32_t>(channel) & 0xFFu) << shift;
  }
  return static_cast<std::int32_t>(result);
}

std::int32_t BlendColor3(std::int32_t a, std::int32_t b, std::int32_t c, int step, int steps) {
  const int half = steps / 2;
  if (step < half) return BlendColor(a, b, step, half);
  return BlendColor(b, c, step - half, steps - half);
}

double DistanceSq(double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  return static_cast<double>(static_cast<long double>(dx) * dx + static_cast<long double>(dy) * dy);
}

double Distance(double x1, double y1, double x2, double y2) { return std::sqrt(DistanceSq(x1, y1, x2, y2)); }

int RoundToInt(double x) {
  if (x == 0 || std::isnan(x)) return 0;
  const double fraction = std::fabs(x - std::trunc(x));
  double whole;
  if (x > 0) whole = fraction < 0.5 ? std::floor(x) : std::ceil(x);
  else whole = fraction < 0.5 ? std::ceil(x) : std::floor(x);
  if (whole >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (whole <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(whole);
}

int RoundToLong(double x) { return RoundToInt(x); }

bool TryReadInt(TStream& stream, std::int32_t& value) {
  unsigned char bytes[4] = {};
  const bool whole = stream.Read(bytes, 4) == 4;
  if (whole)
    value = static_cast<std::int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (std::uint32_t{bytes[3]} << 24));
  return whole;
}

std::int32_t ReadInt(TStream& stream) {
  std::int32_t value = 0;
  TryReadInt(stream, value);
  return value;
}

void WriteInt(TStream& stream, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                  static_cast<unsigned char>(v >> 16), static_cast<unsigned char>(v >> 24)};
  if (stream.Write(bytes, 4) != 4) throw EWriteError("Stream write error");
}

void ClearCanvas(const TControl& control, TCanvas& canvas, TColor colour) {
  canvas.Pen.Color = colour;
  canvas.Brush.Color = colour;
  canvas.FillRect({0, 0, control.Width(), control.Height()});
}

std::string AppDirOf(const std::string& programFileName) {
  // Only "/" separates folders: ":" and "\" are ordinary characters of a file name here.
  const auto cut = programFileName.find_last_of('/');
  return cut == std::string::npos ? "/" : programFileName.substr(0, cut + 1);
}

std::string AppDir() {
  std::vector<char> buffer(4096);
  const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return AppDirOf(n > 0 ? std::string(buffer.data(), static_cast<std::size_t>(n)) : std::string());
}

bool LineInRange(int x1, int y1, int x2, int y2) {
  return InSafeRange(x1) && InSafeRange(y1) && InSafeRange(x2) && InSafeRange(y2) &&
         InSafeRange(std::int64_t{x2} - x1) && InSafeRange(std::int64_t{y2} - y1);
}

bool TriangleInRange(int x1, int y1, int x2, int y2, int x3, int y3) {
  for (const int v : {x1, y1, x2, y2, x3, y3})
    if (!InSafeRange(v)) return false;
  return InSafeRange(std::int64_t{x2} - x1) && InSafeRange(std::int64_t{x3} - x2) &&
         InSafeRange(std::int64_t{x1} - x3) && InSafeRange(std::int64_t{y2} - y1) &&
         InSafeRange(std::int64_t{y3} - y2) && InSafeRange(std::int64_t{y1} - y3);
}

bool FillTriangle(const TControl& control, TCanvas& canvas, int x1, int y1, int x2, int y2, int x3, int y3) {
  const int w = control.Width();
  const int h = control.Height();
  const bool outside = (x1 < 0 && x2 < 0 && x3 < 0) || (x1 > w && x2 > w && x3 > w) || (y1 < 0 && y2 < 0 && y3 < 0) ||
                       (y1 > h && y2 > h && y3 > h);
  if (outside) return true;
  const bool safe = TriangleInRange(x1, y1, x2, y2, x3, y3);
  if (safe) canvas.Polygon({{x1, y1}, {x2, y2}, {x3, y3}});
  return safe;
}
