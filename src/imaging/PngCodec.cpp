#include "PngCodec.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/base/Exceptions.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

void FillRgbRow(const TBitmap& bitmap, int y, std::vector<png_byte>& row) {
  for (int x = 0; x < bitmap.Width(); ++x) {
    const TPixel p = bitmap.PixelAt(x, y);
    row[x * 3 + 0] = static_cast<png_byte>(p >> 16);
    row[x * 3 + 1] = static_cast<png_byte>(p >> 8);
    row[x * 3 + 2] = static_cast<png_byte>(p);
  }
}

}  // namespace

void SavePng(const TBitmap& bitmap, const std::string& fileName) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(fileName.c_str(), "wb"));
  if (!file) throw EFCreateError(fileName);
  std::vector<png_byte> row(static_cast<std::size_t>(bitmap.Width()) * 3);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!info) {
    png_destroy_write_struct(&png, nullptr);
    throw EWriteError("Cannot write PNG file " + fileName);
  }
  // libpng reports failures by longjmp; everything with a destructor was made before this point.
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw EWriteError("Cannot write PNG file " + fileName);
  }
  png_init_io(png, file.get());
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < bitmap.Height(); ++y) {
    FillRgbRow(bitmap, y, row);
    png_write_row(png, row.data());
  }
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  if (std::fflush(file.get()) != 0) throw EWriteError("Cannot write PNG file " + fileName);
}
