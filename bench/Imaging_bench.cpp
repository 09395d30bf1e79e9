// Picture files and turns on a 4000 x 3000 picture: the codecs against a copy of the pixels and
// against libjpeg-turbo's own decoding, and whole conversions against ImageMagick's convert,
// each side a process of its own, timed alike.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <jpeglib.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "imaging/BmpCodec.h"
#include "imaging/ImageIO.h"
#include "imaging/ImageProc.h"
#include "imaging/PcxCodec.h"
#include "imaging/PcxRuns.h"
#include "imaging/PictureFile.h"
#include "imaging/PlanarPixels.h"

extern char** environ;

namespace {

constexpr int Width = 4000;
constexpr int Height = 3000;

// A photograph's worth of detail: gradients, a disc, and grain that defeats easy compression.
std::unique_ptr<TBitmap> MakePicture() {
  auto picture = std::make_unique<TBitmap>(Width, Height, 24);
  std::uint32_t grain = 12345;
  for (int y = 0; y < Height; ++y) {
    std::uint8_t* row = picture->Row(y);
    for (int x = 0; x < Width; ++x, row += 3) {
      grain = grain * 1664525u + 1013904223u;
      const bool disc = (x - 1500) * (x - 1500) + (y - 1400) * (y - 1400) < 900 * 900;
      row[0] = static_cast<std::uint8_t>(disc ? 40 : (x + y) * 255 / (Width + Height));
      row[1] = static_cast<std::uint8_t>(y * 255 / Height);
      row[2] = static_cast<std::uint8_t>(((x * 255 / Width) & 0xF0) | (grain >> 28));
    }
  }
  return picture;
}

// The picture and its files, in a folder in memory, made once.
struct TBenchFiles {
  TBenchFiles() : Picture(MakePicture()) {
    char pattern[] = "/dev/shm/quenbrel-bench-XXXXXX";
    Folder = mkdtemp(pattern) ? pattern : "/tmp";
    for (const char* extension : {".bmp", ".pcx", ".png", ".tif", ".gif", ".jpg"})
      TImageIO(nullptr).SaveToFile(*Picture, File(extension));
  }
  ~TBenchFiles() { std::filesystem::remove_all(Folder); }
  std::string File(const std::string& extension) const { return Folder + "/picture" + extension; }

  std::unique_ptr<TBitmap> Picture;
  std::string Folder;
};

const TBenchFiles& Files() {
  static const TBenchFiles files;
  return files;
}

void BM_MemcpyPixels(benchmark::State& state) {
  const TBitmap& picture = *Files().Picture;
  std::vector<std::uint8_t> copy(picture.Stride() * Height);
  for (auto _ : state) {
    std::memcpy(copy.data(), picture.Row(0), copy.size());
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_MemcpyPixels)->Unit(benchmark::kMillisecond);

void BM_JpegLoad(benchmark::State& state) {
  for (auto _ : state) {
    TBitmap bitmap;
    TImageIO(nullptr).LoadFromFile(bitmap, Files().File(".jpg"));
    benchmark::DoNotOptimize(bitmap.Row(0));
  }
}
BENCHMARK(BM_JpegLoad)->Unit(benchmark::kMillisecond);

// libjpeg-turbo alone: the same bytes decoded into one buffer of B, G, R rows.
void BM_JpegLibraryDecode(benchmark::State& state) {
  const TBytes bytes = ReadPictureFile(Files().File(".jpg"), std::size_t{1} << 30);
  std::vector<std::uint8_t> pixels(std::size_t{Width} * Height * 3);
  for (auto _ : state) {
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, bytes.data(), bytes.size());
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    while (info.output_scanline < info.output_height) {
      JSAMPROW row = pixels.data() + std::size_t{info.output_scanline} * Width * 3;
      jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    benchmark::DoNotOptimize(pixels.data());
  }
}
BENCHMARK(BM_JpegLibraryDecode)->Unit(benchmark::kMillisecond);

const TBmpCodec Bmp;
const TPcxCodec Pcx;

void BM_Decode(benchmark::State& state, const TImageCodec* codec, const char* extension) {
  const TBytes bytes = ReadPictureFile(Files().File(extension), std::size_t{1} << 30);
  for (auto _ : state) benchmark::DoNotOptimize(codec->Decode(bytes, {}));
}
void BM_Encode(benchmark::State& state, const TImageCodec* codec) {
  for (auto _ : state) benchmark::DoNotOptimize(codec->Encode(*Files().Picture, {}));
}
BENCHMARK_CAPTURE(BM_Decode, bmp, &Bmp, ".bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Decode, pcx, &Pcx, ".pcx")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, bmp, &Bmp)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Encode, pcx, &Pcx)->Unit(benchmark::kMillisecond);

// The PCX run kernels alone, each kernel the machine has: reading the file's coded lines, and
// coding the picture's planes again, row by row as the codec does.
bool HaveKernel(benchmark::State& state, TPcxKernel kernel) {
  if (kernel <= BestPcxKernel()) return true;
  state.SkipWithError("this machine lacks the kernel's instructions");
  return false;
}

void BM_PcxRunsRead(benchmark::State& state, TPcxKernel kernel) {
  if (!HaveKernel(state, kernel)) return;
  const TBytes bytes = ReadPictureFile(Files().File(".pcx"), std::size_t{1} << 30);
  constexpr std::size_t headerBytes = 128;
  const std::size_t lineBytes = std::size_t{Width} * 3;
  std::vector<std::uint8_t> line(lineBytes + TPcxScanReader::LineSlack);
  for (auto _ : state) {
    TPcxScanReader reader(TByteSpan(bytes).subspan(headerBytes), true, kernel);
    for (int y = 0; y < Height; ++y) reader.Read(line.data(), lineBytes);
    benchmark::DoNotOptimize(line.data());
  }
}

void BM_PcxRunsCode(benchmark::State& state, TPcxKernel kernel) {
  if (!HaveKernel(state, kernel)) return;
  const TBitmap& picture = *Files().Picture;
  std::vector<std::uint8_t> planes(std::size_t{Width} * 3 * Height + PcxReadSlack);
  for (int y = 0; y < Height; ++y) {
    std::uint8_t* row = planes.data() + std::size_t{Width} * 3 * y;
    SplitPlanes(picture.Row(y), row, row + Width, row + 2 * Width, Width);
  }
  std::vector<std::uint8_t> coded(std::size_t{Width} * 2 + PcxCodeSlack);
  for (auto _ : state)
    for (std::size_t plane = 0; plane < std::size_t{3} * Height; ++plane)
      benchmark::DoNotOptimize(PcxCodeRuns(planes.data() + plane * Width, Width, coded.data(), kernel));
}
BENCHMARK_CAPTURE(BM_PcxRunsRead, words, TPcxKernel::Words)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PcxRunsRead, blocks, TPcxKernel::Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PcxRunsRead, wide, TPcxKernel::WideBlocks)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PcxRunsCode, words, TPcxKernel::Words)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PcxRunsCode, blocks, TPcxKernel::Blocks)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PcxRunsCode, wide, TPcxKernel::WideBlocks)->Unit(benchmark::kMillisecond);

