#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ImageCodec.h"
#include "framework/base/Types.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/ShapeRasterizer.h"

class TBitmap;
class TCanvas;

// Plays the drawing records of a metafile onto the framework's canvas: the mapping from
// logical coordinates to the picture, the pens, brushes and fonts the records create and
// select, and the shapes they draw. The readers of the two metafile formats feed it.
class TMetafilePlayer {
 public:
  struct TPen {
    bool Null = false;
    double Width = 0;  // logical units; 0 is one pixel
    TColor Color = 0;
  };
  struct TBrush {
    bool Null = false;
    TColor Color = 0xFFFFFF;
  };
  struct TLogicalFont {
    double Height = -12;  // logical units, negative: the character height
    int Escapement = 0;
    bool Bold = false;
    bool Italic = false;
    std::string Face;
  };
  enum class TArcKind : std::uint8_t { Arc, Chord, Pie };

  // `picture` is a 32-bit bitmap of the picture's size, filled with white.
  explicit TMetafilePlayer(TBitmap& picture);
  ~TMetafilePlayer();

  // Logical to device: the map mode's unit, then window to viewport.
  void SetMapMode(int mode) { State().MapMode = mode; }
  void SetWindowOrg(double x, double y) { State().WindowOrg = {x, y}; }
  void SetWindowExt(double x, double y) { State().WindowExt = {x, y}; }
  void SetViewportOrg(double x, double y) { State().ViewportOrg = {x, y}; }
  void SetViewportExt(double x, double y) { State().ViewportExt = {x, y}; }
  // Device to picture: picture = (device - origin) * scale; metric map modes count
  // `devicePerMm` device units to the millimetre.
  void SetDeviceTransform(TPointF origin, TPointF scale, TPointF devicePerMm);

  void SetTextColor(TColor c) { State().TextColor = c; }
  void SetBkColor(TColor c) { State().BkColor = c; }
  void SetBkMode(int mode) { State().OpaqueText = mode == 2; }
  void SetTextAlign(unsigned align) { State().TextAlign = align; }
  void SaveState();
  // A negative `which` counts back from the newest saved state; a positive one names it.
  void RestoreState(int which);

  // Objects live in a table: a format either names the slot or takes the lowest free one.
  void SetPen(std::uint32_t slot, const TPen& pen);
  void SetBrush(std::uint32_t slot, const TBrush& brush);
  void SetFont(std::uint32_t slot, const TLogicalFont& font);
  // An object this player does not draw with (a palette, a region) still takes its slot.
  void SetUnused(std::uint32_t slot);
  std::uint32_t FreeSlot() const;
  void Select(std::uint32_t slot);
  // The stock objects: white, grey and black brushes, the null brush, pens, fonts.
  void SelectStock(std::uint32_t index);
  void Delete(std::uint32_t slot) { FObjects.erase(slot); }

  void MoveTo(TPointF p);
  void LineTo(TPointF p);
  void Rectangle(TPointF a, TPointF b);
  void Ellipse(TPointF a, TPointF b);
  void Polygon(const std::vector<TPointF>& points);
  void Polyline(const std::vector<TPointF>& points);
  void Arc(TPointF a, TPointF b, TPointF start, TPointF end, TArcKind kind);
  void Text(TPointF at, const std::string& utf8);
  // Draws part of a bitmap (source rectangle from its top-left) into a logical rectangle.
  void Image(TPointF destA, TPointF destB, const TBitmap& source, TRect sourceRect);

 private:
  struct TState {
    int MapMode = 1;
    TPointF WindowOrg, WindowExt{1, 1}, ViewportOrg, ViewportExt{1, 1};
    TColor TextColor = 0;
    TColor BkColor = 0xFFFFFF;
    bool OpaqueText = true;
    unsigned TextAlign = 0;
    TPen Pen;
    TBrush Brush;
    TLogicalFont Font;
  };
  struct TObject {
    enum class TKind : std::uint8_t { Pen, Brush, Font, Unused } Kind;
    TPen Pen;
    TBrush Brush;
    TLogicalFont Font;
  };

  TState& State() { return FStates.back(); }
  // Device units per logical unit, and picture pixels per logical unit.
  TPointF Unit() const;
  TPointF Scale() const;
  TPoint ToPicture(TPointF logical) const;
  std::vector<TPoint> ToPicture(const std::vector<TPointF>& points) const;
  // The pen's width in pixels, at least one.
  double PenPixels() const;
  // Sets the canvas's pen and brush for a filled shape; false when nothing would show.
  bool PrepareFill();
  // The part of the picture the points' bounding box covers, in pixels.
  double CoveredArea(const std::vector<TPoint>& points) const;
  // Counts drawing work against a budget, so that no file can make playing it take long.
  void Charge(double pixels);

  TBitmap& FPicture;
  TCanvas& FCanvas;
  std::vector<TState> FStates{TState{}};
  std::map<std::uint32_t, TObject> FObjects;
  TPointF FDeviceOrigin, FDeviceScale{1, 1}, FDevicePerMm{96 / 25.4, 96 / 25.4};
  TPointF FPosition;
  double FBudget;
};
