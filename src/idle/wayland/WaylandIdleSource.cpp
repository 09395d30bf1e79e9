#include "idle/wayland/WaylandIdleSource.h"

#include <wayland-client.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "ext-idle-notify-v1-client-protocol.h"
#include "idle-client-protocol.h"

namespace {

// A small connection of its own: the seat and whichever idle protocol the compositor offers.
class TWaylandIdleSource final : public TIdleSource {
 public:
  explicit TWaylandIdleSource(wl_display* display) : FDisplay(display) {}
  ~TWaylandIdleSource() override;

  bool Bind(unsigned seconds);
  int Descriptor() const override { return wl_display_get_fd(FDisplay); }
  void Dispatch(TIdleEvents& events) override;

 private:
  static void Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t version);
  static void GlobalRemove(void*, wl_registry*, uint32_t) {}
  // Both protocols' events carry nothing but their object.
  template <class TObject>
  static void Idled(void* data, TObject*) {
    static_cast<TWaylandIdleSource*>(data)->FEvents->Idle();
  }
  template <class TObject>
  static void Resumed(void* data, TObject*) {
    static_cast<TWaylandIdleSource*>(data)->FEvents->Active();
  }
  void Flush();

  wl_display* FDisplay;
  wl_registry* FRegistry = nullptr;
  wl_seat* FSeat = nullptr;
  ext_idle_notifier_v1* FNotifier = nullptr;
  ext_idle_notification_v1* FNotification = nullptr;
  org_kde_kwin_idle* FKdeIdle = nullptr;
  org_kde_kwin_idle_timeout* FKdeTimeout = nullptr;
  TIdleEvents* FEvents = nullptr;  // during Dispatch
};

TWaylandIdleSource::~TWaylandIdleSource() {
  if (FNotification) ext_idle_notification_v1_destroy(FNotification);
  if (FNotifier) ext_idle_notifier_v1_destroy(FNotifier);
  if (FKdeTimeout) org_kde_kwin_idle_timeout_release(FKdeTimeout);
  if (FKdeIdle) org_kde_kwin_idle_destroy(FKdeIdle);
  if (FSeat) wl_seat_destroy(FSeat);
  if (FRegistry) wl_registry_destroy(FRegistry);
  wl_display_disconnect(FDisplay);
}

void TWaylandIdleSource::Global(void* data, wl_registry* registry, uint32_t name, const char* interface, uint32_t) {
  auto* self = static_cast<TWaylandIdleSource*>(data);
  const std::string named = interface;
  // The first seat: the one a desktop session has.
  if (named == wl_seat_interface.name && !self->FSeat)
    self->FSeat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
  else if (named == ext_idle_notifier_v1_interface.name)
    self->FNotifier =
        static_cast<ext_idle_notifier_v1*>(wl_registry_bind(registry, name, &ext_idle_notifier_v1_interface, 1));
  else if (named == org_kde_kwin_idle_interface.name)
    self->FKdeIdle = static_cast<org_kde_kwin_idle*>(wl_registry_bind(registry, name, &org_kde_kwin_idle_interface, 1));
}

bool TWaylandIdleSource::Bind(unsigned seconds) {
  static const wl_registry_listener registryListener{Global, GlobalRemove};
  FRegistry = wl_display_get_registry(FDisplay);
  wl_registry_add_listener(FRegistry, &registryListener, this);
  if (wl_display_roundtrip(FDisplay) < 0 || !FSeat) return false;
  const uint32_t milliseconds = seconds * 1000;
  if (FNotifier) {
    static const ext_idle_notification_v1_listener listener{Idled, Resumed};
    FNotification = ext_idle_notifier_v1_get_idle_notification(FNotifier, milliseconds, FSeat);
    ext_idle_notification_v1_add_listener(FNotification, &listener, this);
  } else if (FKdeIdle) {
    static const org_kde_kwin_idle_timeout_listener listener{Idled, Resumed};
    FKdeTimeout = org_kde_kwin_idle_get_idle_timeout(FKdeIdle, FSeat, milliseconds);
    org_kde_kwin_idle_timeout_add_listener(FKdeTimeout, &listener, this);
  } else {
    return false;
  }
  Flush();
  return true;
}

void TWaylandIdleSource::Dispatch(TIdleEvents& events) {
  FEvents = &events;
  const int dispatched = wl_display_dispatch(FDisplay);
  FEvents = nullptr;
  if (dispatched < 0) throw TSessionGone(std::string("the Wayland compositor has gone: ") + std::strerror(errno));
  Flush();
}

void TWaylandIdleSource::Flush() {
  if (wl_display_flush(FDisplay) < 0 && errno != EAGAIN)
    throw TSessionGone(std::string("the Wayland compositor has gone: ") + std::strerror(errno));
}

}  // namespace

std::unique_ptr<TIdleSource> ConnectWaylandIdle(unsigned seconds) {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return nullptr;
  auto source = std::make_unique<TWaylandIdleSource>(display);
  if (!source->Bind(seconds)) return nullptr;
  return source;
}
