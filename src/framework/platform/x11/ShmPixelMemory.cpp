#include "ShmPixelMemory.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include "ShmPixelMemoryProvider.h"
#include "X11ErrorTrap.h"

std::unique_ptr<TShmPixelMemory> TShmPixelMemory::Create(Display* display, std::size_t bytes,
                                                         TShmPixelMemoryProvider* provider) {
  const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
  if (id < 0) return nullptr;
  void* address = shmat(id, nullptr, 0);
  if (address == reinterpret_cast<void*>(-1)) {
    shmctl(id, IPC_RMID, nullptr);
    return nullptr;
  }
  std::unique_ptr<TShmPixelMemory> memory(new TShmPixelMemory(display, provider));
  memory->FSegment.shmid = id;
  memory->FSegment.shmaddr = static_cast<char*>(address);
  memory->FSegment.readOnly = True;
  TX11ErrorTrap trap(display);
  const bool attached = XShmAttach(display, &memory->FSegment) && !trap.Failed();
  // Marked for removal at once: the kernel frees it when both sides have detached, even
  // if this process dies.
  shmctl(id, IPC_RMID, nullptr);
  if (!attached) {
    memory->FDisplay = nullptr;
    return nullptr;
  }
  return memory;
}

TShmPixelMemory::~TShmPixelMemory() {
  if (FDisplay) {
    XShmDetach(FDisplay, &FSegment);
    XSync(FDisplay, False);
  }
  if (FProvider) FProvider->Forget(this);
  shmdt(FSegment.shmaddr);
}

void TShmPixelMemory::ForgetDisplay() {
  FDisplay = nullptr;
  FProvider = nullptr;
}
