#pragma once
#include <memory>

#include "idle/IdleSource.h"

// The X server's screen-saver extension: its idle time, asked when it could first have reached
// the time wanted (TIdleTimeLooks makes sense of the answers). While an xscreensaver daemon
// runs, that daemon is the host and idle is inhibited. Null when DISPLAY names no server or it
// lacks the extension.
std::unique_ptr<TIdleSource> ConnectX11Idle(unsigned seconds);
