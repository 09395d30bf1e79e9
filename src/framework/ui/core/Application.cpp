#include "Application.h"

#include <algorithm>
#include <iostream>
#include <utility>

#include "Form.h"
#include "Screen.h"
#include "Timer.h"
#include "framework/base/ScopeExit.h"

TApplication* Application = nullptr;

std::string WithFullStop(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + '.';
  return message;
}

TApplication::TApplication(std::shared_ptr<TWindowSystem> windowSystem)
    : TComponent(nullptr), FWindowSystem(std::move(windowSystem)), FScreen(std::make_unique<TScreen>()) {
  Application = this;
  Screen = FScreen.get();
}

TApplication::~TApplication() {
  // The owned forms go first (their destruction handlers run) while everything they use
  // is still there.
  DestroyComponents();
  FreeReleased();
  if (Screen == FScreen.get()) Screen = nullptr;
  if (Application == this) Application = nullptr;
}

TWindowSystem& TApplication::WindowSystem() const {
  if (!FWindowSystem) throw std::logic_error("the application has no window system");
  return *FWindowSystem;
}

void TApplication::Run() {
  if (!FMainForm || FTerminated) return;
  FMainForm->Show();
  while (!FTerminated) HandleMessage();
}

void TApplication::HandleMessage() {
  FreeReleased();
  TWindowSystem& system = WindowSystem();
  TWsEvent event;
  // Input first; painting and timers only when none is waiting, so ticks never starve it.
  if (system.NextEvent(event)) {
    CallHandler([&] { Dispatch(event); });
    return;
  }
  DispatchHeldResizes();
  PaintPending();
  if (FireDueTimer()) return;
  system.WaitForEvent(NextTimerDue());
}

void TApplication::ProcessMessages() {
  FreeReleased();
  TWindowSystem& system = WindowSystem();
  TWsEvent event;
  while (system.NextEvent(event)) CallHandler([&] { Dispatch(event); });
  DispatchHeldResizes();
  PaintPending();
  while (FireDueTimer()) {
  }
}

int TApplication::ShowModal(TForm& form) {
  form.AfterConstruction();
  if (form.Visible() || form.FModal) throw Exception("Cannot make a visible window modal");
  const std::vector<TForm*> disabled = DisableForms(&form);
  form.FModal = true;
  form.FModalResult = mrNone;
  TScopeExit restore{[&] {
    // The owner takes the keyboard back before the modal window goes: hidden with the focus,
    // it would leave the window manager to choose, maybe another program's window.
    EnableForms(disabled);
    form.Hide();
    form.FModal = false;
  }};
  form.Show();
  for (;;) {
    HandleMessage();
    if (form.FModalResult == mrNone) continue;
    TCloseAction action = TCloseAction::caHide;
    if (form.CloseQuery(action)) return form.FModalResult;
    form.FModalResult = mrNone;
  }
}

void TApplication::Dispatch(const TWsEvent& event) {
  if (event.Kind == TEventKind::Resized) {
    HoldResize(event);
    return;
  }
  // Input refers to the windows as they are now. Painting need not wait: a resize repaints
  // its whole window anyway.
  if (event.Kind != TEventKind::Expose) DispatchHeldResizes();
  switch (event.Kind) {
    case TEventKind::Activated:
    case TEventKind::Deactivated:
    case TEventKind::ScreensChanged: Notify(event.Kind); return;
    case TEventKind::Terminate: CloseForSignal(); return;
    case TEventKind::ScreenResized: {
      // A copy: a form may go while it handles the news.
      const std::vector<TForm*> forms = FForms;
      for (TForm* form : forms)
        if (std::find(FForms.begin(), FForms.end(), form) != FForms.end()) form->WindowProc(event);
      return;
    }
    default: DispatchToForm(event); return;
  }
}

void TApplication::HoldResize(const TWsEvent& resize) {
  const auto held = std::find_if(FHeldResizes.begin(), FHeldResizes.end(),
                                 [&](const TWsEvent& e) { return e.Window == resize.Window; });
  if (held != FHeldResizes.end()) *held = resize;
  else FHeldResizes.push_back(resize);
}

