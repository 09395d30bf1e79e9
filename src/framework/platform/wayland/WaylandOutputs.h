#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/WindowSystem.h"

struct wl_output;
class TWaylandOutputs;

// One monitor as the compositor describes it. Its details come one event at a time and
// hold once `done` arrives.
struct TWaylandOutput {
  TWaylandOutputs* List = nullptr;
  std::uint32_t RegistryName = 0;
  wl_output* Proxy = nullptr;
  TScreenInfo Info;         // what the program sees, as of the last `done`
  TScreenInfo Pending;      // what has arrived since
  bool Transposed = false;  // turned by a quarter: the mode's width is the height on screen
  bool Done = false;        // described at least once: a screen of the program
};

// The compositor's outputs in the order they were announced. Screen ids count up from 1
// and are never given again.
class TWaylandOutputs {
 public:
  // `changed` runs when the screens change: an output described for the first time or
  // anew, or one of them gone.
  explicit TWaylandOutputs(std::function<void()> changed) : FChanged(std::move(changed)) {}
  ~TWaylandOutputs();
  TWaylandOutputs(const TWaylandOutputs&) = delete;
  TWaylandOutputs& operator=(const TWaylandOutputs&) = delete;

  // An announced output; a null proxy makes a record without a compositor (tests).
  TWaylandOutput& Add(std::uint32_t registryName, wl_output* proxy);
  // False when no output has that registry name (the global was something else).
  bool Remove(std::uint32_t registryName);

  // What the events of one output tell.
  void Mode(TWaylandOutput& output, int width, int height);
  void Transform(TWaylandOutput& output, int transform);
  void Scale(TWaylandOutput& output, int scale);
  void Name(TWaylandOutput& output, const std::string& name);
  void Done(TWaylandOutput& output);

  std::vector<TScreenInfo> Screens() const;
  // The described output of a screen; 0 names the first. Null when there is none.
  const TWaylandOutput* Find(TScreenId screen) const;
  const TWaylandOutput* FindProxy(const wl_output* proxy) const;

 private:
  std::function<void()> FChanged;
  std::vector<std::unique_ptr<TWaylandOutput>> FOutputs;
  TScreenId FLastId = 0;
};
