#pragma once
#include <string>
#include <vector>

// The program's arguments as the runtime hands them out: argument 0 is the program's path,
// ParamCount excludes it, and an argument that was not given reads as "".
void SetProgramArguments(std::vector<std::string> arguments);
int ParamCount();
std::string ParamStr(int index);

// Splits a command-line text into arguments: blanks and control characters (codes 1 to 32)
// separate them; a double quote opens a run, ended by the next one, in which blanks belong
// to the argument; the quotes themselves are dropped.
std::vector<std::string> SplitCommandLine(const std::string& text);
