// The render tool as a user runs it: its arguments, its files and its peak memory.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

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