void BM_Rotate90(benchmark::State& state) {
  TBitmap bitmap;
  bitmap.Assign(*Files().Picture);
  for (auto _ : state) TImageProc(nullptr).Rotate(bitmap, 90, true);
}
BENCHMARK(BM_Rotate90)->Unit(benchmark::kMillisecond);

void BM_Rotate30(benchmark::State& state) {
  TBitmap bitmap;
  for (auto _ : state) {
    state.PauseTiming();
    bitmap.Assign(*Files().Picture);
    state.ResumeTiming();
    TImageProc(nullptr).Rotate(bitmap, 30, true);
  }
}
BENCHMARK(BM_Rotate30)->Unit(benchmark::kMillisecond);

// Runs a program to its end.
void Run(std::vector<std::string> command) {
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("failed: " + command[0]);
}

// Load and save in one format, or load, turn 30 degrees smoothly and save a bitmap.
void BM_Ours(benchmark::State& state, const std::string& extension, bool turn) {
  std::vector<std::string> command = {QUENBREL_PICTURE, Files().File(extension), Files().File(".out" + extension)};
  if (turn) command.insert(command.end(), {"--rotate", "30"});
  for (auto _ : state) Run(command);
}
void BM_Convert(benchmark::State& state, const std::string& extension, bool turn) {
  std::vector<std::string> command = {"convert", Files().File(extension)};
  // The same work as ours: JPEG at quality 90 without colour subsampling, TIFF with LZW.
  if (extension == ".jpg") command.insert(command.end(), {"-quality", "90", "-sampling-factor", "1x1"});
  if (extension == ".tif") command.insert(command.end(), {"-compress", "lzw"});
  if (turn) command.insert(command.end(), {"-rotate", "-30"});
  command.push_back(Files().File(".out" + extension));
  for (auto _ : state) Run(command);
}
#define QUENBREL_PROCESS_PAIR(name, extension, turn)                                                               \
  BENCHMARK_CAPTURE(BM_Ours, name, extension, turn)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond); \
  BENCHMARK_CAPTURE(BM_Convert, name, extension, turn)->Iterations(1)->Repetitions(5)->Unit(benchmark::kMillisecond)
QUENBREL_PROCESS_PAIR(bmp, ".bmp", false);
QUENBREL_PROCESS_PAIR(pcx, ".pcx", false);
QUENBREL_PROCESS_PAIR(png, ".png", false);
QUENBREL_PROCESS_PAIR(tif, ".tif", false);
QUENBREL_PROCESS_PAIR(gif, ".gif", false);
QUENBREL_PROCESS_PAIR(jpg, ".jpg", false);
QUENBREL_PROCESS_PAIR(rotate30, ".bmp", true);

}  // namespace
