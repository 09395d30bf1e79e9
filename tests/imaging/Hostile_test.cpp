#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>

#include "ImagingFixture.h"
#include "MetafileWriter.h"
#include "imaging/ImageIO.h"
#include "support/TempDir.h"

// Files built to hurt: headers that claim huge pictures, files cut short.
namespace {

void PutBig16(TBytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v >> 8);
  b[at + 1] = static_cast<std::uint8_t>(v);
}
void PutLittle16(TBytes& b, std::size_t at, unsigned v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void PutLittle32(TBytes& b, std::size_t at, std::uint32_t v) {
  PutLittle16(b, at, v & 0xFFFF);
  PutLittle16(b, at + 2, v >> 16);
}
void PutBig32(TBytes& b, std::size_t at, std::uint32_t v) {
  PutBig16(b, at, v >> 16);
  PutBig16(b, at + 2, v & 0xFFFF);
}

// A small file of the format, written here (the metafiles by libuemf's writer).
TBytes Written(const std::string& extension) {
  TTempDir dir;
  const std::string file = dir.File("small" + extension);
  if (extension == ".emf") WriteTestEmf(file);
  else if (extension == ".wmf") WriteTestWmf(file);
  else TImageIO(nullptr).SaveToFile(*PhotoPicture(16, 12), file);
  return ReadBytes(file);
}

// Each claims a picture of 100000 x 100000 pixels, or about 65000 x 65000 where its fields hold no more.
TBytes HugeHeader(const std::string& extension) {
  TBytes b = Written(extension);
  if (extension == ".bmp") {
    PutLittle32(b, 18, 100000);
    PutLittle32(b, 22, 100000);
  } else if (extension == ".pcx") {
    PutLittle16(b, 8, 0xFFFE);
    PutLittle16(b, 10, 0xFFFE);
    PutLittle16(b, 66, 0xFFFF);
  } else if (extension == ".gif") {
    PutLittle16(b, 6, 0xFFFF);
    PutLittle16(b, 8, 0xFFFF);
  } else if (extension == ".png") {
    PutBig32(b, 16, 100000);
    PutBig32(b, 20, 100000);
    PutBig32(b, 29, Crc32(b.data() + 12, 17));
  } else if (extension == ".jpg") {
    for (std::size_t i = 2; i + 9 < b.size(); ++i)
      if (b[i] == 0xFF && b[i + 1] == 0xC0) {
        PutBig16(b, i + 5, 65000);  // the library's own limit is 65500
        PutBig16(b, i + 7, 65000);
        break;
      }
  } else if (extension == ".emf") {
    PutLittle32(b, 32, 100000 * 2540 / 96);  // the frame's right and bottom, in 0.01 mm
    PutLittle32(b, 36, 100000 * 2540 / 96);
  } else if (extension == ".wmf") {
    // Its placeable header: 200 x 150 pixels drawn at one unit to the inch, and the checksum
    // of the header's first ten words.
    PutLittle16(b, 14, 1);
    unsigned checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2) checksum ^= b[at] | (b[at + 1] << 8);
    PutLittle16(b, 20, checksum);
  } else if (extension == ".tif") {
    // The first directory's width and length entries (tags 256 and 257, long or short).
    const std::uint32_t ifd = b[4] | (b[5] << 8) | (b[6] << 16) | (b[7] << 24);
    const unsigned count = b[ifd] | (b[ifd + 1] << 8);
    for (unsigned e = 0; e < count; ++e) {
      const std::size_t at = ifd + 2 + 12 * e;
      const unsigned tag = b[at] | (b[at + 1] << 8);
      if (tag == 256 || tag == 257) {
        PutLittle16(b, at + 2, 4);
        PutLittle32(b, at + 8, 100000);
      }
    }
  }
  return b;
}

long StatusKilobytes(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::string(field).size()));
  return 0;
}

