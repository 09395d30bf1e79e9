// zzQuenbrel-add-to-xscreensaver: puts the saver into a user's list of xscreensaver hacks,
// once, so that nobody has to edit ~/.xscreensaver by hand.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/SettingsLocation.h"
#include "app/XScreensaverPrograms.h"

namespace {

constexpr const char* kTool = "zzQuenbrel-add-to-xscreensaver";

class EFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

[[noreturn]] void FailOn(const std::string& path, const std::string& what) {
  throw EFileError(path + ": " + what + ": " + std::strerror(errno));
}

std::string ReadSettings(const std::string& path) {
  const int file = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0 && errno == ENOENT)
    throw EFileError(path + " does not exist yet: xscreensaver-settings writes it, with its list of hacks, " +
                     "once any setting is changed there; do that, then run this again");
  if (file < 0) FailOn(path, "cannot open");
  struct stat status {};
  std::string text;
  // Checked before reading: a settings file is a few kilobytes.
  if (::fstat(file, &status) == 0 && static_cast<std::size_t>(status.st_size) <= kMaxXScreensaverFileBytes) {
    text.resize(static_cast<std::size_t>(status.st_size));
    const ssize_t got = ::read(file, text.data(), text.size());
    text.resize(got < 0 ? 0 : static_cast<std::size_t>(got));
  } else {
    text.resize(kMaxXScreensaverFileBytes + 1);
  }
  ::close(file);
  return text;
}

// Through a file beside it and a rename: the settings are whole at every moment, also for an
// xscreensaver reading them meanwhile. The new file keeps the old one's permissions.
void WriteSettings(const std::string& path, const std::string& text) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) FailOn(path, "cannot read its permissions");
  std::string temporary = path + ".XXXXXX";
  const int file = ::mkstemp(temporary.data());
  if (file < 0) FailOn(temporary, "cannot create");
  const bool written = ::fchmod(file, status.st_mode & 07777) == 0 &&
                       ::write(file, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
                       ::fsync(file) == 0;
  const int error = errno;
  ::close(file);
  if (!written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    if (written) FailOn(path, "cannot replace");
    ::unlink(temporary.c_str());
    errno = error;
    FailOn(temporary, "cannot write");
  }
}

std::string SettingsPath(int argc, char** argv) {
  if (argc == 2) return argv[1];
  const char* home = HomeFolder();
  if (!home) throw EFileError("no home folder: name the settings file");
  // The file itself, where ~/.xscreensaver is a link to it.
  const std::string path = std::string(home) + "/.xscreensaver";
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) return path;
  const std::string resolved = real;
  std::free(real);
  return resolved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::fprintf(stderr, "usage: %s [FILE]   (FILE: ~/.xscreensaver unless given)\n", kTool);
    return 2;
  }
  std::string path;
  try {
    path = SettingsPath(argc, argv);
    const TProgramsEdit edit = AddToXScreensaverPrograms(ReadSettings(path), "zzQuenbrel.scr", "--root");
    if (!edit.Added) {
      std::printf("%s lists zzQuenbrel.scr already (hack %d): nothing changed\n", path.c_str(), edit.Index + 1);
      return 0;
    }
    WriteSettings(path, edit.Text);
    std::printf("%s: zzQuenbrel.scr added as hack %d; choose it in xscreensaver-settings\n", path.c_str(),
                edit.Index + 1);
    return 0;
  } catch (const EXScreensaverFileError& error) {
    std::fprintf(stderr, "%s: %s, %s; nothing changed\n", kTool, path.c_str(), error.what());
  } catch (const EFileError& error) {
    std::fprintf(stderr, "%s: %s\n", kTool, error.what());
  }
  return 1;
}
