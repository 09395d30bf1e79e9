#pragma once

// Runs `AtExit` however the scope is left: returned from, or left by an exception.
template <class F>
struct TScopeExit {
  F AtExit;
  ~TScopeExit() { AtExit(); }
};
template <class F>
TScopeExit(F) -> TScopeExit<F>;
