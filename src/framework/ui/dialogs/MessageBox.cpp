#include "MessageBox.h"

#include <algorithm>
#include <utility>

#include "MessageIcons.h"
#include "WrappedText.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/StylePainter.h"
#include "framework/graphics/TextPainter.h"

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 8;
constexpr int kMinimumWidth = 180;
// Of the screen's width and height, what a box may take at most (so that its frame fits too).
constexpr int kScreenShareNumerator = 3, kScreenShareDenominator = 4;

const char* CaptionOf(TMsgDlgBtn button) {
  switch (button) {
    case TMsgDlgBtn::mbOK: return "OK";
    case TMsgDlgBtn::mbYes: return "Yes";
    case TMsgDlgBtn::mbNo: return "No";
  }
  return "";
}

TModalResult ResultOf(TMsgDlgBtn button) {
  switch (button) {
    case TMsgDlgBtn::mbOK: return mrOk;
    case TMsgDlgBtn::mbYes: return mrYes;
    case TMsgDlgBtn::mbNo: return mrNo;
  }
  return mrCancel;
}

}  // namespace

void ShowExceptionsInMessageBoxes(TApplication& application) {
  application.ExceptionBox = [&application](const std::string& text) {
    TMessageBox box(&application, application.Title, text);
    box.ShowModal();
  };
}

TModalResult MessageDlg(const std::string& caption, const std::string& text, TMsgDlgType type,
                        std::vector<TMsgDlgBtn> buttons, TMsgDlgBtn focused) {
  TMessageBox box(Application, caption, text, type, std::move(buttons), focused);
  return box.ShowModal();
}

TMessageBox::TMessageBox(TComponent* owner, const std::string& caption, const std::string& text, TMsgDlgType type,
                         std::vector<TMsgDlgBtn> buttons, TMsgDlgBtn focused)
    : TForm(owner), FText(text), FType(type), FButtons(std::move(buttons)) {
  if (FButtons.empty()) FButtons.push_back(TMsgDlgBtn::mbOK);
  FFocused = std::max(
      static_cast<int>(std::find(FButtons.begin(), FButtons.end(), focused) - FButtons.begin()) % ButtonCount(), 0);
  BorderStyle = TBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetCaption(caption);
  FitToText();
}

// However long the text, the box fits on the screen: the text wraps, and what is still too
// long is cut with an ellipsis.
void TMessageBox::FitToText() {
  const TSize screen = ScreenSize();
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
  const int buttonsWidth = ButtonCount() * (kButtonWidth + kButtonGap) - kButtonGap + 2 * kMargin;
  SetBounds(0, 0, std::max({besideText + textWidth, buttonsWidth, kMinimumWidth}),
            std::max(kIconSize, textHeight) + aroundText);
}

TRect TMessageBox::ButtonRect(int index) const {
  const int row = ButtonCount() * (kButtonWidth + kButtonGap) - kButtonGap;
  return Bounds((Width() - row) / 2 + index * (kButtonWidth + kButtonGap), Height() - kMargin - kButtonHeight,
                kButtonWidth, kButtonHeight);
}

int TMessageBox::ButtonAt(int x, int y) const {
  for (int i = 0; i < ButtonCount(); ++i)
    if (ButtonRect(i).Contains(x, y)) return i;
  return -1;
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
  for (int i = 0; i < ButtonCount(); ++i) PaintButton(canvas, i);
}

void TMessageBox::PaintIcon(TCanvas& canvas) const {
  const TRect icon = Bounds(kMargin, kMargin, kIconSize, kIconSize);
  if (FType == TMsgDlgType::mtWarning) PaintWarningIcon(canvas, icon);
  else PaintErrorIcon(canvas, icon);
}

void TMessageBox::PaintButton(TCanvas& canvas, int index) {
  const TRect button = ButtonRect(index);
  const bool down = index == FButtonDown;
  const TRect face = TStylePainter::DrawFrame(canvas, button,
                                              down                ? TFrameStyle::ButtonDown
                                              : index == FFocused ? TFrameStyle::DefaultButton
                                                                  : TFrameStyle::ButtonUp);
  canvas.Brush = {clBtnFace, TBrushStyle::bsSolid};
  canvas.FillRect(face);
  const std::string caption = CaptionOf(FButtons[static_cast<std::size_t>(index)]);
  const TSize text = canvas.TextExtent(caption);
  const int shift = down ? 1 : 0;
  canvas.TextOut(button.Left + (button.Width() - text.cx) / 2 + shift,
                 button.Top + (button.Height() - text.cy) / 2 + shift, caption);
  if (index == FFocused && ButtonCount() > 1) TStylePainter::DrawFocusRect(canvas, TStylePainter::Inset(face, 2));
}

void TMessageBox::Press(int index) { SetModalResult(ResultOf(FButtons[static_cast<std::size_t>(index)])); }

void TMessageBox::Focus(int index) {
  FFocused = (index + ButtonCount()) % ButtonCount();
  Invalidate();
}

void TMessageBox::KeyDown(unsigned& key, TShiftState shift) {
  TForm::KeyDown(key, shift);
  switch (key) {
    case VK_RETURN:
    case VK_SPACE: Press(FFocused); return;
    case VK_ESCAPE: Press(ButtonCount() - 1); return;
    case VK_LEFT: Focus(FFocused - 1); return;
    case VK_RIGHT: Focus(FFocused + 1); return;
    case VK_TAB: Focus(FFocused + ((shift & ssShift) ? -1 : 1)); return;
    default: break;
  }
  for (int i = 0; i < ButtonCount(); ++i)
    if (static_cast<unsigned>(CaptionOf(FButtons[static_cast<std::size_t>(i)])[0]) == key && ButtonCount() > 1)
      Press(i);
}

void TMessageBox::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  TForm::MouseDown(button, shift, x, y);
  if (button != TMouseButton::mbLeft || ButtonAt(x, y) < 0) return;
  FButtonDown = ButtonAt(x, y);
  InvalidateWindowArea(ButtonRect(FButtonDown));
}

void TMessageBox::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  TForm::MouseUp(button, shift, x, y);
  if (FButtonDown < 0) return;
  const int pressed = std::exchange(FButtonDown, -1);
  InvalidateWindowArea(ButtonRect(pressed));
  if (ButtonRect(pressed).Contains(x, y)) Press(pressed);
}
