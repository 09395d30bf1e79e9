#include <fstream>
#include <iterator>
#include <string>

#include "GalleryFixture.h"
#include "components/ColorButton.h"
#include "components/VekImage.h"
#include "components/VekProgress.h"
#include "framework/base/Utf8.h"
#include "framework/ui/controls/Edit.h"
#include "framework/ui/dialogs/FileDialog.h"
#include "framework/ui/dialogs/FileNameForm.h"
#include "framework/ui/dialogs/MessageBox.h"
#include "framework/ui/menus/PopupMenu.h"
#include "gallery/ImagePage.h"
#include "support/TempDir.h"

namespace {

// A picture four colours in quarters, 300 x 200: larger than the frame, so it shows scaled.
void MakeQuarters(TVekImage& image) {
  image.SetHeightWidth(200, 300);
  TCanvas& canvas = image.Canvas();
  const TColor quarters[] = {clRed, clLime, clBlue, clYellow};
  for (int i = 0; i < 4; ++i) {
    canvas.Brush.Color = quarters[i];
    canvas.FillRect(Bounds(i % 2 * 150, i / 2 * 100, 150, 100));
  }
}

class ImageFiles : public TGalleryFixture {
 protected:
  TTempDir Dir;
  std::string Picture = Dir.File("quarters.png");

