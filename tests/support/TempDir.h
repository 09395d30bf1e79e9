#pragma once
#include <functional>
#include <optional>
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

// Runs `body` in a child process that sees an empty ext4 file system of 4 MB (with a journal, as ext4 has by default)
// mounted on `folder` (in a mount namespace of its own, so that the mount and its loop device end with the child), and
// returns what `body` returned; nothing where the test's user may not mount or no loop device is to be had.
std::optional<std::string> RunOnOwnExt4(const std::string& folder, const std::function<std::string()>& body);
// Fills the file system that holds `folder` to its last block.
void FillDisk(const std::string& folder);
