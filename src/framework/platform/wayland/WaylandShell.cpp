#include "WaylandShell.h"

#include "PopupPlacement.h"
#include "WaylandApi.h"
#include "WaylandGlobals.h"
#include "WaylandOutputs.h"
#include "WaylandWindowTable.h"

namespace {

TWaylandWindow& Window(void* data) { return *static_cast<TWaylandWindow*>(data); }

const zwlr_layer_surface_v1_listener kLayerListener = {
    .configure = [](void* data, zwlr_layer_surface_v1*, std::uint32_t serial, std::uint32_t width,
                    std::uint32_t height) { Window(data).Shell->LayerConfigured(Window(data), serial, width, height); },
    .closed = [](void* data, zwlr_layer_surface_v1*) { Window(data).Shell->Closed(Window(data)); },
};

const xdg_surface_listener kShellSurfaceListener = {
    .configure = [](void* data, xdg_surface*,
                    std::uint32_t serial) { Window(data).Shell->ShellSurfaceConfigured(Window(data), serial); },
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
          Window(data).Shell->ToplevelConfigured(Window(data), width, height, Activated(states));
        },
    .close = [](void* data, xdg_toplevel*) { Window(data).Shell->Closed(Window(data)); },
    .configure_bounds = [](void*, xdg_toplevel*, std::int32_t, std::int32_t) {},
    .wm_capabilities = [](void*, xdg_toplevel*, wl_array*) {},
};

const xdg_popup_listener kPopupListener = {
    .configure = [](void* data, xdg_popup*, std::int32_t x, std::int32_t y, std::int32_t,
                    std::int32_t) { Window(data).Shell->PopupConfigured(Window(data), x, y); },
    // Dismissed by the compositor: a click on another program's window.
    .popup_done = [](void* data, xdg_popup*) { Window(data).Shell->Closed(Window(data)); },
    // Version 3, never bound.
    .repositioned = nullptr,
};

const zxdg_toplevel_decoration_v1_listener kDecorationListener = {
    .configure = [](void* data, zxdg_toplevel_decoration_v1*,
                    std::uint32_t mode) { Window(data).Shell->FrameConfigured(Window(data), mode); },
};

constexpr const char* kAppId = "zzquenbrel";
constexpr std::uint32_t kAllEdges = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

}  // namespace

TWaylandShell::TWaylandShell(TWaylandGlobals& globals, TWaylandOutputs& outputs, TWaylandWindowTable& windows,
                             const TOptions& options, THandlers handlers)
    : FGlobals(globals), FOutputs(outputs), FWindows(windows), FOptions(options), FHandlers(std::move(handlers)) {}

// A full-screen window is drawn at its output's device pixels. Other windows keep one
// device pixel per logical one: their layouts are in pixels, and the compositor scales them.
void TWaylandShell::Assign(TWaylandWindow& window) {
  window.Shell = this;
  if (window.Params.FullScreen) {
    const TWaylandOutput* output = FOutputs.Find(window.Params.Screen);
    window.Screen = output ? output->Info.Id : 0;
    window.Scale = output ? output->Info.Scale : 1;
  }
  if (window.Params.Popup) {
    window.Logical = {window.Params.Bounds.Width(), window.Params.Bounds.Height()};
    return;
  }
  if (window.Params.FullScreen && FOptions.UseLayerShell && FGlobals.LayerShell) AssignLayer(window);
  else AssignToplevel(window);
}

