#pragma once
#include <string>

// One watcher per session: a lock on a file in the user's runtime folder, named after the
// session's display, held for as long as the program runs.
class TSessionLock {
 public:
  // Throws std::runtime_error when another watcher holds the lock or it cannot be taken.
  explicit TSessionLock(const std::string& path);
  ~TSessionLock();
  TSessionLock(const TSessionLock&) = delete;
  TSessionLock& operator=(const TSessionLock&) = delete;

 private:
  int FDescriptor;
};

// The lock's file for this session, from XDG_RUNTIME_DIR (or the temporary folder) and the
// display the session shows on.
std::string SessionLockPath();
