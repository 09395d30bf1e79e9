#pragma once
// Pictures, comparisons and ImageMagick's view of files, shared by the codec tests.
#include <memory>
#include <string>

#include "framework/graphics/Bitmap.h"
#include "imaging/ImageCodec.h"

// A picture with smooth gradients, hard edges and many colours (pixelBits 24 or 32).
std::unique_ptr<TBitmap> PhotoPicture(int width, int height, int pixelBits = 24);
// A picture of `colors` colours in stripes and blocks of 3 x 5 pixels; all of them when it holds
// enough blocks (300 x 200 holds 373 colours).
std::unique_ptr<TBitmap> FewColorPicture(int width, int height, int colors);

// Every pixel the same (B, G, R; a 32-bit pixel's top byte ignored).
bool SamePixels(const TBitmap& a, const TBitmap& b);
// Where two pictures of one size first differ, for failure messages ("" when they do not).
std::string FirstDifference(const TBitmap& a, const TBitmap& b);
// Peak signal-to-noise ratio in dB over the three channels; pictures of one size.
double Psnr(const TBitmap& a, const TBitmap& b);

// Runs a shell command; true when it exits with 0.
bool Shell(const std::string& command);
// ImageMagick's pixels of a file's first frame on its screen, transparency composed over
// black, as a 24-bit picture.
std::unique_ptr<TBitmap> MagickPixels(const std::string& file);
// What `identify` calls the file's format ("PNG", "TIFF", ...).
std::string MagickFormat(const std::string& file);
// Writes a picture as a binary PPM, the input of the libraries' own tools.
void WritePpm(const TBitmap& bitmap, const std::string& file);

// The CRC-32 of PNG and zip, to pin bytes that a writer must keep producing.
std::uint32_t Crc32(const std::uint8_t* p, std::size_t n);

TBytes ReadBytes(const std::string& file);
void WriteBytes(const std::string& file, const TBytes& bytes);
