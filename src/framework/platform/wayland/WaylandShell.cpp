#include "WaylandShell.h"

#include <cmath>
#include <utility>

#include "PopupPlacement.h"
#include "WaylandApi.h"
#include "WaylandGlobals.h"
#include "WaylandOutputs.h"
#include "WaylandViewport.h"
#include "WaylandWindowFrames.h"
#include "WaylandWindowTable.h"

namespace {

TWaylandWindow& Window(void* data) { return *static_cast<TWaylandWindow*>(data); }

const zwlr_layer_surface_v1_listener kLayerListener = {
    .configure =
        [](void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t width, std::uint32_t height) {
          Window(data).Role.Shell->LayerConfigured(Window(data), serial, width, height);
        },
    .closed = [](void* data, zwlr_layer_surface_v1*) { Window(data).Role.Shell->Closed(Window(data)); },
};

const xdg_surface_listener kShellSurfaceListener = {
    .configure = [](void* data, xdg_surface*,
                    std::uint32_t serial) { Window(data).Role.Shell->ShellSurfaceConfigured(Window(data), serial); },
};

// Whether the states of a toplevel's configure say that it has the keyboard.
bool Activated(const wl_array* states) {
  const auto* state = static_cast<const std::uint32_t*>(states->data);
  for (std::size_t i = 0; i < states->size / sizeof(std::uint32_t); ++i)
    if (state[i] == XDG_TOPLEVEL_STATE_ACTIVATED) return true;
  return false;
}

const xdg_toplevel_listener kToplevelListener = {
    .configure =
        [](void* data, xdg_toplevel*, std::int32_t width, std::int32_t height, wl_array* states) {
          Window(data).Role.Shell->ToplevelConfigured(Window(data), width, height, Activated(states));
        },
    .close = [](void* data, xdg_toplevel*) { Window(data).Role.Shell->Closed(Window(data)); },
    .configure_bounds = [](void*, xdg_toplevel*, std::int32_t, std::int32_t) {},
    .wm_capabilities = [](void*, xdg_toplevel*, wl_array*) {},
};

const xdg_popup_listener kPopupListener = {
    .configure = [](void* data, xdg_popup*, std::int32_t x, std::int32_t y, std::int32_t,
                    std::int32_t) { Window(data).Role.Shell->PopupConfigured(Window(data), x, y); },
    // Dismissed by the compositor: a click on another program's window.
    .popup_done = [](void* data, xdg_popup*) { Window(data).Role.Shell->Closed(Window(data)); },
    // Version 3, never bound.
    .repositioned = nullptr,
};

const zxdg_toplevel_decoration_v1_listener kDecorationListener = {
    .configure = [](void* data, zxdg_toplevel_decoration_v1*,
                    std::uint32_t mode) { Window(data).Role.Shell->FrameConfigured(Window(data), mode); },
};

// The widths and heights of the program's frame around the client area, in logical pixels.
TSize LogicalFrame(const TWaylandWindow& window) {
  const TRect& insets = window.Frame.LogicalInsets;
  return {insets.Left + insets.Right, insets.Top + insets.Bottom};
}

// A window's top-left corner in logical pixels, from its bounds at its form's scale.
TPoint LogicalOrigin(const TWaylandWindow& window) {
  const double scale = window.View.FormScale;
  return {static_cast<int>(std::lround(window.Params.Bounds.Left / scale)),
          static_cast<int>(std::lround(window.Params.Bounds.Top / scale))};
}

constexpr const char* kAppId = "zzquenbrel";
constexpr std::uint32_t kAllEdges = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

}  // namespace

TWaylandShell::TWaylandShell(TWaylandGlobals& globals, TWaylandOutputs& outputs, TWaylandWindowTable& windows,
                             const TOptions& options, THandlers handlers)
    : FGlobals(globals), FOutputs(outputs), FWindows(windows), FOptions(options), FHandlers(std::move(handlers)) {}