  void SetUp() override {
    TGalleryFixture::SetUp();
    TVekImage maker(nullptr);
    MakeQuarters(maker);
    maker.SaveToFile(Picture);
  }
  TImagePage& Page() { return *GalleryForm->ImagePage; }
  TBitmap& Picture1() { return Page().Image1->Picture().Bitmap(); }
  // What the window shows at a point of the first picture's control.
  TPixel Shown(TVekImage& image, int x, int y) {
    return H.System->PixelAt(Window(), image.WindowOffset().X + x, image.WindowOffset().Y + y);
  }
  // Steps for the file dialog once it is up: the name typed, then Enter.
  void TypeInDialog(const std::string& name) {
    H.System->At(H.System->NowMs() + 10, [this, name] {
      for (char32_t c : DecodeUtf8(name)) H.System->Push(Headless::Char(c));
      H.System->Push(Headless::Key(VK_RETURN));
    });
  }
  void ChooseItem(unsigned key) {
    ClickAt(MiddleOf(*Page().Image1), TMouseButton::mbRight);
    Type(key);
    H.App.ProcessMessages();
  }
};

TEST_F(ImageFiles, APictureOpenedFromTheMenuShowsWholeAndScaledWithTheProgressFull) {
  TypeInDialog(Picture);
  ChooseItem('O');
  ASSERT_EQ(Picture1().Width(), 300);
  ASSERT_EQ(Picture1().Height(), 200);
  TVekImage& image = *Page().Image1;
  // 300 x 200 in a frame of 218 x 218: 218 x 145, in the middle.
  EXPECT_EQ(image.Width(), 218);
  EXPECT_EQ(image.Height(), 145);
  EXPECT_TRUE(image.Stretch());
  EXPECT_EQ(Shown(image, 10, 10), 0xFF0000u);
  EXPECT_EQ(Shown(image, 208, 135), 0xFFFF00u);
  EXPECT_EQ(Page().Progress1->Position(), 100);
}

TEST_F(ImageFiles, RotateTurnsThePictureAQuarterAndItShowsWholeAgain) {
  Page().LoadPicture(Picture);
  ChooseItem('R');
  EXPECT_EQ(Picture1().Width(), 200);
  EXPECT_EQ(Picture1().Height(), 300);
  TVekImage& image = *Page().Image1;
  EXPECT_EQ(image.Height(), 218);
  H.App.ProcessMessages();
  // A quarter turn counter-clockwise: the top-right green comes to the top-left.
  EXPECT_EQ(Shown(image, 10, 10), 0x00FF00u);
}

TEST_F(ImageFiles, SaveAsWritesThePictureWholeAndAFileThatIsNoPictureIsSaidAndChangesNothing) {
  Page().LoadPicture(Picture);
  const std::string copy = Dir.File("copy.bmp");
  TypeInDialog(copy);
  ChooseItem('S');
  TVekImage reread(nullptr);
  reread.LoadFromFile(copy);
  EXPECT_EQ(reread.Width(), 300);
  EXPECT_EQ(reread.Picture().Bitmap().PixelAt(299, 199), 0xFFFF00u);

  const std::string notes = Dir.File("notes.jpg");
  { std::ofstream(notes) << "no picture"; }
  H.App.OnException = [this](const Exception& e) { H.App.ShownMessages.push_back(e.Message()); };
  TypeInDialog(notes);
  ChooseItem('O');
  ASSERT_EQ(H.App.ShownMessages.size(), 1u);
  EXPECT_EQ(Picture1().Width(), 300);
  EXPECT_EQ(Page().Image1->Width(), 218);
  EXPECT_EQ(Page().Progress1->Position(), 0);  // the load came no further
}

// The window that opened a dialog has the keyboard before the dialog goes: the window
// manager never has to guess where it goes (and give it to another program's window).
TEST_F(ImageFiles, TheGalleryHasTheKeyboardBackWheneverTheFileDialogOrAnErrorBoxCloses) {
  for (int round = 0; round < 3; ++round) {
    H.System->At(H.System->NowMs() + 10, [this] { H.System->Push(Headless::Key(VK_ESCAPE)); });
    Type('O', ssCtrl);
    EXPECT_EQ(H.System->Focus, Window());
  }
  const std::string notes = Dir.File("notes.jpg");
  { std::ofstream(notes) << "no picture"; }
  TypeInDialog(notes);
  H.System->At(H.System->NowMs() + 20, [this] { H.System->Push(Headless::Key(VK_RETURN)); });  // the error box
  Type('O', ssCtrl);
  ASSERT_EQ(H.App.ShownMessages.size(), 1u);
  EXPECT_EQ(H.System->Focus, Window());
  EXPECT_EQ(H.System->FocusDropped, 0);
}

// Save as offers the picture's own file and asks before it replaces it; a file that failed
// to load is not offered.
TEST_F(ImageFiles, SaveAsAsksBeforeItReplacesAFileAndOffersNoFileThatFailedToLoad) {
  Page().LoadPicture(Picture);
  std::ifstream before(Picture, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(before), {}};
  Page().ColorButton1->SetColor(clMaroon);
  Page().ColorButton1->OnChange(Page().ColorButton1);  // the picture drawn anew
  std::vector<std::string> offered, asked;
  const auto offer = [&] {
    for (TForm* form : H.App.Forms())
      if (auto* dialog = dynamic_cast<TFileNameForm*>(form)) offered.push_back(dialog->NameEdit->Text());
  };
  const std::int64_t start = H.System->NowMs();
  H.System->At(start + 10, [&] {
    offer();
    H.System->Push(Headless::Key(VK_RETURN));
  });
  H.System->At(start + 20, [&] {
    for (TForm* form : H.App.Forms())
      if (auto* box = dynamic_cast<TMessageBox*>(form)) asked.push_back(box->Text());
    H.System->Push(Headless::Key('N'));
  });
  H.System->At(start + 30, [&] { H.System->Push(Headless::Key(VK_ESCAPE)); });
  Type('S', ssCtrl);
  std::ifstream after(Picture, std::ios::binary);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(after), {}) == bytes) << "the file was replaced";
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].substr(0, Picture.size()), Picture);

  const std::string notes = Dir.File("notes.jpg");
  { std::ofstream(notes) << "no picture"; }
  H.App.OnException = [](const Exception&) {};
  TypeInDialog(notes);
  Type('O', ssCtrl);
  H.System->At(H.System->NowMs() + 10, [&] {
    offer();
    H.System->Push(Headless::Key(VK_ESCAPE));
  });
  Type('S', ssCtrl);
  EXPECT_EQ(offered, (std::vector<std::string>{"quarters.png", "quarters.png"}));
}

}  // namespace
