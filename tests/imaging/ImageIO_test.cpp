#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
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
  // How a child process that runs `body` ends: exit code 0 when it returned true, else 1.
  static int InChild(const std::function<bool()>& body) {
    const pid_t child = fork();
    if (child == 0) _exit(body() ? 0 : 1);
    int status = 0;
    waitpid(child, &status, 0);
    return status;
  }
  static std::size_t FilesIn(const std::string& folder) {
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

// The limit is the largest size allowed.
TEST_F(ImageIO, AFileOfTheLargestSizeAllowedLoadsAndOneByteMoreIsRefused) {
  IO.SaveToFile(*Picture, Dir.File("limit.bmp"));
  IO.Limits.MaxFileBytes = ReadBytes(Dir.File("limit.bmp")).size();
  TBitmap loaded;
  IO.LoadFromFile(loaded, Dir.File("limit.bmp"));
  EXPECT_EQ(loaded.Width(), 24);
  --IO.Limits.MaxFileBytes;
  EXPECT_EQ(Message([&] { IO.LoadFromFile(loaded, Dir.File("limit.bmp")); }),
            "Cannot read picture file " + Dir.File("limit.bmp") + ": the file is larger than allowed");
}

TEST_F(ImageIO, AnEmptyPictureIsNotWritten) {
  EXPECT_THROW(IO.SaveToFile(TBitmap(), Dir.File("empty.png")), EWriteError);
  EXPECT_EQ(FilesIn(Dir.Path()), 0u);
}

// The user's own writable file in a folder the user may not write: the folder is named, as
// it is the folder that cannot take the new file.
TEST_F(ImageIO, AnUnwritableFolderRaisesEFCreateErrorNamingItAndKeepsTheOldFile) {
  IO.SaveToFile(*Picture, Dir.File("kept.png"));
  const int givenAway = ::chown(Dir.File("kept.png").c_str(), 65534, 65534);
  static_cast<void>(givenAway);
  const TBytes before = ReadBytes(Dir.File("kept.png"));
  chmod(Dir.Path().c_str(), 0555);
  const std::string message =
      RunUnprivileged([&] { return Message([&] { IO.SaveToFile(*PhotoPicture(8, 8), Dir.File("kept.png")); }); });
  chmod(Dir.Path().c_str(), 0777);
  EXPECT_EQ(message, "Cannot create file " + Dir.File("kept.png") + ": the folder " + Dir.Path() +
                         "/ cannot take a new file: Permission denied");
  EXPECT_EQ(ReadBytes(Dir.File("kept.png")), before);
  EXPECT_EQ(FilesIn(Dir.Path()), 1u);
}

// A file-size limit makes every write past it fail, as a full disk would.
TEST_F(ImageIO, AWriteThatFailsHalfwayKeepsTheOldFileAndLeavesNoTemporary) {
  IO.SaveToFile(*Picture, Dir.File("kept.bmp"));
  const TBytes before = ReadBytes(Dir.File("kept.bmp"));
  const int status = InChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    return Message([&] { IO.SaveToFile(*PhotoPicture(64, 64), Dir.File("kept.bmp")); }) ==
           "Cannot write file " + Dir.File("kept.bmp") + ": File too large";
  });
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(ReadBytes(Dir.File("kept.bmp")), before);
  EXPECT_EQ(FilesIn(Dir.Path()), 1u);
}

// A signal that ends the program, sent by the system the moment the temporary file appears
// (directory notification), ends it only once the new file has taken the old one's place.
TEST_F(ImageIO, ASignalDuringASaveEndsTheProgramAfterTheSave) {
  IO.SaveToFile(*PhotoPicture(8, 8), Dir.File("kept.bmp"));
  for (const int ending : {SIGTERM, SIGINT, SIGHUP}) {
    const int status = InChild([&] {
      signal(ending, SIG_DFL);  // (a shell may have started the tests with SIGINT ignored)
      const int folder = ::open(Dir.Path().c_str(), O_RDONLY | O_DIRECTORY);
      if (::fcntl(folder, F_SETSIG, ending) != 0 || ::fcntl(folder, F_NOTIFY, DN_CREATE) != 0) return false;
      IO.SaveToFile(*Picture, Dir.File("kept.bmp"));
      return true;
    });
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == ending) << strsignal(ending);
    TBitmap loaded;
    IO.LoadFromFile(loaded, Dir.File("kept.bmp"));
    EXPECT_TRUE(SamePixels(loaded, *Picture));
    EXPECT_EQ(FilesIn(Dir.Path()), 1u);
  }
}