// Room for bytes that end where readable memory ends: a read past them faults at once, in any
// build.
class TGuardedBytes {
 public:
  explicit TGuardedBytes(std::size_t capacity) {
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    FMapped = (capacity + page - 1) / page * page + page;
    void* p = ::mmap(nullptr, FMapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    FStart = static_cast<std::uint8_t*>(p);
    FEnd = FStart + FMapped - page;
    ::mprotect(FEnd, page, PROT_NONE);
  }
  ~TGuardedBytes() { ::munmap(FStart, FMapped); }
  TGuardedBytes(const TGuardedBytes&) = delete;
  TGuardedBytes& operator=(const TGuardedBytes&) = delete;

  // A copy of `bytes` that ends at the guard.
  TByteSpan Place(TByteSpan bytes) {
    std::uint8_t* at = FEnd - bytes.size();
    std::memcpy(at, bytes.data(), bytes.size());
    return {at, bytes.size()};
  }

 private:
  std::uint8_t* FStart;
  std::uint8_t* FEnd;
  std::size_t FMapped;
};

class Hostile : public ::testing::TestWithParam<const char*> {
 protected:
  // The surface keeps its picture through a failed load. Returns the error's message.
  std::string ExpectRefused(const TBytes& bytes) {
    const std::string file = Dir.File(std::string("hostile") + GetParam());
    WriteBytes(file, bytes);
    TBitmap bitmap(3, 2, 32);
    bitmap.SetPixelAt(2, 1, 0x123456);
    std::string message;
    try {
      IO.LoadFromFile(bitmap, file);
      ADD_FAILURE() << "loaded";
    } catch (const EInvalidImage& e) {
      message = e.Message();
    }
    EXPECT_EQ(bitmap.Width(), 3);
    EXPECT_EQ(bitmap.Height(), 2);
    EXPECT_EQ(bitmap.PixelBits(), 32);
    EXPECT_EQ(bitmap.PixelAt(2, 1), 0x123456u);
    EXPECT_NE(message.find(file), std::string::npos) << message;
    return message;
  }

  TTempDir Dir;
  TImageIO IO{nullptr};
};

TEST_P(Hostile, AHugeHeaderFailsFastWithoutAllocating) {
  const TBytes bytes = HugeHeader(GetParam());
  // The peak resident size starts again from the current one.
  std::ofstream(std::string("/proc/self/clear_refs")) << "5";
  const long before = StatusKilobytes("VmRSS:");
  const auto start = std::chrono::steady_clock::now();
  const std::string message = ExpectRefused(bytes);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::milliseconds(50));
  EXPECT_LT(StatusKilobytes("VmHWM:") - before, 10 * 1024);
  EXPECT_NE(message.find("larger than allowed"), std::string::npos) << message;
}

