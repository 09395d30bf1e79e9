#pragma once
#include "CustomPanel.h"

// The panel that form descriptions place.
class TPanel : public TCustomPanel {
 public:
  using TCustomPanel::TCustomPanel;
};
