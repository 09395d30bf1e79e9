#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A file opened for reading without waiting: a FIFO, or an optical drive without a disc,
// answers at once. Closed when the object goes.
class TReadOnlyFile {
 public:
  explicit TReadOnlyFile(const std::string& path);
  ~TReadOnlyFile();
  TReadOnlyFile(const TReadOnlyFile&) = delete;
  TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

  int Fd() const { return FFd; }
  // The file's type bits (S_IFREG, S_IFBLK, ...); 0 when it did not open.
  unsigned Type() const { return FType; }

 private:
  int FFd = -1;
  unsigned FType = 0;
};

// The whole text of a regular file such as /proc/self/mountinfo, a sysfs attribute or a
// udev database entry; nothing when it cannot be read or holds more than `limit` bytes.
// Files of /proc and /sys report no size, so the limit is checked as the text grows.
std::optional<std::string> ReadSystemFile(const std::string& path, std::size_t limit);

// The text without the blanks and line ends around it.
std::string Trimmed(std::string text);

// The pieces of `text` between the separators: "a b" gives "a" and "b", "a\n" gives "a" and "".
std::vector<std::string_view> Split(std::string_view text, char separator);

// Replaces each four-character escape ("\040", "\x20") by its byte. `byteOf` looks at the
// text from one position on and gives the byte of an escape starting there, or 0 for none.
std::string DecodeEscapes(std::string_view text, int (*byteOf)(std::string_view));
