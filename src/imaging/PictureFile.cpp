#include "PictureFile.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <system_error>
#include <utility>

#include "framework/base/Exceptions.h"

namespace {

// Closes a descriptor when it goes out of scope.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : FFd(fd) {}
  ~TDescriptor() {
    if (FFd >= 0) ::close(FFd);
  }
  TDescriptor(TDescriptor&& other) noexcept : FFd(std::exchange(other.FFd, -1)) {}
  TDescriptor(const TDescriptor&) = delete;
  TDescriptor& operator=(const TDescriptor&) = delete;
  int Get() const { return FFd; }
  // Closes now, reporting whether the last writes reached the file.
  bool Close() {
    const int fd = FFd;
    FFd = -1;
    return ::close(fd) == 0;
  }

 private:
  int FFd;
};

// What the system says about an error number: "No such file or directory".
std::string Reason(int error) { return std::system_category().message(error); }

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

// Fills `count` bytes from the descriptor, or says why it could not.
void ReadAll(int fd, std::uint8_t* data, std::size_t count, const std::string& fileName) {
  while (count > 0) {
    const ssize_t n = ::read(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EFOpenError(fileName, Reason(errno));
    if (n == 0) throw EFOpenError(fileName, "the file became shorter while it was read");
    data += n;
    count -= static_cast<std::size_t>(n);
  }
}

// A file opened for reading; anything but a regular file is refused, and opening does not wait
// for a writer, as it would at a FIFO.
TDescriptor OpenForReading(const std::string& fileName, struct stat& st) {
  TDescriptor fd(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) throw EFOpenError(fileName, Reason(errno));
  if (S_ISDIR(st.st_mode)) throw EFOpenError(fileName, Reason(EISDIR));
  if (!S_ISREG(st.st_mode)) throw EFOpenError(fileName, "not a regular file");
  return fd;
}

// The folder part of a file name, with its slash ("" for a name without one).
std::string FolderOf(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  return slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
}

// The name of the file a name stands for, once symbolic links are followed: a picture saved
// through a link goes to the link's target, and the link stays.
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
  throw EFCreateError(fileName, Reason(ELOOP));
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
  if (::fchown(fd, old->st_uid, old->st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old->st_gid);
  return ::fchmod(fd, old->st_mode & 0777) == 0;
}

// Holds back, while it lives, the signals that end a program, so that one arriving while a
// picture is written ends the program only once the temporary file is renamed or removed and
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
  throw EWriteError("Cannot write file " + fileName + ": " + Reason(error));
}

// All or nothing: the bytes go to a new file beside the target, which then takes the target's
// place in one rename.
void ReplaceFile(const std::string& fileName, const std::string& target, const struct stat* old, const TBytes& bytes) {
  // In the target's folder, so that the rename stays on one file system.
  std::string temporary = FolderOf(target) + ".picture-XXXXXX";
  TDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.Get() < 0) throw EFCreateError(fileName, Reason(errno));
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
void OverwriteFile(const std::string& fileName, const std::string& target, const TBytes& bytes) {
  TDescriptor fd(::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
  struct stat st {};
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) throw EFCreateError(fileName, Reason(errno));
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

TBytes ReadPictureFile(const std::string& fileName, std::size_t maxBytes) {
  struct stat st {};
  TDescriptor fd = OpenForReading(fileName, st);
  const auto size = static_cast<std::size_t>(st.st_size);
  if (size > maxBytes) throw EImageFormat("the file is larger than allowed");
  TBytes bytes(size);
  ReadAll(fd.Get(), bytes.data(), size, fileName);
  return bytes;
}

void WritePictureFile(const std::string& fileName, const TBytes& bytes) {
  const TEndingSignalsHeld held;
  const std::string target = FollowLinks(fileName);
  struct stat st {};
  if (::stat(target.c_str(), &st) != 0) return ReplaceFile(fileName, target, nullptr, bytes);
  // A device, a FIFO or a socket is no place for a picture, and must not become a file.
  if (S_ISDIR(st.st_mode)) throw EFCreateError(fileName, Reason(EISDIR));
  if (!S_ISREG(st.st_mode)) throw EFCreateError(fileName, "not a regular file");
  if (st.st_nlink > 1) return OverwriteFile(fileName, target, bytes);
  ReplaceFile(fileName, target, &st, bytes);
}
