#pragma once
#include <cstdint>
#include <string_view>

#include "framework/platform/WindowSystem.h"

struct xkb_context;
struct xkb_keymap;
struct xkb_state;

// The keyboard as the compositor's keymap describes it: which classic key a key code is,
// what it types with the modifiers that are down, and whether it repeats while held. Key
// codes are the kernel's (evdev), as the compositor sends them.
class TXkbKeyboard {
 public:
  TXkbKeyboard();
  ~TXkbKeyboard();
  TXkbKeyboard(const TXkbKeyboard&) = delete;
  TXkbKeyboard& operator=(const TXkbKeyboard&) = delete;

  // A keymap in xkb's text format. False, and the keymap before kept, when it does not compile.
  bool SetKeymap(std::string_view text);
  bool HasKeymap() const { return FState != nullptr; }
  void SetModifiers(std::uint32_t depressed, std::uint32_t latched, std::uint32_t locked, std::uint32_t group);

  // The key as the framework knows it: its key (255 without a keymap, so that "any key"
  // still sees it) and, pressed, the character it types now (0 for none).
  void Translate(std::uint32_t key, bool pressed, unsigned& virtualKey, char32_t& typed) const;
  bool Repeats(std::uint32_t key) const;
  // Shift, Alt and Ctrl as they are now.
  TShiftState Shift() const;

 private:
  xkb_context* FContext = nullptr;
  xkb_keymap* FKeymap = nullptr;
  xkb_state* FState = nullptr;
};
