#pragma once

// The first step of every property setter: stores a changed value and tells whether it
// changed, so that the setter redraws (or recomputes) only then.
template <class T, class U>
bool StoreChanged(T& field, const U& value) {
  if (field == value) return false;
  field = value;
  return true;
}
