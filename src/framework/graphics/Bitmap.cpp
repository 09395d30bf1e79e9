#include "Bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "Canvas.h"
#include "HugePageBlocks.h"

namespace {

// Pixel memory on the heap, or for large pictures in whole huge pages. New memory is zeroed,
// so that a black picture is not written twice before its first pixel arrives; a picture
// whose maker writes every pixel at once may get memory another picture had.
class THeapMemory : public TPixelMemory {
 public:
  THeapMemory(std::size_t bytes, TNewPixels pixels) {
    if (TakesHugePageBlock(bytes)) {
      FBlock = TakeHugePageBlock(bytes, pixels == TNewPixels::Black);
      if (FBlock.Data) return;
    }
    FData = static_cast<std::uint8_t*>(std::calloc(bytes == 0 ? 1 : bytes, 1));
    if (!FData) throw std::bad_alloc();
  }
  ~THeapMemory() override {
    if (FBlock.Data) GiveBackHugePageBlock(FBlock);
    else std::free(FData);
  }
  THeapMemory(const THeapMemory&) = delete;
  THeapMemory& operator=(const THeapMemory&) = delete;
  std::uint8_t* Data() override { return FBlock.Data ? FBlock.Data : FData; }

 private:
  THugePageBlock FBlock;
  std::uint8_t* FData = nullptr;
};

// The padding after the pixels of each row, which their maker does not write: whatever the
// memory held must not reach a file.
void ClearRowEnds(std::uint8_t* data, int width, int height, int pixelBits) {
  const std::size_t used = static_cast<std::size_t>(width) * static_cast<std::size_t>(pixelBits / 8);
  const std::size_t stride = BitmapStride(width, pixelBits);
  if (used == stride) return;
  for (int y = 0; y < height; ++y) std::memset(data + y * stride + used, 0, stride - used);
}

// Numbered across all bitmaps, so that a replaced picture never repeats a generation.
std::uint64_t NextGeneration() {
  static std::uint64_t lastGeneration = 0;
  return ++lastGeneration;
}

}  // namespace

std::unique_ptr<TPixelMemory> NewHeapPixelMemory(std::size_t bytes) {
  return std::make_unique<THeapMemory>(bytes, TNewPixels::Black);
}

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

TBitmap::TBitmap(int width, int height, int pixelBits, TNewPixels pixels) {
  Reallocate(width, height, pixelBits, false, pixels);
}

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

void TBitmap::Reallocate(int width, int height, int pixelBits, bool keepPicture, TNewPixels pixels) {
  const std::size_t stride = BitmapStride(width, pixelBits);
  const std::size_t bytes = stride * static_cast<std::size_t>(height);
  std::unique_ptr<TPixelMemory> memory =
      FProvider ? FProvider->Allocate(bytes) : std::make_unique<THeapMemory>(bytes, pixels);
  if (pixels == TNewPixels::Undefined) ClearRowEnds(memory->Data(), width, height, pixelBits);
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
  FGeneration = NextGeneration();
}

bool TBitmap::BeginFrame() {
  const std::uint8_t* before = FMemory->Data();
  if (!FMemory->Renew()) return false;
  if (FMemory->Data() != before) {
    ClearRowEnds(FMemory->Data(), FWidth, FHeight, FPixelBits);
    FGeneration = NextGeneration();
  }
  return true;
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
