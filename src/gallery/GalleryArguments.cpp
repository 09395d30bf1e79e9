#include "GalleryArguments.h"

std::optional<TGalleryArguments> ParseGalleryArguments(const std::vector<std::string>& arguments) {
  TGalleryArguments parsed;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--page" && i + 1 < arguments.size()) {
      parsed.Page = arguments[++i];
    } else if (argument.starts_with("-") || !parsed.Picture.empty()) {
      return std::nullopt;
    } else {
      parsed.Picture = argument;
    }
  }
  return parsed;
}
