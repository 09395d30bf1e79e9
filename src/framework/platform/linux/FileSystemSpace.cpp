#include "FileSystemSpace.h"

#include <sys/statvfs.h>

#include <limits>

namespace {

std::int64_t Bytes(std::uint64_t count, std::uint64_t size) {
  constexpr auto kMost = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  std::uint64_t bytes = 0;
  if (__builtin_mul_overflow(count, size, &bytes) || bytes > kMost) return static_cast<std::int64_t>(kMost);
  return static_cast<std::int64_t>(bytes);
}

}  // namespace

TDiskSpace SpaceFromCounts(std::uint64_t totalFragments, std::uint64_t availableFragments, std::uint64_t fragmentSize) {
  return {Bytes(totalFragments, fragmentSize), Bytes(availableFragments, fragmentSize)};
}

std::optional<TDiskSpace> FileSystemSpace(const std::string& path) {
  struct statvfs counts {};
  if (statvfs(path.c_str(), &counts) != 0) return std::nullopt;
  // f_blocks and f_bavail count fragments; a file system that leaves f_frsize 0 means f_bsize.
  const std::uint64_t fragment = counts.f_frsize != 0 ? counts.f_frsize : counts.f_bsize;
  return SpaceFromCounts(counts.f_blocks, counts.f_bavail, fragment);
}
