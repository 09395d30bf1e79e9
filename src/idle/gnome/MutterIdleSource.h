#pragma once
#include <memory>

#include "idle/IdleSource.h"

// GNOME's compositor on the session bus: an idle watch of Mutter's idle monitor, a user-active
// watch after each idle time, and GNOME's session manager for what inhibits idle. Null when the
// session bus cannot be reached or has no idle monitor.
std::unique_ptr<TIdleSource> ConnectMutterIdle(unsigned seconds);
