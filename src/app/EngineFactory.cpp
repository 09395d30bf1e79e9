#include "EngineFactory.h"

#include "SettingsLocation.h"
#include "engine/Quenbrel.h"

namespace {

std::string& EngineSettingsPath() {
  static std::string path;
  return path;
}

}  // namespace

TQuenbrel* NewEngine() {
  if (!EngineSettingsPath().empty()) return new TQuenbrel(EngineSettingsPath());
  const TSettingsLocation location = SettingsLocation();
  return new TQuenbrel(location.Path, location.DefaultsPath);
}

void SetEngineSettingsPath(std::string path) { EngineSettingsPath() = std::move(path); }
