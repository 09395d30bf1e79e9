#pragma once
#include <memory>
#include <string>

#include "framework/base/Types.h"

class TCanvas;
class TControl;
class TForm;
class TTimer;

// The hint of the control that the pointer rests on: a small yellow box drawn over its
// form once the pointer has stayed HintPauseMs on a control whose hint is to be shown.
class THintWindow {
 public:
  static constexpr int HintPauseMs = 500;
  static constexpr int PointerHeight = 20;  // the hint goes below the pointer

  explicit THintWindow(TForm& form);
  ~THintWindow();
  THintWindow(const THintWindow&) = delete;
  THintWindow& operator=(const THintWindow&) = delete;

  // The pointer moved to `at`, in the form's client coordinates.
  void PointerMoved(TPoint at);
  // Takes the hint away and waits for the pointer to move again.
  void Cancel();

  bool Showing() const { return !FArea.IsEmpty(); }
  const std::string& Text() const { return FText; }
  // Where the hint is, in the form's client coordinates.
  const TRect& Area() const { return FArea; }
  void Paint(TCanvas& canvas) const;

 private:
  void Show();
  void Hide();

  TForm& FForm;
  std::unique_ptr<TTimer> FTimer;
  TPoint FAt;
  TControl* FUnder = nullptr;
  std::string FText;
  TRect FArea;
};
