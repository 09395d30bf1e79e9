#include "framework/platform/wayland/XkbKeyboard.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdlib>
#include <string>

namespace {

// The default keymap (a US layout), as a compositor sends it; its modifier masks.
std::string DefaultKeymap() {
  xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
  xkb_keymap* keymap = xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS);
  char* text = xkb_keymap_get_as_string(keymap, XKB_KEYMAP_FORMAT_TEXT_V1);
  std::string copy = text ? text : "";
  std::free(text);
  xkb_keymap_unref(keymap);
  xkb_context_unref(context);
  return copy;
}
constexpr std::uint32_t kShift = 1, kCtrl = 4, kAlt = 8;

struct TTyped {
  unsigned Key = 0;
  char32_t Char = 0;
  TShiftState Shift = 0;
  bool operator==(const TTyped&) const = default;
};

class XkbKeyboard : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(Keyboard.SetKeymap(DefaultKeymap())); }
  TTyped Press(std::uint32_t key, std::uint32_t modifiers = 0, bool pressed = true) {
    Keyboard.SetModifiers(modifiers, 0, 0, 0);
    TTyped typed;
    Keyboard.Translate(key, pressed, typed.Key, typed.Char);
    typed.Shift = Keyboard.Shift();
    return typed;
  }
  TXkbKeyboard Keyboard;
};

TEST_F(XkbKeyboard, KeysAreTheirClassicKeysAndTypeWhatTheirModifiersMake) {
  EXPECT_EQ(Press(KEY_A), (TTyped{'A', U'a', 0}));
  EXPECT_EQ(Press(KEY_A, kShift), (TTyped{'A', U'A', ssShift}));
  EXPECT_EQ(Press(KEY_1, kShift), (TTyped{'1', U'!', ssShift}));
  // Alt+letter for an underlined caption; Ctrl+letter is a shortcut, no character.
  EXPECT_EQ(Press(KEY_O, kAlt), (TTyped{'O', U'o', ssAlt}));
  EXPECT_EQ(Press(KEY_S, kCtrl), (TTyped{'S', 0, ssCtrl}));
  // Shift+Tab is Tab with Shift down, as on X11.
  EXPECT_EQ(Press(KEY_TAB, kShift), (TTyped{VK_TAB, 0, ssShift}));
  EXPECT_EQ(Press(KEY_SPACE), (TTyped{VK_SPACE, U' ', 0}));
  EXPECT_EQ(Press(KEY_ENTER), (TTyped{VK_RETURN, 0, 0}));
  EXPECT_EQ(Press(KEY_ESC), (TTyped{VK_ESCAPE, 0, 0}));
  EXPECT_EQ(Press(KEY_LEFT), (TTyped{VK_LEFT, 0, 0}));
  EXPECT_EQ(Press(KEY_DOWN), (TTyped{VK_DOWN, 0, 0}));
  // A release types nothing.
  EXPECT_EQ(Press(KEY_A, 0, false), (TTyped{'A', 0, 0}));
}

TEST_F(XkbKeyboard, LettersAndArrowsRepeatModifiersDoNot) {
  EXPECT_TRUE(Keyboard.Repeats(KEY_A));
  EXPECT_TRUE(Keyboard.Repeats(KEY_DOWN));
  EXPECT_FALSE(Keyboard.Repeats(KEY_LEFTSHIFT));
}

TEST(XkbKeyboardWithoutKeymap, AKeyIsStillAKeyAndABadKeymapKeepsTheOneBefore) {
  TXkbKeyboard keyboard;
  unsigned key = 0;
  char32_t typed = 0;
  keyboard.Translate(KEY_A, true, key, typed);
  EXPECT_EQ(key, 255u);
  EXPECT_EQ(typed, 0u);
  EXPECT_FALSE(keyboard.SetKeymap("xkb_keymap { nonsense"));
  EXPECT_FALSE(keyboard.HasKeymap());
  ASSERT_TRUE(keyboard.SetKeymap(DefaultKeymap()));
  EXPECT_FALSE(keyboard.SetKeymap(""));
  keyboard.Translate(KEY_A, true, key, typed);
  EXPECT_EQ(key, unsigned{'A'});
}

}  // namespace
