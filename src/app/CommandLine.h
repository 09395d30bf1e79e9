#pragma once
#include <string>
#include <vector>

// The program's arguments as the runtime hands them out: argument 0 is the program's path,
// ParamCount excludes it, and an argument that was not given reads as "".
void SetProgramArguments(std::vector<std::string> arguments);
int ParamCount();
std::string ParamStr(int index);
// All of them, argument 0 first.
const std::vector<std::string>& ProgramArguments();
