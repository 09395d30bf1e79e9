#pragma once
#include <cstddef>
#include <stdexcept>
#include <string>

// The list of hacks in a user's xscreensaver settings file (~/.xscreensaver): an X resource
// file whose "programs:" value holds one entry per hack, each ended by the two characters
// "\n", across lines joined by a backslash at their ends. An entry is
//   [-] [VISUAL:] ["name"] command [arguments]
// ("-": switched off). xscreensaver offers no way for a hack to join the list: the user's
// own file decides, so this adds to it, changing nothing else.

// More than any settings file xscreensaver writes (a few kilobytes per hundred hacks).
constexpr std::size_t kMaxXScreensaverFileBytes = 1 << 20;

// A file this cannot read safely; what() says where and why.
class EXScreensaverFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TProgramsEdit {
  bool Added = false;  // false: an entry runs `program` already, and Text is the file unchanged
  std::string Text;
  int Index = 0;  // the entry's place in the list, from 0, as "selected:" counts
};

// Adds the entry "program arguments" at the end of the list, unless an entry runs `program`
// (named alone or by a path ending in it) already. The result is `text` with one insertion.
// Raises EXScreensaverFileError for text that is not such a file.
TProgramsEdit AddToXScreensaverPrograms(const std::string& text, const std::string& program,
                                        const std::string& arguments);
