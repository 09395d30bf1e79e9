#pragma once
#include <signal.h>
#include <sys/prctl.h>
#include <sys/types.h>
#include <unistd.h>

// Called in a child just forked by `parent` (a test, or a tool that runs a server for one):
// the system kills the child when the parent ends, whatever ends it, so that a test that
// crashes leaves no server behind. A parent that ended before the request took effect has
// made the child an orphan already: the child then ends at once.
inline void EndWithParent(pid_t parent) {
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(127);
}
