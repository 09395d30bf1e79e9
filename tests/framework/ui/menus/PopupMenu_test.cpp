#include <string>
#include <vector>

#include "framework/ui/controls/Panel.h"
#include "framework/ui/menus/MenuLinePainter.h"
#include "framework/ui/menus/PopupMenu.h"
#include "framework/ui/menus/PopupMenuWindow.h"
#include "support/FormFixture.h"

namespace {

using TLog = std::vector<std::string>;

constexpr TPixel kNavy = 0x000080, kWhite = 0xFFFFFF, kGrey = 0x808080;

class PopupMenu : public TFormFixture {
 protected:
  TPanel* Panel = nullptr;
  TPopupMenu* Menu = nullptr;
  TMenuItem* Open = nullptr;
  TMenuItem* Save = nullptr;
  TMenuItem* Rotate = nullptr;
  TLog Log;

  void SetUp() override {
    TFormFixture::SetUp();
    Form->SetBounds(0, 0, 300, 200);
    Panel = new TPanel(Form);
    Panel->SetParent(Form);
    Panel->SetBounds(10, 10, 100, 80);
    Panel->OnClick = [this](TComponent*) { Log.push_back("panel click"); };
    Menu = new TPopupMenu(Form);
    Menu->OnPopup = [this](TComponent*) { Log.push_back("popup"); };
    Open = AddItem("&Open...", ShortCut('O', ssCtrl));
    AddItem("-");
    Save = AddItem("&Save", ShortCut('S', ssCtrl));
    Save->Enabled = false;
    Rotate = AddItem("&Rotate");
    Rotate->Checked = true;
    Panel->PopupMenu = Menu;
  }

  TMenuItem* AddItem(const std::string& caption, TShortCut shortCut = 0) {
    auto* item = new TMenuItem(Form);
    item->Caption = caption;
    item->ShortCut = shortCut;
    item->OnClick = [this, caption](TComponent* sender) {
      Log.push_back("click " + caption + (Menu->Showing() ? " while shown" : ""));
      EXPECT_EQ(static_cast<TMenuItem*>(sender)->Caption, caption);
    };
    Menu->Items().Add(item);
    return item;
  }

