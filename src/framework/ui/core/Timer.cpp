#include "Timer.h"

#include <algorithm>

#include "Application.h"
#include "framework/base/StoreChanged.h"

namespace {

std::int64_t Now() { return Application && Application->HasWindowSystem() ? Application->WindowSystem().NowMs() : 0; }

}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  Restart();
  if (Application) Application->AddTimer(this);
}

TTimer::~TTimer() {
  if (Application) Application->RemoveTimer(this);
}

void TTimer::SetEnabled(bool enabled) {
  if (!StoreChanged(FEnabled, enabled)) return;
  Restart();
}

void TTimer::SetInterval(int milliseconds) {
  if (!StoreChanged(FInterval, milliseconds)) return;
  Restart();
}

void TTimer::Restart() { FNextDue = Now() + std::max(FInterval, MinimumIntervalMs); }

void TTimer::Tick(std::int64_t nowMs) {
  // Counted from now, not from when the tick was due: a late timer does not catch up.
  FNextDue = nowMs + std::max(FInterval, MinimumIntervalMs);
  if (OnTimer) OnTimer(this);
}