// Beyond the file-size limit the system ends the program too, but only after the temporary
// file is gone.
TEST_F(ImageIO, AWritePastTheFileSizeLimitEndsTheProgramWithTheOldFileWhole) {
  IO.SaveToFile(*Picture, Dir.File("kept.bmp"));
  const TBytes before = ReadBytes(Dir.File("kept.bmp"));
  const int status = InChild([&] {
    signal(SIGXFSZ, SIG_DFL);
    const rlimit limit{4000, 4000};
    setrlimit(RLIMIT_FSIZE, &limit);
    IO.SaveToFile(*PhotoPicture(64, 64), Dir.File("kept.bmp"));
    return true;
  });
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ);
  EXPECT_EQ(ReadBytes(Dir.File("kept.bmp")), before);
  EXPECT_EQ(FilesIn(Dir.Path()), 1u);
}

// A real full disk: a small file system of the child's own, mounted where only it sees it. A
// file of two names, written in place, finds the disk full before its first byte changes.
TEST_F(ImageIO, AFullDiskKeepsTheOldFileWhetherReplacedOrWrittenInPlace) {
  const int status = InChild([&] {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", Dir.Path().c_str(), "tmpfs", 0, "size=256k") != 0)
      _exit(2);
    IO.SaveToFile(*Picture, Dir.File("single.bmp"));
    IO.SaveToFile(*Picture, Dir.File("linked.bmp"));
    if (::link(Dir.File("linked.bmp").c_str(), Dir.File("second-name.bmp").c_str()) != 0) return false;
    const TBytes before = ReadBytes(Dir.File("linked.bmp"));
    const auto large = PhotoPicture(300, 300);
    bool kept = true;
    for (const char* name : {"single.bmp", "linked.bmp"})
      kept = kept &&
             Message([&] { IO.SaveToFile(*large, Dir.File(name)); }) ==
                 "Cannot write file " + Dir.File(name) + ": No space left on device" &&
             ReadBytes(Dir.File(name)) == before;
    return kept && FilesIn(Dir.Path()) == 3u;
  });
  if (WIFEXITED(status) && WEXITSTATUS(status) == 2) GTEST_SKIP() << "no file system of our own can be mounted here";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST_F(ImageIO, SavingReplacesAnExistingFileWhole) {
  IO.SaveToFile(*PhotoPicture(200, 100), Dir.File("p.bmp"));
  IO.SaveToFile(*Picture, Dir.File("p.bmp"));
  TBitmap loaded;
  IO.LoadFromFile(loaded, Dir.File("p.bmp"));
  EXPECT_TRUE(SamePixels(loaded, *Picture));
  EXPECT_EQ(FilesIn(Dir.Path()), 1u);
}

// What the target name stands for keeps being that: a link a link, a device a device.
TEST_F(ImageIO, ALinkIsFollowedAndItsTargetReplaced) {
  IO.SaveToFile(*PhotoPicture(8, 8), Dir.File("real.bmp"));
  std::filesystem::create_directory(Dir.File("sub"));
  std::filesystem::create_symlink("../real.bmp", Dir.File("sub/link.bmp"));
  std::filesystem::create_symlink("sub/link.bmp", Dir.File("chain.bmp"));
  std::filesystem::create_symlink("new.bmp", Dir.File("dangling.bmp"));
  std::filesystem::create_symlink("loop.bmp", Dir.File("loop.bmp"));
  IO.SaveToFile(*Picture, Dir.File("chain.bmp"));
  IO.SaveToFile(*Picture, Dir.File("dangling.bmp"));
  EXPECT_TRUE(std::filesystem::is_symlink(Dir.File("chain.bmp")));
  EXPECT_TRUE(std::filesystem::is_symlink(Dir.File("sub/link.bmp")));
  EXPECT_TRUE(std::filesystem::is_symlink(Dir.File("dangling.bmp")));
  for (const char* name : {"real.bmp", "new.bmp"}) {
    TBitmap loaded;
    IO.LoadFromFile(loaded, Dir.File(name));
    EXPECT_TRUE(SamePixels(loaded, *Picture)) << name;
  }
  EXPECT_EQ(Message([&] { IO.SaveToFile(*Picture, Dir.File("loop.bmp")); }),
            "Cannot create file " + Dir.File("loop.bmp") + ": Too many levels of symbolic links");
  EXPECT_EQ(FilesIn(Dir.Path()), 6u);
}

// Bytes of one format under a name that asks for another would not load again.
TEST_F(ImageIO, ALinkToAFileNamedForAnotherFormatIsRefusedAndTheFileKept) {
  IO.SaveToFile(*PhotoPicture(8, 8), Dir.File("real.png"));
  const TBytes before = ReadBytes(Dir.File("real.png"));
  std::filesystem::create_symlink("real.png", Dir.File("link.bmp"));
  std::filesystem::create_symlink("real.png", Dir.File("LINK.PNG"));
  EXPECT_EQ(Message([&] { IO.SaveToFile(*Picture, Dir.File("link.bmp")); }),
            "Cannot write file " + Dir.File("link.bmp") + ": it is a link to " + Dir.File("real.png") +
                ", whose name asks for another format");
  EXPECT_EQ(ReadBytes(Dir.File("real.png")), before);
  IO.SaveToFile(*Picture, Dir.File("LINK.PNG"));
  TBitmap loaded;
  IO.LoadFromFile(loaded, Dir.File("real.png"));
  EXPECT_TRUE(SamePixels(loaded, *Picture));
  EXPECT_EQ(FilesIn(Dir.Path()), 3u);
}

TEST_F(ImageIO, AnExistingFileKeepsItsModeOwnerAndLinks) {
  IO.SaveToFile(*PhotoPicture(8, 8), Dir.File("private.png"));
  ::chmod(Dir.File("private.png").c_str(), 0600);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(Dir.File("private.png").c_str(), 65534, 65534), 0);
  }
  IO.SaveToFile(*Picture, Dir.File("private.png"));
  struct stat st {};
  ASSERT_EQ(::stat(Dir.File("private.png").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0600u);
  if (root) {
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
  }

  IO.SaveToFile(*PhotoPicture(8, 8), Dir.File("linked.bmp"));
  ASSERT_EQ(::link(Dir.File("linked.bmp").c_str(), Dir.File("other-name.bmp").c_str()), 0);
  IO.SaveToFile(*Picture, Dir.File("linked.bmp"));
  TBitmap loaded;
  IO.LoadFromFile(loaded, Dir.File("other-name.bmp"));
  EXPECT_TRUE(SamePixels(loaded, *Picture));
  EXPECT_EQ(std::filesystem::hard_link_count(Dir.File("linked.bmp")), 2u);
  EXPECT_EQ(ReadBytes(Dir.File("linked.bmp")).size(), std::filesystem::file_size(Dir.File("linked.bmp")));
  EXPECT_EQ(FilesIn(Dir.Path()), 3u);
}

