#include "PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "framework/base/Exceptions.h"
#include "framework/base/WholeFile.h"

namespace {

// Fills `count` bytes from the descriptor, or says why it could not.
void ReadAll(int fd, std::uint8_t* data, std::size_t count, const std::string& fileName) {
  while (count > 0) {
    const ssize_t n = ::read(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EFOpenError(fileName, SystemReason(errno));
    if (n == 0) throw EFOpenError(fileName, "the file became shorter while it was read");
    data += n;
    count -= static_cast<std::size_t>(n);
  }
}

// A file opened for reading; anything but a regular file is refused, and opening does not wait
// for a writer, as it would at a FIFO.
TDescriptor OpenForReading(const std::string& fileName, struct stat& st) {
  TDescriptor fd(::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (fd.Get() < 0 || ::fstat(fd.Get(), &st) != 0) throw EFOpenError(fileName, SystemReason(errno));
  if (S_ISDIR(st.st_mode)) throw EFOpenError(fileName, SystemReason(EISDIR));
  if (!S_ISREG(st.st_mode)) throw EFOpenError(fileName, "not a regular file");
  return fd;
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
