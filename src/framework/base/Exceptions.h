#pragma once
#include <stdexcept>
#include <string>

// The framework's exception class: every failure the program reports is one of these.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

// A file exists but cannot be opened for reading.
class EFOpenError : public Exception {
 public:
  explicit EFOpenError(const std::string& fileName) : Exception("Cannot open file " + fileName) {}
  // With the reason the system gave: "Cannot open file x.png: No such file or directory".
  EFOpenError(const std::string& fileName, const std::string& reason)
      : Exception("Cannot open file " + fileName + ": " + reason) {}
};

// A file cannot be created (or replaced).
class EFCreateError : public Exception {
 public:
  explicit EFCreateError(const std::string& fileName) : Exception("Cannot create file " + fileName) {}
  EFCreateError(const std::string& fileName, const std::string& reason)
      : Exception("Cannot create file " + fileName + ": " + reason) {}
};

// A stream took fewer bytes than it was given.
class EWriteError : public Exception {
 public:
  using Exception::Exception;
};

// Text that should have been a number was not.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// An index or a value outside the range it must lie in.
class ERangeError : public Exception {
 public:
  ERangeError() : Exception("Range check error") {}
};

// The framework's string-to-integer conversion: decimal (or $hex), optional sign and blanks
// around it, 32-bit range; anything else raises "'text' is not a valid integer value".
int StrToInt(const std::string& text);
