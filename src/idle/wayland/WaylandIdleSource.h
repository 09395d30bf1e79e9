#pragma once
#include <memory>

#include "idle/IdleSource.h"

// The compositor's idle protocol: ext_idle_notifier_v1, or org_kde_kwin_idle where that is
// all it offers (sway 1.7, KWin). Both leave out the times something inhibits idle. Null when
// WAYLAND_DISPLAY names no compositor or it offers neither protocol.
std::unique_ptr<TIdleSource> ConnectWaylandIdle(unsigned seconds);
