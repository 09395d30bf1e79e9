#include "EffectStart.h"

#include <chrono>
#include <memory>

#include "components/VekImage.h"
#include "engine/Quenbrel.h"
#include "framework/platform/x11/X11WindowSystem.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Form.h"

double EffectStartMs() {
  TApplication app(std::make_shared<TX11WindowSystem>());
  auto* form = new TForm(&app);
  form->BorderStyle = TBorderStyle::bsNone;
  form->WindowState = TWindowState::wsMaximized;
  auto* image = new TVekImage(form);
  image->SetParent(form);
  image->SetAlign(TAlign::alClient);
  form->Show();
  app.ProcessMessages();
  TQuenbrel engine("/nonexistent/zzQuenbrel.ini");
  engine.Target = image;
  engine.LoadSettings();
  const auto start = std::chrono::steady_clock::now();
  engine.Resize();
  engine.NextFrame();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