TEST_F(ImageIO, ATargetThatIsNoRegularFileIsRefusedAndStays) {
  ASSERT_EQ(::mkfifo(Dir.File("fifo.bmp").c_str(), 0600), 0);
  std::filesystem::create_directory(Dir.File("folder.bmp"));
  // A null device of our own, where the system lets us make one.
  const bool device = ::mknod(Dir.File("null.bmp").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  const std::map<std::string, std::string> reasons = {
      {"fifo.bmp", "not a regular file"}, {"folder.bmp", "Is a directory"}, {"null.bmp", "not a regular file"}};
  for (const auto& [name, reason] : reasons) {
    if (name == "null.bmp" && !device) continue;
    EXPECT_EQ(Message([&] { IO.SaveToFile(*Picture, Dir.File(name)); }),
              "Cannot create file " + Dir.File(name) + ": " + reason);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(Dir.File("fifo.bmp")));
  EXPECT_TRUE(std::filesystem::is_directory(Dir.File("folder.bmp")));
  EXPECT_TRUE(!device || std::filesystem::is_character_file(Dir.File("null.bmp")));
  EXPECT_EQ(FilesIn(Dir.Path()), device ? 3u : 2u);
}

TEST_F(ImageIO, ProgressRisesToAHundredPercentInEveryFormat) {
  for (const char* extension : {".png", ".bmp", ".pcx", ".tif", ".gif", ".jpg"}) {
    const std::string file = Dir.File(std::string("tall") + extension);
    IO.SaveToFile(*PhotoPicture(64, 300), file);
    std::vector<int> seen;
    IO.OnProgress = [&](int percent) { seen.push_back(percent); };
    TBitmap loaded;
    IO.LoadFromFile(loaded, file);
    ASSERT_GT(seen.size(), 5u) << extension;
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end())) << extension;
    EXPECT_EQ(seen.back(), 100) << extension;
  }
}

// A progress handler may stop a load by raising: the exception comes through unchanged, also
// across the codec libraries, and the picture stays as it was.
TEST_F(ImageIO, AnExceptionFromTheProgressHandlerEndsTheLoad) {
  struct EStop : std::runtime_error {
    EStop() : std::runtime_error("stop") {}
  };
  for (const char* extension : {".png", ".bmp", ".pcx", ".tif", ".gif", ".jpg"}) {
    const std::string file = Dir.File(std::string("tall") + extension);
    IO.SaveToFile(*PhotoPicture(64, 300), file);
    IO.OnProgress = [](int percent) {
      if (percent >= 50) throw EStop();
    };
    TBitmap kept(3, 2);
    EXPECT_THROW(IO.LoadFromFile(kept, file), EStop) << extension;
    EXPECT_EQ(kept.Width(), 3) << extension;
  }
}

}  // namespace
