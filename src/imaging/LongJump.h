#pragma once
#include <csetjmp>

// The C codec libraries report fatal errors by longjmp. Only C frames may lie between the
// setjmp and the longjmp: the step runs inside this frame, holds no object with a destructor,
// and keeps its results in objects that outlive it. False when the library gave up.
template <class Step>
bool RunUntilLongJump(std::jmp_buf& buffer, Step&& step) {
  if (setjmp(buffer)) return false;
  step();
  return true;
}
