#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "ShortCut.h"
#include "framework/ui/core/Control.h"

// A caption as a menu shows it: without its "&" marks, the character after the first single
// "&" underlined and answering to its key.
struct TMenuCaption {
  static constexpr std::size_t None = std::string::npos;
  std::string Text;
  // Where the underlined character begins in Text, and its length in bytes; None: no mark.
  std::size_t Mark = None;
  std::size_t MarkLength = 0;
  // The virtual key of the marked character (a letter or a digit), 0 when it has none.
  unsigned Key = 0;
};
TMenuCaption ParseMenuCaption(const std::string& caption);

// One line of a menu: a command, or a separator when its caption is "-". The items of a
// menu are kept in order by their parent item; an owner destroys them like any component,
// and a destroyed item leaves its parent's list.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  // "&" marks the next character as the item's key ("&&" shows one "&").
  std::string Caption;
  bool Enabled = true;
  bool Checked = false;
  bool Visible = true;
  // Shown at the right of the item; it runs the item while the menu's form has the keyboard.
  TShortCut ShortCut = 0;
  TNotifyEvent OnClick;

  bool IsLine() const { return Caption == "-"; }
  // Runs OnClick when the item is enabled.
  virtual void Click();

  TMenuItem* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const { return FItems.at(static_cast<std::size_t>(index)); }
  // Moves `item` to the end of this item's list (out of the list it was in).
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  // The first enabled, visible item of this item's list (or deeper) with `shortCut`; null
  // when none has it.
  TMenuItem* FindShortCut(TShortCut shortCut) const;

 private:
  TMenuItem* FParent = nullptr;
  std::vector<TMenuItem*> FItems;
};
