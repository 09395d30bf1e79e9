#include "idle/SaverProgram.h"

#include <signal.h>
#include <spawn.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace fs = std::filesystem;

namespace {

constexpr const char* kSaverName = "zzQuenbrel.scr";

bool Runnable(const fs::path& file) {
  std::error_code error;
  return fs::is_regular_file(file, error) && access(file.c_str(), X_OK) == 0;
}

}  // namespace

fs::path FindSaver(const fs::path& ownFolder, const std::string& searchPath, const fs::path& hackFolder) {
  if (Runnable(ownFolder / kSaverName)) return ownFolder / kSaverName;
  for (std::size_t start = 0, end; start <= searchPath.size(); start = end + 1) {
    end = std::min(searchPath.find(':', start), searchPath.size());
    // An empty entry means the current folder, which a program started by the session must not
    // depend on.
    const fs::path folder = searchPath.substr(start, end - start);
    if (folder.is_absolute() && Runnable(folder / kSaverName)) return folder / kSaverName;
  }
  if (Runnable(hackFolder / kSaverName)) return hackFolder / kSaverName;
  return {};
}

fs::path OwnProgram() {
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error);
}

pid_t StartSaver(const fs::path& saver) {
  // The saver gets the signals this program blocked to read them itself back as they were.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  const std::string program = saver.string();
  char* const arguments[] = {const_cast<char*>(program.c_str()), const_cast<char*>("/s"), nullptr};
  pid_t pid = -1;
  const int error = posix_spawn(&pid, program.c_str(), nullptr, &attributes, arguments, environ);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
  return pid;
}
