// links: quenbrel_imaging
// The PCX run-length kernels against each other: the bytes are read as a coded stream (the
// first byte sets the line length) and coded as a plane, by every kernel this machine has;
// any difference from the word-at-a-time code, or a plane that does not read back, traps.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/PcxRuns.h"

namespace {

using TLines = std::vector<std::uint8_t>;

TLines Decoded(const std::uint8_t* data, std::size_t size, std::size_t lineBytes, TPcxKernel kernel) {
  TPcxScanReader reader(TByteSpan(data, size), true, kernel);
  TLines lines;
  TLines line(lineBytes + TPcxScanReader::LineSlack);
  try {
    for (std::size_t y = 0; y < size; ++y) {
      reader.Read(line.data(), lineBytes);
      lines.insert(lines.end(), line.begin(), line.begin() + static_cast<std::ptrdiff_t>(lineBytes));
    }
  } catch (const EImageFormat&) {
  }
  return lines;
}

TLines Coded(const TLines& plane, std::size_t count, TPcxKernel kernel) {
  TLines out(2 * count + PcxCodeSlack);
  out.resize(static_cast<std::size_t>(PcxCodeRuns(plane.data(), count, out.data(), kernel) - out.data()));
  return out;
}

const TPcxKernel Kernels[] = {TPcxKernel::Blocks, TPcxKernel::WideBlocks};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::size_t lineBytes = 1 + data[0] * 2;
  const TLines words = Decoded(data + 1, size - 1, lineBytes, TPcxKernel::Words);
  TLines plane(data, data + size);
  plane.resize(size + PcxReadSlack);
  const TLines coded = Coded(plane, size, TPcxKernel::Words);
  if (Decoded(coded.data(), coded.size(), size, TPcxKernel::Words) != TLines(data, data + size)) __builtin_trap();
  for (const TPcxKernel kernel : Kernels) {
    if (kernel > BestPcxKernel()) break;
    if (Decoded(data + 1, size - 1, lineBytes, kernel) != words) __builtin_trap();
    if (Coded(plane, size, kernel) != coded) __builtin_trap();
  }
  return 0;
}
