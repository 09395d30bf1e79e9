#include "FolderEntries.h"

#include <fnmatch.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace {

bool Matches(const std::string& name, const std::vector<std::string>& patterns) {
  if (patterns.empty()) return true;
  return std::any_of(patterns.begin(), patterns.end(),
                     [&](const std::string& p) { return fnmatch(p.c_str(), name.c_str(), FNM_CASEFOLD) == 0; });
}

void SortIgnoringCase(std::vector<std::string>& names) {
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
  });
}

}  // namespace

std::vector<std::string> FolderEntries(const std::string& folder, const std::vector<std::string>& patterns) {
  namespace fs = std::filesystem;
  std::vector<std::string> folders, files;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kind;
    if (it->is_directory(kind)) folders.push_back(name + "/");
    else if (Matches(name, patterns)) files.push_back(name);
  }
  SortIgnoringCase(folders);
  SortIgnoringCase(files);
  std::vector<std::string> entries;
  if (fs::path(folder).lexically_normal() != fs::path("/")) entries.push_back("../");
  entries.insert(entries.end(), folders.begin(), folders.end());
  entries.insert(entries.end(), files.begin(), files.end());
  return entries;
}
