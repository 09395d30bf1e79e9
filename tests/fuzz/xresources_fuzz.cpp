// links: quenbrel_platform
// The resources' Xft.dpi and the scale variable, on any text: a scale within its bounds or none.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "framework/platform/DesktopScale.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const std::optional<double> scale : {ScaleFromResources(text), ScaleFromText(text)})
    if (scale && !(*scale >= kLeastDesktopScale && *scale <= kMostDesktopScale)) __builtin_trap();
  return 0;
}
