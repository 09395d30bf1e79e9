#include "MessageBox.h"

#include <algorithm>
#include <vector>

#include "WrappedText.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/graphics/TextPainter.h"

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinimumWidth = 180;

// Of the screen's width and height, what a box may take at most (so that its frame fits too).
constexpr int kScreenShareNumerator = 3, kScreenShareDenominator = 4;

}  // namespace

void ShowExceptionsInMessageBoxes(TApplication& application) {
  application.ExceptionBox = [&application](const std::string& text) {
    TMessageBox box(&application, application.Title, text);
    box.ShowModal();
  };
}

TMessageBox::TMessageBox(TComponent* owner, const std::string& caption, const std::string& text)
    : TForm(owner), FText(text) {
  BorderStyle = TBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetCaption(caption);
  FitToText();
}

// However long the text, the box fits on the screen: the text wraps, and what is still too
// long is cut with an ellipsis.
void TMessageBox::FitToText() {
  const TSize screen = System().ScreenSize();
  const TTextPainter measure(Font);
  const int lineHeight = measure.Extent("Ag").cy;
  const int besideText = kMargin + kIconSize + kMargin + kMargin;
  const int aroundText = kMargin + kMargin + kButtonHeight + kMargin;
  const int maxTextWidth = std::max(screen.cx * kScreenShareNumerator / kScreenShareDenominator - besideText, 1);
  const int maxLines =
      (screen.cy * kScreenShareNumerator / kScreenShareDenominator - aroundText) / std::max(lineHeight, 1);
  FLines = WrapText(FText, Font, maxTextWidth, maxLines);
  int textWidth = 0;
  for (const std::string& line : FLines) textWidth = std::max(textWidth, measure.Extent(line).cx);
  const int textHeight = lineHeight * static_cast<int>(FLines.size());
  SetBounds(0, 0, std::max(besideText + textWidth, kMinimumWidth), std::max(kIconSize, textHeight) + aroundText);
}

TRect TMessageBox::ButtonRect() const {
  return Bounds((Width() - kButtonWidth) / 2, Height() - kMargin - kButtonHeight, kButtonWidth, kButtonHeight);
}

void TMessageBox::Paint(TCanvas& canvas) {
  TForm::Paint(canvas);
  PaintIcon(canvas);
  canvas.Font = Font;
  canvas.Font.Color = clBtnText;
  canvas.BkMode = TBkMode::Transparent;
  canvas.TextAlign = TA_LEFT | TA_TOP;
  const int lineHeight = canvas.TextHeight("Ag");
  int y = kMargin + std::max(0, (kIconSize - lineHeight * static_cast<int>(FLines.size())) / 2);
  for (const std::string& line : FLines) {
    canvas.TextOut(kMargin + kIconSize + kMargin, y, line);
    y += lineHeight;
  }
  PaintButton(canvas);
}

void TMessageBox::PaintIcon(TCanvas& canvas) const {
  const TRect icon = Bounds(kMargin, kMargin, kIconSize, kIconSize);
  canvas.Pen = {clMaroon, 1, TPenMode::pmCopy};
  canvas.Brush = {clRed, TBrushStyle::bsSolid};
  canvas.Ellipse(icon.Left, icon.Top, icon.Right, icon.Bottom);
  // The white cross: two strokes from corner to corner of the circle's inner square.
  constexpr int kInset = 10;
  canvas.Pen = {clWhite, 3, TPenMode::pmCopy};
  canvas.MoveTo(icon.Left + kInset, icon.Top + kInset);
  canvas.LineTo(icon.Right - kInset, icon.Bottom - kInset);
  canvas.MoveTo(icon.Right - kInset, icon.Top + kInset);
  canvas.LineTo(icon.Left + kInset, icon.Bottom - kInset);
}

void TMessageBox::PaintButton(TCanvas& canvas) {
  const TRect button = ButtonRect();
  const TRect face =
      TStylePainter::DrawFrame(canvas, button, FButtonDown ? TFrameStyle::ButtonDown : TFrameStyle::DefaultButton);
  canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
  canvas.FillRect(face);
  const TSize text = canvas.TextExtent("OK");
  const int shift = FButtonDown ? 1 : 0;
  canvas.TextOut(button.Left + (button.Width() - text.cx) / 2 + shift,
                 button.Top + (button.Height() - text.cy) / 2 + shift, "OK");
}

void TMessageBox::KeyDown(unsigned& key, TShiftState shift) {
  TForm::KeyDown(key, shift);
  if (key == VK_RETURN || key == VK_ESCAPE || key == VK_SPACE) SetModalResult(mrOk);
}

void TMessageBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TForm::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || !ButtonRect().Contains(x, y)) return;
  FButtonDown = true;
  InvalidateWindowArea(ButtonRect());
}

void TMessageBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TForm::MouseUp(button, shift, x, y);
  if (!FButtonDown) return;
  FButtonDown = false;
  InvalidateWindowArea(ButtonRect());
  if (ButtonRect().Contains(x, y)) SetModalResult(mrOk);
}
