#include "Form2.h"

#include <cstdio>
#include <cstdlib>

#include "CommandLine.h"
#include "EngineFactory.h"
#include "HostRequest.h"
#include "engine/Quenbrel.h"
#include "framework/base/Handler.h"
#include "framework/ui/core/Application.h"
#include "framework/ui/core/Timer.h"

TForm2* Form2 = nullptr;

TForm2::TForm2(TComponent* owner) : TForm(owner) { CreateControls(); }

TForm2::~TForm2() {
  if (Form2 == this) Form2 = nullptr;
}

void TForm2::FormCreate(TComponent*) {
  // A preview that cannot attach to its host ends the program once the error has been
  // shown: it would otherwise stand as a loose window, or animate an engine it lacks.
  try {
    AttachToHost();
  } catch (const Exception&) {
    GiveUp();
    throw;
  }
}

namespace {

std::string HexId(TWindowHandle window) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(window));
  return text;
}

}  // namespace

TWindowHandle TForm2::HostWindow() {
  const THostRequest request = ReadHostRequest(ProgramArguments(), std::getenv("XSCREENSAVER_WINDOW"));
  if (request.Source == THostRequest::TSource::Classic) return static_cast<std::uint32_t>(StrToInt(ParamStr(2)));
  const TWindowHandle host =
      request.Source == THostRequest::TSource::Desktop ? System().DesktopWindow() : request.Window;
  // A host that named a window that is not there learns it here, before anything is made.
  TSize size;
  if (!System().WindowSize(host, size)) throw EHostError("there is no window " + HexId(host) + " to draw into");
  return host;
}

void TForm2::AttachToHost() {
  const TWindowHandle host = HostWindow();
  Engine = NewEngine();
  Engine->Target = Image1;
  Engine->LoadSettings();
  SetParentWindow(host);
  WindowProc = Handler(this, &TForm2::PreviewWndProc);
  TSize size;
  // A handle of 0, or one that names no window, gives nothing to draw into.
  if (!System().WindowSize(host, size)) {
    GiveUp();
    return;
  }
  // Both sides at once: one resize, so the engine draws its pattern once.
  SetBounds(Left(), Top(), size.cx, size.cy);
}

void TForm2::GiveUp() {
  Timer1->SetEnabled(false);
  Application->Terminate();
}

void TForm2::PreviewWndProc(const TWsEvent& Message) {
  if (Message.Kind == TEventKind::SysCommand) Close();
  else DefaultWndProc(Message);
}

void TForm2::FormShow(TComponent*) { System().HideTaskbarWindow(); }

void TForm2::FormResize(TComponent*) { Engine->Resize(); }

void TForm2::Timer1Timer(TComponent*) { Engine->NextFrame(); }

void TForm2::FormDestroy(TComponent*) {
  delete Engine;
  Engine = nullptr;
}