// A full-screen window is drawn at its output's device pixels; other windows at the scale
// their forms were drawn at (their bounds are in its device pixels).
void TWaylandShell::Assign(TWaylandWindow& window) {
  window.Role.Shell = this;
  if (window.Params.FullScreen) {
    const TWaylandOutput* output = FOutputs.Find(window.Params.Screen);
    window.Role.Screen = output ? output->Info.Id : 0;
    WaylandViewport::OutputScale(window, output ? output->Info.Scale : 1);
  }
  if (window.Params.Popup) {
    window.Role.Logical =
        WaylandViewport::LogicalSize(window, {window.Params.Bounds.Width(), window.Params.Bounds.Height()});
    return;
  }
  if (window.Params.FullScreen && FOptions.UseLayerShell && FGlobals.LayerShell) AssignLayer(window);
  else AssignToplevel(window);
}

// Above every window, on every edge of its output, pushing nothing aside, with the keyboard
// for itself while it is there.
void TWaylandShell::AssignLayer(TWaylandWindow& window) {
  const TWaylandOutput* output = FOutputs.Find(window.Role.Screen);
  window.Role.Layer = zwlr_layer_shell_v1_get_layer_surface(
      FGlobals.LayerShell, window.Surface, output ? output->Proxy : nullptr, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, kAppId);
  zwlr_layer_surface_v1_add_listener(window.Role.Layer, &kLayerListener, &window);
  zwlr_layer_surface_v1_set_anchor(window.Role.Layer, kAllEdges);
  zwlr_layer_surface_v1_set_exclusive_zone(window.Role.Layer, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(window.Role.Layer,
                                                   ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  zwlr_layer_surface_v1_set_size(window.Role.Layer, 0, 0);
}

void TWaylandShell::AssignToplevel(TWaylandWindow& window) {
  window.Role.ShellSurface = xdg_wm_base_get_xdg_surface(FGlobals.Shell, window.Surface);
  xdg_surface_add_listener(window.Role.ShellSurface, &kShellSurfaceListener, &window);
  window.Role.Toplevel = xdg_surface_get_toplevel(window.Role.ShellSurface);
  xdg_toplevel_add_listener(window.Role.Toplevel, &kToplevelListener, &window);
  xdg_toplevel_set_app_id(window.Role.Toplevel, kAppId);
  SetTitle(window, window.Params.Caption.c_str());
  if (window.Params.FullScreen) {
    const TWaylandOutput* output = FOutputs.Find(window.Role.Screen);
    xdg_toplevel_set_fullscreen(window.Role.Toplevel, output ? output->Proxy : nullptr);
    return;
  }
  window.Role.Logical =
      WaylandViewport::LogicalSize(window, {window.Params.Bounds.Width(), window.Params.Bounds.Height()});
  AskForServerFrame(window);
  // A modal dialog stays with its owner.
  if (const TWaylandWindow* owner = FWindows.Find(window.Params.TransientFor); owner && owner->Role.Toplevel)
    xdg_toplevel_set_parent(window.Role.Toplevel, owner->Role.Toplevel);
  TWaylandWindowFrames::Update(window);
  SetSizeLimits(window);
}

// A dialog keeps its size, another window its least size if it has one: the compositor's
// frame goes around them, the program's own is part of the window.
void TWaylandShell::SetSizeLimits(TWaylandWindow& window) {
  if (!window.Role.Toplevel || window.Params.FullScreen) return;
  const bool dialog = window.Params.BorderStyle == TBorderStyle::bsDialog;
  const TSize client = dialog ? window.Role.Logical : window.Params.MinSize;
  if (client.cx <= 0 || client.cy <= 0) return;
  const TSize frame = LogicalFrame(window);
  const TSize size{client.cx + frame.cx, client.cy + frame.cy};
  xdg_toplevel_set_min_size(window.Role.Toplevel, size.cx, size.cy);
  if (dialog) xdg_toplevel_set_max_size(window.Role.Toplevel, size.cx, size.cy);
}

// Until the compositor answers otherwise, the window expects the frame it asked for.
void TWaylandShell::AskForServerFrame(TWaylandWindow& window) {
  if (!FOptions.UseServerFrames || !FGlobals.Decorations) return;
  window.Role.ServerFrame = window.Role.PendingServerFrame = true;
  window.Role.Decoration =
      zxdg_decoration_manager_v1_get_toplevel_decoration(FGlobals.Decorations, window.Role.Toplevel);
  zxdg_toplevel_decoration_v1_add_listener(window.Role.Decoration, &kDecorationListener, &window);
  zxdg_toplevel_decoration_v1_set_mode(window.Role.Decoration, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
}

void TWaylandShell::MapPopup(TWaylandWindow& popup, TWaylandWindow& parent, wl_seat* seat, std::uint32_t serial) {
  // In logical pixels: the popup's place at its form's scale, the window below at its own.
  const TPoint at = popup.Role.PopupOrigin = LogicalOrigin(popup);
  const TSize frame = LogicalFrame(parent);
  const TPopupPlacement place =
      PlacePopup(at, popup.Role.Logical, {parent.Frame.LogicalInsets.Left, parent.Frame.LogicalInsets.Top},
                 {parent.Role.Logical.cx + frame.cx, parent.Role.Logical.cy + frame.cy});
  xdg_positioner* positioner = xdg_wm_base_create_positioner(FGlobals.Shell);
  xdg_positioner_set_size(positioner, place.Size.cx, place.Size.cy);
  xdg_positioner_set_anchor_rect(positioner, place.Anchor.Left, place.Anchor.Top, place.Anchor.Width(),
                                 place.Anchor.Height());
  xdg_positioner_set_anchor(positioner, XDG_POSITIONER_ANCHOR_TOP_LEFT);
  xdg_positioner_set_gravity(positioner, XDG_POSITIONER_GRAVITY_BOTTOM_RIGHT);
  xdg_positioner_set_constraint_adjustment(
      positioner, XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_FLIP_X | XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_FLIP_Y |
                      XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_SLIDE_X | XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_SLIDE_Y);
  popup.Role.ShellSurface = xdg_wm_base_get_xdg_surface(FGlobals.Shell, popup.Surface);
  xdg_surface_add_listener(popup.Role.ShellSurface, &kShellSurfaceListener, &popup);
  popup.Role.Popup = xdg_surface_get_popup(popup.Role.ShellSurface, parent.Role.ShellSurface, positioner);
  xdg_positioner_destroy(positioner);
  xdg_popup_add_listener(popup.Role.Popup, &kPopupListener, &popup);
  // Taken before the first commit, or not at all.
  if (seat) xdg_popup_grab(popup.Role.Popup, seat, serial);
  popup.Role.PopupParent = parent.Handle;
  popup.Role.PopupAt = {place.Anchor.Left, place.Anchor.Top};
  wl_surface_commit(popup.Surface);
}

void TWaylandShell::WithdrawPopup(TWaylandWindow& window) {
  if (window.Role.Popup) xdg_popup_destroy(window.Role.Popup);
  if (window.Role.ShellSurface) xdg_surface_destroy(window.Role.ShellSurface);
  window.Role.Popup = nullptr;
  window.Role.ShellSurface = nullptr;
  window.Role.PopupParent = 0;
}

void TWaylandShell::Withdraw(TWaylandWindow& window) {
  WithdrawPopup(window);
  // The frame's object goes before its toplevel, as the protocol demands.
  if (window.Role.Decoration) zxdg_toplevel_decoration_v1_destroy(window.Role.Decoration);
  window.Role.Decoration = nullptr;
  if (window.Role.Layer) zwlr_layer_surface_v1_destroy(window.Role.Layer);
  if (window.Role.Toplevel) xdg_toplevel_destroy(window.Role.Toplevel);
  if (window.Role.ShellSurface) xdg_surface_destroy(window.Role.ShellSurface);
  window.Role.Layer = nullptr;
  window.Role.Toplevel = nullptr;
  window.Role.ShellSurface = nullptr;
}

void TWaylandShell::Map(TWaylandWindow& window) { wl_surface_commit(window.Surface); }

// A popup loses its role with its showing: the next showing places it anew.
void TWaylandShell::Unmap(TWaylandWindow& window) {
  wl_surface_attach(window.Surface, nullptr, 0, 0);
  wl_surface_commit(window.Surface);
  window.Role.Configured = false;
  if (window.Params.Popup) WithdrawPopup(window);
}

void TWaylandShell::SetTitle(TWaylandWindow& window, const char* title) {
  if (window.Role.Toplevel) xdg_toplevel_set_title(window.Role.Toplevel, title);
  TWaylandWindowFrames::SetTitle(window, title);
}

bool TWaylandShell::SizeSet(TWaylandWindow& window) {
  const TSize logical = std::exchange(window.Role.Logical, WaylandViewport::LogicalSize(window, window.Size));
  const TPoint origin = std::exchange(window.Role.PopupOrigin, LogicalOrigin(window));
  return logical != window.Role.Logical || origin != window.Role.PopupOrigin;
}

void TWaylandShell::LayerConfigured(TWaylandWindow& window, std::uint32_t serial, std::uint32_t width,
                                    std::uint32_t height) {
  zwlr_layer_surface_v1_ack_configure(window.Role.Layer, serial);
  window.Role.Logical = {static_cast<int>(width), static_cast<int>(height)};
  if (width == 0 || height == 0) FillFromOutput(window);
  window.Role.Configured = true;
  FHandlers.Configured(window);
}

void TWaylandShell::ToplevelConfigured(TWaylandWindow& window, std::int32_t width, std::int32_t height,
                                       bool activated) {
  window.Role.PendingLogical = {width, height};
  window.Role.PendingActive = activated;
}

void TWaylandShell::FrameConfigured(TWaylandWindow& window, std::uint32_t mode) {
  window.Role.PendingServerFrame = mode == ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE;
}

// Zero leaves the size to the program: a full-screen window still covers its output.
void TWaylandShell::ShellSurfaceConfigured(TWaylandWindow& window, std::uint32_t serial) {
  xdg_surface_ack_configure(window.Role.ShellSurface, serial);
  window.Role.Active = window.Role.PendingActive;
  window.Role.ServerFrame = window.Role.PendingServerFrame;
  if (TWaylandWindowFrames::Update(window)) SetSizeLimits(window);
  // The size is the whole window's, the program's frame included.
  const TSize frame = LogicalFrame(window);
  if (window.Role.PendingLogical.cx > frame.cx && window.Role.PendingLogical.cy > frame.cy)
    window.Role.Logical = {window.Role.PendingLogical.cx - frame.cx, window.Role.PendingLogical.cy - frame.cy};
  else if (window.Params.FullScreen) FillFromOutput(window);
  window.Role.Configured = true;
  FHandlers.Configured(window);
}

void TWaylandShell::PopupConfigured(TWaylandWindow& window, std::int32_t x, std::int32_t y) {
  window.Role.PopupAt = {x, y};
}

// A layer surface is closed when its output goes; the program hears of that as a change
// of screens. A toplevel is closed when the user asks, a popup when the compositor ends it.
void TWaylandShell::Closed(TWaylandWindow& window) {
  if (window.Role.Layer) {
    window.Role.Configured = false;
    return;
  }
  FHandlers.CloseRequested(window);
}

void TWaylandShell::FillFromOutput(TWaylandWindow& window) {
  const TWaylandOutput* output = FOutputs.Find(window.Role.Screen);
  if (!output || output->Info.Scale < 1) return;
  window.Role.Logical = {output->Info.Size.cx / output->Info.Scale, output->Info.Size.cy / output->Info.Scale};
}
