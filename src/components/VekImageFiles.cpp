#include "VekImage.h"
#include "imaging/ImageIO.h"
#include "imaging/ImageProc.h"

namespace {

void RaiseProgress(TVekImage& image, TProgressStage stage, int percent) {
  if (image.OnProgress) image.OnProgress(&image, stage, percent);
}

}  // namespace

void TVekImage::LoadFromFile(const std::string& name) {
  int reached = 0;
  RaiseProgress(*this, TProgressStage::psStarting, 0);
  FImageIO->OnProgress = [this, &reached](int percent) {
    reached = percent;
    RaiseProgress(*this, TProgressStage::psRunning, percent);
  };
  try {
    FImageIO->LoadFromFile(Bits(), name);
  } catch (...) {
    // The ending stage comes however the load ends, so that a progress bar always closes.
    FImageIO->OnProgress = nullptr;
    RaiseProgress(*this, TProgressStage::psEnding, reached);
    throw;
  }
  FImageIO->OnProgress = nullptr;
  SetHeightWidth(Bits().Height(), Bits().Width());
  RaiseProgress(*this, TProgressStage::psEnding, 100);
}

void TVekImage::SaveToFile(const std::string& name) { FImageIO->SaveToFile(Bits(), name); }

void TVekImage::Rotate(int degrees) { FImageProc->Rotate(Bits(), degrees, true); }
