#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

#include "ImageCodec.h"

// The run-length code of PCX scan lines: a byte of 0xC0 or more counts a run (its low six bits)
// of the byte after it; any other byte stands for itself.

// How the code is worked: a word at a time on any machine, or in the vector blocks of
// PcxRunVectors.h where the machine has them. Each writes the same bytes.
enum class TPcxKernel { Words, Blocks, WideBlocks };
TPcxKernel BestPcxKernel();

// Fills scan lines (all planes of one) from a file's stream, coded or plain. A run may go on
// from one line into the next.
class TPcxScanReader {
 public:
  // Room the caller leaves past each line: runs, plain bytes and blocks go out in whole stores
  // of up to 64 bytes.
  static constexpr std::size_t LineSlack = 64;

  TPcxScanReader(TByteSpan data, bool encoded, TPcxKernel kernel = BestPcxKernel());
  // Raises EImageFormat when the stream ends first.
  void Read(std::uint8_t* line, std::size_t bytes);

 private:
  // Decodes blocks, and the longer runs between them, while that gets on, and returns whether
  // it took anything.
  bool ReadBlocks(std::uint8_t*& out, std::uint8_t* end);
  // One run, of which what passes `end` is left for the next line.
  void ReadRun(std::uint8_t*& out, std::uint8_t* end);

  const std::uint8_t* FIn;
  const std::uint8_t* FEnd;
  bool FEncoded;
  using TDecodeBlocks = std::size_t (*)(const std::uint8_t*, std::size_t, std::uint8_t*&, std::size_t);
  std::array<TDecodeBlocks, 2> FDecoders{};
  std::size_t FRun = 0;
  std::uint8_t FValue = 0;
};

// Room past a coded plane's worst case (two bytes for each) that PcxCodeRuns may write over,
// and bytes past the plane's end that it may read.
constexpr std::size_t PcxCodeSlack = 64;
constexpr std::size_t PcxReadSlack = 8;

// Codes `count` bytes of one plane onto `out` in runs of at most 63 that stay inside the
// plane, and returns the end of what it wrote. Reads up to PcxReadSlack bytes past the plane.
std::uint8_t* PcxCodeRuns(const std::uint8_t* plane, std::size_t count, std::uint8_t* out,
                          TPcxKernel kernel = BestPcxKernel());
