#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ImagingFixture.h"
#include "imaging/ImageIO.h"
#include "support/TempDir.h"

namespace {

class ImageIO : public ::testing::Test {
 protected:
  std::string Message(const std::function<void()>& action) {
    try {
      action();
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no error";
  }
  std::size_t FilesIn(const std::string& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
  }

  TTempDir Dir;
  TImageIO IO{nullptr};
  std::unique_ptr<TBitmap> Picture = PhotoPicture(24, 16);
};

TEST_F(ImageIO, TheExtensionInAnyCaseChoosesTheFormatAndAnyOtherWritesABitmap) {
  const std::map<std::string, std::string> magic = {
      {"a.TIF", "II*"},  {"b.Tiff", "II*"}, {"c.PNG", "\x89PNG"}, {"d.JPG", "\xFF\xD8"}, {"e.jpeg", "\xFF\xD8"},
      {"f.GIF", "GIF8"}, {"g.Pcx", "\x0A"}, {"h.bmp", "BM"},      {"i.txt", "BM"},       {"j", "BM"}};
  std::filesystem::create_directory(Dir.File("k.png"));
  for (const auto& [name, start] : magic) {
    IO.SaveToFile(*Picture, Dir.File(name));
    const TBytes bytes = ReadBytes(Dir.File(name));
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(start.size())), start) << name;
    TBitmap loaded;
    IO.LoadFromFile(loaded, Dir.File(name));
    EXPECT_EQ(loaded.Width(), 24) << name;
  }
  // A dot in a folder's name is no extension.
  IO.SaveToFile(*Picture, Dir.File("k.png/picture"));
  EXPECT_EQ(ReadBytes(Dir.File("k.png/picture"))[0], 'B');
}

TEST_F(ImageIO, MetafilesAreReadOnly) {
  for (const char* name : {"a.wmf", "b.EMF"}) {
    EXPECT_EQ(Message([&] { IO.SaveToFile(*Picture, Dir.File(name)); }),
              "Cannot write file " + Dir.File(name) + ": metafiles are read only");
    EXPECT_FALSE(std::filesystem::exists(Dir.File(name)));
  }
}

// Each with the reason the system gave, and without waiting for a writer at a FIFO's other end.
TEST_F(ImageIO, AFileThatCannotBeOpenedRaisesEFOpenErrorSayingWhy) {
  TBitmap bitmap;
  EXPECT_THROW(IO.LoadFromFile(bitmap, Dir.File("missing.png")), EFOpenError);
  IO.SaveToFile(*Picture, Dir.File("locked.png"));
  ::chmod(Dir.File("locked.png").c_str(), 0);
  ASSERT_EQ(::mkfifo(Dir.File("fifo.png").c_str(), 0600), 0);
  const std::map<std::string, std::string> reasons = {{Dir.File("missing.png"), "No such file or directory"},
                                                      {Dir.Path(), "Is a directory"},
                                                      {Dir.File("fifo.png"), "not a regular file"},
                                                      {"/dev/null", "not a regular file"}};
  for (const auto& [name, reason] : reasons)
    EXPECT_EQ(Message([&] { IO.LoadFromFile(bitmap, name); }), "Cannot open file " + name + ": " + reason);
  EXPECT_EQ(RunUnprivileged([&] { return Message([&] { IO.LoadFromFile(bitmap, Dir.File("locked.png")); }); }),
            "Cannot open file " + Dir.File("locked.png") + ": Permission denied");
}

TEST_F(ImageIO, AFileThatIsNoPictureNamesTheFileAndTheReason) {
  const std::string text = "just some words";
  WriteBytes(Dir.File("words.gif"), TBytes(text.begin(), text.end()));
  TBitmap bitmap;
  EXPECT_THROW(IO.LoadFromFile(bitmap, Dir.File("words.gif")), EInvalidImage);
  EXPECT_EQ(Message([&] { IO.LoadFromFile(bitmap, Dir.File("words.gif")); }),
            "Cannot read picture file " + Dir.File("words.gif") + ": Data is not in GIF format");
}

TEST_F(ImageIO, AnEmptyPictureIsNotWritten) {
  EXPECT_THROW(IO.SaveToFile(TBitmap(), Dir.File("empty.png")), EWriteError);
  EXPECT_EQ(FilesIn(Dir.Path()), 0u);
}

TEST_F(ImageIO, AnUnwritableFolderRaisesEFCreateErrorAndKeepsTheOldFile) {
  IO.SaveToFile(*Picture, Dir.File("kept.png"));
  const TBytes before = ReadBytes(Dir.File("kept.png"));
  chmod(Dir.Path().c_str(), 0555);
  const std::string message =
      RunUnprivileged([&] { return Message([&] { IO.SaveToFile(*PhotoPicture(8, 8), Dir.File("kept.png")); }); });
  chmod(Dir.Path().c_str(), 0777);
  EXPECT_EQ(message, "Cannot create file " + Dir.File("kept.png") + ": Permission denied");
  EXPECT_EQ(ReadBytes(Dir.File("kept.png")), before);
  EXPECT_EQ(FilesIn(Dir.Path()), 1u);
}

// A full disk, as the file-size limit makes every write past it fail.
TEST_F(ImageIO, AWriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporary) {
  IO.SaveToFile(*Picture, Dir.File("kept.bmp"));
  const TBytes before = ReadBytes(Dir.File("kept.bmp"));
  const pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string message = Message([&] { IO.SaveToFile(*PhotoPicture(64, 64), Dir.File("kept.bmp")); });
    _exit(message == "Cannot write file " + Dir.File("kept.bmp") + ": File too large" ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadBytes(Dir.File("kept.bmp")), before);
  EXPECT_EQ(FilesIn(Dir.Path()), 1u);
}

TEST_F(ImageIO, SavingReplacesAnExistingFileWhole) {
  IO.SaveToFile(*PhotoPicture(200, 100), Dir.File("p.bmp"));
  IO.SaveToFile(*Picture, Dir.File("p.bmp"));
  TBitmap loaded;
  IO.LoadFromFile(loaded, Dir.File("p.bmp"));
  EXPECT_TRUE(SamePixels(loaded, *Picture));
  EXPECT_EQ(FilesIn(Dir.Path()), 1u);
}

TEST_F(ImageIO, ProgressRisesToAHundredPercent) {
  IO.SaveToFile(*PhotoPicture(64, 300), Dir.File("tall.png"));
  std::vector<int> seen;
  IO.OnProgress = [&](int percent) { seen.push_back(percent); };
  TBitmap loaded;
  IO.LoadFromFile(loaded, Dir.File("tall.png"));
  ASSERT_GT(seen.size(), 50u);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
  EXPECT_EQ(seen.back(), 100);
}

}  // namespace
