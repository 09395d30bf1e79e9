#include "ColorChooser.h"

#include "ColorDialog.h"

namespace {

constexpr int kMargin = 8;
constexpr int kColumns = 8;
constexpr int kRightColumn = 184;
constexpr int kBarLeft = 224;
constexpr int kBarWidth = 84;
constexpr int kRowHeight = 24;

// The basic colours, red-green-blue, row by row.
constexpr unsigned kBasicColors[TColorChooser::BasicColorCount] = {
    0xFF8080, 0xFFFF80, 0x80FF80, 0x00FF80, 0x80FFFF, 0x0080FF, 0xFF80C0, 0xFF80FF, 0xFF0000, 0xFFFF00,
    0x80FF00, 0x00FF40, 0x00FFFF, 0x0080C0, 0x8080C0, 0xFF00FF, 0x804040, 0xFF8040, 0x00FF00, 0x008080,
    0x004080, 0x8080FF, 0x800040, 0xFF0080, 0x800000, 0xFF8000, 0x008000, 0x008040, 0x0000FF, 0x0000A0,
    0x800080, 0x8000FF, 0x400000, 0x804000, 0x004000, 0x004040, 0x000080, 0x000040, 0x400040, 0x400080,
    0x000000, 0x808000, 0x808040, 0x808080, 0x408080, 0xC0C0C0, 0x400040, 0xFFFFFF,
};

const char* const kChannelNames[] = {"Red:", "Green:", "Blue:"};

std::vector<TColor> CustomColorList() {
  const auto& colors = TColorDialog::CustomColors();
  return {colors.begin(), colors.end()};
}

TRect InForm(const TControl& control, const TRect& r) { return r.Offset(control.Left(), control.Top()); }

}  // namespace

TColorChooser::TColorChooser(TComponent* owner, TColor initial) : TForm(owner), FSelected(ColorToRGB(initial)) {
  BorderStyle = TBorderStyle::bsDialog;
  Position = TPosition::poScreenCenter;
  SetCaption("Color");
  SetBounds(0, 0, 344, 252);
  BuildGrids();
  BuildChannels();
  BuildButtons();
  SelectColor(FSelected);
}

TColor TColorChooser::BasicColor(int index) {
  const unsigned rgb = kBasicColors[index];
  return RGB(static_cast<int>(rgb >> 16), static_cast<int>(rgb >> 8), static_cast<int>(rgb));
}

TStaticText* TColorChooser::AddLabel(const std::string& caption, int left, int top) {
  auto* label = new TStaticText(this);
  label->SetParent(this);
  label->SetCaption(caption);
  label->SetLeft(left);
  label->SetTop(top);
  return label;
}

void TColorChooser::BuildGrids() {
  AddLabel("Basic colors:", kMargin, 6);
  std::vector<TColor> basic;
  for (int i = 0; i < BasicColorCount; ++i) basic.push_back(BasicColor(i));
  FBasic = new TSwatchGrid(this, kColumns);
  FBasic->SetParent(this);
  FBasic->SetBounds(kMargin, 24, 0, 0);
  FBasic->SetColors(basic);
  AddLabel("Custom colors:", kMargin, 150);
  FCustom = new TSwatchGrid(this, kColumns);
  FCustom->SetParent(this);
  FCustom->SetBounds(kMargin, 168, 0, 0);
  FCustom->SetColors(CustomColorList());
  FBasic->OnSelect = [this](TComponent*) { GridSelected(*FBasic, *FCustom); };
  FCustom->OnSelect = [this](TComponent*) { GridSelected(*FCustom, *FBasic); };
}

void TColorChooser::BuildChannels() {
  FPreview = new TPanel(this);
  FPreview->SetParent(this);
  FPreview->SetBounds(kRightColumn, 24, 128, 56);
  FPreview->SetBevelOuter(TBevelCut::bvLowered);
  for (std::size_t i = 0; i < FChannels.size(); ++i) {
    const int top = 92 + static_cast<int>(i) * kRowHeight;
    AddLabel(kChannelNames[i], kRightColumn, top + 2);
    FChannels[i] = new TScrollBar(this);
    FChannels[i]->SetParent(this);
    FChannels[i]->SetBounds(kBarLeft, top, kBarWidth, 17);
    FChannels[i]->SetParams(0, 0, 255);
    FChannels[i]->SetLargeChange(16);
    FChannels[i]->OnChange = [this](TComponent*) { ChannelChanged(); };
    FValues[i] = AddLabel("0", kBarLeft + kBarWidth + 4, top + 2);
  }
}

void TColorChooser::BuildButtons() {
  FAddCustom = new TBitBtn(this);
  FAddCustom->SetParent(this);
  FAddCustom->SetBounds(kRightColumn, 168, 128, 25);
  FAddCustom->SetCaption("Add to Custom Colors");
  FAddCustom->OnClick = [this](TComponent*) { AddCustomColor(); };
  FOk = new TBitBtn(this);
  FOk->SetParent(this);
  FOk->SetKind(TBitBtnKind::bkOK);
  FOk->SetBounds(kMargin, 216, 75, 25);
  FCancel = new TBitBtn(this);
  FCancel->SetParent(this);
  FCancel->SetKind(TBitBtnKind::bkCancel);
  FCancel->SetBounds(kMargin + 83, 216, 75, 25);
}

TRect TColorChooser::BasicSwatchRect(int index) const { return InForm(*FBasic, FBasic->SwatchRect(index)); }

TRect TColorChooser::CustomSwatchRect(int index) const { return InForm(*FCustom, FCustom->SwatchRect(index)); }

void TColorChooser::SelectColor(TColor color) {
  FSelected = ColorToRGB(color);
  FBasic->SetSelectedIndex(FBasic->IndexOf(FSelected));
  FCustom->SetSelectedIndex(TSwatchGrid::NoSelection);
  ShowSelection();
}

void TColorChooser::GridSelected(TSwatchGrid& grid, TSwatchGrid& other) {
  FSelected = grid.Colors()[static_cast<std::size_t>(grid.SelectedIndex())];
  other.SetSelectedIndex(TSwatchGrid::NoSelection);
  ShowSelection();
}

void TColorChooser::ShowSelection() {
  const int channels[] = {GetRValue(FSelected), GetGValue(FSelected), GetBValue(FSelected)};
  FUpdatingBars = true;
  for (std::size_t i = 0; i < FChannels.size(); ++i) {
    FChannels[i]->SetPosition(channels[i]);
    FValues[i]->SetCaption(std::to_string(channels[i]));
  }
  FUpdatingBars = false;
  FPreview->SetColor(FSelected);
}

void TColorChooser::ChannelChanged() {
  if (FUpdatingBars) return;
  SelectColor(RGB(RedBar().Position(), GreenBar().Position(), BlueBar().Position()));
}

void TColorChooser::AddCustomColor() {
  const int slot = TColorDialog::AddCustomColor(FSelected);
  FCustom->SetColors(CustomColorList());
  FCustom->SetSelectedIndex(slot);
  FBasic->SetSelectedIndex(TSwatchGrid::NoSelection);
}
