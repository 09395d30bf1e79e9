#include "SettingsLauncher.h"

TForm3* Form3 = nullptr;
TAboutF* AboutF = nullptr;

// HOOK: the settings dialog plugs in here, as `Application->CreateForm(Form3);`. Until it
// does, the settings request shows nothing and the program ends as after an unknown switch.
void CreateSettingsForm() {}
