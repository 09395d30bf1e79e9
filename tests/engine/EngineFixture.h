#pragma once
#include <memory>

#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "support/TempDir.h"

// An engine drawing into an off-screen surface of a given size, with the process-wide motion
// back at its start and the settings file in a private folder.
struct TEngineRig {
  TTempDir Dir;
  TQuenbrel Engine{Dir.File(TQuenbrel::SettingsFileName)};
  TVekImage Surface{nullptr};

  TEngineRig(int width, int height) {
    QuenbrelMotion() = {};
    Engine.Target = &Surface;
    Engine.LoadSettings();
    SetSize(width, height);
  }
  void SetSize(int width, int height) {
    Surface.SetHeightWidth(height, width);
    Engine.Resize();
  }
  std::uint32_t FramePixel(int x, int y) { return Surface.Picture().Bitmap().Row32(y)[x]; }
  std::uint32_t SourcePixel(int x, int y) { return Engine.SourceImage().Picture().Bitmap().Row32(y)[x]; }
};
