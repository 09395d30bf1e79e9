#include "TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <vector>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

TTempDir::TTempDir() {
  std::string pattern = "/tmp/quenbrel-test-XXXXXX";
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  FPath = pattern;
  chmod(FPath.c_str(), 0777);  // reachable by the unprivileged child too
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::permissions(FPath, std::filesystem::perms::all, ignored);
  std::filesystem::remove_all(FPath, ignored);
}

namespace {

// Runs `prepare` and then `body` in a child process and returns what `body` returned, with
// the child's exit code: `prepare` ends the child with a code of its own when it cannot.
std::string RunInChild(const std::function<void()>& prepare, const std::function<std::string()>& body, int& exitCode) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    prepare();
    const std::string result = body();
    const bool written = write(fds[1], result.data(), result.size()) == static_cast<ssize_t>(result.size());
    _exit(written ? 0 : 4);
  }
  close(fds[1]);
  std::string result;
  std::vector<char> buffer(4096);
  for (ssize_t n; (n = read(fds[0], buffer.data(), buffer.size())) > 0;)
    result.append(buffer.data(), static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

constexpr int CannotMount = 2;

}  // namespace

std::string RunUnprivileged(const std::function<std::string()>& body) {
  int exitCode = 0;
  const std::string result = RunInChild(
      [] {
        const uid_t nobody = 65534;
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(3);
      },
      body, exitCode);
  if (exitCode != 0) throw std::runtime_error("unprivileged child failed");
  return result;
}

std::optional<std::string> RunOnOwnExt4(const std::string& folder, const std::function<std::string()>& body) {
  if (geteuid() != 0 || access("/dev/loop-control", R_OK | W_OK) != 0) return std::nullopt;
  TTempDir imageDir;
  const std::string image = imageDir.File("ext4.img");
  const std::string make = "truncate -s 4M " + image + " && mkfs.ext4 -q -F " + image + " >/dev/null 2>&1";
  if (std::system(make.c_str()) != 0) return std::nullopt;
  int exitCode = 0;
  const std::string result = RunInChild(
      [&] {
        // The mount is the child's alone: it ends with the child, whatever ends the child.
        if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
          _exit(CannotMount);
        const std::string mountIt = "mount -o loop " + image + " " + folder + " >/dev/null 2>&1";
        if (std::system(mountIt.c_str()) != 0) _exit(CannotMount);
        chmod(folder.c_str(), 0777);
      },
      body, exitCode);
  if (exitCode == CannotMount) return std::nullopt;
  if (exitCode != 0) throw std::runtime_error("child on its own ext4 failed");
  return result;
}

void FillDisk(const std::string& folder) {
  const int fd = open((folder + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) throw std::runtime_error("cannot make the filler file");
  const std::vector<char> block(4096, 'x');
  for (std::size_t size = block.size(); size > 0; size /= 2)
    while (write(fd, block.data(), size) == static_cast<ssize_t>(size)) {
    }
  fsync(fd);
  close(fd);
}
