// Renders the effect off screen, as the saver window drives it, and writes the last frame.
//
//   quenbrel-render [--size WxH] [--frames N] [--color1 RRGGBB] [--color2 RRGGBB]
//                   [--resize N:WxH]... [--scale WxH] [--raw FILE] [--png FILE]
//
// --scale writes the frame averaged to another size: the package's icons are one frame so.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "framework/base/Exceptions.h"
#include "imaging/PngCodec.h"

namespace {

constexpr const char* kUsage =
    "usage: quenbrel-render [--size WxH] [--frames N] [--color1 RRGGBB] [--color2 RRGGBB] "
    "[--resize N:WxH]... [--scale WxH] [--raw FILE] [--png FILE]";

struct TSizeArg {
  int Width = 0;
  int Height = 0;
};

struct TOptions {
  TSizeArg Size{800, 600};
  int Frames = 1;
  std::optional<std::int32_t> Color1, Color2;
  std::map<int, TSizeArg> Resizes;  // by the frame they come before
  std::optional<TSizeArg> Scale;
  std::string RawFile, PngFile;
};

struct TBadArguments {};

int ParseCount(const std::string& text, int max) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
    throw TBadArguments{};
  const int value = std::stoi(text);
  if (value > max) throw TBadArguments{};
  return value;
}

TSizeArg ParseSize(const std::string& text) {
  const auto x = text.find('x');
  if (x == std::string::npos) throw TBadArguments{};
  const TSizeArg size{ParseCount(text.substr(0, x), 65535), ParseCount(text.substr(x + 1), 65535)};
  if (size.Width < 1 || size.Height < 1) throw TBadArguments{};
  return size;
}

std::int32_t ParseColor(const std::string& text) {
  if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) throw TBadArguments{};
  return static_cast<std::int32_t>(std::stoul(text, nullptr, 16));
}

TOptions ParseOptions(const std::vector<std::string>& args) {
  TOptions options;
  for (std::size_t i = 0; i < args.size(); i += 2) {
    if (i + 1 >= args.size()) throw TBadArguments{};
    const std::string& name = args[i];
    const std::string& value = args[i + 1];
    if (name == "--size") options.Size = ParseSize(value);
    else if (name == "--frames") options.Frames = ParseCount(value, 100000000);
    else if (name == "--color1") options.Color1 = ParseColor(value);
    else if (name == "--color2") options.Color2 = ParseColor(value);
    else if (name == "--scale") options.Scale = ParseSize(value);
    else if (name == "--raw") options.RawFile = value;
    else if (name == "--png") options.PngFile = value;
    else if (name == "--resize") {
      const auto colon = value.find(':');
      if (colon == std::string::npos) throw TBadArguments{};
      options.Resizes[ParseCount(value.substr(0, colon), 100000000)] = ParseSize(value.substr(colon + 1));
    } else throw TBadArguments{};
  }
  return options;
}

void ResizeSurface(TQuenbrel& engine, TVekImage& surface, TSizeArg size) {
  surface.SetHeightWidth(size.Height, size.Width);
  engine.Resize();
}

// The pixels of an axis of `from` pixels under each pixel of the same axis cut into `to`, with
// the length of each that lies under it, in units of 1/`to` of a source pixel: a pixel of the
// result is `from` units long.
struct TSpan {
  int First = 0;
  std::vector<std::int64_t> Lengths;
};

std::vector<TSpan> Spans(int from, int to) {
  std::vector<TSpan> spans(static_cast<std::size_t>(to));
  for (int j = 0; j < to; ++j) {
    // In units of 1/(from * to): source pixel i spans [i * to, (i + 1) * to), this one [begin, end).
    const std::int64_t begin = std::int64_t{j} * from, end = begin + from;
    TSpan& span = spans[static_cast<std::size_t>(j)];
    span.First = static_cast<int>(begin / to);
    for (std::int64_t i = span.First; i * to < end; ++i)
      span.Lengths.push_back(std::min(end, (i + 1) * to) - std::max(begin, i * to));
  }
  return spans;
}

