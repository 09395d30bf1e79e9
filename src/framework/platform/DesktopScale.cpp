#include "DesktopScale.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace {

constexpr double kStepsPerUnit = 8;

std::string_view Trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<double> Number(std::string_view text) {
  text = Trimmed(text);
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) || value <= 0)
    return std::nullopt;
  return value;
}

double Kept(double scale) {
  return std::clamp(std::round(scale * kStepsPerUnit) / kStepsPerUnit, kLeastDesktopScale, kMostDesktopScale);
}

}  // namespace

std::optional<double> ScaleFromText(std::string_view text) {
  const std::optional<double> value = Number(text);
  if (!value) return std::nullopt;
  return Kept(*value);
}

std::optional<double> ScaleFromResources(std::string_view resources) {
  constexpr std::string_view kName = "Xft.dpi:";
  std::optional<double> found;
  // The last line that names it wins, as with the resource database itself.
  while (!resources.empty()) {
    const std::size_t end = std::min(resources.find('\n'), resources.size());
    const std::string_view line = Trimmed(resources.substr(0, end));
    resources.remove_prefix(std::min(end + 1, resources.size()));
    if (!line.starts_with(kName)) continue;
    if (const std::optional<double> dpi = Number(line.substr(kName.size()))) found = Kept(*dpi / 96);
  }
  return found;
}

double DesktopScaleFrom(const char* override, std::string_view resources) {
  if (override)
    if (const std::optional<double> scale = ScaleFromText(override)) return *scale;
  return ScaleFromResources(resources).value_or(1.0);
}
