#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Color.h"
#include "DeviceScale.h"
#include "Font.h"
#include "ShapeRasterizer.h"
#include "framework/base/Types.h"

class TBitmap;
class TPixelWriter;

enum class TPenMode : std::uint8_t { pmCopy, pmNot, pmXor, pmNotXor };
enum class TBrushStyle : std::uint8_t { bsSolid, bsClear };

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenMode Mode = TPenMode::pmCopy;
};

struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};

// Raster operations for drawing a bitmap onto a canvas.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;
constexpr std::uint32_t SRCPAINT = 0x00EE0086;
constexpr std::uint32_t SRCAND = 0x008800C6;
constexpr std::uint32_t SRCINVERT = 0x00660046;

// Text alignment flags: one horizontal and one vertical.
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

enum class TBkMode : std::uint8_t { Transparent, Opaque };

struct TSize {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const TSize&, const TSize&) = default;
};

// Draws into a bitmap with the classic rules: right and bottom edges excluded, the last
// pixel of a thin line left out, system colours resolved, one rectangular clip region.
// Coordinates are logical: a canvas with a scale draws them at the bitmap's device pixels
// (shapes and pens grown, text rasterised at the grown size, bitmaps stretched), while every
// coordinate, clip and text measure it deals in stays logical.
class TCanvas {
 public:
  explicit TCanvas(TBitmap& bitmap);

  TPen Pen;
  TBrush Brush;
  TFont Font;
  std::uint32_t CopyMode = SRCCOPY;
  unsigned TextAlign = TA_LEFT | TA_TOP;
  TBkMode BkMode = TBkMode::Opaque;
  TPoint PenPos;

  TBitmap& Bitmap() const { return FBitmap; }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<TPoint>& points);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void FillRect(const TRect& r);
  void FrameRect(const TRect& r);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Polygon(const std::vector<TPoint>& points);

  // Reads resolve nothing: the pixel as a TColor, or clBlack outside the bitmap.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // Text is drawn in Font.Color, placed by TextAlign about (x, y) along the baseline that
  // Font.Escapement turns. With BkMode opaque and a solid brush its box is filled first.
  void TextOut(int x, int y, const std::string& text);
  // Text clipped to a rectangle; with opaque background the rectangle is filled first.
  void TextRect(const TRect& r, int x, int y, const std::string& text);
  TSize TextExtent(const std::string& text);
  int TextWidth(const std::string& text) { return TextExtent(text).cx; }
  int TextHeight(const std::string& text) { return TextExtent(text).cy; }

  // Draws a bitmap at (x, y) with CopyMode.
  void Draw(int x, int y, const TBitmap& source);
  // Draws part of a bitmap at (x, y) with CopyMode.
  void DrawPart(int x, int y, const TBitmap& source, const TRect& sourceRect);
  // Draws a bitmap scaled to fill `dest`, each pixel taking the source pixel under its centre.
  void StretchDraw(const TRect& dest, const TBitmap& source);

  const TDeviceScale& Scale() const { return FScale; }
  void SetScale(const TDeviceScale& scale) { FScale = scale; }

  void SetClipRect(const TRect& r) { FClip = r; }
  void ClearClipRect() { FClip.reset(); }
  std::optional<TRect> ClipRect() const { return FClip; }
  bool PtVisible(int x, int y) const;

 private:
  void Changed();
  // In device pixels.
  TRect DrawableArea() const;
  // The logical area within which shapes drawn logically and grown can reach `writer`'s area.
  TRect LogicalArea(const TPixelWriter& writer) const;
  // A sink of logical spans that fills the device pixels under each.
  TSpanSink Grown(TSpanSink sink) const;
  void DrawScaled(const TRect& dest, const TBitmap& source, const TRect& sourceRect);
  bool OpaqueText() const;
  int PenWidth() const;
  TSpanSink PenSink(TPixelWriter& writer) const;
  TSpanSink BrushSink(TPixelWriter& writer) const;
  void StrokeSegment(TPixelWriter& writer, TPoint from, TPoint to) const;
  void PaintText(TPixelWriter& writer, int x, int y, const std::string& text, bool opaque) const;

  TBitmap& FBitmap;
  std::optional<TRect> FClip;
  TDeviceScale FScale;
};
