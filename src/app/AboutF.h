#pragma once
#include <string>

#include "framework/ui/core/Form.h"

class TBitBtn;
class TImage;
class TPanel;
class TSpeedButton;

// The about box: the title and the author's details typed out and slid into place over an
// engraved copy, in English, Galician or Spanish as the flag buttons choose.
class TAboutF : public TForm {
 public:
  // A line holds at most this many characters; the rest of a longer one is not drawn.
  static constexpr int MaxLineLength = 100;

  explicit TAboutF(TComponent* owner);
  ~TAboutF() override;

  TSpeedButton* SpeedButton1 = nullptr;
  TSpeedButton* SpeedButton2 = nullptr;
  TSpeedButton* SpeedButton3 = nullptr;
  TPanel* Panel1 = nullptr;
  TImage* Image1 = nullptr;  // the background: grey with the engraved text
  TImage* Image2 = nullptr;  // the back buffer
  TImage* Image3 = nullptr;  // what the user sees
  TBitBtn* BitBtn1 = nullptr;

  std::string AppTitle;
  std::string AuthorLine;
  std::string ProfessionLine;
  std::string LineText;
  bool Painted = false;

  void FormCreate(TComponent* Sender);
  void FormPaint(TComponent* Sender);
  void SpeedButton1Click(TComponent* Sender);

  void SetEnglish();
  void SetGalician();
  void SetSpanish();
  // Plays the animation in language 1 (English), 2 (Galician) or 3 (Spanish).
  void Render(int language);
  void DrawBlock(int dx, int dy, bool animated, TImage* target);
  void DrawLine(int x, int y, bool animated, TImage* target);
  // Shows the back buffer in the visible image.
  void Present();

 private:
  // The form description: AboutFDescription.cpp.
  void CreateControls();
  void SetLanguage(int language);
  // Grey with the light-grey engraving, in Image1.
  void PaintBackground();
  // Starts the next pass from a fresh copy of the background.
  void CopyBackground();
  // Moves the black text from its typing place to its final one, a pixel at a time.
  void SlideIntoPlace();
};

extern TAboutF* AboutF;