TEST_P(Hostile, AFileCutShortFailsCleanly) {
  const TBytes whole = Written(GetParam());
  TBytes half(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2));
  ExpectRefused(half);
  ExpectRefused({});
  // Anywhere else: a clean refusal or, where only a trailer is lost, the picture; and never a
  // read past the end.
  TGuardedBytes guarded(whole.size());
  const TImageCodec& codec = CodecForReading(GetParam());
  for (std::size_t length = 1; length < whole.size(); ++length) {
    try {
      EXPECT_GT(codec.Decode(guarded.Place(TByteSpan(whole).first(length)), {})->Width(), 0) << length;
    } catch (const EImageFormat&) {
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Formats, Hostile,
                         ::testing::Values(".bmp", ".pcx", ".gif", ".png", ".jpg", ".tif", ".emf", ".wmf"));

// Every cut of every seed of the fuzz targets, each ending at a guard: the readers' paths that
// the seeds take (bit depths, run-length codes, interlacing, progressive and arithmetic
// coding, tiles, metafile records) never read past the end of a file.
TEST(HostileSeeds, NoCutOfASeedIsReadPastItsEnd) {
  const std::map<std::string, std::string> extensions = {{"bmp", ".bmp"}, {"pcx", ".pcx"},  {"gif", ".gif"},
                                                         {"png", ".png"}, {"jpeg", ".jpg"}, {"tiff", ".tif"},
                                                         {"wmf", ".wmf"}, {"emf", ".emf"}};
  int seeds = 0;
  for (const auto& [folder, extension] : extensions) {
    const TImageCodec& codec = CodecForReading(extension);
    for (const auto& entry : std::filesystem::directory_iterator(std::string(QUENBREL_FUZZ_CORPUS) + "/" + folder)) {
      const TBytes whole = ReadBytes(entry.path());
      TGuardedBytes guarded(whole.size());
      for (std::size_t length = 0; length <= whole.size(); ++length) {
        try {
          codec.Decode(guarded.Place(TByteSpan(whole).first(length)), {});
        } catch (const EImageFormat&) {
        }
      }
      ++seeds;
    }
  }
  EXPECT_GT(seeds, 30);
}

// Records two bytes too short for what they carry, at the very end of the file, and records
// too short for their own size and function: each is refused, and nothing is read past it.
TEST(HostileWmf, RecordsTooShortForWhatTheyCarryAreRefused) {
  struct TShortRecord {
    std::uint16_t Function;
    std::size_t ParameterBytes;
    std::vector<std::pair<std::size_t, std::uint16_t>> Words;  // at offsets into the record
  };
  const std::vector<TShortRecord> records = {
      {0x0201, 2, {}},       {0x0209, 2, {}},        {0x0102, 0, {}},       {0x012E, 0, {}},
      {0x0127, 0, {}},       {0x012D, 0, {}},        {0x01F0, 0, {}},       {0x020B, 2, {}},
      {0x020C, 2, {}},       {0x0214, 2, {}},        {0x0213, 2, {}},       {0x041B, 6, {}},
      {0x0418, 6, {}},       {0x061C, 10, {}},       {0x0817, 14, {}},      {0x081A, 14, {}},
      {0x0830, 14, {}},      {0x0324, 8, {{6, 2}}},  {0x0325, 8, {{6, 2}}}, {0x0538, 10, {{6, 1}, {8, 2}}},
      {0x0521, 6, {{6, 2}}}, {0x0A32, 8, {{10, 2}}}, {0x02FA, 8, {}},       {0x02FC, 6, {}},
      {0x02FB, 16, {}},      {0x0F43, 20, {}},       {0x0B41, 18, {}},      {0x0940, 14, {}}};
  TGuardedBytes guarded(128);
  const auto message = [&](const TBytes& record) {
    TBytes file(18 + 10, 0);
    PutLittle16(file, 0, 1);       // in memory
    PutLittle16(file, 2, 9);       // header words
    PutLittle16(file, 4, 0x0300);  // version
    PutLittle32(file, 18, 5);      // a window extent the file's size comes from
    PutLittle16(file, 22, 0x020C);
    PutLittle16(file, 24, 100);
    PutLittle16(file, 26, 100);
    file.insert(file.end(), record.begin(), record.end());
    PutLittle32(file, 6, static_cast<std::uint32_t>(file.size() / 2));
    try {
      CodecForReading(".wmf").Decode(guarded.Place(file), {});
    } catch (const EImageFormat& e) {
      return e.Message();
    }
    return std::string("loaded");
  };
  for (const TShortRecord& r : records) {
    TBytes record(6 + r.ParameterBytes, 0);
    PutLittle32(record, 0, static_cast<std::uint32_t>(record.size() / 2));
    PutLittle16(record, 4, r.Function);
    for (const auto& [at, word] : r.Words) PutLittle16(record, at, word);
    EXPECT_EQ(message(record), "damaged record at byte 28") << std::hex << r.Function;
  }
  // Sizes of one and two words, too small for the size itself, followed by a whole record
  // that they would run into.
  for (const std::uint32_t words : {1u, 2u}) {
    TBytes tiny(4, 0);
    PutLittle32(tiny, 0, words);
    const TBytes lineTo = {5, 0, 0, 0, 0x13, 0x02, 10, 0, 10, 0};
    tiny.insert(tiny.end(), lineTo.begin(), lineTo.end());
    EXPECT_EQ(message(tiny), "damaged record at byte 28") << words;
  }
}

// A progressive file whose last scan comes again and again: each scan is decoded over the
// whole picture, so a few kilobytes could keep the decoder busy for minutes.
TEST(HostileJpeg, EndlessScansAreRefused) {
  TTempDir dir;
  WritePpm(*PhotoPicture(64, 64), dir.File("p.ppm"));
  ASSERT_TRUE(Shell("cjpeg -progressive -outfile " + dir.File("p.jpg") + " " + dir.File("p.ppm")));
  TBytes bytes = ReadBytes(dir.File("p.jpg"));
  std::size_t lastScan = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); ++i)
    if (bytes[i] == 0xFF && bytes[i + 1] == 0xDA) lastScan = i;
  const TBytes scan(bytes.begin() + static_cast<std::ptrdiff_t>(lastScan), bytes.end() - 2);
  for (int i = 0; i < 600; ++i) bytes.insert(bytes.end() - 2, scan.begin(), scan.end());
  WriteBytes(dir.File("scans.jpg"), bytes);
  TBitmap bitmap;
  try {
    TImageIO(nullptr).LoadFromFile(bitmap, dir.File("scans.jpg"));
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidImage& e) {
    EXPECT_NE(e.Message().find("too many progressive scans"), std::string::npos) << e.Message();
  }
}

