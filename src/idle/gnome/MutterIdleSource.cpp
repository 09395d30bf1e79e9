#include "idle/gnome/MutterIdleSource.h"

#include <systemd/sd-bus.h>
#include <time.h>

#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr const char* kMonitor = "org.gnome.Mutter.IdleMonitor";
constexpr const char* kMonitorPath = "/org/gnome/Mutter/IdleMonitor/Core";
// The session manager's flag for "the session may not go idle" (a video playing).
constexpr uint32_t kInhibitIdle = 8;

class TMutterIdleSource final : public TIdleSource {
 public:
  explicit TMutterIdleSource(sd_bus* bus) : FBus(bus) {}
  ~TMutterIdleSource() override;

  bool Watch(unsigned seconds);
  int Descriptor() const override { return sd_bus_get_fd(FBus); }
  int WakeAfter() const override;
  void Dispatch(TIdleEvents& events) override;
  bool IdleInhibited() override;

 private:
  static int WatchFired(sd_bus_message* message, void* data, sd_bus_error*);
  static int OwnerChanged(sd_bus_message* message, void* data, sd_bus_error*);
  // A watch's id from the monitor; 0 when it could not be added.
  uint32_t AddWatch(const char* method, const char* signature, uint64_t milliseconds);

  sd_bus* FBus;
  sd_bus_slot* FFiredSlot = nullptr;
  sd_bus_slot* FOwnerSlot = nullptr;
  uint32_t FIdleWatch = 0, FActiveWatch = 0;
  bool FMonitorGone = false;
  TIdleEvents* FEvents = nullptr;  // during Dispatch
};

TMutterIdleSource::~TMutterIdleSource() {
  sd_bus_slot_unref(FFiredSlot);
  sd_bus_slot_unref(FOwnerSlot);
  sd_bus_flush_close_unref(FBus);
}

uint32_t TMutterIdleSource::AddWatch(const char* method, const char* signature, uint64_t milliseconds) {
  sd_bus_message* reply = nullptr;
  uint32_t id = 0;
  // An empty signature leaves the interval unread.
  const int called =
      sd_bus_call_method(FBus, kMonitor, kMonitorPath, kMonitor, method, nullptr, &reply, signature, milliseconds);
  if (called >= 0 && sd_bus_message_read(reply, "u", &id) < 0) id = 0;
  sd_bus_message_unref(reply);
  return id;
}

bool TMutterIdleSource::Watch(unsigned seconds) {
  // Heard before the watch exists, so that no firing can slip past.
  if (sd_bus_match_signal(FBus, &FFiredSlot, kMonitor, kMonitorPath, kMonitor, "WatchFired", WatchFired, this) < 0)
    return false;
  const std::string owner =
      std::string("type='signal',sender='org.freedesktop.DBus',member='NameOwnerChanged',arg0='") + kMonitor + "'";
  if (sd_bus_add_match(FBus, &FOwnerSlot, owner.c_str(), OwnerChanged, this) < 0) return false;
  FIdleWatch = AddWatch("AddIdleWatch", "t", uint64_t{seconds} * 1000);
  return FIdleWatch != 0;
}

int TMutterIdleSource::WatchFired(sd_bus_message* message, void* data, sd_bus_error*) {
  auto* self = static_cast<TMutterIdleSource*>(data);
  uint32_t id = 0;
  if (sd_bus_message_read(message, "u", &id) < 0 || id == 0) return 0;
  if (id == self->FIdleWatch) {
    // The idle watch fires again at each idle time; a user-active watch fires once.
    self->FActiveWatch = self->AddWatch("AddUserActiveWatch", "", 0);
    self->FEvents->Idle();
  } else if (id == self->FActiveWatch) {
    self->FActiveWatch = 0;
    self->FEvents->Active();
  }
  return 0;
}

int TMutterIdleSource::OwnerChanged(sd_bus_message* message, void* data, sd_bus_error*) {
  const char *name = nullptr, *before = nullptr, *after = nullptr;
  if (sd_bus_message_read(message, "sss", &name, &before, &after) >= 0 && after && !*after)
    static_cast<TMutterIdleSource*>(data)->FMonitorGone = true;
  return 0;
}

// Messages a call has already read wait in the connection's queue: then there is no sleeping.
int TMutterIdleSource::WakeAfter() const {
  uint64_t until = 0;
  if (sd_bus_get_timeout(FBus, &until) < 0 || until == UINT64_MAX) return -1;
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t nowMicroseconds = uint64_t(now.tv_sec) * 1000000 + uint64_t(now.tv_nsec) / 1000;
  return until <= nowMicroseconds ? 0 : int((until - nowMicroseconds + 999) / 1000);
}

void TMutterIdleSource::Dispatch(TIdleEvents& events) {
  FEvents = &events;
  int processed = 0;
  while ((processed = sd_bus_process(FBus, nullptr)) > 0 && !FMonitorGone) {
  }
  FEvents = nullptr;
  if (processed < 0) throw TSessionGone(std::string("the session bus has gone: ") + std::strerror(-processed));
  if (FMonitorGone) throw TSessionGone("Mutter's idle monitor has left the session bus");
}

bool TMutterIdleSource::IdleInhibited() {
  sd_bus_message* reply = nullptr;
  int inhibited = 0;
  // Without a session manager nothing inhibits.
  if (sd_bus_call_method(FBus, "org.gnome.SessionManager", "/org/gnome/SessionManager", "org.gnome.SessionManager",
                         "IsInhibited", nullptr, &reply, "u", kInhibitIdle) < 0 ||
      sd_bus_message_read(reply, "b", &inhibited) < 0)
    inhibited = 0;
  sd_bus_message_unref(reply);
  return inhibited != 0;
}

}  // namespace

std::unique_ptr<TIdleSource> ConnectMutterIdle(unsigned seconds) {
  sd_bus* bus = nullptr;
  if (sd_bus_open_user(&bus) < 0) return nullptr;
  auto source = std::make_unique<TMutterIdleSource>(bus);
  if (!source->Watch(seconds)) return nullptr;
  return source;
}
