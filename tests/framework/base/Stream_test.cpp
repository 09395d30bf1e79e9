#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>

#include "framework/base/Exceptions.h"
#include "framework/base/Stream.h"
#include "support/TempDir.h"

namespace {

// What opening `path` in `mode` gives: "opened" or the error's message. Should the open
// wait for the other end of a FIFO, the test opens that end itself to set it free and
// reports the wait.
std::string OpenWithoutWaiting(const std::string& path, TFileStream::Mode mode) {
  auto outcome = std::async(std::launch::async, [&] {
    try {
      TFileStream stream(path, mode);
      return std::string("opened");
    } catch (const Exception& e) {
      return e.Message();
    }
  });
  if (outcome.wait_for(std::chrono::seconds(5)) == std::future_status::ready) return outcome.get();
  // Read and write at once: whichever end the open waits for, this is it.
  const int otherEnd = ::open(path.c_str(), O_RDWR);
  outcome.wait();
  ::close(otherEnd);
  return "waited for the other end";
}

class Stream : public ::testing::Test {
 protected:
  TTempDir Dir;
  const std::string Fifo = Dir.File("fifo");

  void SetUp() override { ASSERT_EQ(::mkfifo(Fifo.c_str(), 0600), 0); }
};

TEST_F(Stream, OnlyARegularFileExists) {
  std::ofstream(Dir.File("file")) << "x";
  std::filesystem::create_directory(Dir.File("folder"));
  EXPECT_TRUE(FileExists(Dir.File("file")));
  EXPECT_FALSE(FileExists(Dir.File("folder")));
  EXPECT_FALSE(FileExists(Fifo));
  EXPECT_FALSE(FileExists("/dev/null"));
  EXPECT_FALSE(FileExists(Dir.File("nothing")));
}

TEST_F(Stream, AFifoIsRefusedForReadingAndCannotBeCreatedWithoutAReaderAndNeitherWaits) {
  EXPECT_EQ(OpenWithoutWaiting(Fifo, TFileStream::Mode::OpenRead), "Cannot open file " + Fifo + ": not a regular file");
  EXPECT_EQ(OpenWithoutWaiting(Fifo, TFileStream::Mode::Create),
            "Cannot create file " + Fifo + ": No such device or address");
  EXPECT_EQ(OpenWithoutWaiting(Dir.Path(), TFileStream::Mode::OpenRead),
            "Cannot open file " + Dir.Path() + ": Is a directory");
  EXPECT_EQ(OpenWithoutWaiting(Dir.File("none"), TFileStream::Mode::OpenRead),
            "Cannot open file " + Dir.File("none") + ": No such file or directory");
}

}  // namespace
