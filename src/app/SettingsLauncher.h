#pragma once

// Makes the settings dialog the main form (mode 2 of the start-up).
void CreateSettingsForm();
