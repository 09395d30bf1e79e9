#include "XkbKeyboard.h"

#include <xkbcommon/xkbcommon.h>

#include "framework/platform/KeySymbols.h"

namespace {

constexpr unsigned kNoName = 255;

// The kernel's key codes are the keymap's less 8, a legacy of X11.
xkb_keycode_t KeymapCode(std::uint32_t key) { return key + 8; }

}  // namespace

TXkbKeyboard::TXkbKeyboard() : FContext(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {}

TXkbKeyboard::~TXkbKeyboard() {
  if (FState) xkb_state_unref(FState);
  if (FKeymap) xkb_keymap_unref(FKeymap);
  if (FContext) xkb_context_unref(FContext);
}

bool TXkbKeyboard::SetKeymap(std::string_view text) {
  if (!FContext) return false;
  xkb_keymap* keymap = xkb_keymap_new_from_buffer(FContext, text.data(), text.size(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                                  XKB_KEYMAP_COMPILE_NO_FLAGS);
  xkb_state* state = keymap ? xkb_state_new(keymap) : nullptr;
  if (!state) {
    if (keymap) xkb_keymap_unref(keymap);
    return false;
  }
  if (FState) xkb_state_unref(FState);
  if (FKeymap) xkb_keymap_unref(FKeymap);
  FKeymap = keymap;
  FState = state;
  return true;
}

void TXkbKeyboard::SetModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked,
                                std::uint32_t group) {
  if (FState) xkb_state_update_mask(FState, depressed, latched, locked, 0, 0, group);
}

void TXkbKeyboard::Translate(std::uint32_t key, bool pressed, unsigned& virtualKey, char32_t& typed) const {
  virtualKey = kNoName;
  typed = 0;
  if (!FState) return;
  const xkb_keycode_t code = KeymapCode(key);
  // The key's own symbol, as if no modifier were down: Shift+1 is the key 1, Shift+Tab is Tab.
  const xkb_keysym_t* symbols = nullptr;
  const xkb_layout_index_t layout = xkb_state_key_get_layout(FState, code);
  if (xkb_keymap_key_get_syms_by_level(FKeymap, code, layout, 0, &symbols) > 0)
    virtualKey = VirtualKeyFromKeysym(symbols[0]);
  // Control characters are typed by no key: Ctrl+A is a shortcut, not a character.
  const std::uint32_t character = pressed ? xkb_state_key_get_utf32(FState, code) : 0;
  if (character >= 0x20 && character != 0x7F) typed = character;
}

bool TXkbKeyboard::Repeats(std::uint32_t key) const {
  return FKeymap && xkb_keymap_key_repeats(FKeymap, KeymapCode(key));
}

TShiftState TXkbKeyboard::Shift() const {
  if (!FState) return 0;
  const auto active = [this](const char* name) {
    return xkb_state_mod_name_is_active(FState, name, XKB_STATE_MODS_EFFECTIVE) > 0;
  };
  TShiftState shift = 0;
  if (active(XKB_MOD_NAME_SHIFT)) shift |= ssShift;
  if (active(XKB_MOD_NAME_ALT)) shift |= ssAlt;
  if (active(XKB_MOD_NAME_CTRL)) shift |= ssCtrl;
  return shift;
}
