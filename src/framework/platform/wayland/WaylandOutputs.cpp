#include "WaylandOutputs.h"

#include <algorithm>

#include "WaylandApi.h"
#include "WaylandLimits.h"

namespace {

TWaylandOutput& Output(void* data) { return *static_cast<TWaylandOutput*>(data); }
TWaylandOutputs& List(void* data) { return *Output(data).List; }

const wl_output_listener kOutputListener = {
    .geometry = [](void* data, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                   const char*, const char*, std::int32_t transform) { List(data).Transform(Output(data), transform); },
    .mode =
        [](void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height, std::int32_t) {
          if (flags & WL_OUTPUT_MODE_CURRENT) List(data).Mode(Output(data), width, height);
        },
    .done = [](void* data, wl_output*) { List(data).Done(Output(data)); },
    .scale = [](void* data, wl_output*, std::int32_t scale) { List(data).Scale(Output(data), scale); },
    .name = [](void* data, wl_output*, const char* name) { List(data).Name(Output(data), name); },
    .description = [](void*, wl_output*, const char*) {},
};

void Release(wl_output* proxy) {
  if (!proxy) return;
  if (wl_output_get_version(proxy) >= WL_OUTPUT_RELEASE_SINCE_VERSION) wl_output_release(proxy);
  else wl_output_destroy(proxy);
}

}  // namespace

TWaylandOutputs::~TWaylandOutputs() {
  for (const auto& output : FOutputs) Release(output->Proxy);
}

TWaylandOutput& TWaylandOutputs::Add(std::uint32_t registryName, wl_output* proxy) {
  auto output = std::make_unique<TWaylandOutput>();
  output->List = this;
  output->RegistryName = registryName;
  output->Proxy = proxy;
  output->Pending.Id = ++FLastId;
  if (proxy) wl_output_add_listener(proxy, &kOutputListener, output.get());
  FOutputs.push_back(std::move(output));
  return *FOutputs.back();
}

bool TWaylandOutputs::Remove(std::uint32_t registryName) {
  const auto found = std::find_if(FOutputs.begin(), FOutputs.end(),
                                  [&](const auto& output) { return output->RegistryName == registryName; });
  if (found == FOutputs.end()) return false;
  const bool wasScreen = (*found)->Done;
  Release((*found)->Proxy);
  FOutputs.erase(found);
  if (wasScreen) FChanged();
  return true;
}

// Sizes beyond what a monitor has are not believed: the last good one stays.
void TWaylandOutputs::Mode(TWaylandOutput& output, int width, int height) {
  if (width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide) output.Pending.Size = {width, height};
}

void TWaylandOutputs::Transform(TWaylandOutput& output, int transform) {
  output.Transposed = transform % 2 == 1;  // 90 and 270 degrees, flipped or not
}

void TWaylandOutputs::Scale(TWaylandOutput& output, int scale) {
  if (scale >= 1 && scale <= kMaxScale) output.Pending.Scale = scale;
}

void TWaylandOutputs::Name(TWaylandOutput& output, const std::string& name) { output.Pending.Name = name; }

void TWaylandOutputs::Done(TWaylandOutput& output) {
  TScreenInfo info = output.Pending;
  if (output.Transposed) info.Size = {info.Size.cy, info.Size.cx};
  if (output.Done && info == output.Info) return;
  output.Info = info;
  output.Done = true;
  FChanged();
}

std::vector<TScreenInfo> TWaylandOutputs::Screens() const {
  std::vector<TScreenInfo> screens;
  for (const auto& output : FOutputs)
    if (output->Done) screens.push_back(output->Info);
  return screens;
}

const TWaylandOutput* TWaylandOutputs::Find(TScreenId screen) const {
  for (const auto& output : FOutputs)
    if (output->Done && (screen == 0 || output->Info.Id == screen)) return output.get();
  return nullptr;
}

const TWaylandOutput* TWaylandOutputs::FindProxy(const wl_output* proxy) const {
  for (const auto& output : FOutputs)
    if (output->Proxy == proxy) return output.get();
  return nullptr;
}
