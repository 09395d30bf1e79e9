#include "EngineFactory.h"

#include "engine/Quenbrel.h"

namespace {

std::string& SettingsPath() {
  static std::string path;
  return path;
}

}  // namespace

TQuenbrel* NewEngine() { return SettingsPath().empty() ? new TQuenbrel : new TQuenbrel(SettingsPath()); }

void SetEngineSettingsPath(std::string path) { SettingsPath() = std::move(path); }
