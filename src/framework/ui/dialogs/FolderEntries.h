#pragma once
#include <string>
#include <vector>

// What a file-name dialog lists for a folder: "../" unless it is the root, its folders as
// "name/", then its files whose names match one of `patterns` (shell patterns, either
// case; none: every file). Hidden entries (".name") are left out; each group is sorted
// without regard to case. A folder that cannot be read lists only "../".
std::vector<std::string> FolderEntries(const std::string& folder, const std::vector<std::string>& patterns);
