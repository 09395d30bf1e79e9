#pragma once
#include <string>
#include <vector>

#include "framework/ui/core/Form.h"

class TDrivesPage;
class TEffectPage;
class TGalleryPage;
class TImagePage;
class TPlotPage;
class TPolygonPage;
class TProgressPage;
class TScalePage;
class TPanel;
class TSpeedButton;
class TStaticText;

// The gallery's window: a row of tabs, one per component, above the page of the tab that is
// down, and a line of text at the bottom that says what the page shows.
class TGalleryForm : public TForm {
 public:
  explicit TGalleryForm(TComponent* owner);
  ~TGalleryForm() override;

  TPanel* TabBar = nullptr;
  std::vector<TSpeedButton*> Tabs;
  TStaticText* StatusText = nullptr;
  TImagePage* ImagePage = nullptr;
  TProgressPage* ProgressPage = nullptr;
  TScalePage* ScalePage = nullptr;
  TPolygonPage* PolygonPage = nullptr;
  TPlotPage* PlotPage = nullptr;
  TEffectPage* EffectPage = nullptr;
  TDrivesPage* DrivesPage = nullptr;
  // In the order of the tabs.
  std::vector<TGalleryPage*> Pages;

  // Shows the page of that title (either case); false when there is none.
  bool ShowPage(const std::string& title);
  void ShowPage(TGalleryPage* page);
  TGalleryPage* CurrentPage() const { return FCurrent; }

  void FormShow(TComponent* Sender);
  // Ctrl+Tab and Ctrl+Page Down show the next page, Ctrl+Shift+Tab and Ctrl+Page Up the one
  // before, round, as in every window with tabs.
  void FormKeyDown(TComponent* Sender, unsigned& Key, TShiftState Shift);
  void TabClick(TComponent* Sender);

 private:
  // The form description: GalleryFormDescription.cpp.
  void CreateControls();
  // The least client size at which every tab and every page's properties can be reached.
  TSizeConstraints LeastClientSize() const;
  void AddPage(TGalleryPage* page, const std::string& status);

  std::vector<std::string> FStatus;
  TGalleryPage* FCurrent = nullptr;
};

extern TGalleryForm* GalleryForm;
