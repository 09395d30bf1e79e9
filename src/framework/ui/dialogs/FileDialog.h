#pragma once
#include <string>

#include "framework/base/Component.h"

// What the dialogs may be asked to do besides choosing a name, as a set of bits.
using TOpenOptions = unsigned;
// Saving: a name that exists already is taken only once the user said Yes to replacing it.
constexpr TOpenOptions ofOverwritePrompt = 1;

// The file-name dialogs: Execute shows the framework's own small dialog modally, in the
// folder of FileName (else InitialDir, else the current folder), and when the user
// confirms leaves the chosen file's full name in FileName.
class TOpenDialog : public TComponent {
 public:
  explicit TOpenDialog(TComponent* owner);

  std::string FileName;
  std::string InitialDir;
  // "Description|pattern;pattern|..." as the classic dialogs take it: the first pair's
  // patterns choose the files listed. Empty: every file.
  std::string Filter;
  // The dialog's caption; empty: "Open" (or "Save As").
  std::string Title;
  TOpenOptions Options = 0;

  // True when the user chose a file; false (FileName unchanged) on Cancel or Escape.
  bool Execute();

 protected:
  // Whether only an existing file can be chosen.
  virtual bool MustExist() const { return true; }
  virtual std::string DefaultTitle() const { return "Open"; }
};

class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;

 protected:
  bool MustExist() const override { return false; }
  std::string DefaultTitle() const override { return "Save As"; }
};
