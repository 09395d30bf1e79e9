#include "WholeFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <system_error>

#include "Exceptions.h"

TDescriptor::~TDescriptor() {
  if (FFd >= 0) ::close(FFd);
}

bool TDescriptor::Close() {
  const int fd = std::exchange(FFd, -1);
  return ::close(fd) == 0;
}

std::string SystemReason(int error) { return std::system_category().message(error); }

namespace {

// False with errno set when not every byte was written.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;
    if (n <= 0) return false;
    data += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
}

// The folder part of a file name, with its slash ("" for a name without one).
std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

// The mode a new file gets from the process's umask, as the rename replaces the old file.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Gives a new file the permissions of the one it replaces and, where the process may, its
// owner and group: the owner first, as a change of owner clears some mode bits.
bool TakeOwnerAndMode(int fd, const struct stat* old) {
  if (!old) return ::fchmod(fd, NewFileMode()) == 0;
  if (::fchown(fd, old->st_uid, old->st_gid) != 0) {
    // Not allowed the old owner: the file stays the process's own, in the old group where the
    // process belongs to it; either way the file is saved.
    const int groupKept = ::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
    static_cast<void>(groupKept);
  }
  return ::fchmod(fd, old->st_mode & 0777) == 0;
}

// Holds back, while it lives, the signals that end a program, so that one arriving while a
// file is written ends the program only once the temporary file is renamed or removed and
// the old file is whole; SIGXFSZ is among them, as a write past the file-size limit raises it.
// Held on the calling thread, which in these programs is the only one; a program that reads
// them from a descriptor holds them already and loses nothing.
class TEndingSignalsHeld {
 public:
  TEndingSignalsHeld() {
    sigset_t ending;
    sigemptyset(&ending);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGXFSZ}) sigaddset(&ending, signal);
    pthread_sigmask(SIG_BLOCK, &ending, &FBefore);
  }
  ~TEndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &FBefore, nullptr); }
  TEndingSignalsHeld(const TEndingSignalsHeld&) = delete;
  TEndingSignalsHeld& operator=(const TEndingSignalsHeld&) = delete;

 private:
  sigset_t FBefore;
};

[[noreturn]] void FailWrite(const std::string& fileName, int error) {
  throw EWriteError("Cannot write file " + fileName + ": " + SystemReason(error));
}

// All or nothing: the bytes go to a new file beside the target, which then takes the target's
// place in one rename. The folder must take that new file even where the old one is writable:
// the message says it is the folder that refuses.
void ReplaceFile(const std::string& fileName, const std::string& target, const struct stat* old,
                 std::span<const std::uint8_t> bytes) {
  // In the target's folder, so that the rename stays on one file system.
  const std::string folder = FolderOf(target);
  std::string temporary = folder + ".new-XXXXXX";
  TDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.Get() < 0) {
    const std::string shown = folder.empty() ? std::string("the current folder") : "the folder " + folder;
    throw EFCreateError(fileName, shown + " cannot take a new file: " + SystemReason(errno));
  }
  const bool written =
      WriteAll(fd.Get(), bytes.data(), bytes.size()) && TakeOwnerAndMode(fd.Get(), old) && ::fsync(fd.Get()) == 0;
  // The first failure is the one to report: a later close or unlink would overwrite errno.
  int error = written ? 0 : errno;
  if (!fd.Close() && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    FailWrite(fileName, error);
  }
}

// A file of several names is written where it is, so that every name keeps showing it. The
// room is claimed first, where the file system can, so that a full disk is found before the
// first old byte is overwritten.
void OverwriteFile(const std::string& fileName, const std::string& target, std::span<const std::uint8_t> bytes) {
  TDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
  struct stat st {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) throw EFCreateError(fileName, SystemReason(errno));
  if (!S_ISREG(st.st_mode)) throw EFCreateError(fileName, "not a regular file");
  const auto size = static_cast<off_t>(bytes.size());
  if (size > 0 && ::fallocate(fd.Get(), FALLOC_FL_KEEP_SIZE, 0, size) != 0 &&
      (errno == ENOSPC || errno == EDQUOT || errno == EFBIG))
    FailWrite(fileName, errno);
  if (!WriteAll(fd.Get(), bytes.data(), bytes.size()) || ::ftruncate(fd.Get(), size) != 0 || ::fsync(fd.Get()) != 0 ||
      !fd.Close())
    FailWrite(fileName, errno);
}

}  // namespace

// A file saved through a link goes to the link's target, and the link stays.
std::string FollowLinks(const std::string& fileName) {
  constexpr int MaxLinks = 40;  // as the system follows them
  std::string name = fileName;
  for (int hop = 0; hop < MaxLinks; ++hop) {
    struct stat st {};
    if (::lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1, '\0');
    const ssize_t length = ::readlink(name.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) return name;
    target.resize(static_cast<std::size_t>(length));
    name = target.starts_with('/') ? target : FolderOf(name) + target;
  }
  throw EFCreateError(fileName, SystemReason(ELOOP));
}

void WriteWholeFile(const std::string& fileName, std::span<const std::uint8_t> bytes) {
  const TEndingSignalsHeld held;
  const std::string target = FollowLinks(fileName);
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return ReplaceFile(fileName, target, nullptr, bytes);
  // A device, a FIFO or a socket is no place for a file of ours, and must not become one.
  if (S_ISDIR(st.st_mode)) throw EFCreateError(fileName, SystemReason(EISDIR));
  if (!S_ISREG(st.st_mode)) throw EFCreateError(fileName, "not a regular file");
  // A file its user may not write is not replaced either, though its folder would allow it.
  if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) throw EFCreateError(fileName, SystemReason(errno));
  if (st.st_nlink > 1) return OverwriteFile(fileName, target, bytes);
  ReplaceFile(fileName, target, &st, bytes);
}
