#pragma once
#include <filesystem>
#include <string>

// The XDG autostart entry that starts the idle watcher with the user's session, in the user's
// config folder: $XDG_CONFIG_HOME/autostart, ~/.config/autostart by default.
std::filesystem::path AutostartEntryPath();

// The entry's text: it runs `program` (an absolute path) with the idle time.
std::string AutostartEntry(const std::filesystem::path& program, unsigned seconds);

// Write and remove the entry; both throw std::runtime_error saying what failed. Writing
// replaces an entry as a whole, so that a session starting meanwhile never reads half of one.
void EnableAutostart(const std::filesystem::path& program, unsigned seconds);
// True when there was an entry to remove.
bool DisableAutostart();