  void RightClickAt(int x, int y) {
    TWsEvent down = Headless::Mouse(TEventKind::MouseDown, x, y, Form->Handle());
    down.Button = TMouseButton::mbRight;
    TWsEvent up = down;
    up.Kind = TEventKind::MouseUp;
    Send(down);
    Send(up);
  }
  TPopupMenuWindow& Window() { return *Menu->Window(); }
  // The middle of an item's line, in the form's coordinates (the form sits at the screen's
  // top-left corner).
  TPoint Middle(const TMenuItem* item) {
    for (const auto& line : Window().Lines())
      if (line.Item == item) {
        return {Window().Left() + (line.Bounds.Left + line.Bounds.Right) / 2,
                Window().Top() + (line.Bounds.Top + line.Bounds.Bottom) / 2};
      }
    ADD_FAILURE() << "no line for the item";
    return {};
  }
  TRect LineOf(const TMenuItem* item) {
    for (const auto& line : Window().Lines())
      if (line.Item == item) return line.Bounds;
    return {};
  }
  TPixel InMenu(int x, int y) { return H.System->PixelAt(Window().Handle(), x, y); }
};

TEST_F(PopupMenu, OpensOnARightClickWhereThePointerIsAsAPopupWindow) {
  ShowForm();
  ClickAt(30, 40);
  EXPECT_FALSE(Menu->Showing());
  RightClickAt(30, 40);
  ASSERT_TRUE(Menu->Showing());
  EXPECT_EQ(Log, (TLog{"panel click", "popup"}));
  EXPECT_EQ(Menu->PopupComponent, Panel);
  const THeadlessWindow* window = H.System->Window(Window().Handle());
  EXPECT_TRUE(window->Params.Popup);
  EXPECT_EQ(window->Bounds.Left, 30);
  EXPECT_EQ(window->Bounds.Top, 40);
  // The menu takes no focus from the form: it holds the input by its grab.
  EXPECT_EQ(H.System->Focus, Form->Handle());
  EXPECT_EQ(H.System->Grab, Window().Handle());
  EXPECT_EQ(Window().Lines().size(), 4u);
  EXPECT_EQ(Window().Highlighted(), nullptr);
}

TEST_F(PopupMenu, AControlWithoutAMenuOpensItsParentsAndAGoneMenuNothing) {
  auto* inner = new TPanel(Form);
  inner->SetParent(Panel);
  inner->SetBounds(5, 5, 20, 20);
  ShowForm();
  RightClickAt(20, 20);
  ASSERT_TRUE(Menu->Showing());
  EXPECT_EQ(Menu->PopupComponent, Panel);
  Type(VK_ESCAPE);
  delete Menu;
  H.App.ProcessMessages();
  RightClickAt(20, 20);
  EXPECT_TRUE(H.System->VisibleOwnWindows() == std::vector<TWindowHandle>{Form->Handle()});
}

// A menu that does not pop up by itself opens nothing, and keeps its parent's menu shut too.
TEST_F(PopupMenu, WithoutAutoPopupARightClickOpensNothingNotEvenTheParentsMenu) {
  auto* parentMenu = new TPopupMenu(Form);
  auto* formItem = new TMenuItem(Form);
  formItem->Caption = "Form";
  parentMenu->Items().Add(formItem);
  Form->PopupMenu = parentMenu;
  Menu->AutoPopup = false;
  ShowForm();
  RightClickAt(30, 40);
  EXPECT_FALSE(Menu->Showing());
  EXPECT_FALSE(parentMenu->Showing());
  EXPECT_TRUE(H.System->VisibleOwnWindows() == std::vector<TWindowHandle>{Form->Handle()});
  EXPECT_TRUE(Log.empty());
}

TEST_F(PopupMenu, PlacedBesideThePointerWhereTheScreenEnds) {
  Form->SetBounds(0, 0, 1024, 768);
  Panel->SetBounds(0, 0, 1024, 768);
  ShowForm();
  RightClickAt(1020, 760);
  ASSERT_TRUE(Menu->Showing());
  EXPECT_EQ(Window().Left(), 1020 - Window().Width());
  EXPECT_EQ(Window().Top(), 760 - Window().Height());
}

TEST_F(PopupMenu, TheClickedItemRunsOnceTheMenuHasClosed) {
  ShowForm();
  RightClickAt(30, 40);
  const TPoint open = Middle(Open);
  MoveTo(open.X, open.Y);
  EXPECT_EQ(Window().Highlighted(), Open);
  ClickAt(open.X, open.Y);
  EXPECT_FALSE(Menu->Showing());
  EXPECT_EQ(H.System->Grab, 0u);
  EXPECT_EQ(Log, (TLog{"popup", "click &Open..."}));
}

TEST_F(PopupMenu, DisabledItemsAndSeparatorsIgnoreTheMouse) {
  ShowForm();
  RightClickAt(30, 40);
  const TPoint save = Middle(Save);
  MoveTo(save.X, save.Y);
  ClickAt(save.X, save.Y);
  const TRect separator = LineOf(Window().Lines()[1].Item);
  ClickAt(Window().Left() + separator.Left + 5, Window().Top() + separator.Top + 4);
  EXPECT_TRUE(Menu->Showing());
  EXPECT_EQ(Log, (TLog{"popup"}));
}

TEST_F(PopupMenu, APressOutsideClosesTheMenuAndReachesNothingElse) {
  ShowForm();
  RightClickAt(30, 40);
  ClickAt(250, 150);
  EXPECT_FALSE(Menu->Showing());
  ClickAt(20, 20);  // the menu has let go: the panel has its clicks again
  EXPECT_EQ(Log, (TLog{"popup", "panel click"}));
}

TEST_F(PopupMenu, ArrowsMoveAmongTheItemsRoundAndEnterChoosesAnEnabledOne) {
  ShowForm();
  RightClickAt(30, 40);
  std::vector<TMenuItem*> seen;
  for (unsigned key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_UP, VK_END, VK_HOME, VK_UP}) {
    Type(key);
    seen.push_back(Window().Highlighted());
  }
  // The separator is passed over; the disabled item takes the highlight.
  EXPECT_EQ(seen, (std::vector<TMenuItem*>{Open, Save, Rotate, Open, Rotate, Rotate, Open, Rotate}));
  Type(VK_UP);
  Type(VK_RETURN);  // disabled: nothing
  EXPECT_TRUE(Menu->Showing());
  Type(VK_UP);
  Type(VK_RETURN);
  EXPECT_EQ(Log, (TLog{"popup", "click &Open..."}));
}

