#include "VolumeProbe.h"

#include <blkid/blkid.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

namespace {

struct TProbeDeleter {
  void operator()(blkid_struct_probe* probe) const { blkid_free_probe(probe); }
};
using TProbe = std::unique_ptr<blkid_struct_probe, TProbeDeleter>;

struct TFdCloser {
  int Fd;
  ~TFdCloser() {
    if (Fd >= 0) close(Fd);
  }
};

std::string Value(blkid_probe probe, const char* name) {
  const char* value = nullptr;
  return blkid_probe_lookup_value(probe, name, &value, nullptr) == 0 && value ? value : "";
}

}  // namespace

std::optional<TVolumeIdentity> ProbeVolume(const std::string& path) {
  // Non-blocking: an optical drive without a disc opens at once instead of waiting for one.
  const TFdCloser file{open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  struct stat status {};
  if (file.Fd < 0 || fstat(file.Fd, &status) != 0 || !(S_ISREG(status.st_mode) || S_ISBLK(status.st_mode)))
    return std::nullopt;
  const TProbe probe(blkid_new_probe());
  if (!probe || blkid_probe_set_device(probe.get(), file.Fd, 0, 0) != 0) return std::nullopt;
  blkid_probe_enable_superblocks(probe.get(), 1);
  blkid_probe_set_superblocks_flags(probe.get(), BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
  // Safe probing: a device that carries two different signatures answers nothing.
  if (blkid_do_safeprobe(probe.get()) != 0) return std::nullopt;
  return TVolumeIdentity{Value(probe.get(), "LABEL"), Value(probe.get(), "UUID"), Value(probe.get(), "TYPE")};
}
