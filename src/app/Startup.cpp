#include "Startup.h"

#include "CommandLine.h"
#include "Form1.h"
#include "Form2.h"
#include "Form3.h"
#include "ModeSelection.h"
#include "SaverScreens.h"
#include "framework/ui/Application.h"

int QuenbrelMain(const std::vector<std::string>& arguments, std::shared_ptr<TWindowSystem> windowSystem) {
  SetProgramArguments(arguments);
  const TMode mode = SelectMode();
  TApplication application(std::move(windowSystem));
  try {
    Application->Initialize();
    Application->Title = "zzQuenbrel I";
    switch (mode) {
      case TMode::Saver:
        Application->CreateForm(Form1);
        new TSaverScreens(Application, Form1);
        break;
      case TMode::Preview: Application->CreateForm(Form2); break;
      case TMode::Settings: Application->CreateForm(Form3); break;
      case TMode::None: Application->Terminate(); break;
    }
    Application->Run();
  } catch (const Exception& e) {
    Application->ShowException(e);
  }
  return 0;
}