TEST_F(PopupMenu, TheUnderlinedKeyChoosesItsItemAndEscapeClosesWithoutChoosing) {
  ShowForm();
  RightClickAt(30, 40);
  Type('S');  // disabled: highlighted only
  EXPECT_EQ(Window().Highlighted(), Save);
  Type('R');
  EXPECT_FALSE(Menu->Showing());
  RightClickAt(30, 40);
  Type(VK_DOWN);
  Type(VK_ESCAPE);
  EXPECT_FALSE(Menu->Showing());
  EXPECT_EQ(Log, (TLog{"popup", "click &Rotate", "popup"}));
}

TEST_F(PopupMenu, SeveralItemsWithOneKeyTakeTheHighlightInTurn) {
  AddItem("Re&load");
  TMenuItem* rename = AddItem("&Rename");
  ShowForm();
  RightClickAt(30, 40);
  Type('R');
  EXPECT_EQ(Window().Highlighted(), Rotate);
  Type('R');
  EXPECT_EQ(Window().Highlighted(), rename);
  Type('R');
  EXPECT_EQ(Window().Highlighted(), Rotate);
  Type('L');
  EXPECT_EQ(Log, (TLog{"popup", "click Re&load"}));
}

TEST_F(PopupMenu, ShortcutsRunEnabledItemsWhileTheFormHasTheKeyboard) {
  Form->OnKeyDown = [this](TComponent*, unsigned& key, TShiftState) { Log.push_back("key " + std::to_string(key)); };
  ShowForm();
  Type('O', ssCtrl);
  Type('S', ssCtrl);  // disabled: the key goes on as any other
  Type('O');
  EXPECT_FALSE(Menu->Showing());
  EXPECT_EQ(Log, (TLog{"key 79", "click &Open...", "key 83", "key 79"}));
  // Of two menus with one shortcut, a shown control's wins over a hidden control's.
  auto* shown = new TPanel(Form);
  shown->SetParent(Form);
  shown->SetBounds(150, 10, 50, 50);
  shown->PopupMenu = new TPopupMenu(Form);
  auto* other = new TMenuItem(Form);
  other->ShortCut = ShortCut('O', ssCtrl);
  other->OnClick = [this](TComponent*) { Log.push_back("click other"); };
  shown->PopupMenu->Items().Add(other);
  Panel->SetVisible(false);
  Log.clear();
  Type('O', ssCtrl);
  EXPECT_EQ(Log, (TLog{"key 79", "click other"}));
}

TEST_F(PopupMenu, AnItemMayDestroyItsOwnMenu) {
  Open->OnClick = [this](TComponent*) {
    delete Menu;
    Menu = nullptr;
  };
  ShowForm();
  RightClickAt(30, 40);
  Type(VK_DOWN);
  Type(VK_RETURN);
  H.App.ProcessMessages();
  EXPECT_EQ(Menu, nullptr);
  EXPECT_EQ(H.System->VisibleOwnWindows(), std::vector<TWindowHandle>{Form->Handle()});
}

