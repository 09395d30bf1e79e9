#pragma once
#include <cstdint>
#include <string>

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/ui/core/WinControl.h"

enum class TStaticBorderStyle : std::uint8_t { sbsNone, sbsSingle, sbsSunken };

// A line of text on a face-coloured ground, optionally framed. With AutoSize the control
// takes the size of its text and frame.
class TStaticText : public TWinControl {
 public:
  explicit TStaticText(TComponent* owner);

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  TStaticBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TStaticBorderStyle style);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool autoSize);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);
  TColor Color() const { return FColor; }
  void SetColor(TColor color);

  void Paint(TCanvas& canvas) override;

 private:
  int BorderWidth() const;
  void AdjustSize();

  std::string FCaption;
  TStaticBorderStyle FBorderStyle = TStaticBorderStyle::sbsNone;
  bool FAutoSize = true;
  TFont FFont;
  TColor FColor = clBtnFace;
};
