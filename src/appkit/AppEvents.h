#pragma once
#include "framework/ui/core/Control.h"

// Puts application-wide notifications on a form: the application as a whole gaining or
// losing activation (the input focus moving between this program and others).
class TAppEvents : public TComponent {
 public:
  explicit TAppEvents(TComponent* owner);
  ~TAppEvents() override;

  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

 private:
  int FListener = 0;
};
