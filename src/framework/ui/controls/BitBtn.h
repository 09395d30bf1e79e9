#pragma once
#include <cstdint>
#include <string>

#include "ButtonPress.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/GlyphImages.h"
#include "framework/ui/core/Form.h"
#include "framework/ui/core/WinControl.h"

enum class TBitBtnKind : std::uint8_t { bkCustom, bkOK, bkCancel };

// A push button with a glyph left of its caption. A kind other than bkCustom brings the
// standard caption, glyph and modal result; the OK kind is the default button (Enter) and
// the Cancel kind the cancel button (Escape).
class TBitBtn : public TWinControl {
 public:
  explicit TBitBtn(TComponent* owner);

  TBitBtnKind Kind() const { return FKind; }
  void SetKind(TBitBtnKind kind);
  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& caption);
  const TBitmap& Glyph() const { return FGlyph.Bitmap(); }
  void SetGlyph(const TBitmap& glyph);
  int NumGlyphs() const { return FGlyph.NumGlyphs(); }
  void SetNumGlyphs(int count);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& font);
  // Enter anywhere in the form clicks the default button, Escape the cancel button.
  bool Default() const { return FDefault; }
  bool Cancel() const { return FCancel; }
  // Set on the parent form by a click when not mrNone; ends a modal loop.
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult result) { FModalResult = result; }
  // True while the mouse holds the button down over it.
  bool Pressed() const { return FPress.Pressed(); }

  // The full click: the form's modal result first, then OnClick.
  void Click() override;
  bool DialogKey(unsigned key) override;
  void KeyDown(unsigned& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  void CaptureLost() override;
  void FocusChanged() override;
  void Paint(TCanvas& canvas) override;

 private:
  // The default frame: on the focused button, and on the default button while no other
  // button has the focus, so that it always marks the button that Enter clicks.
  bool Framed() const;
  void PaintContent(TCanvas& canvas, const TRect& face);

  TBitBtnKind FKind = TBitBtnKind::bkCustom;
  std::string FCaption;
  TGlyphImages FGlyph;
  TFont FFont;
  bool FDefault = false;
  bool FCancel = false;
  TModalResult FModalResult = mrNone;
  TButtonPress FPress;
};
