#pragma once
#include "MenuItem.h"

class TForm;
class TPopupMenuWindow;
class TWinControl;

// A menu that pops up at a point of the screen: on a right click on a control whose
// PopupMenu names it, or by Popup. It shows in a window of its own in the classic look,
// above everything, and holds keyboard and pointer until an item is chosen (by a click, by
// Enter or by its underlined key), or until Escape or a click elsewhere closes it. Up and
// Down move among the items, Home and End go to the first and last. Disabled items show
// engraved and cannot be chosen. The chosen item's OnClick runs once the menu is closed.
class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  TMenuItem& Items() { return FItems; }
  // Whether a right click on a control that names this menu opens it.
  bool AutoPopup = true;
  // The control whose right click opened the menu last.
  TComponent* PopupComponent = nullptr;
  // Raised before the menu shows, so that its items can be brought up to date.
  TNotifyEvent OnPopup;

  // Shows the menu with its top-left corner at (x, y) on the screen, or beside that point
  // where the screen ends there. Returns at once; an empty menu does not show.
  void Popup(int x, int y);
  bool Showing() const;
  // The window the menu shows in; null before it first showed.
  TPopupMenuWindow* Window() const { return FWindow; }

  // Whether `menu` is a menu that has not been destroyed; a control's PopupMenu may
  // outlive the menu it names.
  static bool Exists(const TPopupMenu* menu);

 private:
  TMenuItem FItems{nullptr};
  TPopupMenuWindow* FWindow = nullptr;
};

// Runs the item with the shortcut of `key` and `shift` from the popup menus of `focused`
// and its parents, then of the form's other visible controls, then of the menus the form
// owns; false when no enabled item has it. A hidden page's menu thus answers nothing.
bool RunMenuShortCut(TForm& form, TWinControl* focused, unsigned key, TShiftState shift);
