#include "PictureFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "framework/base/Stream.h"

namespace {

// Closes a descriptor when it goes out of scope.
class TDescriptor {
 public:
  explicit TDescriptor(int fd) : FFd(fd) {}
  ~TDescriptor() {
    if (FFd >= 0) ::close(FFd);
  }
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

bool WriteAll(int fd, const std::uint8_t* data, std::size_t count) {
  while (count > 0) {
    const ssize_t n = ::write(fd, data, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    count -= static_cast<std::size_t>(n);
  }
  return true;
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
  TFileStream file(fileName, TFileStream::Mode::OpenRead);
  const auto size = static_cast<std::size_t>(file.Size());
  if (size > maxBytes) throw EImageFormat("the file is larger than allowed");
  TBytes bytes(size);
  if (file.Read(bytes.data(), size) != size) throw EFOpenError(fileName);
  return bytes;
}

void WritePictureFile(const std::string& fileName, const TBytes& bytes) {
  std::string temporary = TemporaryTemplate(fileName);
  TDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
  if (fd.Get() < 0) throw EFCreateError(fileName);
  const bool written = WriteAll(fd.Get(), bytes.data(), bytes.size()) && ::fchmod(fd.Get(), NewFileMode()) == 0 &&
                       ::fsync(fd.Get()) == 0;
  if (!fd.Close() || !written || ::rename(temporary.c_str(), fileName.c_str()) != 0) {
    ::unlink(temporary.c_str());
    throw EWriteError("Cannot write file " + fileName);
  }
}
