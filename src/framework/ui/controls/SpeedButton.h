#pragma once
#include <string>

#include "ButtonPress.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GlyphImages.h"
#include "framework/ui/core/Control.h"

// A button without a window of its own. Buttons of one parent that share a GroupIndex
// other than 0 act as radio buttons: one of them is down at a time. A flat button paints no
// face, so its parent shows through; it shows a thin raised edge while the pointer is over
// it and a sunken one while it is pressed.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);

  bool Flat() const { return FFlat; }
  void SetFlat(bool flat);
  void SetGroupIndex(int index);
  bool Down() const { return FDown; }
  void SetDown(bool down);
  const TBitmap& Glyph() const { return FGlyph.Bitmap(); }
  void SetGlyph(const TBitmap& glyph);
  int NumGlyphs() const { return FGlyph.NumGlyphs(); }
  void SetNumGlyphs(int count);
  // Pixels between the left edge and the glyph; -1 centres glyph and caption.
  int Margin() const { return FMargin; }
  void SetMargin(int margin);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);

  // True while the pointer is over the button.
  bool MouseInControl() const { return FMouseInControl; }
  // True while the mouse holds the button down over it.
  bool Pressed() const { return FPress.Pressed(); }

  void Click() override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CaptureLost() override;
  void MouseEnter() override;
  void MouseLeave() override;
  void Paint(TCanvas& canvas) override;

 private:
  void ReleaseGroup();
  void PaintFrame(TCanvas& canvas) const;
  void PaintContent(TCanvas& canvas) const;

  bool FFlat = false;
  int FGroupIndex = 0;
  bool FDown = false;
  TGlyphImages FGlyph;
  int FMargin = -1;
  std::string FCaption;
  TFont FFont;
  bool FMouseInControl = false;
  TButtonPress FPress;
};
