#pragma once
#include <functional>
#include <string>

// A fresh directory under /tmp, removed with everything in it when the object goes.
class TTempDir {
 public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::string& Path() const { return FPath; }
  std::string File(const std::string& name) const { return FPath + "/" + name; }

 private:
  std::string FPath;
};

// Runs `body` in a child process without root's privileges (as "nobody" when started as
// root), so that permission checks apply even in CI, and returns what `body` returned.
std::string RunUnprivileged(const std::function<std::string()>& body);
