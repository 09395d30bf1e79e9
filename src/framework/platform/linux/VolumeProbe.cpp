#include "VolumeProbe.h"

#include <blkid/blkid.h>
#include <sys/stat.h>

#include <memory>

#include "SystemFiles.h"

namespace {

struct TProbeDeleter {
  void operator()(blkid_struct_probe* probe) const { blkid_free_probe(probe); }
};
using TProbe = std::unique_ptr<blkid_struct_probe, TProbeDeleter>;

std::string Value(blkid_probe probe, const char* name) {
  const char* value = nullptr;
  return blkid_probe_lookup_value(probe, name, &value, nullptr) == 0 && value ? value : "";
}

}  // namespace

std::optional<TVolumeIdentity> ProbeVolume(const std::string& path) {
  const TReadOnlyFile file(path);
  if (!S_ISREG(file.Type()) && !S_ISBLK(file.Type())) return std::nullopt;
  const TProbe probe(blkid_new_probe());
  if (!probe || blkid_probe_set_device(probe.get(), file.Fd(), 0, 0) != 0) return std::nullopt;
  blkid_probe_enable_superblocks(probe.get(), 1);
  blkid_probe_set_superblocks_flags(probe.get(), BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
  // Safe probing: a device that carries two different signatures answers nothing.
  if (blkid_do_safeprobe(probe.get()) != 0) return std::nullopt;
  return TVolumeIdentity{Value(probe.get(), "LABEL"), Value(probe.get(), "UUID"), Value(probe.get(), "TYPE")};
}
