#include "PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

// A temporary name in the target's folder, so that the rename stays on one file system.
std::string TemporaryTemplate(const std::string& fileName) {
  const std::size_t slash = fileName.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : fileName.substr(0, slash + 1);
  return folder + ".picture-XXXXXX";
}

// The mode a new file gets from the process's umask, as the rename replaces the old file.
mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
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
  std::string temporary = TemporaryTemplate(fileName);
  TDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.Get() < 0) throw EFCreateError(fileName, Reason(errno));
  const bool written = WriteAll(fd.Get(), bytes.data(), bytes.size()) && ::fchmod(fd.Get(), NewFileMode()) == 0 &&
                       ::fsync(fd.Get()) == 0;
  // The first failure is the one to report: a later close or unlink would overwrite errno.
  int error = written ? 0 : errno;
  if (!fd.Close() && error == 0) error = errno;
  if (error == 0 && ::rename(temporary.c_str(), fileName.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary.c_str());
    throw EWriteError("Cannot write file " + fileName + ": " + Reason(error));
  }
}
