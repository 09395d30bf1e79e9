#pragma once
#include <cstdint>

#include "PnlImg.h"
#include "framework/graphics/Font.h"

enum class TVekProgressOrientation : std::uint8_t { vpoHorizontal, vpoVertical };

// A progress bar drawn as a colour gradient with its percentage written over it in text
// that inverts what lies beneath. Normally it fills from the left (or the bottom) in
// proportion to Position; in timer mode a peak in Color2, fading to Color1 on both sides,
// travels back and forth as StepIt is called.
class TVekProgress : public TPnlImg {
 public:
  explicit TVekProgress(TComponent* owner);

  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor c);
  // The colour at the start (left or bottom) and at the leading edge.
  TColor Color1() const { return FColor1; }
  void SetColor1(TColor c);
  TColor Color2() const { return FColor2; }
  void SetColor2(TColor c);
  // The font of the percentage; it stands in for the panel's own font, which shows nowhere.
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);
  bool IsTimer() const { return FIsTimer; }
  void SetIsTimer(bool on);
  // Min < Max always: a value that would break it is ignored.
  int Max() const { return FMax; }
  void SetMax(int v);
  int Min() const { return FMin; }
  void SetMin(int v);
  // Kept within Min ... Max, except by the steps of timer mode.
  int Position() const { return FPosition; }
  void SetPosition(int v);
  bool ShowValue() const { return FShowValue; }
  void SetShowValue(bool on);
  TVekProgressOrientation Orientation() const { return FOrientation; }
  void SetOrientation(TVekProgressOrientation orientation);
  // Direction of travel in timer mode, +1 or -1.
  int StepSign() const { return FStepSign; }

  void StepIt() { StepIt(1); }
  // Normal mode: Position moves by n within Min ... Max. Timer mode: by n in the direction of
  // travel, turning once it reaches an end (it may pass it by less than a step).
  void StepIt(int n);

  // Position * 100 / Max, truncated; 0 when Max is 0.
  long long Percent() const;
  void Draw();

 protected:
  void SurfaceResized() override { Draw(); }

 private:
  // How far the bar reaches along `length` pixels: Position's share of Min ... Max.
  int Reach(int length) const;
  void DrawHorizontal();
  void DrawVertical();
  void DrawValue();

  std::uint8_t FColors = 64;
  int FStepSign = 1;
  TColor FBackColor = clBtnFace;
  TColor FColor1 = clAqua;
  TColor FColor2 = clNavy;
  TFont FFont;
  bool FIsTimer = false;
  int FMax = 100;
  int FMin = 0;
  int FPosition = 50;
  bool FShowValue = true;
  TVekProgressOrientation FOrientation = TVekProgressOrientation::vpoHorizontal;
};
