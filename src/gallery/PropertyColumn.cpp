#include "PropertyColumn.h"

#include "GalleryPage.h"
#include "components/ColorButton.h"
#include "framework/ui/controls/Panel.h"
#include "framework/ui/controls/ScrollBar.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/controls/StaticText.h"

namespace {

constexpr int kGap = 6;  // between one property and the next
constexpr int kButtonHeight = 23;

}  // namespace

TPropertyColumn::TPropertyColumn(TComponent* owner, TWinControl* page, const char* name)
    : FOwner(owner), FPanel(new TPanel(owner)) {
  FPanel->Name = name;
  FPanel->SetParent(page);
  FPanel->SetBevelOuter(TBevelCut::bvLowered);
  FPanel->SetWidth(TGalleryPage::ColumnWidth);
  FPanel->SetAlign(TAlign::alRight);
}

int TPropertyColumn::Width() const { return FPanel->Width() - 2 * Inset; }

int TPropertyColumn::Take(int height) {
  const int top = FTop;
  FTop += height;
  return top;
}

TStaticText* TPropertyColumn::AddCaption(const char* name, const std::string& caption) {
  auto* text = new TStaticText(FOwner);
  text->Name = name;
  text->SetParent(FPanel);
  text->SetCaption(caption);
  text->SetLeft(Inset);
  text->SetTop(Take(text->Height() + 2));
  return text;
}

TColorButton* TPropertyColumn::AddColor(const char* name, const std::string& caption, TColor color) {
  AddCaption("", caption);
  auto* button = new TColorButton(FOwner);
  button->Name = name;
  button->SetParent(FPanel);
  button->SetColor(color);
  button->SetBounds(Inset, Take(button->Height() + kGap), Width(), button->Height());
  return button;
}

TScrollBar* TPropertyColumn::AddBar(const char* name, const std::string& caption, int min, int max, int position) {
  AddCaption("", caption);
  auto* bar = new TScrollBar(FOwner);
  bar->Name = name;
  bar->SetParent(FPanel);
  bar->SetParams(position, min, max);
  bar->SetLargeChange(std::max((max - min) / 10, 1));
  bar->SetBounds(Inset, Take(bar->Height() + kGap), Width(), bar->Height());
  return bar;
}

std::vector<TSpeedButton*> TPropertyColumn::AddModes(const char* name, const std::string& caption,
                                                     const std::vector<std::string>& modes, int group) {
  AddCaption("", caption);
  const int top = Take(kButtonHeight + kGap);
  const int count = static_cast<int>(modes.size());
  std::vector<TSpeedButton*> buttons;
  for (int i = 0; i < count; ++i) {
    auto* button = new TSpeedButton(FOwner);
    button->Name = name + std::to_string(i + 1);
    button->SetParent(FPanel);
    const int left = Inset + Width() * i / count;
    button->SetBounds(left, top, Inset + Width() * (i + 1) / count - left, kButtonHeight);
    button->SetGroupIndex(group);
    button->SetCaption(modes[static_cast<std::size_t>(i)]);
    buttons.push_back(button);
  }
  buttons.front()->SetDown(true);
  return buttons;
}

TSpeedButton* TPropertyColumn::AddButton(const char* name, const std::string& caption) {
  auto* button = new TSpeedButton(FOwner);
  button->Name = name;
  button->SetParent(FPanel);
  button->SetCaption(caption);
  button->SetBounds(Inset, Take(kButtonHeight + kGap), Width(), kButtonHeight);
  return button;
}
