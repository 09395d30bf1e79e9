#pragma once
#include <string>
#include <vector>

#include "framework/graphics/Color.h"

class TColorButton;
class TComponent;
class TPanel;
class TScrollBar;
class TSpeedButton;
class TStaticText;
class TWinControl;

// The column of a page's properties: a lowered panel down the page's right side in which
// each property is a caption with its control beneath, stacked from the top. Form
// descriptions build it; the controls are owned by `owner`.
class TPropertyColumn {
 public:
  static constexpr int Inset = 8;

  TPropertyColumn(TComponent* owner, TWinControl* page, const char* name);

  TPanel* Panel() const { return FPanel; }
  int Width() const;

  TStaticText* AddCaption(const char* name, const std::string& caption);
  TColorButton* AddColor(const char* name, const std::string& caption, TColor color);
  TScrollBar* AddBar(const char* name, const std::string& caption, int min, int max, int position);
  // A row of speed buttons of one group, of which the first is down.
  std::vector<TSpeedButton*> AddModes(const char* name, const std::string& caption,
                                      const std::vector<std::string>& modes, int group);
  TSpeedButton* AddButton(const char* name, const std::string& caption);

 private:
  // The next control's place, a full row of the column `height` pixels high.
  int Take(int height);

  TComponent* FOwner;
  TPanel* FPanel;
  int FTop = Inset;
};
