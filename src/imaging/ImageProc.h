#pragma once
#include "framework/base/Component.h"

// Rotates an image surface's bitmap. Arrives with the surface's file members; empty until then.
class TImageProc : public TComponent {
 public:
  using TComponent::TComponent;
};
