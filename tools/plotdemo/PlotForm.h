#pragma once
#include "framework/ui/core/Form.h"

class TCanvas2D;
class TPanel;
class TSpeedButton;
class TStaticText;

// A damped sine on a plot, with a button for each way of handling it with the mouse (select,
// zoom in, zoom out, pan) and one that goes home. Right-clicking the plot selects again; the
// wheel zooms in every mode. The status line shows the world point under the pointer.
class TPlotForm : public TForm {
 public:
  explicit TPlotForm(TComponent* owner);

  TPanel* Toolbar = nullptr;
  TSpeedButton* SelectButton = nullptr;
  TSpeedButton* ZoomInButton = nullptr;
  TSpeedButton* ZoomOutButton = nullptr;
  TSpeedButton* PanButton = nullptr;
  TSpeedButton* HomeButton = nullptr;
  TCanvas2D* Plot = nullptr;
  TStaticText* Status = nullptr;

  // When set, every frame of the plot writes its range to standard error, as
  // "frame XMIN XMAX YMIN YMAX", for tests that watch the plot from outside.
  bool TraceFrames = false;

  void FormShow(TComponent* Sender);
  // The four mode buttons share it: each one's Tag is its zoom mode.
  void ModeButtonClick(TComponent* Sender);
  void HomeButtonClick(TComponent* Sender);
  void PlotDraw(TComponent* Sender);
  void PlotMouseDown(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void PlotMouseMove(TComponent* Sender, TShiftState Shift, int X, int Y);

 private:
  // The form description: PlotFormDescription.cpp.
  void CreateControls();
};
