#pragma once
#include <optional>
#include <string>
#include <vector>

// zzQuenbrel-gallery [--page NAME] [PICTURE]
struct TGalleryArguments {
  std::string Page;     // the page to open with; empty: the first
  std::string Picture;  // a picture file for the image page; empty: none
};

// The arguments after the program's name, or nothing when they are not understood.
std::optional<TGalleryArguments> ParseGalleryArguments(const std::vector<std::string>& arguments);

constexpr const char* GalleryUsage = "usage: zzQuenbrel-gallery [--page NAME] [PICTURE]";
