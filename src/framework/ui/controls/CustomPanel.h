#pragma once
#include <cstdint>
#include <string>

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/ui/core/WinControl.h"

enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised };

// A panel painted on its form's surface: an outer and an inner bevel, a background colour
// and a centred caption. Children are laid out inside the bevels.
class TCustomPanel : public TWinControl {
 public:
  explicit TCustomPanel(TComponent* owner);

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut bevel);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut bevel);
  // The thickness of each bevel in pixels.
  int BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(int width);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);

  // Raised after every change of the panel's size.
  TNotifyEvent OnResize;

  // The area inside both bevels.
  TRect AlignRect() const override;
  void Paint(TCanvas& canvas) override;

 protected:
  void BoundsChanged() override;

 private:
  TBevelCut FBevelInner = TBevelCut::bvNone;
  TBevelCut FBevelOuter = TBevelCut::bvRaised;
  int FBevelWidth = 1;
  TColor FColor = clBtnFace;
  std::string FCaption;
  TFont FFont;
  int FNotifiedWidth = 0;
  int FNotifiedHeight = 0;
};
