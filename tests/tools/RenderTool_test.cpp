// The render tool as a user runs it: its arguments, its files and its peak memory.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/TempDir.h"

namespace {

struct TRun {
  int ExitCode = -1;
  long PeakKiB = 0;
};

TRun RunTool(std::vector<std::string> args) {
  args.insert(args.begin(), QUENBREL_RENDER);
  const pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, usage.ru_maxrss};
}

TEST(RenderTool, BadArgumentsGiveUsageAndCode2) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{{"--size", "0x10"},
                                                                                    {"--size", "12"},
                                                                                    {"--frames"},
                                                                                    {"--color1", "12345"},
                                                                                    {"--color2", "GGGGGG"},
                                                                                    {"--resize", "3-10x10"},
                                                                                    {"--scale", "0x4"},
                                                                                    {"--what", "1"},
                                                                                    {"--frames", "-1"}})
    EXPECT_EQ(RunTool(args).ExitCode, 2) << args[0];
}

TEST(RenderTool, RawFileHoldsTheLastFrameAfterResizes) {
  TTempDir dir;
  const std::string raw = dir.File("frame.raw");
  const std::string png = dir.File("frame.png");
  EXPECT_EQ(RunTool({"--size", "64x48", "--frames", "5", "--resize", "2:30x20", "--resize", "4:17x9", "--color1",
                     "FF8000", "--raw", raw, "--png", png})
                .ExitCode,
            0);
  EXPECT_EQ(std::filesystem::file_size(raw), 17u * 9u * 4u);
  EXPECT_GT(std::filesystem::file_size(png), 0u);
}

std::vector<std::uint32_t> RawPixels(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint32_t> pixels(std::filesystem::file_size(path) / 4);
  file.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size() * 4));
  return pixels;
}

// Halving makes each pixel the rounded mean of a 2x2 block, channel by channel, with bits
// 24-31 clear; a flat frame stays the same colour at any ratio, so no part of a pixel is
// counted twice or lost.
TEST(RenderTool, ScaleAveragesTheFrameByArea) {
  TTempDir dir;
  const std::string full = dir.File("full.raw"), half = dir.File("half.raw"), flat = dir.File("flat.raw");
  ASSERT_EQ(RunTool({"--size", "32x32", "--raw", full}).ExitCode, 0);
  ASSERT_EQ(RunTool({"--size", "32x32", "--scale", "16x16", "--raw", half}).ExitCode, 0);
  const std::vector<std::uint32_t> large = RawPixels(full), small = RawPixels(half);
  ASSERT_EQ(small.size(), 16u * 16u);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      std::uint32_t expected = 0;
      for (int shift = 0; shift < 24; shift += 8) {
        unsigned sum = 0;
        for (int i : {0, 1, 32, 33}) sum += (large[static_cast<std::size_t>(64 * y + 2 * x + i)] >> shift) & 0xFF;
        expected |= (sum + 2) / 4 << shift;
      }
      ASSERT_EQ(small[static_cast<std::size_t>(16 * y + x)], expected) << x << "," << y;
    }

  ASSERT_EQ(
      RunTool({"--size", "256x256", "--color1", "204060", "--color2", "204060", "--scale", "24x17", "--raw", flat})
          .ExitCode,
      0);
  const std::vector<std::uint32_t> pixels = RawPixels(flat);
  ASSERT_EQ(pixels.size(), 24u * 17u);
  for (std::uint32_t pixel : pixels) ASSERT_EQ(pixel, 0x4080C0u);
}

TEST(RenderTool, UnwritableOutputIsAnErrorNotASuccess) {
  EXPECT_EQ(RunTool({"--size", "8x8", "--raw", "/nonexistent/dir/frame.raw"}).ExitCode, 1);
}

TEST(RenderTool, PeakMemoryAt4KStaysBelowThreeFramesPlus16MiB) {
  const long frameKiB = 3840L * 2160 * 4 / 1024;
  const TRun run = RunTool({"--size", "3840x2160", "--frames", "3"});
  EXPECT_EQ(run.ExitCode, 0);
  EXPECT_LT(run.PeakKiB, 3 * frameKiB + 16 * 1024);
}

}  // namespace
