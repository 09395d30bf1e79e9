#pragma once
#include <string>

class TQuenbrel;

// The windows make their effect engines here. Their settings file is where SettingsLocation
// says, unless another path was given (tests keep it in a directory of their own).
TQuenbrel* NewEngine();
void SetEngineSettingsPath(std::string path);
