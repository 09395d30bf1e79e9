#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>

// Where the saver is: beside this program first (so that a build folder works as it is), then
// on PATH, then in the folder the package installs it in. Empty when none holds it.
std::filesystem::path FindSaver(const std::filesystem::path& ownFolder, const std::string& searchPath,
                                const std::filesystem::path& hackFolder);

// The running program's file.
std::filesystem::path OwnProgram();

// Starts the saver in saver mode; its id. Throws std::runtime_error when it cannot start.
pid_t StartSaver(const std::filesystem::path& saver);