TEST_F(PopupMenu, HasTheClassicLook) {
  ShowForm();
  RightClickAt(30, 40);
  Type(VK_DOWN);
  H.App.ProcessMessages();
  // The raised frame.
  EXPECT_EQ(InMenu(0, 0), kWhite);
  EXPECT_EQ(InMenu(Window().Width() - 1, Window().Height() - 1), 0x000000u);
  // The highlighted item on the highlight colour, its caption in white.
  const TRect open = LineOf(Open);
  EXPECT_EQ(InMenu(open.Left + 1, open.Top + 1), kNavy);
  bool whiteText = false;
  for (int x = open.Left; x < open.Right; ++x) whiteText |= InMenu(x, (open.Top + open.Bottom) / 2) == kWhite;
  EXPECT_TRUE(whiteText);
  // The separator: an etched line across.
  const TRect separator = Window().Lines()[1].Bounds;
  const int etch = separator.Top + MenuLine::SeparatorHeight / 2 - 1;
  EXPECT_EQ(InMenu(separator.Left + 10, etch), kGrey);
  EXPECT_EQ(InMenu(separator.Left + 10, etch + 1), kWhite);
  // The disabled item engraved: a white shadow under grey text, nothing black.
  const TRect save = LineOf(Save);
  bool grey = false, black = false;
  for (int y = save.Top; y < save.Bottom; ++y)
    for (int x = save.Left; x < save.Right; ++x) {
      grey |= InMenu(x, y) == kGrey;
      black |= InMenu(x, y) == 0x000000u;
    }
  EXPECT_TRUE(grey);
  EXPECT_FALSE(black);
  // The check mark's tip in the check column of the checked item.
  const TRect rotate = LineOf(Rotate);
  int marked = 0;
  for (int y = rotate.Top; y < rotate.Bottom; ++y)
    for (int x = rotate.Left; x < rotate.Left + MenuLine::CheckColumn; ++x) marked += InMenu(x, y) == 0x000000u;
  EXPECT_EQ(marked, 21);
}

TEST_F(PopupMenu, ShortcutsAreShownRightAlignedInAColumnOfTheirOwn) {
  ShowForm();
  RightClickAt(30, 40);
  H.App.ProcessMessages();
  TBitmap scratch(1, 1);
  const int textWidth = scratch.Canvas().TextWidth("Ctrl+O");
  const TRect open = LineOf(Open);
  const int column = open.Right - MenuLine::ArrowColumn;
  auto inked = [&](int x) {
    for (int y = open.Top; y < open.Bottom; ++y)
      if (InMenu(x, y) == 0x000000u) return true;
    return false;
  };
  bool inColumn = false;
  for (int x = column - textWidth; x < column; ++x) inColumn |= inked(x);
  EXPECT_TRUE(inColumn);
  for (int x = column; x < open.Right; ++x) EXPECT_FALSE(inked(x)) << x;
}

TEST(MenuCaption, AmpersandsMarkTheKeyAndTwoShowOne) {
  const TMenuCaption open = ParseMenuCaption("&Open...");
  EXPECT_EQ(open.Text, "Open...");
  EXPECT_EQ(open.Mark, 0u);
  EXPECT_EQ(open.Key, unsigned{'O'});
  const TMenuCaption both = ParseMenuCaption("Fish && &chips");
  EXPECT_EQ(both.Text, "Fish & chips");
  EXPECT_EQ(both.Mark, 7u);
  EXPECT_EQ(both.Key, unsigned{'C'});
  const TMenuCaption wide = ParseMenuCaption("Tama&ño&");
  EXPECT_EQ(wide.Text, "Tamaño&");
  EXPECT_EQ(wide.MarkLength, 2u);
  EXPECT_EQ(wide.Key, 0u);
  EXPECT_EQ(ParseMenuCaption("Plain").Mark, TMenuCaption::None);
}

TEST(MenuShortCut, TextsNameTheModifiersThenTheKey) {
  EXPECT_EQ(ShortCutToText(ShortCut('O', ssCtrl)), "Ctrl+O");
  EXPECT_EQ(ShortCutToText(ShortCut(46, ssShift | ssCtrl | ssAlt)), "Shift+Ctrl+Alt+Del");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F1 + 4, 0)), "F5");
  EXPECT_EQ(ShortCutToText(ShortCut(VK_PRIOR, ssLeft)), "PgUp");
  EXPECT_EQ(ShortCutToText(0), "");
}

}  // namespace
