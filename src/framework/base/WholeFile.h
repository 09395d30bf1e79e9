#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <utility>

// Closes a descriptor when it goes out of scope.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : FFd(fd) {}
  ~TDescriptor();
  TDescriptor(TDescriptor&& other) noexcept : FFd(std::exchange(other.FFd, -1)) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return FFd; }
  // Closes now, reporting whether the last writes reached the file.
  bool Close();

 private:
  int FFd;
};

// What the system says about an error number: "No such file or directory".
std::string SystemReason(int error);

// The name of the file a name stands for, once symbolic links are followed; raises
// EFCreateError on a loop of links.
std::string FollowLinks(const std::string& fileName);

// Writes all or nothing: the bytes go to a new file beside the target, which then replaces
// it in one rename, with the old file's permissions and, where the process may set them, its
// owner and group. A symbolic link is followed, and its target replaced. A file of several
// names (hard links) is written in place instead, so that every name shows the new bytes.
// Raises EFCreateError when no file can be created there (the folder that cannot take the
// new file is named), the target is not a regular file or not writable by the process, and EWriteError when the bytes
// do not all reach the disk; the target is then as it was (written in place, after a failure past the claim of room for
// it, it may be damaged). The signals that end a program wait until the old file or the new one is whole.
void WriteWholeFile(const std::string& fileName, std::span<const std::uint8_t> bytes);
