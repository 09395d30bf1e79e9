// links: quenbrel_app
// The editor of ~/.xscreensaver on any text: it refuses, or it inserts one entry and keeps
// every other byte, and a second run finds the entry and changes nothing.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/XScreensaverPrograms.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    const TProgramsEdit edit = AddToXScreensaverPrograms(text, "zzQuenbrel.scr", "--root");
    if (!edit.Added) {
      if (edit.Text != text) __builtin_trap();
      return 0;
    }
    // One insertion: the common beginning and end cover the whole of the input.
    std::size_t head = 0;
    while (head < text.size() && text[head] == edit.Text[head]) ++head;
    const std::size_t tail = text.size() - head;
    if (edit.Text.compare(edit.Text.size() - tail, tail, text, head, tail) != 0) __builtin_trap();
    const TProgramsEdit again = AddToXScreensaverPrograms(edit.Text, "zzQuenbrel.scr", "--root");
    if (again.Added || again.Index != edit.Index) __builtin_trap();
  } catch (const EXScreensaverFileError&) {
  }
  return 0;
}
