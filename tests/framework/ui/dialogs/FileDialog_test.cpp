#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/base/Utf8.h"
#include "framework/ui/controls/Edit.h"
#include "framework/ui/controls/ListBox.h"
#include "framework/ui/dialogs/FileDialog.h"
#include "framework/ui/dialogs/FileNameForm.h"
#include "framework/ui/dialogs/FolderEntries.h"
#include "framework/ui/dialogs/MessageBox.h"
#include "support/HeadlessApp.h"
#include "support/TempDir.h"

namespace {

using Headless = THeadlessWindowSystem;
using TEntries = std::vector<std::string>;

void Touch(const std::string& path) { std::ofstream(path) << "x"; }

class FileDialog : public ::testing::Test {
 protected:
  THeadlessApp H;
  TTempDir Dir;
  std::int64_t Clock = 0;

  void SetUp() override {
    std::filesystem::create_directory(Dir.File("pictures"));
    Touch(Dir.File("pictures/b.png"));
    Touch(Dir.File("a.JPG"));
    Touch(Dir.File("notes.txt"));
    Touch(Dir.File(".hidden.jpg"));
  }
  // What the user does once the dialog is up, one step every 10 ms of the virtual clock.
  void Later(std::function<void()> step) { H.System->At(Clock += 10, std::move(step)); }
  void TypeLater(const std::string& text) {
    Later([this, text] {
      for (char32_t c : DecodeUtf8(text)) H.System->Push(Headless::Char(c));
    });
  }
  void KeyLater(unsigned key, TShiftState shift = 0) {
    Later([=, this] { H.System->Push(Headless::Key(key, shift)); });
  }
  TFileNameForm& Shown() {
    for (TForm* form : H.App.Forms())
      if (auto* dialog = dynamic_cast<TFileNameForm*>(form)) return *dialog;
    throw std::logic_error("no dialog");
  }
};

TEST_F(FileDialog, ListsFoldersThenMatchingFilesWithoutHiddenOnes) {
  EXPECT_EQ(FolderEntries(Dir.Path(), {"*.jpg", "*.png"}), (TEntries{"../", "pictures/", "a.JPG"}));
  EXPECT_EQ(FolderEntries(Dir.Path(), {}), (TEntries{"../", "pictures/", "a.JPG", "notes.txt"}));
  EXPECT_NE(FolderEntries("/", {}).front(), "../");
  EXPECT_EQ(FolderEntries(Dir.File("missing"), {}), (TEntries{"../"}));
}

TEST_F(FileDialog, EveryPatternOfTheFirstFilterCountsNotOnlyItsFirst) {
  TOpenDialog dialog(nullptr);
  dialog.InitialDir = Dir.File("pictures");
  dialog.Filter = "Pictures|*.bmp;*.png|All files|*";
  TEntries listed;
  Later([&] { listed = Shown().EntryList->Items(); });
  KeyLater(VK_ESCAPE);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(listed, (TEntries{"../", "b.png"}));
}

TEST_F(FileDialog, ATypedNameOfAFileInTheFolderIsChosen) {
  TOpenDialog dialog(nullptr);
  dialog.InitialDir = Dir.Path();
  dialog.Filter = "Pictures|*.jpg;*.png|All files|*";
  TEntries listed;
  Later([&] { listed = Shown().EntryList->Items(); });
  TypeLater("a.JPG");
  KeyLater(VK_RETURN);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, Dir.File("a.JPG"));
  EXPECT_EQ(listed, (TEntries{"../", "pictures/", "a.JPG"}));
}

