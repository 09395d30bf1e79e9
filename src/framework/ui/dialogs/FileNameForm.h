#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "framework/ui/core/Form.h"

class TBitBtn;
class TEdit;
class TListBox;
class TStaticText;

// The window of the file-name dialogs: a field for the file's name, the folder it is in,
// the folder's entries (a click puts one in the field, a double click takes it), OK and
// Cancel. A folder's name, typed or taken, opens that folder; a file's ends the dialog
// (for opening, only one that exists; for saving, one that exists when the user agrees to
// replace it, where asked to ask).
class TFileNameForm : public TForm {
 public:
  struct TOptions {
    std::string Caption;
    std::string Folder;
    std::string FileName;
    std::vector<std::string> Patterns;
    bool MustExist = true;
    // A file that exists is chosen only once the user agreed to replace it.
    bool OverwritePrompt = false;
  };

  TFileNameForm(TComponent* owner, const TOptions& options);

  TStaticText* NameLabel = nullptr;
  TEdit* NameEdit = nullptr;
  TStaticText* FolderLabel = nullptr;
  TStaticText* FolderText = nullptr;
  TListBox* EntryList = nullptr;
  TBitBtn* OkButton = nullptr;
  TBitBtn* CancelButton = nullptr;

  // The folder listed, and the file's full name once the dialog ended with OK.
  const std::string& Folder() const { return FFolder; }
  const std::string& Chosen() const { return FChosen; }

  void FormShow(TComponent* Sender);
  void EntryListClick(TComponent* Sender);
  void EntryListDblClick(TComponent* Sender);
  void OkButtonClick(TComponent* Sender);

 private:
  // The form description: FileNameFormDescription.cpp.
  void CreateControls();
  void OpenFolder(const std::string& folder);
  // Takes the name in the field: opens a folder or ends the dialog with a file.
  void Accept();
  // Whether the file may be chosen: it exists only when opening, and it is replaced only
  // when the user says so.
  bool MayChoose(const std::filesystem::path& path);

  TOptions FOptions;
  std::string FFolder;
  std::string FChosen;
};
