#include "FileNameForm.h"
#include "framework/base/Handler.h"
#include "framework/ui/controls/BitBtn.h"
#include "framework/ui/controls/Edit.h"
#include "framework/ui/controls/ListBox.h"
#include "framework/ui/controls/StaticText.h"

namespace {

TStaticText* NewLabel(TFileNameForm* form, const char* name, const char* caption, int left, int top) {
  auto* label = new TStaticText(form);
  label->Name = name;
  label->SetParent(form);
  label->SetBounds(left, top, label->Width(), label->Height());
  label->SetCaption(caption);
  return label;
}

TBitBtn* NewButton(TFileNameForm* form, const char* name, TBitBtnKind kind, int top, int tabOrder) {
  auto* button = new TBitBtn(form);
  button->Name = name;
  button->SetParent(form);
  button->SetBounds(244, top, 75, 25);
  button->SetKind(kind);
  button->SetTabOrder(tabOrder);
  return button;
}

}  // namespace

void TFileNameForm::CreateControls() {
  BorderStyle = TBorderStyle::bsDialog;
  SetClientWidth(327);
  SetClientHeight(244);
  Position = TPosition::poScreenCenter;
  OnShow = Handler(this, &TFileNameForm::FormShow);

  NameLabel = NewLabel(this, "NameLabel", "File name:", 8, 8);
  NameEdit = new TEdit(this);
  NameEdit->Name = "NameEdit";
  NameEdit->SetParent(this);
  NameEdit->SetBounds(8, 26, 228, 21);
  NameEdit->SetTabOrder(0);

  FolderLabel = NewLabel(this, "FolderLabel", "Folder:", 8, 56);
  FolderText = new TStaticText(this);
  FolderText->Name = "FolderText";
  FolderText->SetParent(this);
  FolderText->SetAutoSize(false);
  FolderText->SetBounds(52, 56, 184, 17);

  EntryList = new TListBox(this);
  EntryList->Name = "EntryList";
  EntryList->SetParent(this);
  EntryList->SetBounds(8, 76, 228, 160);
  EntryList->SetTabOrder(1);
  EntryList->OnClick = Handler(this, &TFileNameForm::EntryListClick);
  EntryList->OnDblClick = Handler(this, &TFileNameForm::EntryListDblClick);

  // OK decides for itself whether the dialog ends: a folder's name opens the folder.
  OkButton = NewButton(this, "OkButton", TBitBtnKind::bkOK, 26, 2);
  OkButton->SetModalResult(mrNone);
  OkButton->OnClick = Handler(this, &TFileNameForm::OkButtonClick);
  CancelButton = NewButton(this, "CancelButton", TBitBtnKind::bkCancel, 58, 3);
}
