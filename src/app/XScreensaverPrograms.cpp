#include "XScreensaverPrograms.h"

#include <algorithm>
#include <vector>

namespace {

constexpr const char* kBlanks = " \t";

struct TLine {
  std::size_t Begin = 0;  // offset of the first character
  std::size_t End = 0;    // offset of the line's newline, or the text's end
};

std::vector<TLine> LinesOf(const std::string& text) {
  std::vector<TLine> lines;
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t end = std::min(text.find('\n', begin), text.size());
    lines.push_back({begin, end});
    begin = end + 1;
  }
  return lines;
}

[[noreturn]] void Refuse(std::size_t line, const std::string& why) {
  throw EXScreensaverFileError("line " + std::to_string(line + 1) + ": " + why);
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool Continues(const std::string& text, const TLine& line) {
  return line.End > line.Begin && text[line.End - 1] == '\\';
}

// One resource: physical lines First..Last, joined by the backslashes at their ends.
struct TResource {
  std::size_t First = 0;
  std::size_t Last = 0;
  std::string Name;
  std::string Value;
};

bool IsComment(const std::string& text, const TLine& line) {
  const std::size_t first = text.find_first_not_of(kBlanks, line.Begin);
  return first >= line.End || text[first] == '!' || text[first] == '#';
}

TResource ReadResource(const std::string& text, const std::vector<TLine>& lines, std::size_t first) {
  TResource resource{first, first, "", ""};
  std::string joined;
  for (;;) {
    const TLine& line = lines[resource.Last];
    const bool continues = Continues(text, line);
    joined += text.substr(line.Begin, line.End - line.Begin - (continues ? 1 : 0));
    if (!continues || resource.Last + 1 == lines.size()) break;
    ++resource.Last;
  }
  const std::size_t colon = joined.find(':');
  if (colon == std::string::npos) Refuse(first, "neither a setting (NAME: value) nor a comment");
  resource.Name = Trimmed(joined.substr(0, colon));
  resource.Value = joined.substr(colon + 1);
  return resource;
}

// xscreensaver's own file names it "programs"; a resource file may qualify it.
bool IsProgramsList(const std::string& name) {
  const std::size_t last = name.find_last_of(".*");
  return (last == std::string::npos ? name : name.substr(last + 1)) == "programs";
}

// The entries of a list, each as written between the "\n" that end them.
std::vector<std::string> EntriesOf(const std::string& value) {
  std::vector<std::string> entries;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t end = value.find("\\n", begin);
    std::string entry = Trimmed(value.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
    if (!entry.empty()) entries.push_back(std::move(entry));
    if (end == std::string::npos) return entries;
    begin = end + 2;
  }
}

// The command's first word, past the switch, the visual and the quoted name.
std::string ProgramOf(std::string entry, std::size_t line) {
  const auto skipBlanks = [&] { entry = Trimmed(entry); };
  if (!entry.empty() && entry[0] == '-') entry.erase(0, 1);
  skipBlanks();
  const std::size_t word = entry.find_first_of(" \t\"");
  const std::string first = entry.substr(0, word);
  if (first.find(':') != std::string::npos) entry.erase(0, first.size());
  skipBlanks();
  if (!entry.empty() && entry[0] == '"') {
    const std::size_t close = entry.find('"', 1);
    if (close == std::string::npos) Refuse(line, "a hack's name opens a quote that never closes");
    entry.erase(0, close + 1);
  }
  skipBlanks();
  return entry.substr(0, entry.find_first_of(kBlanks));
}

bool Runs(const std::string& command, const std::string& program) {
  return command == program || (command.size() > program.size() && command.ends_with("/" + program));
}

// Where the entry goes: before a last line that holds nothing (as xscreensaver ends its list),
// or after the list's last character; either way the entry before it is ended first where it
// is still open.
std::string Insertion(const std::string& text, const std::vector<TLine>& lines, const TResource& list,
                      const std::string& entry, std::size_t& at) {
  const TLine& last = lines[list.Last];
  if (Continues(text, last)) Refuse(list.Last, "the file ends inside the programs: list");
  const std::string value = Trimmed(list.Value);
  const std::string close = !value.empty() && !value.ends_with("\\n") ? "\\n" : "";
  const bool blankEnd = list.Last > list.First && Trimmed(text.substr(last.Begin, last.End - last.Begin)).empty();
  if (blankEnd) {
    at = last.Begin;
    return close + "  " + entry + " \\n\\\n";
  }
  at = last.End;
  return (close.empty() ? "" : " " + close) + " \\\n  " + entry + " \\n";
}

}  // namespace

TProgramsEdit AddToXScreensaverPrograms(const std::string& text, const std::string& program,
                                        const std::string& arguments) {
  if (text.size() > kMaxXScreensaverFileBytes) throw EXScreensaverFileError("larger than any settings file");
  if (text.find('\0') != std::string::npos) throw EXScreensaverFileError("not text: it holds a NUL byte");
  const std::vector<TLine> lines = LinesOf(text);
  std::vector<TResource> lists;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsComment(text, lines[i])) continue;
    TResource resource = ReadResource(text, lines, i);
    i = resource.Last;
    if (IsProgramsList(resource.Name)) lists.push_back(std::move(resource));
  }
  if (lists.empty()) throw EXScreensaverFileError("no programs: list of hacks");
  if (lists.size() > 1) Refuse(lists[1].First, "a second programs: list");
  const TResource& list = lists.front();
  const std::vector<std::string> entries = EntriesOf(list.Value);
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (Runs(ProgramOf(entries[i], list.First), program)) return {false, text, static_cast<int>(i)};
  std::size_t at = 0;
  const std::string insertion = Insertion(text, lines, list, program + " " + arguments, at);
  std::string edited = text;
  edited.insert(at, insertion);
  return {true, std::move(edited), static_cast<int>(entries.size())};
}
