#pragma once
#include "framework/base/Component.h"

// Reads and writes image files into an image surface's bitmap. The formats arrive with the
// surface's file members; until then the facility holds nothing.
class TImageIO : public TComponent {
 public:
  using TComponent::TComponent;
};