void TApplication::DispatchHeldResizes() {
  // Taken first: a handler may run a nested loop that comes back here.
  const std::vector<TWsEvent> held = std::exchange(FHeldResizes, {});
  for (const TWsEvent& resize : held) CallHandler([&] { DispatchToForm(resize); });
}

void TApplication::DispatchToForm(const TWsEvent& event) {
  for (TForm* form : FForms)
    if (form->HandleAllocated() && form->Handle() == event.Window) {
      form->WindowProc(event);
      return;
    }
}

void TApplication::CloseForSignal() {
  // A signal ends the program by the ordinary path: open modal boxes end, the main form
  // closes, and the destruction handlers run when the application goes.
  for (TForm* form : FForms)
    if (form->Modal()) form->SetModalResult(mrCancel);
  if (FMainForm) FMainForm->Close();
  Terminate();
}

void TApplication::Notify(TEventKind kind) {
  // A copy: a listener may remove itself or others.
  const auto listeners = FListeners;
  for (const auto& entry : listeners) CallHandler([&] { entry.second(kind); });
}

void TApplication::PaintPending() {
  for (TForm* form : FForms) form->UpdateWindow();
}

bool TApplication::FireDueTimer() {
  const std::int64_t now = WindowSystem().NowMs();
  TTimer* due = nullptr;
  for (TTimer* timer : FTimers)
    if (timer->Enabled() && timer->NextDue() <= now && (!due || timer->NextDue() < due->NextDue())) due = timer;
  if (!due) return false;
  CallHandler([&] { due->Tick(now); });
  return true;
}

std::int64_t TApplication::NextTimerDue() const {
  std::int64_t next = TWindowSystem::NoDeadline;
  for (const TTimer* timer : FTimers)
    if (timer->Enabled()) next = std::min(next, timer->NextDue());
  return next;
}

void TApplication::ShowException(const Exception& e) {
  const std::string text = WithFullStop(e.Message());
  ShownMessages.push_back(text);
  if (FWindowSystem && ExceptionBox) ExceptionBox(text);
  else std::cerr << Title << ": " << text << '\n';
}

void TApplication::HandleException(const Exception& e) {
  if (OnException) OnException(e);
  else ShowException(e);
}

void TApplication::AddForm(TForm* form) { FForms.push_back(form); }

void TApplication::RemoveForm(TForm* form) {
  std::erase(FForms, form);
  std::erase(FReleased, form);
  if (FMainForm == form) FMainForm = nullptr;
}

void TApplication::AddTimer(TTimer* timer) { FTimers.push_back(timer); }

void TApplication::RemoveTimer(TTimer* timer) { std::erase(FTimers, timer); }

int TApplication::AddListener(TListener listener) {
  FListeners.emplace_back(++FLastListener, std::move(listener));
  return FLastListener;
}

void TApplication::RemoveListener(int id) {
  std::erase_if(FListeners, [id](const auto& entry) { return entry.first == id; });
}

std::vector<TForm*> TApplication::DisableForms(const TForm* except) {
  std::vector<TForm*> disabled;
  for (TForm* form : FForms)
    if (form != except && form->Visible() && form->Enabled()) {
      form->SetEnabled(false);
      disabled.push_back(form);
    }
  return disabled;
}

void TApplication::EnableForms(const std::vector<TForm*>& forms) {
  TForm* newest = nullptr;
  for (TForm* form : forms)
    if (std::find(FForms.begin(), FForms.end(), form) != FForms.end()) {
      form->SetEnabled(true);
      newest = form;
    }
  // The newest of them had the keyboard before the modal window came; it takes it back even
  // where no window manager hands it over.
  if (newest && newest->HandleAllocated() && newest->Visible()) WindowSystem().SetFocus(newest->Handle());
}

void TApplication::Release(TForm* form) {
  if (std::find(FReleased.begin(), FReleased.end(), form) == FReleased.end()) FReleased.push_back(form);
}

void TApplication::FreeReleased() {
  while (!FReleased.empty()) {
    TForm* form = FReleased.back();
    FReleased.pop_back();
    form->Free();
  }
}
