#include "SettingsLauncher.h"

#include "Form3.h"
#include "framework/Application.h"

void CreateSettingsForm() { Application->CreateForm(Form3); }
