#include "FileNameForm.h"

#include <filesystem>

#include "FolderEntries.h"
#include "MessageBox.h"
#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/controls/Edit.h"
#include "framework/ui/controls/ListBox.h"
#include "framework/ui/controls/StaticText.h"

namespace fs = std::filesystem;

TFileNameForm::TFileNameForm(TComponent* owner, const TOptions& options) : TForm(owner), FOptions(options) {
  CreateControls();
  SetCaption(options.Caption);
  NameEdit->SetText(options.FileName);
  OpenFolder(options.Folder);
}

void TFileNameForm::FormShow(TComponent*) {
  NameEdit->SetFocus();
  NameEdit->SelectAll();
}

void TFileNameForm::OpenFolder(const std::string& folder) {
  FFolder = fs::path(folder).lexically_normal().string();
  if (FFolder.size() > 1 && FFolder.back() == '/') FFolder.pop_back();
  FolderText->SetCaption(FFolder);
  EntryList->SetItems(FolderEntries(FFolder, FOptions.Patterns));
}

void TFileNameForm::EntryListClick(TComponent*) {
  if (EntryList->ItemIndex() < 0) return;
  NameEdit->SetText(EntryList->Items()[static_cast<std::size_t>(EntryList->ItemIndex())]);
}

void TFileNameForm::EntryListDblClick(TComponent* Sender) {
  EntryListClick(Sender);
  Accept();
}

void TFileNameForm::OkButtonClick(TComponent*) { Accept(); }

void TFileNameForm::Accept() {
  const std::string name = NameEdit->Text();
  if (name.empty()) return;
  const fs::path path = name.front() == '/' ? fs::path(name) : fs::path(FFolder) / name;
  std::error_code error;
  if (fs::is_directory(path, error)) {
    OpenFolder(path.string());
    NameEdit->SetText("");
    return;
  }
  if (!MayChoose(path.lexically_normal())) {
    NameEdit->SetFocus();
    return;
  }
  FChosen = path.lexically_normal().string();
  SetModalResult(mrOk);
}

bool TFileNameForm::MayChoose(const fs::path& path) {
  std::error_code error;
  const bool exists = fs::exists(path, error);
  if (FOptions.MustExist && !exists) {
    MessageDlg(Caption(), "File not found: " + path.string(), TMsgDlgType::mtError, {TMsgDlgBtn::mbOK},
               TMsgDlgBtn::mbOK);
    return false;
  }
  if (!FOptions.OverwritePrompt || !exists) return true;
  return MessageDlg(Caption(), path.string() + " already exists.\nDo you want to replace it?", TMsgDlgType::mtWarning,
                    {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, TMsgDlgBtn::mbNo) == mrYes;
}
