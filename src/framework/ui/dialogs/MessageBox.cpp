#include "MessageBox.h"

#include <algorithm>
#include <sstream>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/graphics/TextPainter.h"

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kMinimumWidth = 180;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  if (lines.empty()) lines.emplace_back();
  return lines;
}

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

void TMessageBox::FitToText() {
  const TTextPainter measure(Font);
  int textWidth = 0;
  const std::vector<std::string> lines = Lines(FText);
  for (const std::string& line : lines) textWidth = std::max(textWidth, measure.Extent(line).cx);
  const int textHeight = measure.Extent("Ag").cy * static_cast<int>(lines.size());
  const int width = std::max(kMargin + kIconSize + kMargin + textWidth + kMargin, kMinimumWidth);
  const int height = kMargin + std::max(kIconSize, textHeight) + kMargin + kButtonHeight + kMargin;
  SetBounds(0, 0, width, height);
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
  const std::vector<std::string> lines = Lines(FText);
  const int lineHeight = canvas.TextHeight("Ag");
  int y = kMargin + std::max(0, (kIconSize - lineHeight * static_cast<int>(lines.size())) / 2);
  for (const std::string& line : lines) {
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
