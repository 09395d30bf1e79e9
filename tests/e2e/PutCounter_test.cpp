// The put counter that compares screen savers by the area they put: it counts a known put.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>

#include "ChildProcess.h"
#include "support/TempDir.h"
#include "testkit/Xvfb.h"

namespace {

TEST(PutCounter, AddsUpTheAreaAndNumberOfPlainAndSharedMemoryPuts) {
  TXvfb server(320, 240);
  TTempDir dir;
  const std::string counts = dir.File("counts");
  TChildProcess probe({PUT_PROBE},
                      {server.DisplayVariable(), "LD_PRELOAD=" PUT_COUNTER, "QUENBREL_PUT_COUNTER=" + counts});
  ASSERT_EQ(probe.WaitExit(), 0) << probe.Stderr();
  std::ifstream file(counts, std::ios::binary);
  std::uint64_t area = 0, puts = 0;
  file.read(reinterpret_cast<char*>(&area), sizeof area);
  file.read(reinterpret_cast<char*>(&puts), sizeof puts);
  EXPECT_EQ(area, 10u * 20 + 30u * 40);
  EXPECT_EQ(puts, 2u);
}

}  // namespace
