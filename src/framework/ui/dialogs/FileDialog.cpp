#include "FileDialog.h"

#include <filesystem>

#include "FileNameForm.h"

namespace {

// The patterns of the filter's first pair.
std::vector<std::string> FirstPatterns(const std::string& filter) {
  const std::size_t bar = filter.find('|');
  if (bar == std::string::npos) return {};
  const std::string list = filter.substr(bar + 1, filter.find('|', bar + 1) - bar - 1);
  std::vector<std::string> patterns;
  for (std::size_t from = 0; from <= list.size();) {
    const std::size_t end = std::min(list.find(';', from), list.size());
    if (end > from) patterns.push_back(list.substr(from, end - from));
    from = end + 1;
  }
  return patterns;
}

std::string StartFolder(const std::string& fileName, const std::string& initialDir) {
  std::error_code error;
  if (!fileName.empty()) {
    const std::filesystem::path parent = std::filesystem::absolute(fileName, error).parent_path();
    if (!error && std::filesystem::is_directory(parent, error)) return parent.string();
  }
  if (!initialDir.empty() && std::filesystem::is_directory(initialDir, error)) return initialDir;
  return std::filesystem::current_path(error).string();
}

}  // namespace

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() {
  TFileNameForm::TOptions options;
  options.Caption = Title.empty() ? DefaultTitle() : Title;
  options.Folder = StartFolder(FileName, InitialDir);
  options.FileName = FileName.empty() ? "" : std::filesystem::path(FileName).filename().string();
  options.Patterns = FirstPatterns(Filter);
  options.MustExist = MustExist();
  options.OverwritePrompt = !MustExist() && (Options & ofOverwritePrompt) != 0;
  TFileNameForm form(nullptr, options);
  if (form.ShowModal() != mrOk) return false;
  FileName = form.Chosen();
  return true;
}
