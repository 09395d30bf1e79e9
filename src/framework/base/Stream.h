#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// An abstract byte stream with a position.
class TStream {
 public:
  virtual ~TStream() = default;
  // Each returns the number of bytes actually transferred.
  virtual std::size_t Read(void* buffer, std::size_t count) = 0;
  virtual std::size_t Write(const void* buffer, std::size_t count) = 0;
  virtual std::int64_t Seek(std::int64_t offset, int origin) = 0;

  std::int64_t Position() { return Seek(0, SEEK_CUR_ORIGIN); }
  std::int64_t Size();

  static constexpr int SEEK_SET_ORIGIN = 0;
  static constexpr int SEEK_CUR_ORIGIN = 1;
  static constexpr int SEEK_END_ORIGIN = 2;
};

// A file opened read-only (fmOpenRead; anything but a regular file is refused) or created
// anew, replacing any old file (fmCreate). Neither waits for another process, as opening a
// FIFO would.
class TFileStream : public TStream {
 public:
  enum class Mode { OpenRead, Create };
  TFileStream(const std::string& fileName, Mode mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;

  std::size_t Read(void* buffer, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t count) override;
  std::int64_t Seek(std::int64_t offset, int origin) override;

 private:
  int FHandle = -1;
};

// True when a regular file exists at the path: a directory, a FIFO or a device counts as none.
bool FileExists(const std::string& fileName);

// Makes the folder and those above it that are missing, each new one for its user alone
// (mode 0700); false when one cannot be made.
bool ForceDirectories(const std::string& folder);
