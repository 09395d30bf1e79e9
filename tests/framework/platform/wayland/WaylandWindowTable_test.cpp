#include "framework/platform/wayland/WaylandWindowTable.h"

#include <gtest/gtest.h>

namespace {

// A dialog framed by the program, a menu shown over it and a submenu over the menu; a second
// toplevel beside them.
class WaylandWindowTable : public ::testing::Test {
 protected:
  void SetUp() override {
    Dialog.Frame.Insets = {4, 22, 4, 4};
    Menu.Params.Popup = Submenu.Params.Popup = true;
    Menu.Role.PopupParent = Dialog.Handle;
    Menu.Role.PopupAt = {104, 72};
    Submenu.Role.PopupParent = Menu.Handle;
    Submenu.Role.PopupAt = {150, 20};
  }
  TWaylandWindowTable Table;
  TWaylandWindow& Dialog = Table.Add();
  TWaylandWindow& Menu = Table.Add();
  TWaylandWindow& Submenu = Table.Add();
  TWaylandWindow& Other = Table.Add();
};

TEST_F(WaylandWindowTable, PopupsBelongToTheirToplevelAndPointsPassBetweenThemThroughThePlacesTheCompositorTold) {
  EXPECT_EQ(&Table.Root(Submenu), &Dialog);
  EXPECT_EQ(&Table.Root(Other), &Other);
  // A point of the dialog's surface in the submenu, and back into the dialog's client area.
  EXPECT_EQ(Table.ClientPoint(Dialog, {260, 100}, Submenu), (TPoint{6, 8}));
  EXPECT_EQ(Table.ClientPoint(Submenu, {6, 8}, Dialog), (TPoint{256, 78}));
  EXPECT_EQ(Table.ClientPoint(Menu, {3, 3}, Menu), (TPoint{3, 3}));
  // Where two toplevels are, nobody says.
  EXPECT_EQ(Table.ClientPoint(Other, {1, 1}, Submenu), std::nullopt);
}

// At scale 2 the compositor tells the same places; the points are twice as far each way.
TEST_F(WaylandWindowTable, AtScaleTwoPointsPassInDevicePixelsThroughTheLogicalPlaces) {
  Dialog.Frame.Insets = {8, 44, 8, 8};
  for (TWaylandWindow* window : {&Dialog, &Menu, &Submenu}) window->View.Scale = 2;
  EXPECT_EQ(Table.ClientPoint(Dialog, {520, 200}, Submenu), (TPoint{12, 16}));
  EXPECT_EQ(Table.ClientPoint(Submenu, {12, 16}, Dialog), (TPoint{512, 156}));
}

TEST_F(WaylandWindowTable, TheNewestPopupShownIsOnTopUntilItGoesAndAWindowRemovedIsNoPopupShown) {
  EXPECT_EQ(Table.TopPopup(), nullptr);
  Table.PopupShown(Menu.Handle);
  Table.PopupShown(Submenu.Handle);
  EXPECT_EQ(Table.TopPopup(), &Submenu);
  Table.Remove(Submenu.Handle);
  EXPECT_EQ(Table.TopPopup(), &Menu);
  EXPECT_TRUE(Table.PopupIsShown(Menu.Handle));
  Table.PopupHidden(Menu.Handle);
  EXPECT_EQ(Table.TopPopup(), nullptr);
}

// Nothing the backend does makes such a ring; were one made, it would still not hang the program.
TEST_F(WaylandWindowTable, PopupsThatNameEachOtherAsParentsEndTheirChainAllTheSame) {
  Menu.Role.PopupParent = Submenu.Handle;
  const TWaylandWindow& root = Table.Root(Submenu);
  EXPECT_TRUE(&root == &Menu || &root == &Submenu);
  Table.ClientPoint(Menu, {0, 0}, Submenu);
}

}  // namespace
