#include "app/XScreensaverPrograms.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TProgramsEdit Add(const std::string& text) { return AddToXScreensaverPrograms(text, "zzQuenbrel.scr", "--root"); }

std::string Refusal(const std::string& text) {
  try {
    Add(text);
  } catch (const EXScreensaverFileError& error) {
    return error.what();
  }
  return "accepted";
}

// As xscreensaver writes it: comments, tabs, visuals, names, switched-off entries, and the
// list's last line ending its last entry.
const std::string kWritten =
    "# XScreenSaver Preferences File\n"
    "timeout:\t0:10:00\n"
    "mode:\t\tone\n"
    "selected:\t1\n"
    "\n"
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "  \"Qix (solid)\" \tqix -root -solid\t\t\\n\\\n"
    " - GL: \t\t\t\tsquirtorus --root\t\t\t    \\n\n"
    "\n"
    "pointerHysteresis:\t10\n";

TEST(XScreensaverPrograms, AddsOneEntryAtTheEndOnceKeepingEveryOtherByte) {
  const std::string entry = " \\\n  zzQuenbrel.scr --root \\n";
  const std::size_t listEnd = kWritten.find("\\n\n") + 2;
  const TProgramsEdit edit = Add(kWritten);
  EXPECT_TRUE(edit.Added);
  EXPECT_EQ(edit.Index, 4);
  EXPECT_EQ(edit.Text, kWritten.substr(0, listEnd) + entry + kWritten.substr(listEnd));
  const TProgramsEdit again = Add(edit.Text);
  EXPECT_FALSE(again.Added);
  EXPECT_EQ(again.Text, edit.Text);
  EXPECT_EQ(again.Index, 4);
}

TEST(XScreensaverPrograms, FitsTheEntryToHowTheListEnds) {
  // A blank line after a continued one ends the list: the entry goes before it.
  EXPECT_EQ(Add("programs: \\\n  maze -root \\n\\\n\t\n").Text,
            "programs: \\\n  maze -root \\n\\\n  zzQuenbrel.scr --root \\n\\\n\t\n");
  // An entry without its "\n" is ended first; an empty list just gets the entry.
  EXPECT_EQ(Add("programs: maze -root").Text, "programs: maze -root \\n \\\n  zzQuenbrel.scr --root \\n");
  EXPECT_EQ(Add("programs: \\\n maze\\\n\n").Text, "programs: \\\n maze\\\n\\n  zzQuenbrel.scr --root \\n\\\n\n");
  EXPECT_EQ(Add("*programs:\nfade: True\n").Text, "*programs: \\\n  zzQuenbrel.scr --root \\n\nfade: True\n");
  EXPECT_EQ(Add("programs:\n").Index, 0);
}

TEST(XScreensaverPrograms, FindsTheSaverHoweverItsEntryIsWritten) {
  for (const char* list : {"programs: zzQuenbrel.scr /p $((XSCREENSAVER_WINDOW)) \\n",
                           "programs: maze \\n\\\n - GL: \"Mine\" /opt/zzQuenbrel.scr -root \\n\n",
                           "programs: -zzQuenbrel.scr\n", "programs: \t\"zz\"zzQuenbrel.scr\n"}) {
    const TProgramsEdit edit = Add(list);
    EXPECT_FALSE(edit.Added) << list;
    EXPECT_EQ(edit.Text, list);
  }
  EXPECT_TRUE(Add("programs: my-zzQuenbrel.scr \\n zzQuenbrel.scr.old\n").Added);
}

TEST(XScreensaverPrograms, RefusesWhatItCannotReadSafely) {
  EXPECT_EQ(Refusal("timeout: 0:10:00\n! programs: maze\n"), "no programs: list of hacks");
  EXPECT_EQ(Refusal("programs: maze\nfade: True\nprograms: qix\n"), "line 3: a second programs: list");
  EXPECT_EQ(Refusal("mode: one\nthis is no setting\nprograms: maze\n"),
            "line 2: neither a setting (NAME: value) nor a comment");
  EXPECT_EQ(Refusal("programs: \\\n \"Qix qix -root \\n\n"), "line 1: a hack's name opens a quote that never closes");
  EXPECT_EQ(Refusal("programs: maze \\n\\"), "line 1: the file ends inside the programs: list");
  EXPECT_EQ(Refusal(std::string("programs: maze\n\0", 16)), "not text: it holds a NUL byte");
  EXPECT_EQ(Refusal("programs: maze\n" + std::string(kMaxXScreensaverFileBytes, '!')), "larger than any settings file");
  EXPECT_EQ(Refusal(std::string(kMaxXScreensaverFileBytes - 15, '!') + "\nprograms: maze"), "accepted");
}

}  // namespace
