#include "Bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

#include "Canvas.h"

namespace {

// Memory the system hands out zeroed, so that a picture is not written twice before its first
// pixel arrives. Large pictures ask for huge pages: a 36 MB picture then costs a few dozen page
// faults instead of nine thousand, which made filling fresh memory four times slower than
// copying into warm memory. The mapping starts on a huge page and ends on one, as only whole
// aligned huge pages inside it can be huge.
class THeapMemory : public TPixelMemory {
 public:
  explicit THeapMemory(std::size_t bytes) : FBytes(bytes == 0 ? 1 : bytes) {
    if (FBytes >= HugeBytes && (FData = MapHugePages(FBytes))) {
      FBytes = RoundUp(FBytes, HugePage);
      FMapped = true;
      return;
    }
    FData = static_cast<std::uint8_t*>(std::calloc(FBytes, 1));
    if (!FData) throw std::bad_alloc();
  }
  ~THeapMemory() override {
    if (FMapped) ::munmap(FData, FBytes);
    else std::free(FData);
  }
  THeapMemory(const THeapMemory&) = delete;
  THeapMemory& operator=(const THeapMemory&) = delete;
  std::uint8_t* Data() override { return FData; }

 private:
  static constexpr std::size_t HugeBytes = std::size_t{8} << 20;
  static constexpr std::size_t HugePage = std::size_t{2} << 20;

  static std::size_t RoundUp(std::size_t n, std::size_t to) { return (n + to - 1) / to * to; }

  // Whole huge pages for `bytes`, or null: a larger mapping, trimmed to the aligned part.
  static std::uint8_t* MapHugePages(std::size_t bytes) {
    const std::size_t size = RoundUp(bytes, HugePage);
    void* p = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    auto* const mapped = static_cast<std::uint8_t*>(p);
    const auto address = reinterpret_cast<std::uintptr_t>(mapped);
    const std::size_t head = RoundUp(address, HugePage) - address;
    if (head > 0) ::munmap(mapped, head);
    ::munmap(mapped + head + size, HugePage - head);
    ::madvise(mapped + head, size, MADV_HUGEPAGE);
    return mapped + head;
  }

  std::size_t FBytes;
  std::uint8_t* FData = nullptr;
  bool FMapped = false;
};

}  // namespace

void CopyRowConverted(const std::uint8_t* src, int srcBits, std::uint8_t* dst, int dstBits, int count) {
  if (srcBits == dstBits) {
    std::memcpy(dst, src, static_cast<std::size_t>(count) * (srcBits / 8));
    return;
  }
  const int srcStep = srcBits / 8;
  const int dstStep = dstBits / 8;
  for (int x = 0; x < count; ++x) {
    dst[0] = src[0];
    dst[1] = src[1];
    dst[2] = src[2];
    if (dstStep == 4) dst[3] = 0;
    src += srcStep;
    dst += dstStep;
  }
}

std::size_t BitmapStride(int width, int pixelBits) {
  const std::size_t bytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(pixelBits / 8);
  return (bytes + 3) & ~std::size_t{3};
}

TBitmap::TBitmap() { Reallocate(0, 0, 32, false); }

TBitmap::TBitmap(int width, int height, int pixelBits) { Reallocate(width, height, pixelBits, false); }

TBitmap::~TBitmap() = default;

void TBitmap::SetSize(int width, int height) { ChangeSize(width, height, true); }

void TBitmap::SetSizeBlank(int width, int height) { ChangeSize(width, height, false); }

void TBitmap::ChangeSize(int width, int height, bool keepPicture) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == FWidth && height == FHeight) return;
  Reallocate(width, height, FPixelBits, keepPicture);
  if (OnChange) OnChange();
}

void TBitmap::SetPixelBits(int bits) {
  if (bits == FPixelBits || (bits != 24 && bits != 32)) return;
  Reallocate(FWidth, FHeight, bits, true);
}

void TBitmap::Reallocate(int width, int height, int pixelBits, bool keepPicture) {
  const std::size_t stride = BitmapStride(width, pixelBits);
  const std::size_t bytes = stride * static_cast<std::size_t>(height);
  std::unique_ptr<TPixelMemory> memory =
      FProvider ? FProvider->Allocate(bytes) : std::make_unique<THeapMemory>(bytes);
  if (keepPicture && FMemory) {
    const int rows = std::min(height, FHeight);
    const int columns = std::min(width, FWidth);
    for (int y = 0; y < rows; ++y)
      CopyRowConverted(Row(y), FPixelBits, memory->Data() + y * stride, pixelBits, columns);
  }
  FMemory = std::move(memory);
  FWidth = width;
  FHeight = height;
  FPixelBits = pixelBits;
  FStride = stride;
  // Numbered across all bitmaps, so that a replaced picture never repeats a generation.
  static std::uint64_t lastGeneration = 0;
  FGeneration = ++lastGeneration;
}

TPixel TBitmap::PixelAt(int x, int y) const {
  const std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * (FPixelBits / 8);
  if (FPixelBits == 32) {
    TPixel word;
    std::memcpy(&word, p, 4);
    return word;
  }
  return p[0] | (p[1] << 8) | (p[2] << 16);
}

void TBitmap::SetPixelAt(int x, int y, TPixel pixel) {
  std::uint8_t* p = Row(y) + static_cast<std::size_t>(x) * (FPixelBits / 8);
  if (FPixelBits == 32) {
    std::memcpy(p, &pixel, 4);
    return;
  }
  p[0] = pixel & 0xFF;
  p[1] = (pixel >> 8) & 0xFF;
  p[2] = (pixel >> 16) & 0xFF;
}

void TBitmap::Assign(const TBitmap& source) {
  Reallocate(source.FWidth, source.FHeight, source.FPixelBits, false);
  for (int y = 0; y < FHeight; ++y) std::memcpy(Row(y), source.Row(y), FStride);
  if (OnChange) OnChange();
}

void TBitmap::TakePicture(TBitmap& source) {
  FMemory = std::move(source.FMemory);
  FWidth = source.FWidth;
  FHeight = source.FHeight;
  FPixelBits = source.FPixelBits;
  FStride = source.FStride;
  FGeneration = source.FGeneration;
  source.Reallocate(0, 0, 32, false);
  if (OnChange) OnChange();
}

TCanvas& TBitmap::Canvas() {
  if (!FCanvas) FCanvas = std::make_unique<TCanvas>(*this);
  return *FCanvas;
}
