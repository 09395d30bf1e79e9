#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "Color.h"

class TCanvas;

// A block of pixel memory. The default lives on the heap; a window system may hand out
// memory it shares with the display server, so that a frame reaches the screen uncopied.
class TPixelMemory {
 public:
  virtual ~TPixelMemory() = default;
  virtual std::uint8_t* Data() = 0;
  // Before its picture's maker draws every pixel anew: memory that the display may still be
  // reading moves to where it is not (Data() changes; the pixels there are undefined). False
  // when there is no such memory now: the picture must then be left alone. Memory that the
  // display reads only while asked to stays where it is.
  virtual bool Renew() { return true; }
};

class TPixelMemoryProvider {
 public:
  virtual ~TPixelMemoryProvider() = default;
  // Zero-filled memory of at least `bytes` bytes.
  virtual std::unique_ptr<TPixelMemory> Allocate(std::size_t bytes) = 0;
};

// What the pixels of a new bitmap hold: black, or anything, for a maker that writes every
// pixel at once (the padding at the end of each row is zero either way).
enum class TNewPixels { Black, Undefined };

// Zero-filled memory on the heap, as a bitmap without a provider has it.
std::unique_ptr<TPixelMemory> NewHeapPixelMemory(std::size_t bytes);

// A device-independent bitmap: 32 bits per pixel (B, G, R, 0 in memory) or 24 (B, G, R).
// Rows are 4-byte aligned; row 0 is the top one.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height, int pixelBits = 32, TNewPixels pixels = TNewPixels::Black);
  ~TBitmap();
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  void SetWidth(int width) { SetSize(width, FHeight); }
  void SetHeight(int height) { SetSize(FWidth, height); }
  // Replaces the pixel memory; the overlapping part of the picture is kept, the rest is black.
  void SetSize(int width, int height);
  // Replaces the pixel memory with black pixels of the new size and copies nothing: for a
  // surface painted whole after each change of size, where the copy would be wasted.
  void SetSizeBlank(int width, int height);
  bool Empty() const { return FWidth == 0 || FHeight == 0; }

  int PixelBits() const { return FPixelBits; }
  // 24 or 32; converts the picture. Setting the current value does nothing.
  void SetPixelBits(int bits);

  std::uint8_t* Row(int y) { return FMemory->Data() + static_cast<std::size_t>(y) * FStride; }
  const std::uint8_t* Row(int y) const { return FMemory->Data() + static_cast<std::size_t>(y) * FStride; }
  std::uint32_t* Row32(int y) { return reinterpret_cast<std::uint32_t*>(Row(y)); }
  const std::uint32_t* Row32(int y) const { return reinterpret_cast<const std::uint32_t*>(Row(y)); }
  std::size_t Stride() const { return FStride; }

  // The pixel word at (x, y) in either format (24-bit pixels read with a zero top byte).
  TPixel PixelAt(int x, int y) const;
  void SetPixelAt(int x, int y, TPixel p);

  // For a maker about to draw every pixel of a new frame: memory that a display may still be
  // showing is exchanged for memory it is not, the pixels undefined, so that a display can show
  // each frame straight from the memory it was drawn in. False when no such memory is free now:
  // the frame is then skipped and the picture left alone. A bitmap begun so begins every frame
  // so, as between frames its memory may be the display's. Rows fetched before may be stale.
  bool BeginFrame();

  // Copies size, format and picture of another bitmap.
  void Assign(const TBitmap& source);
  // Takes over size, format and pixel memory of another bitmap, which is left empty, without
  // a copy; keeps its own canvas, memory provider and change handler, and raises OnChange.
  void TakePicture(TBitmap& source);

  TCanvas& Canvas();

  // Where the pixel memory comes from; null means the heap. Takes effect at the next resize.
  void SetMemoryProvider(TPixelMemoryProvider* provider) { FProvider = provider; }
  TPixelMemory* Memory() const { return FMemory.get(); }
  // Changes whenever the pixel memory is replaced: a row address fetched under another
  // generation is stale.
  std::uint64_t Generation() const { return FGeneration; }

  // Raised after the picture changed: the canvas has drawn, the size changed, or another
  // picture was assigned.
  std::function<void()> OnChange;

 private:
  void ChangeSize(int width, int height, bool keepPicture);
  void Reallocate(int width, int height, int pixelBits, bool keepPicture, TNewPixels pixels = TNewPixels::Black);

  int FWidth = 0;
  int FHeight = 0;
  int FPixelBits = 32;
  std::size_t FStride = 0;
  std::uint64_t FGeneration = 0;
  TPixelMemoryProvider* FProvider = nullptr;
  std::unique_ptr<TPixelMemory> FMemory;
  std::unique_ptr<TCanvas> FCanvas;
};

std::size_t BitmapStride(int width, int pixelBits);

// Copies `count` pixels from a row of one format (24 or 32 bits) into a row of another: the
// fourth byte of a 32-bit pixel is dropped, or written as 0.
void CopyRowConverted(const std::uint8_t* src, int srcBits, std::uint8_t* dst, int dstBits, int count);
