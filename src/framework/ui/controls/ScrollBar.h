#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/ui/core/WinControl.h"

class TTimer;

enum class TScrollBarKind : std::uint8_t { sbHorizontal, sbVertical };

// A bar with an arrow at each end and a thumb on a track between them. Position stays in
// Min .. Max; OnChange is raised whenever it changes, by the user or by program.
class TScrollBar : public TWinControl {
 public:
  // An arrow or the track held down steps again after the delay, then at every interval.
  static constexpr int RepeatDelayMs = 400;
  static constexpr int RepeatIntervalMs = 50;

  explicit TScrollBar(TComponent* owner);
  ~TScrollBar() override;

  TScrollBarKind Kind() const { return FKind; }
  void SetKind(TScrollBarKind kind);
  int Min() const { return FMin; }
  void SetMin(int min) { SetParams(FPosition, min, FMax < min ? min : FMax); }
  int Max() const { return FMax; }
  void SetMax(int max) { SetParams(FPosition, FMin > max ? max : FMin, max); }
  int Position() const { return FPosition; }
  void SetPosition(int position) { SetParams(position, FMin, FMax); }
  // Sets all three at once; the position is clamped to the range.
  void SetParams(int position, int min, int max);
  // The step of an arrow (and the arrow keys) and of a click on the track (and PgUp/PgDn).
  int SmallChange() const { return FSmallChange; }
  void SetSmallChange(int change) { FSmallChange = change; }
  int LargeChange() const { return FLargeChange; }
  void SetLargeChange(int change) { FLargeChange = change; }

  TNotifyEvent OnChange;

  // The parts, in the bar's own coordinates.
  TRect LowerArrowRect() const;
  TRect UpperArrowRect() const;
  TRect TrackRect() const;
  TRect ThumbRect() const;

  void KeyDown(unsigned& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CaptureLost() override;
  void Paint(TCanvas& canvas) override;

 private:
  enum class TPart : std::uint8_t { None, LowerArrow, UpperArrow, LowerTrack, UpperTrack, Thumb };

  bool Horizontal() const { return FKind == TScrollBarKind::sbHorizontal; }
  // Lengths along the bar: the whole bar, one arrow, the thumb.
  int Length() const;
  int ArrowLength() const;
  int ThumbLength() const;
  int ThumbOffset() const;
  int Along(int x, int y) const { return Horizontal() ? x : y; }
  TRect Span(int from, int length) const;
  TPart PartAt(int x, int y) const;
  void DragThumbTo(int along);
  void StepPressedPart();
  void Release();
  void PaintArrow(TCanvas& canvas, const TRect& r, bool upper) const;
  std::vector<TPoint> ArrowMark(const TRect& r, bool upper, int shift) const;

  TScrollBarKind FKind = TScrollBarKind::sbHorizontal;
  int FMin = 0;
  int FMax = 100;
  int FPosition = 0;
  int FSmallChange = 1;
  int FLargeChange = 1;
  TPart FPressed = TPart::None;
  // While the thumb is dragged: where along the thumb the mouse holds it.
  int FGrip = 0;
  // While a part is held: where the pointer is, and the repeat of the part's step.
  TPoint FPointer;
  std::unique_ptr<TTimer> FRepeat;
};
