#include "ImagingFixture.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <strings.h>

namespace {

std::string Capture(const std::string& command) {
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot run " + command);
  std::string out;
  char buffer[65536];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
  // ImageMagick warns with a failing status about files it still reads (a wrong length field);
  // what it printed is checked by the caller.
  pclose(pipe);
  return out;
}

}  // namespace

std::unique_ptr<TBitmap> PhotoPicture(int width, int height, int pixelBits) {
  auto bitmap = std::make_unique<TBitmap>(width, height, pixelBits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int r = 255 * x / std::max(1, width - 1);
      const int g = 255 * y / std::max(1, height - 1);
      const int b = static_cast<int>(127.5 + 127.5 * std::sin(x * 0.05) * std::cos(y * 0.07));
      const bool disc = (x - width / 3) * (x - width / 3) + (y - height / 2) * (y - height / 2) < width * height / 16;
      bitmap->SetPixelAt(x, y, disc ? 0x20C040u : static_cast<TPixel>((r << 16) | (g << 8) | b));
    }
  }
  return bitmap;
}

std::unique_ptr<TBitmap> FewColorPicture(int width, int height, int colors) {
  auto bitmap = std::make_unique<TBitmap>(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned c = static_cast<unsigned>((x / 3 + (y / 5) * 7) % colors);
      bitmap->SetPixelAt(x, y, (c * 0x9E3779u) & 0xFFFFFFu);
    }
  return bitmap;
}

std::uint32_t Crc32(const std::uint8_t* p, std::size_t n) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::size_t i = 0; i < n; ++i) {
    crc ^= p[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

bool SamePixels(const TBitmap& a, const TBitmap& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if ((a.PixelAt(x, y) & 0xFFFFFF) != (b.PixelAt(x, y) & 0xFFFFFF)) return false;
  return true;
}

std::string FirstDifference(const TBitmap& a, const TBitmap& b) {
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if ((a.PixelAt(x, y) & 0xFFFFFF) != (b.PixelAt(x, y) & 0xFFFFFF)) {
        char text[96];
        std::snprintf(text, sizeof text, "at (%d, %d): %06X against %06X", x, y, a.PixelAt(x, y) & 0xFFFFFF,
                      b.PixelAt(x, y) & 0xFFFFFF);
        return text;
      }
  return "";
}

double Psnr(const TBitmap& a, const TBitmap& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      for (int shift = 0; shift < 24; shift += 8) {
        const int d =
            static_cast<int>((a.PixelAt(x, y) >> shift) & 0xFF) - static_cast<int>((b.PixelAt(x, y) >> shift) & 0xFF);
        sum += d * d;
      }
  const double mse = sum / (3.0 * a.Width() * a.Height());
  return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

bool Shell(const std::string& command) { return std::system(("(" + command + ") >/dev/null 2>&1").c_str()) == 0; }

std::unique_ptr<TBitmap> MagickPixels(const std::string& file) {
  // A GIF frame is placed on its screen; other formats' page hints (a PNG's virtual page)
  // do not change the picture.
  const bool gif = file.size() > 4 && strcasecmp(file.c_str() + file.size() - 4, ".gif") == 0;
  const std::string source = "'" + file + "[0]'" + (gif ? " -coalesce" : "");
  int width = 0, height = 0;
  if (std::sscanf(Capture("convert " + source + " -format '%w %h' info:").c_str(), "%d %d", &width, &height) != 2)
    throw std::runtime_error("identify failed on " + file);
  const std::string rgb = Capture("convert " + source + " -background black -alpha remove -alpha off -depth 8 rgb:-");
  if (rgb.size() != static_cast<std::size_t>(width) * height * 3) throw std::runtime_error("convert gave short data");
  auto bitmap = std::make_unique<TBitmap>(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const auto* p = reinterpret_cast<const std::uint8_t*>(rgb.data()) + 3 * (static_cast<std::size_t>(y) * width + x);
      bitmap->SetPixelAt(x, y, (p[0] << 16) | (p[1] << 8) | p[2]);
    }
  return bitmap;
}

std::string MagickFormat(const std::string& file) { return Capture("identify -format '%m' '" + file + "[0]'"); }

void WritePpm(const TBitmap& bitmap, const std::string& file) {
  TBytes bytes;
  const std::string header =
      "P6\n" + std::to_string(bitmap.Width()) + " " + std::to_string(bitmap.Height()) + "\n255\n";
  bytes.assign(header.begin(), header.end());
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TPixel p = bitmap.PixelAt(x, y);
      bytes.insert(bytes.end(), {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8),
                                 static_cast<std::uint8_t>(p)});
    }
  WriteBytes(file, bytes);
}

TBytes ReadBytes(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  return TBytes(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::string& file, const TBytes& bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}
