#pragma once
#include <string>
#include <vector>

// The root of every component: an owner destroys the components it owns, newest first.
class TComponent {
 public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return FOwner; }
  const std::vector<TComponent*>& Components() const { return FComponents; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }

  std::string Name;
  int Tag = 0;

  // Destroys the component the way its owner does: BeforeDestruction runs first, while the
  // object is still whole (a form's destruction handler needs its fields).
  void Free();
  virtual void BeforeDestruction() {}

 protected:
  // Frees the owned components, newest first; a derived destructor calls it to free them
  // while it is still itself.
  void DestroyComponents();

 private:
  void Insert(TComponent* child);
  void Remove(TComponent* child);

  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
};
