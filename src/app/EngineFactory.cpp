#include "EngineFactory.h"

#include "SettingsLocation.h"
#include "engine/Quenbrel.h"

namespace {

std::string& SettingsPath() {
  static std::string path;
  return path;
}

}  // namespace

TQuenbrel* NewEngine() {
  if (!SettingsPath().empty()) return new TQuenbrel(SettingsPath());
  const TSettingsLocation location = SettingsLocation();
  return new TQuenbrel(location.Path, location.DefaultsPath);
}

void SetEngineSettingsPath(std::string path) { SettingsPath() = std::move(path); }
