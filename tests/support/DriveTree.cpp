#include "DriveTree.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fs = std::filesystem;

TSystemTree TDriveTree::Paths() const { return {Path("/mountinfo"), Path("/sys"), Path("/udev"), FDir.Path()}; }

void TDriveTree::MountInfo(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  Write("/mountinfo", text);
}

void TDriveTree::Write(const std::string& inside, const std::string& text) {
  fs::create_directories(fs::path(Path(inside)).parent_path());
  std::ofstream(Path(inside), std::ios::binary) << text;
}

void TDriveTree::Folder(const std::string& inside) { fs::create_directories(Path(inside)); }

void TDriveTree::Link(const std::string& inside, const std::string& target) {
  fs::create_directories(fs::path(Path(inside)).parent_path());
  fs::create_symlink(target, Path(inside));
}

void TDriveTree::BlockNode(const std::string& folder, const std::string& name, int major, int minor) {
  Write(folder + "/dev", std::to_string(major) + ":" + std::to_string(minor) + "\n");
  Link("/sys/class/block/" + name, "../../" + folder.substr(std::string("/sys/").size()));
}

void TDriveTree::Disk(const std::string& bus, const std::string& disk, int major, int minor, bool removable,
                      const std::vector<std::string>& partitions) {
  const std::string folder = "/sys/devices/" + bus + "/block/" + disk;
  BlockNode(folder, disk, major, minor);
  Write(folder + "/removable", removable ? "1\n" : "0\n");
  for (const std::string& partition : partitions) {
    BlockNode(folder + "/" + partition, partition, major, ++minor);
    Write(folder + "/" + partition + "/partition", "1\n");
  }
}

void TDriveTree::Udev(const std::string& number, const std::vector<std::string>& properties) {
  std::string text = "S:disk/by-id/made-up\nI:1234\n";
  for (const std::string& property : properties) text += "E:" + property + "\n";
  Write("/udev/b" + number, text);
}

namespace {

std::string FindProgram(const std::string& name) {
  if (name.find('/') != std::string::npos) return name;
  const char* path = std::getenv("PATH");
  const std::string folders = std::string(path ? path : "/usr/bin:/bin") + ":/usr/sbin:/sbin";
  for (std::size_t start = 0, end; start <= folders.size(); start = end + 1) {
    end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string candidate = folders.substr(start, end - start) + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  throw std::runtime_error(name + " is not installed (tools/deps.sh installs it)");
}

void MakeEmptyFile(const std::string& file, std::uintmax_t bytes) {
  fs::create_directories(fs::path(file).parent_path());
  std::ofstream(file, std::ios::binary).close();
  fs::resize_file(file, bytes);
}

}  // namespace

std::string RunProgram(const std::vector<std::string>& arguments) {
  const std::string program = FindProgram(arguments.at(0));
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int output[2];
  if (pipe(output) != 0) throw std::runtime_error("pipe failed");
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(output[1], STDOUT_FILENO);
    close(output[0]);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  close(output[1]);
  std::string text;
  char chunk[4096];
  for (ssize_t got; (got = read(output[0], chunk, sizeof chunk)) > 0;)
    text.append(chunk, static_cast<std::size_t>(got));
  close(output[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error(arguments[0] + " failed");
  return text;
}

void MakeVfatImage(const std::string& file, const std::string& label, const std::string& volumeId) {
  MakeEmptyFile(file, 2 << 20);
  RunProgram({"mkfs.vfat", "-n", label, "-i", volumeId, file});
}

void MakeExt4Image(const std::string& file, const std::string& label, const std::string& uuid) {
  MakeEmptyFile(file, 4 << 20);
  RunProgram({"mkfs.ext4", "-q", "-F", "-L", label, "-U", uuid, file});
}