// Each pixel of `scaled` is the mean of the frame's pixels under it, weighted by the area of
// each that it covers, channel by channel; bits 24-31 stay zero.
void ScaleInto(const TBitmap& frame, TBitmap& scaled) {
  const std::vector<TSpan> columns = Spans(frame.Width(), scaled.Width());
  const std::vector<TSpan> rows = Spans(frame.Height(), scaled.Height());
  const std::int64_t area = std::int64_t{frame.Width()} * frame.Height();
  for (int y = 0; y < scaled.Height(); ++y) {
    const TSpan& row = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < scaled.Width(); ++x) {
      const TSpan& column = columns[static_cast<std::size_t>(x)];
      std::int64_t sums[3] = {};
      for (std::size_t r = 0; r < row.Lengths.size(); ++r) {
        const std::uint32_t* source = frame.Row32(row.First + static_cast<int>(r)) + column.First;
        for (std::size_t c = 0; c < column.Lengths.size(); ++c) {
          const std::int64_t weight = row.Lengths[r] * column.Lengths[c];
          for (int channel = 0; channel < 3; ++channel) sums[channel] += ((source[c] >> (8 * channel)) & 0xFF) * weight;
        }
      }
      std::uint32_t pixel = 0;
      for (int channel = 0; channel < 3; ++channel)
        pixel |= static_cast<std::uint32_t>((sums[channel] + area / 2) / area) << (8 * channel);
      scaled.Row32(y)[x] = pixel;
    }
  }
}

// Pixel words as they lie in memory: little-endian, row 0 first, bits 24-31 included.
void WriteRaw(const TBitmap& bitmap, const std::string& fileName) {
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  for (int y = 0; y < bitmap.Height() && out; ++y)
    out.write(reinterpret_cast<const char*>(bitmap.Row(y)), static_cast<std::streamsize>(bitmap.Width()) * 4);
  if (!out) throw EFCreateError(fileName);
}

using TClock = std::chrono::steady_clock;

double MillisecondsSince(TClock::time_point start) {
  return std::chrono::duration<double, std::milli>(TClock::now() - start).count();
}

int Render(const TOptions& options) {
  TQuenbrel engine;
  TVekImage surface(nullptr);
  engine.Target = &surface;
  engine.LoadSettings();
  if (options.Color1) engine.Color1 = *options.Color1;
  if (options.Color2) engine.Color2 = *options.Color2;
  engine.MakePalette();
  const auto resizeStart = TClock::now();
  ResizeSurface(engine, surface, options.Size);
  const double resizeMs = MillisecondsSince(resizeStart);

  const auto start = TClock::now();
  double firstFrameMs = 0;
  for (int frame = 0; frame < options.Frames; ++frame) {
    if (const auto resize = options.Resizes.find(frame); resize != options.Resizes.end())
      ResizeSurface(engine, surface, resize->second);
    engine.NextFrame();
    if (frame == 0) firstFrameMs = MillisecondsSince(start);
  }
  const std::chrono::duration<double> elapsed = TClock::now() - start;

  const TBitmap& last = surface.Picture().Bitmap();
  TBitmap scaled;
  if (options.Scale) {
    scaled.SetSizeBlank(options.Scale->Width, options.Scale->Height);
    ScaleInto(last, scaled);
  }
  const TBitmap& frame = options.Scale ? scaled : last;
  if (!options.RawFile.empty()) WriteRaw(frame, options.RawFile);
  if (!options.PngFile.empty()) SavePng(frame, options.PngFile);
  const double rate = elapsed.count() > 0 ? options.Frames / elapsed.count() : 0.0;
  std::printf("%dx%d, %d frames, %.1f frames/s; Resize %.1f ms, first frame %.1f ms\n", last.Width(), last.Height(),
              options.Frames, rate, resizeMs, firstFrameMs);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  try {
    options = ParseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const TBadArguments&) {
    std::cerr << kUsage << '\n';
    return 2;
  }
  try {
    return Render(options);
  } catch (const Exception& e) {
    std::cerr << "quenbrel-render: " << e.what() << '\n';
    return 1;
  }
}
