#include "Stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "Exceptions.h"
#include "WholeFile.h"

std::int64_t TStream::Size() {
  const std::int64_t here = Position();
  const std::int64_t end = Seek(0, SEEK_END_ORIGIN);
  Seek(here, SEEK_SET_ORIGIN);
  return end;
}

namespace {

// Why the open file is no file to read from, or "" when it is one.
std::string NotAFile(int fd) {
  struct stat st {};
  if (fstat(fd, &st) != 0) return SystemReason(errno);
  if (S_ISDIR(st.st_mode)) return SystemReason(EISDIR);
  return S_ISREG(st.st_mode) ? "" : "not a regular file";
}

}  // namespace

// Opening never waits: without O_NONBLOCK a FIFO in a file's place would block open() until
// another process opened its other end. Reading wants a file, nothing else.
TFileStream::TFileStream(const std::string& fileName, Mode mode) {
  if (mode == Mode::OpenRead) {
    FHandle = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (FHandle < 0) throw EFOpenError(fileName, SystemReason(errno));
    if (const std::string reason = NotAFile(FHandle); !reason.empty()) {
      ::close(FHandle);
      FHandle = -1;
      throw EFOpenError(fileName, reason);
    }
  } else {
    FHandle = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NONBLOCK | O_CLOEXEC, 0644);
    if (FHandle < 0) throw EFCreateError(fileName, SystemReason(errno));
  }
}

TFileStream::~TFileStream() {
  if (FHandle >= 0) ::close(FHandle);
}

std::size_t TFileStream::Read(void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::read(FHandle, static_cast<char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::size_t TFileStream::Write(const void* buffer, std::size_t count) {
  std::size_t done = 0;
  while (done < count) {
    const ssize_t n = ::write(FHandle, static_cast<const char*>(buffer) + done, count - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

std::int64_t TFileStream::Seek(std::int64_t offset, int origin) {
  const int whence = origin == SEEK_SET_ORIGIN ? SEEK_SET : origin == SEEK_CUR_ORIGIN ? SEEK_CUR : SEEK_END;
  return ::lseek(FHandle, offset, whence);
}

bool FileExists(const std::string& fileName) {
  struct stat st {};
  return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ForceDirectories(const std::string& folder) {
  for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string prefix = folder.substr(0, end);
    if (!prefix.empty() && ::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) return false;
    if (end == std::string::npos) break;
  }
  struct stat st {};
  return ::stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}
