// Puts two images of known sizes into a window of its own and ends: 10x20 pixels with
// XPutImage, then 30x40 with XShmPutImage. The put counter's test runs it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdint>
#include <vector>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  const int screen = DefaultScreen(display);
  Visual* visual = DefaultVisual(display, screen);
  const auto depth = static_cast<unsigned>(DefaultDepth(display, screen));
  const Window window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, 64, 48, 0, 0, 0);
  XMapWindow(display, window);
  GC gc = DefaultGC(display, screen);

  std::vector<std::uint32_t> pixels(64 * 48, 0x00FF8000);
  XImage* plain =
      XCreateImage(display, visual, depth, ZPixmap, 0, reinterpret_cast<char*>(pixels.data()), 64, 48, 32, 0);
  XPutImage(display, window, gc, plain, 0, 0, 0, 0, 10, 20);
  plain->data = nullptr;
  XDestroyImage(plain);

  XShmSegmentInfo segment{};
  XImage* shared = XShmCreateImage(display, visual, depth, ZPixmap, nullptr, &segment, 64, 48);
  segment.shmid = shmget(IPC_PRIVATE, static_cast<std::size_t>(shared->bytes_per_line) * 48, IPC_CREAT | 0600);
  segment.shmaddr = shared->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  shmctl(segment.shmid, IPC_RMID, nullptr);
  XShmAttach(display, &segment);
  XShmPutImage(display, window, gc, shared, 0, 0, 0, 0, 30, 40, False);
  XSync(display, False);
  XShmDetach(display, &segment);
  XDestroyImage(shared);
  shmdt(segment.shmaddr);
  XCloseDisplay(display);
  return 0;
}
