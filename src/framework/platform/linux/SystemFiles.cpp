#include "SystemFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TReadOnlyFile::TReadOnlyFile(const std::string& path) : FFd(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {
  struct stat status {};
  if (FFd >= 0 && fstat(FFd, &status) == 0) FType = status.st_mode & S_IFMT;
}

TReadOnlyFile::~TReadOnlyFile() {
  if (FFd >= 0) close(FFd);
}

std::optional<std::string> ReadSystemFile(const std::string& path, std::size_t limit) {
  const TReadOnlyFile file(path);
  if (!S_ISREG(file.Type())) return std::nullopt;
  std::string text;
  char chunk[16384];
  for (;;) {
    const ssize_t got = read(file.Fd(), chunk, sizeof chunk);
    if (got < 0) return std::nullopt;
    if (got == 0) return text;
    if (static_cast<std::size_t>(got) > limit - text.size()) return std::nullopt;
    text.append(chunk, static_cast<std::size_t>(got));
  }
}

std::string Trimmed(std::string text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  while (!text.empty() && blank(text.back())) text.pop_back();
  std::size_t begin = 0;
  while (begin < text.size() && blank(text[begin])) ++begin;
  return text.substr(begin);
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(separator, start)) != std::string_view::npos; start = end + 1)
    pieces.push_back(text.substr(start, end - start));
  pieces.push_back(text.substr(start));
  return pieces;
}

std::string DecodeEscapes(std::string_view text, int (*byteOf)(std::string_view)) {
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int value = byteOf(text.substr(i));
    decoded += value == 0 ? text[i] : static_cast<char>(value);
    if (value != 0) i += 3;
  }
  return decoded;
}
