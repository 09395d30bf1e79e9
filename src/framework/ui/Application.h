#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/base/Component.h"
#include "framework/base/Exceptions.h"
#include "framework/platform/WindowSystem.h"

class TForm;
class TScreen;
class TTimer;

// The program's one application object: it owns the forms made with CreateForm, runs the
// message loop on one thread and shows failures in the standard exception box. Making one
// sets the globals `Application` and `Screen`; a test makes a fresh one per case.
class TApplication : public TComponent {
 public:
  explicit TApplication(std::shared_ptr<TWindowSystem> windowSystem = nullptr);
  ~TApplication() override;

  // Chosen once: X11 by the program, the headless backend by tests.
  TWindowSystem& WindowSystem() const;
  bool HasWindowSystem() const { return FWindowSystem != nullptr; }

  void Initialize() {}
  std::string Title;

  // Makes a form owned by the application and stores it in `reference` before its
  // creation handler runs; the first form made is the main form.
  template <class T>
  void CreateForm(T*& reference);
  TForm* MainForm() const { return FMainForm; }

  // Shows the main form and handles messages until Terminate. Returns at once without a
  // main form or when termination was asked for already (nothing is shown then).
  void Run();
  void Terminate() { FTerminated = true; }
  bool Terminated() const { return FTerminated; }
  // Handles one message, or paints, or fires one due timer; waits when there is nothing.
  // A window's new size waits until the next message of another kind (other than painting)
  // or until none is left, and only the latest one waiting per window is handled: a burst
  // of resizes lays out and draws each window once.
  void HandleMessage();
  // Handles what is pending without waiting.
  void ProcessMessages();
  // The nested loop of a modal form: shows it with the other forms disabled and handles
  // messages until its modal result is set and OnClose lets it go; hides it and returns that.
  int ShowModal(TForm& form);

  // The standard exception box: the message, with a full stop added where it lacks one,
  // under the application's title, with an error icon and an OK button. Every text shown
  // is kept in ShownMessages.
  void ShowException(const Exception& e);
  // What the framework does with a failure it caught: OnException when assigned, else the box.
  void HandleException(const Exception& e);
  std::function<void(const Exception&)> OnException;
  std::vector<std::string> ShownMessages;
  // Calls a handler; a failure of the framework's kind is handled and reported as false.
  template <class F>
  bool CallHandler(F&& handler);

  // --- For the framework's own classes ---
  const std::vector<TForm*>& Forms() const { return FForms; }
  void AddForm(TForm* form);
  void RemoveForm(TForm* form);
  void AddTimer(TTimer* timer);
  void RemoveTimer(TTimer* timer);
  // Application-wide notifications (activation changes, screens that come and go).
  using TListener = std::function<void(TEventKind)>;
  int AddListener(TListener listener);
  void RemoveListener(int id);
  // Frees a form at the next turn of the loop, once its handlers have returned.
  void Release(TForm* form);

 private:
  void Dispatch(const TWsEvent& event);
  // Disables the visible forms other than `except` and returns them, for EnableForms.
  std::vector<TForm*> DisableForms(const TForm* except);
  // Enables those of `forms` that still exist; the newest of them gets the keyboard.
  void EnableForms(const std::vector<TForm*>& forms);
  void DispatchToForm(const TWsEvent& event);
  void HoldResize(const TWsEvent& resize);
  void DispatchHeldResizes();
  void CloseForSignal();
  void Notify(TEventKind kind);
  void PaintPending();
  bool FireDueTimer();
  std::int64_t NextTimerDue() const;
  void FreeReleased();

  std::shared_ptr<TWindowSystem> FWindowSystem;
  std::unique_ptr<TScreen> FScreen;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  std::vector<TForm*> FForms;
  std::vector<TForm*> FReleased;
  std::vector<TTimer*> FTimers;
  // The latest size per window that waits to be handled, in the order the windows changed.
  std::vector<TWsEvent> FHeldResizes;
  std::vector<std::pair<int, TListener>> FListeners;
  int FLastListener = 0;
};

extern TApplication* Application;

template <class T>
void TApplication::CreateForm(T*& reference) {
  T* form = new T(this);
  reference = form;
  form->AfterConstruction();
  if (!FMainForm) FMainForm = form;
}

template <class F>
bool TApplication::CallHandler(F&& handler) {
  try {
    handler();
    return true;
  } catch (const Exception& e) {
    HandleException(e);
    return false;
  }
}
