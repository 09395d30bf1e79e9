#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "ImagingFixture.h"
#include "imaging/ImageIO.h"
#include "support/TempDir.h"

namespace {

// Pictures that Debian packages ship (icons, documentation), a few of each extension.
std::vector<std::string> ShippedPictures() {
  const std::map<std::string, int> wanted = {{".png", 6}, {".gif", 4}, {".jpg", 2}, {".bmp", 2}, {".tif", 2}};
  std::map<std::string, std::vector<std::string>> found;
  for (const char* root : {"/usr/share/icons/hicolor", "/usr/share/doc", "/usr/share/tcltk", "/usr/share/pixmaps"}) {
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(root, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
      if (!it->is_regular_file()) continue;
      const std::string path = it->path().string();
      const std::string extension = LowerExtension(path);
      if (wanted.count(extension)) found[extension].push_back(path);
    }
  }
  std::vector<std::string> chosen;
  for (auto& [extension, files] : found) {
    std::sort(files.begin(), files.end());
    const std::size_t count = std::min<std::size_t>(files.size(), wanted.at(extension));
    // Spread over the list, so that different packages take part.
    for (std::size_t i = 0; i < count; ++i) chosen.push_back(files[i * files.size() / count]);
  }
  return chosen;
}

TEST(ShippedPictures, DecodeToImageMagicksPixels) {
  const std::vector<std::string> files = ShippedPictures();
  ASSERT_FALSE(files.empty());
  TImageIO io(nullptr);
  for (const std::string& file : files) {
    TBitmap ours;
    io.LoadFromFile(ours, file);
    const auto theirs = MagickPixels(file);
    ASSERT_EQ(ours.Width(), theirs->Width()) << file;
    ASSERT_EQ(ours.Height(), theirs->Height()) << file;
    if (LowerExtension(file) == ".jpg") EXPECT_GE(Psnr(ours, *theirs), 40) << file;
    else EXPECT_GE(Psnr(ours, *theirs), 50) << file << " " << FirstDifference(ours, *theirs);
  }
}

// What ImageMagick makes of the files written here: the format the extension promises, and
// the pixels that were saved.
TEST(WrittenFiles, ImageMagickNamesTheirFormatAndReadsTheirPixels) {
  const std::map<std::string, std::string> formats = {{".bmp", "BMP3"},    {".pcx", "PCX"}, {".png", "PNG"},
                                                      {".tif", "TIFF"},    {".gif", "GIF"}, {".jpg", "JPEG"},
                                                      {".picture", "BMP3"}};
  TTempDir dir;
  TImageIO io(nullptr);
  for (const auto& [extension, format] : formats) {
    const auto picture = extension == ".gif" ? FewColorPicture(160, 120, 100) : PhotoPicture(160, 120);
    const std::string file = dir.File("written" + extension);
    io.SaveToFile(*picture, file);
    EXPECT_EQ(MagickFormat(file), format) << extension;
    const auto theirs = MagickPixels(file);
    if (extension == ".jpg") EXPECT_GE(Psnr(*theirs, *picture), 38);
    else EXPECT_TRUE(SamePixels(*theirs, *picture)) << extension << " " << FirstDifference(*theirs, *picture);
  }
}

}  // namespace
