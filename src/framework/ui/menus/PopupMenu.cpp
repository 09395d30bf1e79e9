#include "PopupMenu.h"

#include <algorithm>
#include <vector>

#include "PopupMenuWindow.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Form.h"
#include "framework/ui/core/MenuRouting.h"

namespace {

// Every menu alive, so that a pointer kept elsewhere can be checked before use.
std::vector<const TPopupMenu*>& LiveMenus() {
  static std::vector<const TPopupMenu*> menus;
  return menus;
}

bool HasVisibleItem(TMenuItem& items) {
  for (int i = 0; i < items.Count(); ++i)
    if (items.Items(i)->Visible) return true;
  return false;
}

bool RunItemWithShortCut(TPopupMenu* menu, TShortCut shortCut) {
  if (!menu || !TPopupMenu::Exists(menu)) return false;
  TMenuItem* item = menu->Items().FindShortCut(shortCut);
  if (!item) return false;
  item->Click();
  return true;
}

// The menus of the visible controls inside `parent`, depth first.
bool RunShownShortCut(const TWinControl& parent, TShortCut shortCut) {
  for (TControl* child : parent.Controls()) {
    if (!child->Visible()) continue;
    if (RunItemWithShortCut(child->PopupMenu, shortCut)) return true;
    const auto* inner = dynamic_cast<const TWinControl*>(child);
    if (inner && RunShownShortCut(*inner, shortCut)) return true;
  }
  return false;
}

// A right click opens the menu of the control or of its nearest parent that names one; a menu
// that does not pop up by itself keeps the parents' from opening.
void PopUpForRightClick(TControl& target, TPoint at) {
  for (TControl* c = &target; c; c = c->Parent()) {
    TPopupMenu* menu = c->PopupMenu;
    if (!menu || !TPopupMenu::Exists(menu)) continue;
    if (!menu->AutoPopup) return;
    menu->PopupComponent = c;
    const TPoint onScreen = target.ClientToScreen(at);
    menu->Popup(onScreen.X, onScreen.Y);
    return;
  }
}

}  // namespace

TPopupMenu::TPopupMenu(TComponent* owner) : TComponent(owner) {
  LiveMenus().push_back(this);
  TMenuRouting& routing = MenuRouting();
  if (!routing.OpenContextMenu) routing = {PopUpForRightClick, RunMenuShortCut};
}

TPopupMenu::~TPopupMenu() {
  std::erase(LiveMenus(), this);
  if (!FWindow) return;
  // The window may be in the middle of its own input handler (an item's OnClick that
  // destroys the menu): it goes once the loop turns.
  FWindow->Hide();
  FWindow->Detach();
  if (Application) Application->Release(FWindow);
  else FWindow->Free();
}

bool TPopupMenu::Exists(const TPopupMenu* menu) {
  const auto& menus = LiveMenus();
  return std::find(menus.begin(), menus.end(), menu) != menus.end();
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  if (!HasVisibleItem(FItems)) return;
  if (!FWindow) FWindow = new TPopupMenuWindow(FItems);
  FWindow->Open(x, y);
}

bool TPopupMenu::Showing() const { return FWindow && FWindow->Visible(); }

bool RunMenuShortCut(TForm& form, TWinControl* focused, unsigned key, TShiftState shift) {
  const TShortCut shortCut = ShortCut(key, shift);
  for (TControl* c = focused; c; c = c->Parent())
    if (RunItemWithShortCut(c->PopupMenu, shortCut)) return true;
  if (RunItemWithShortCut(form.PopupMenu, shortCut) || RunShownShortCut(form, shortCut)) return true;
  for (TComponent* component : form.Components())
    if (RunItemWithShortCut(dynamic_cast<TPopupMenu*>(component), shortCut)) return true;
  return false;
}