// Above every window, on every edge of its output, pushing nothing aside, with the keyboard
// for itself while it is there.
void TWaylandShell::AssignLayer(TWaylandWindow& window) {
  const TWaylandOutput* output = FOutputs.Find(window.Screen);
  window.Layer = zwlr_layer_shell_v1_get_layer_surface(
      FGlobals.LayerShell, window.Surface, output ? output->Proxy : nullptr, ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, kAppId);
  zwlr_layer_surface_v1_add_listener(window.Layer, &kLayerListener, &window);
  zwlr_layer_surface_v1_set_anchor(window.Layer, kAllEdges);
  zwlr_layer_surface_v1_set_exclusive_zone(window.Layer, -1);
  zwlr_layer_surface_v1_set_keyboard_interactivity(window.Layer,
                                                   ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
  zwlr_layer_surface_v1_set_size(window.Layer, 0, 0);
}

void TWaylandShell::AssignToplevel(TWaylandWindow& window) {
  window.ShellSurface = xdg_wm_base_get_xdg_surface(FGlobals.Shell, window.Surface);
  xdg_surface_add_listener(window.ShellSurface, &kShellSurfaceListener, &window);
  window.Toplevel = xdg_surface_get_toplevel(window.ShellSurface);
  xdg_toplevel_add_listener(window.Toplevel, &kToplevelListener, &window);
  xdg_toplevel_set_app_id(window.Toplevel, kAppId);
  SetTitle(window, window.Params.Caption.c_str());
  if (window.Params.FullScreen) {
    const TWaylandOutput* output = FOutputs.Find(window.Screen);
    xdg_toplevel_set_fullscreen(window.Toplevel, output ? output->Proxy : nullptr);
    return;
  }
  window.Logical = {window.Params.Bounds.Width(), window.Params.Bounds.Height()};
  AskForServerFrame(window);
  // A modal dialog stays with its owner.
  if (const TWaylandWindow* owner = FWindows.Find(window.Params.TransientFor); owner && owner->Toplevel)
    xdg_toplevel_set_parent(window.Toplevel, owner->Toplevel);
  UpdateFrame(window);
  SetSizeLimits(window);
}

bool TWaylandShell::UpdateFrame(TWaylandWindow& window) {
  const bool own = window.Toplevel && !window.Params.FullScreen && !window.ServerFrame;
  const bool changed = own != window.Caption.has_value();
  if (changed && own) {
    window.Caption.emplace();
    window.Caption->Title = window.Params.Caption;
    window.Caption->HasCloseBox = window.Params.SystemMenu;
  } else if (changed) {
    window.Caption.reset();
  }
  window.Frame = own ? TCaptionBar::Insets() : TRect{};
  if (window.Caption) window.Caption->Active = window.Active;
  window.FrameStale = own;
  return changed;
}

// A dialog keeps its size, another window its least size if it has one: the compositor's
// frame goes around them, the program's own is part of the window.
void TWaylandShell::SetSizeLimits(TWaylandWindow& window) {
  if (!window.Toplevel || window.Params.FullScreen) return;
  const bool dialog = window.Params.BorderStyle == TBorderStyle::bsDialog;
  const TSize client = dialog ? window.Logical : window.Params.MinSize;
  if (client.cx <= 0 || client.cy <= 0) return;
  const TSize size{client.cx + window.Frame.Left + window.Frame.Right,
                   client.cy + window.Frame.Top + window.Frame.Bottom};
  xdg_toplevel_set_min_size(window.Toplevel, size.cx, size.cy);
  if (dialog) xdg_toplevel_set_max_size(window.Toplevel, size.cx, size.cy);
}

// Until the compositor answers otherwise, the window expects the frame it asked for.
void TWaylandShell::AskForServerFrame(TWaylandWindow& window) {
  if (!FOptions.UseServerFrames || !FGlobals.Decorations) return;
  window.ServerFrame = window.PendingServerFrame = true;
  window.Decoration = zxdg_decoration_manager_v1_get_toplevel_decoration(FGlobals.Decorations, window.Toplevel);
  zxdg_toplevel_decoration_v1_add_listener(window.Decoration, &kDecorationListener, &window);
  zxdg_toplevel_decoration_v1_set_mode(window.Decoration, ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE);
}

void TWaylandShell::MapPopup(TWaylandWindow& popup, TWaylandWindow& parent, wl_seat* seat, std::uint32_t serial) {
  const TSize parentSurface = SurfaceSize(parent);
  const TPopupPlacement place =
      PlacePopup({popup.Params.Bounds.Left, popup.Params.Bounds.Top}, popup.Logical, ClientOrigin(parent),
                 {parentSurface.cx / parent.Scale, parentSurface.cy / parent.Scale});
  xdg_positioner* positioner = xdg_wm_base_create_positioner(FGlobals.Shell);
  xdg_positioner_set_size(positioner, place.Size.cx, place.Size.cy);
  xdg_positioner_set_anchor_rect(positioner, place.Anchor.Left, place.Anchor.Top, place.Anchor.Width(),
                                 place.Anchor.Height());
  xdg_positioner_set_anchor(positioner, XDG_POSITIONER_ANCHOR_TOP_LEFT);
  xdg_positioner_set_gravity(positioner, XDG_POSITIONER_GRAVITY_BOTTOM_RIGHT);
  xdg_positioner_set_constraint_adjustment(
      positioner, XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_FLIP_X | XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_FLIP_Y |
                      XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_SLIDE_X | XDG_POSITIONER_CONSTRAINT_ADJUSTMENT_SLIDE_Y);
  popup.ShellSurface = xdg_wm_base_get_xdg_surface(FGlobals.Shell, popup.Surface);
  xdg_surface_add_listener(popup.ShellSurface, &kShellSurfaceListener, &popup);
  popup.Popup = xdg_surface_get_popup(popup.ShellSurface, parent.ShellSurface, positioner);
  xdg_positioner_destroy(positioner);
  xdg_popup_add_listener(popup.Popup, &kPopupListener, &popup);
  // Taken before the first commit, or not at all.
  if (seat) xdg_popup_grab(popup.Popup, seat, serial);
  popup.PopupParent = parent.Handle;
  popup.PopupAt = {place.Anchor.Left, place.Anchor.Top};
  wl_surface_commit(popup.Surface);
}

void TWaylandShell::WithdrawPopup(TWaylandWindow& window) {
  if (window.Popup) xdg_popup_destroy(window.Popup);
  if (window.ShellSurface) xdg_surface_destroy(window.ShellSurface);
  window.Popup = nullptr;
  window.ShellSurface = nullptr;
  window.PopupParent = 0;
}

void TWaylandShell::Withdraw(TWaylandWindow& window) {
  WithdrawPopup(window);
  // The frame's object goes before its toplevel, as the protocol demands.
  if (window.Decoration) zxdg_toplevel_decoration_v1_destroy(window.Decoration);
  window.Decoration = nullptr;
  if (window.Layer) zwlr_layer_surface_v1_destroy(window.Layer);
  if (window.Toplevel) xdg_toplevel_destroy(window.Toplevel);
  if (window.ShellSurface) xdg_surface_destroy(window.ShellSurface);
  window.Layer = nullptr;
  window.Toplevel = nullptr;
  window.ShellSurface = nullptr;
}

void TWaylandShell::Map(TWaylandWindow& window) { wl_surface_commit(window.Surface); }

// A popup loses its role with its showing: the next showing places it anew.
void TWaylandShell::Unmap(TWaylandWindow& window) {
  wl_surface_attach(window.Surface, nullptr, 0, 0);
  wl_surface_commit(window.Surface);
  window.Configured = false;
  if (window.Params.Popup) WithdrawPopup(window);
}

void TWaylandShell::SetTitle(TWaylandWindow& window, const char* title) {
  if (window.Toplevel) xdg_toplevel_set_title(window.Toplevel, title);
  if (!window.Caption) return;
  window.Caption->Title = title;
  window.FrameStale = true;
}

void TWaylandShell::LayerConfigured(TWaylandWindow& window, std::uint32_t serial, std::uint32_t width,
                                    std::uint32_t height) {
  zwlr_layer_surface_v1_ack_configure(window.Layer, serial);
  window.Logical = {static_cast<int>(width), static_cast<int>(height)};
  if (width == 0 || height == 0) FillFromOutput(window);
  window.Configured = true;
  FHandlers.Configured(window);
}

void TWaylandShell::ToplevelConfigured(TWaylandWindow& window, std::int32_t width, std::int32_t height,
                                       bool activated) {
  window.PendingLogical = {width, height};
  window.PendingActive = activated;
}

void TWaylandShell::FrameConfigured(TWaylandWindow& window, std::uint32_t mode) {
  window.PendingServerFrame = mode == ZXDG_TOPLEVEL_DECORATION_V1_MODE_SERVER_SIDE;
}

// Zero leaves the size to the program: a full-screen window still covers its output.
void TWaylandShell::ShellSurfaceConfigured(TWaylandWindow& window, std::uint32_t serial) {
  xdg_surface_ack_configure(window.ShellSurface, serial);
  window.Active = window.PendingActive;
  window.ServerFrame = window.PendingServerFrame;
  if (UpdateFrame(window)) SetSizeLimits(window);
  // The size is the whole window's, the program's frame included.
  const TSize frame{window.Frame.Left + window.Frame.Right, window.Frame.Top + window.Frame.Bottom};
  if (window.PendingLogical.cx > frame.cx && window.PendingLogical.cy > frame.cy)
    window.Logical = {window.PendingLogical.cx - frame.cx, window.PendingLogical.cy - frame.cy};
  else if (window.Params.FullScreen) FillFromOutput(window);
  window.Configured = true;
  FHandlers.Configured(window);
}

void TWaylandShell::PopupConfigured(TWaylandWindow& window, std::int32_t x, std::int32_t y) { window.PopupAt = {x, y}; }

// A layer surface is closed when its output goes; the program hears of that as a change
// of screens. A toplevel is closed when the user asks, a popup when the compositor ends it.
void TWaylandShell::Closed(TWaylandWindow& window) {
  if (window.Layer) {
    window.Configured = false;
    return;
  }
  FHandlers.CloseRequested(window);
}

void TWaylandShell::FillFromOutput(TWaylandWindow& window) {
  const TWaylandOutput* output = FOutputs.Find(window.Screen);
  if (!output || output->Info.Scale < 1) return;
  window.Logical = {output->Info.Size.cx / output->Info.Scale, output->Info.Size.cy / output->Info.Scale};
}
