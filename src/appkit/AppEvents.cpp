#include "AppEvents.h"

#include "framework/ui/Application.h"

TAppEvents::TAppEvents(TComponent* owner) : TComponent(owner) {
  if (!Application) return;
  FListener = Application->AddListener([this](TEventKind kind) {
    if (kind != TEventKind::Activated && kind != TEventKind::Deactivated) return;
    const TNotifyEvent& event = kind == TEventKind::Deactivated ? OnDeactivate : OnActivate;
    if (event) event(this);
  });
}

TAppEvents::~TAppEvents() {
  if (Application && FListener) Application->RemoveListener(FListener);
}
