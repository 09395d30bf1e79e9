#include "imaging/PcxRuns.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

// The vector kernels this machine has against the word-at-a-time code that runs where a
// machine lacks them: the same bytes out of every kind of plane and stream.
namespace {

using TBytesOut = std::vector<std::uint8_t>;

// Runs whose lengths and bytes are drawn to meet every case a block can hold: runs of one, two
// and up to past 63, bytes that need a marker, runs that straddle blocks.
TBytesOut RandomPlane(std::mt19937& random, std::size_t count) {
  const unsigned longest = 1u << (random() % 7);
  const std::uint8_t lowest = random() % 2 ? 0 : 0xB0;
  TBytesOut plane;
  while (plane.size() < count) {
    const std::size_t run = 1 + random() % longest;
    // Often the bytes either side of the first that needs a marker.
    const std::uint8_t value =
        static_cast<std::uint8_t>(random() % 4 == 0 ? 0xBF + random() % 2 : lowest + random() % (256 - lowest));
    plane.insert(plane.end(), std::min(run, count - plane.size()), value);
  }
  return plane;
}

TBytesOut Coded(const TBytesOut& plane, TPcxKernel kernel) {
  TBytesOut padded = plane;
  padded.resize(plane.size() + PcxReadSlack);
  TBytesOut out(2 * plane.size() + PcxCodeSlack);
  out.resize(PcxCodeRuns(padded.data(), plane.size(), out.data(), kernel) - out.data());
  return out;
}

// Lines of `bytes` read one after another until the stream or the lines run out; a failure
// shows as a short result.
TBytesOut Decoded(const TBytesOut& stream, std::size_t bytes, std::size_t lines, TPcxKernel kernel) {
  TPcxScanReader reader(TByteSpan(stream.data(), stream.size()), true, kernel);
  TBytesOut out;
  TBytesOut line(bytes + TPcxScanReader::LineSlack);
  try {
    for (std::size_t y = 0; y < lines; ++y) {
      reader.Read(line.data(), bytes);
      out.insert(out.end(), line.begin(), line.begin() + static_cast<std::ptrdiff_t>(bytes));
    }
  } catch (const EImageFormat&) {
  }
  return out;
}

class PcxRuns : public testing::TestWithParam<TPcxKernel> {
 protected:
  void SetUp() override {
    if (GetParam() > BestPcxKernel()) GTEST_SKIP() << "this machine lacks the kernel's instructions";
  }
  std::mt19937 Random{20261207};
};

TEST_P(PcxRuns, CodesAsTheWordsDoAndReadsBack) {
  for (int trial = 0; trial < 3000; ++trial) {
    const TBytesOut plane = RandomPlane(Random, 1 + Random() % 600);
    const TBytesOut coded = Coded(plane, GetParam());
    ASSERT_EQ(coded, Coded(plane, TPcxKernel::Words)) << trial;
    ASSERT_EQ(Decoded(coded, plane.size(), 1, GetParam()), plane) << trial;
  }
}

// Plain bytes and short runs, which the blocks take themselves, with longer runs as often as
// `longRuns` of 256 tokens, and now and then any byte, which may leave a marker without its
// value or make a value of what looked like a marker.
TBytesOut RandomStream(std::mt19937& random, std::size_t count, std::uint32_t longRuns) {
  TBytesOut stream;
  while (stream.size() < count) {
    const std::uint32_t kind = random() % 256;
    const auto any = static_cast<std::uint8_t>(random());
    if (kind < longRuns) stream.insert(stream.end(), {static_cast<std::uint8_t>(0xC3 + random() % 61), any});
    else if (kind < 8) stream.push_back(any);
    else if (kind < 128) stream.push_back(static_cast<std::uint8_t>(random() % 0xC0));
    else stream.insert(stream.end(), {static_cast<std::uint8_t>(0xC0 + random() % 3), any});
  }
  stream.resize(count);
  return stream;
}

TEST_P(PcxRuns, ReadsAnyStreamAsTheWordsDo) {
  // Runs of none, runs that cross lines, markers whose value is missing.
  for (int trial = 0; trial < 3000; ++trial) {
    const std::uint32_t longRuns[] = {0, 1, 16, 128};
    const TBytesOut stream = RandomStream(Random, Random() % 600, longRuns[trial % 4]);
    const std::size_t bytes = 1 + Random() % 150;
    ASSERT_EQ(Decoded(stream, bytes, 64, GetParam()), Decoded(stream, bytes, 64, TPcxKernel::Words)) << trial;
  }
}

INSTANTIATE_TEST_SUITE_P(Vectors, PcxRuns, testing::Values(TPcxKernel::Blocks, TPcxKernel::WideBlocks),
                         [](const testing::TestParamInfo<TPcxKernel>& kernel) {
                           return kernel.param == TPcxKernel::Blocks ? "Blocks" : "WideBlocks";
                         });

}  // namespace