TEST_F(FileDialog, AFolderOpensAndItsFileIsTakenByADoubleClick) {
  TOpenDialog dialog(nullptr);
  dialog.FileName = Dir.File("a.JPG");
  std::string nameShown;
  Later([&] { nameShown = Shown().NameEdit->Text(); });
  KeyLater('A', ssCtrl);
  TypeLater("pictures");
  KeyLater(VK_RETURN);
  Later([&] {
    TFileNameForm& form = Shown();
    // b.png is the list's second line, after "../".
    const TRect line = form.EntryList->ItemRect(1);
    const int x = form.EntryList->Left() + line.Left + 5, y = form.EntryList->Top() + line.Top + 5;
    for (int press = 0; press < 2; ++press) {
      H.System->Push(Headless::Mouse(TEventKind::MouseDown, x, y, form.Handle()));
      H.System->Push(Headless::Mouse(TEventKind::MouseUp, x, y, form.Handle()));
    }
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(nameShown, "a.JPG");
  EXPECT_EQ(dialog.FileName, Dir.File("pictures/b.png"));
}

TEST_F(FileDialog, OpeningAMissingFileSaysSoAndCancelLeavesTheNameAlone) {
  TOpenDialog dialog(nullptr);
  dialog.InitialDir = Dir.Path();
  dialog.FileName = "";
  TypeLater("nothing.jpg");
  KeyLater(VK_RETURN);
  std::string said;
  Later([&] {
    for (TForm* form : H.App.Forms())
      if (auto* box = dynamic_cast<TMessageBox*>(form)) said = box->Text();
  });
  KeyLater(VK_RETURN);  // closes the message box; the dialog stays
  std::string caption;
  Later([&] { caption = Shown().Caption(); });
  KeyLater(VK_ESCAPE);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "");
  EXPECT_EQ(said, "File not found: " + Dir.File("nothing.jpg"));
  EXPECT_EQ(caption, "Open");
}

TEST_F(FileDialog, SavingTakesANewNameAndAnAbsoluteOne) {
  TSaveDialog dialog(nullptr);
  dialog.InitialDir = Dir.Path();
  TypeLater("pictures/new.png");
  KeyLater(VK_RETURN);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, Dir.File("pictures/new.png"));
  TypeLater(Dir.File("elsewhere.gif"));
  KeyLater(VK_RETURN);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, Dir.File("elsewhere.gif"));
}

TEST_F(FileDialog, SavingOverAFileAsksFirstWhereAskedToAndNoKeepsTheDialogOpen) {
  TSaveDialog dialog(nullptr);
  dialog.InitialDir = Dir.Path();
  dialog.Options = ofOverwritePrompt;
  TypeLater("notes.txt");
  KeyLater(VK_RETURN);
  std::vector<std::string> asked;
  const auto question = [&] {
    for (TForm* form : H.App.Forms())
      if (auto* box = dynamic_cast<TMessageBox*>(form))
        asked.push_back(box->Text() + (box->Buttons()[box->FocusedButton()] == TMsgDlgBtn::mbNo ? " [No]" : ""));
  };
  Later(question);
  KeyLater(VK_RETURN);  // presses No, the button with the keyboard: the dialog stays
  KeyLater(VK_RETURN);
  Later(question);
  KeyLater('Y');
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, Dir.File("notes.txt"));
  const std::string text = Dir.File("notes.txt") + " already exists.\nDo you want to replace it? [No]";
  EXPECT_EQ(asked, (std::vector<std::string>{text, text}));
  // Without the option nothing is asked, and a new name never is.
  dialog.Options = 0;
  KeyLater(VK_RETURN);
  ASSERT_TRUE(dialog.Execute());
  dialog.Options = ofOverwritePrompt;
  KeyLater('A', ssCtrl);
  TypeLater("new.txt");
  KeyLater(VK_RETURN);
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, Dir.File("new.txt"));
  EXPECT_EQ(asked.size(), 2u);
}

// Closing the question through its window is neither Yes nor No: nothing is replaced.
TEST_F(FileDialog, TheOverwriteQuestionClosedThroughItsWindowKeepsTheDialogAndTheFile) {
  TSaveDialog dialog(nullptr);
  dialog.InitialDir = Dir.Path();
  dialog.Options = ofOverwritePrompt;
  TypeLater("notes.txt");
  KeyLater(VK_RETURN);
  Later([this] { H.System->Push(Headless::Of(TEventKind::CloseRequest)); });
  bool stayed = false;
  Later([&, this] { stayed = H.System->Window(Shown().Handle())->Visible; });
  KeyLater(VK_ESCAPE);
  EXPECT_FALSE(dialog.Execute());
  EXPECT_TRUE(stayed);
  EXPECT_EQ(dialog.FileName, "");
  std::ifstream notes(Dir.File("notes.txt"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(notes), {}), "x");
}

}  // namespace
