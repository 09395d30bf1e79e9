#pragma once

class TForm3;
class TAboutF;

// The settings dialog and its about box, once they exist; null until then.
extern TForm3* Form3;
extern TAboutF* AboutF;

// Makes the settings dialog the main form (mode 2 of the start-up).
void CreateSettingsForm();
