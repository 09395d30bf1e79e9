#include "Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : FOwner(owner) {
  if (FOwner) FOwner->Insert(this);
}

TComponent::~TComponent() {
  DestroyComponents();
  if (FOwner) FOwner->Remove(this);
}

void TComponent::Free() {
  BeforeDestruction();
  delete this;
}

void TComponent::DestroyComponents() {
  // Each owned component unlinks itself from FComponents as it is destroyed.
  while (!FComponents.empty()) FComponents.back()->Free();
}

void TComponent::Insert(TComponent* child) { FComponents.push_back(child); }

void TComponent::Remove(TComponent* child) {
  FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), child), FComponents.end());
}
