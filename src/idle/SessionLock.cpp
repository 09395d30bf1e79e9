#include "idle/SessionLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

TSessionLock::TSessionLock(const std::string& path)
    : FDescriptor(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
  if (FDescriptor < 0) throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
  if (flock(FDescriptor, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(FDescriptor);
    throw std::runtime_error(error == EWOULDBLOCK ? "another zzQuenbrel-idle already runs in this session"
                                                  : "cannot lock " + path + ": " + std::strerror(error));
  }
}

TSessionLock::~TSessionLock() { close(FDescriptor); }

std::string SessionLockPath() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  // Without a runtime folder the shared temporary one, the user's id in the name.
  const std::string prefix = runtime && runtime[0] == '/' ? std::string(runtime) + "/zzQuenbrel-idle-"
                                                          : "/tmp/zzQuenbrel-idle-" + std::to_string(getuid()) + "-";
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  const char* x11 = std::getenv("DISPLAY");
  std::string display = wayland && *wayland ? wayland : x11 && *x11 ? x11 : "session";
  // A display name may be a path: only its last part names the file.
  display = display.substr(display.find_last_of('/') + 1);
  return prefix + display + ".lock";
}
