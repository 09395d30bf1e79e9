#include "MenuItem.h"

#include <algorithm>

#include "framework/base/Utf8.h"

TMenuCaption ParseMenuCaption(const std::string& caption) {
  TMenuCaption parsed;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&' || i + 1 == caption.size()) {
      parsed.Text += caption[i];
      continue;
    }
    ++i;  // the mark itself is not shown; "&&" shows one "&"
    if (caption[i] != '&' && parsed.Mark == TMenuCaption::None) {
      parsed.Mark = parsed.Text.size();
      std::size_t after = i;
      NextCodePoint(caption, after);
      parsed.MarkLength = after - i;
      const char c = caption[i];
      if (c >= 'a' && c <= 'z') parsed.Key = static_cast<unsigned>(c - 'a' + 'A');
      else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) parsed.Key = static_cast<unsigned>(c);
    }
    parsed.Text += caption[i];
  }
  return parsed;
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (FParent) FParent->Remove(this);
  for (TMenuItem* item : FItems) item->FParent = nullptr;
}

void TMenuItem::Click() {
  if (Enabled && OnClick) OnClick(this);
}

void TMenuItem::Add(TMenuItem* item) {
  if (item->FParent) item->FParent->Remove(item);
  item->FParent = this;
  FItems.push_back(item);
}

void TMenuItem::Remove(TMenuItem* item) {
  if (item->FParent != this) return;
  std::erase(FItems, item);
  item->FParent = nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) const {
  if (shortCut == 0) return nullptr;
  for (TMenuItem* item : FItems) {
    if (!item->Visible || !item->Enabled) continue;
    if (item->ShortCut == shortCut) return item;
    if (TMenuItem* inner = item->FindShortCut(shortCut)) return inner;
  }
  return nullptr;
}
