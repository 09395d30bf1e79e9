#pragma once
#include <cstdint>
#include <functional>

class TWaylandGlobals;
class TWaylandOutputs;
class TWaylandWindowTable;
struct TWaylandWindow;
struct wl_seat;

// The roles that place the program's surfaces. A full-screen window is a layer surface
// above everything on its output, taking the keyboard for itself; where the compositor has
// no layer shell (or it is not to be used), a toplevel made full screen on its output.
// A menu is a popup over a window of the program, taking the seat's input while shown. Every
// other window is an ordinary toplevel, framed by the compositor where it offers to draw
// frames (and that is not turned off), else by the program.
class TWaylandShell {
 public:
  struct TOptions {
    bool UseLayerShell = true;
    bool UseServerFrames = true;
  };
  struct THandlers {
    // The window's new configuration is acknowledged: its size (logical) is known.
    std::function<void(TWaylandWindow&)> Configured;
    std::function<void(TWaylandWindow&)> CloseRequested;
  };
  TWaylandShell(TWaylandGlobals& globals, TWaylandOutputs& outputs, TWaylandWindowTable& windows,
                const TOptions& options, THandlers handlers);

  // Gives a window whose surface exists its role, as its parameters say; a popup gets its
  // role each time it is shown.
  void Assign(TWaylandWindow& window);
  void Withdraw(TWaylandWindow& window);
  // Mapping starts with a commit without pixels; the compositor answers with a configure.
  void Map(TWaylandWindow& window);
  void Unmap(TWaylandWindow& window);
  // Shows a popup over `parent`, a window with a role of the shell, holding the input of
  // `seat` from the input event of `serial` on.
  void MapPopup(TWaylandWindow& popup, TWaylandWindow& parent, wl_seat* seat, std::uint32_t serial);
  void SetTitle(TWaylandWindow& window, const char* title);
  // The program set an ordinary window's bounds: its logical size and a popup's logical place
  // follow. Whether either changed (the same ones at another scale are no change).
  bool SizeSet(TWaylandWindow& window);

  // --- What the listeners report ---
  void LayerConfigured(TWaylandWindow& window, std::uint32_t serial, std::uint32_t width, std::uint32_t height);
  void ToplevelConfigured(TWaylandWindow& window, std::int32_t width, std::int32_t height, bool activated);
  void FrameConfigured(TWaylandWindow& window, std::uint32_t mode);
  void ShellSurfaceConfigured(TWaylandWindow& window, std::uint32_t serial);
  void PopupConfigured(TWaylandWindow& window, std::int32_t x, std::int32_t y);
  void Closed(TWaylandWindow& window);

 private:
  void AssignLayer(TWaylandWindow& window);
  void AssignToplevel(TWaylandWindow& window);
  void AskForServerFrame(TWaylandWindow& window);
  void SetSizeLimits(TWaylandWindow& window);
  void WithdrawPopup(TWaylandWindow& window);
  // The logical size of the output a full-screen window covers, for a configure without one.
  void FillFromOutput(TWaylandWindow& window);

  TWaylandGlobals& FGlobals;
  TWaylandOutputs& FOutputs;
  TWaylandWindowTable& FWindows;
  TOptions FOptions;
  THandlers FHandlers;
};
