#include "AboutF.h"

#include <string>
#include <vector>

#include "framework/base/Utf8.h"
#include "framework/ui/controls/Image.h"
#include "framework/ui/controls/SpeedButton.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Screen.h"

TAboutF* AboutF = nullptr;

namespace {

constexpr const char* AuthorName = "The zzQuenbrel project";
constexpr const char* ContactTelephone = "Tel. : +00 000 000 000";
constexpr const char* ContactEmail = "E-mail : zzquenbrel@example.org";

constexpr TColor BackgroundGrey = RGB(200, 200, 200);
constexpr TColor EngravingGrey = RGB(220, 220, 220);

}  // namespace

TAboutF::TAboutF(TComponent* owner) : TForm(owner) {
  CreateControls();
  AppTitle = Application->Title;
}

TAboutF::~TAboutF() {
  if (AboutF == this) AboutF = nullptr;
}

void TAboutF::FormCreate(TComponent*) { SpeedButton1->SetDown(true); }

void TAboutF::FormPaint(TComponent*) {
  // The visible image keeps its picture: only the first paint plays the animation.
  if (Painted) return;
  Painted = true;
  if (SpeedButton1->Down()) Render(1);
  else if (SpeedButton2->Down()) Render(2);
  else if (SpeedButton3->Down()) Render(3);
}

void TAboutF::SpeedButton1Click(TComponent* Sender) {
  if (Sender == SpeedButton1) Render(1);
  else if (Sender == SpeedButton2) Render(2);
  else if (Sender == SpeedButton3) Render(3);
}

void TAboutF::SetEnglish() {
  SetCaption("About " + AppTitle);
  AuthorLine = std::string("Author : ") + AuthorName;
  ProfessionLine = "Makers of screen savers";
}

void TAboutF::SetGalician() {
  SetCaption("Acerca de " + AppTitle);
  AuthorLine = std::string("Autor : ") + AuthorName;
  ProfessionLine = "Fabricantes de protectores de pantalla";
}

void TAboutF::SetSpanish() {
  SetCaption("Acerca de " + AppTitle);
  AuthorLine = std::string("Autor : ") + AuthorName;
  ProfessionLine = "Fabricantes de salvapantallas";
}

void TAboutF::SetLanguage(int language) {
  if (language == 1) SetEnglish();
  else if (language == 2) SetGalician();
  else SetSpanish();
}

void TAboutF::Render(int language) {
  Screen->SetCursor(crHourGlass);
  SetLanguage(language);
  PaintBackground();
  CopyBackground();
  Present();
  Image2->Canvas().Font.Color = clBlack;
  DrawBlock(2, 2, true, Image2);
  SlideIntoPlace();
  Screen->SetCursor(crDefault);
}

void TAboutF::PaintBackground() {
  TCanvas& background = Image1->Canvas();
  background.Brush = {BackgroundGrey, TBrushStyle::bsSolid};
  background.FillRect(Image1->ClientRect());
  background.Font.Color = EngravingGrey;
  DrawBlock(2, 3, false, Image1);
}

void TAboutF::SlideIntoPlace() {
  for (const int offset : {1, 0}) {
    CopyBackground();
    DrawBlock(offset, offset, false, Image2);
    UpdateWindow();
  }
  CopyBackground();
  DrawBlock(-1, -1, false, Image2);
}

void TAboutF::CopyBackground() { Image2->Canvas().Draw(0, 0, Image1->Picture().Bitmap()); }

void TAboutF::DrawBlock(int dx, int dy, bool animated, TImage* target) {
  const int x = 15 + dx;
  const auto line = [&](const std::string& text, int y) {
    LineText = text;
    DrawLine(x, y + dy, animated, target);
  };
  TFont& font = target->Canvas().Font;
  font.Name = "Times New Roman";
  font.AddStyle(TFontStyle::fsBold);
  font.SetSize(14);
  line(AppTitle, 14);
  font.AddStyle(TFontStyle::fsBold);
  font.RemoveStyle(TFontStyle::fsItalic);
  font.SetSize(10);
  line(AuthorLine, 78);
  line(ProfessionLine, 78 + 20);
  font.Name = "MS Sans Serif";
  font.SetSize(9);
  line(ContactTelephone, 78 + 4 * 20);
  line(ContactEmail, 78 + 5 * 20);
}

void TAboutF::DrawLine(int x, int y, bool animated, TImage* target) {
  TCanvas& canvas = target->Canvas();
  std::vector<std::string> characters = Utf8Characters(LineText);
  if (characters.size() > MaxLineLength) characters.resize(MaxLineLength);
  // Each character is measured alone: no kerning between neighbours.
  for (const std::string& character : characters) {
    canvas.BkMode = TBkMode::Transparent;
    canvas.TextOut(x, y, character);
    x += canvas.TextWidth(character);
    if (!animated) continue;
    UpdateWindow();
    Present();
  }
  Present();
}

void TAboutF::Present() { Image3->Canvas().Draw(0, 0, Image2->Picture().Bitmap()); }
