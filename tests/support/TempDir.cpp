#include "TempDir.h"

#include <filesystem>
#include <stdexcept>
#include <vector>

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

std::string RunUnprivileged(const std::function<std::string()>& body) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    const uid_t nobody = 65534;
    if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) _exit(3);
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
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("unprivileged child failed");
  return result;
}