// A PNG chunk: length, type, data and CRC.
void AppendPngChunk(TBytes& out, const std::string& type, const std::string& data) {
  const std::size_t at = out.size();
  out.resize(at + 4);
  PutBig32(out, at, static_cast<std::uint32_t>(data.size()));
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  const std::uint32_t crc = Crc32(out.data() + at + 4, 4 + data.size());
  out.resize(out.size() + 4);
  PutBig32(out, out.size() - 4, crc);
}

std::string Deflated(const std::string& text) {
  uLongf size = compressBound(text.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size, reinterpret_cast<const Bytef*>(text.data()), text.size(), 9);
  out.resize(size);
  return out;
}

// Text is not needed to show a picture: compressed text chunks, each within the limit of one
// chunk, that would inflate to hundreds of megabytes cost nothing to skip.
TEST(HostilePng, TextChunksTakeNoMemory) {
  TTempDir dir;
  TImageIO io(nullptr);
  const auto picture = PhotoPicture(16, 12);
  io.SaveToFile(*picture, dir.File("plain.png"));
  TBytes bytes = ReadBytes(dir.File("plain.png"));
  const std::string inflated = Deflated(std::string(15'000'000, 'A'));
  TBytes text;
  for (int i = 0; i < 10; ++i) {
    AppendPngChunk(text, "zTXt", "Comment" + std::to_string(i) + std::string("\0\0", 2) + inflated);
    AppendPngChunk(text, "iTXt", "Title" + std::to_string(i) + std::string("\0\1\0en\0\0", 7) + inflated);
  }
  AppendPngChunk(text, "tEXt", std::string("Author\0") + std::string(100'000, 'B'));
  constexpr std::ptrdiff_t AfterHeader = 8 + 25;
  bytes.insert(bytes.begin() + AfterHeader, text.begin(), text.end());
  WriteBytes(dir.File("text.png"), bytes);

  std::ofstream(std::string("/proc/self/clear_refs")) << "5";
  const long before = StatusKilobytes("VmRSS:");
  TBitmap loaded;
  io.LoadFromFile(loaded, dir.File("text.png"));
  EXPECT_LT(StatusKilobytes("VmHWM:") - before, 32 * 1024);
  EXPECT_TRUE(SamePixels(loaded, *picture));
}

// Cut anywhere inside its picture data, a JPEG file is refused: the decoder would otherwise
// pad the rest of the picture with grey and call it a picture.
TEST(HostileJpeg, AFileCutInsideItsPictureDataIsRefused) {
  TTempDir dir;
  WritePpm(*PhotoPicture(64, 48), dir.File("p.ppm"));
  for (const std::string options : {"", "-progressive", "-arithmetic", "-grayscale"}) {
    ASSERT_TRUE(Shell("cjpeg " + options + " -outfile " + dir.File("p.jpg") + " " + dir.File("p.ppm")));
    const TBytes whole = ReadBytes(dir.File("p.jpg"));
    std::size_t firstScan = 0;
    while (firstScan + 1 < whole.size() && !(whole[firstScan] == 0xFF && whole[firstScan + 1] == 0xDA)) ++firstScan;
    ASSERT_LT(firstScan + 40, whole.size());
    for (const std::size_t cut : {firstScan + 30, (firstScan + whole.size()) / 2, whole.size() - 10}) {
      std::string message = "loaded";
      try {
        CodecForReading(".jpg").Decode(TByteSpan(whole).first(cut), {});
      } catch (const EImageFormat& e) {
        message = e.Message();
      }
      EXPECT_EQ(message, "Premature end of JPEG file") << options << " cut at " << cut << " of " << whole.size();
    }
  }
}

TEST(HostileLimits, AreTheCallersToSet) {
  TTempDir dir;
  TImageIO io(nullptr);
  io.SaveToFile(*PhotoPicture(40, 30), dir.File("p.png"));
  io.Limits.MaxPixels = 40 * 30 - 1;
  TBitmap bitmap;
  EXPECT_THROW(io.LoadFromFile(bitmap, dir.File("p.png")), EInvalidImage);
  io.Limits.MaxPixels = 40 * 30;
  io.Limits.MaxSide = 39;
  EXPECT_THROW(io.LoadFromFile(bitmap, dir.File("p.png")), EInvalidImage);
  io.Limits.MaxSide = 40;
  io.LoadFromFile(bitmap, dir.File("p.png"));
  EXPECT_EQ(bitmap.Width(), 40);
}

}  // namespace
