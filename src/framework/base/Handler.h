#pragma once
#include <functional>

// An event handler from a member function, so that a form description can read
// `Timer1->OnTimer = Handler(this, &TForm1::Timer1Timer);`.
template <class T, class... Args>
std::function<void(Args...)> Handler(T* self, void (T::*method)(Args...)) {
  return [self, method](Args... args) { (self->*method)(std::forward<Args>(args)...); };
}
