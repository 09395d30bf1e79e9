// libquenbrel-put-counter.so, loaded into a program with LD_PRELOAD: adds up the pixel area
// and the number of the images that the program puts with XPutImage and XShmPutImage, in the
// file named by QUENBREL_PUT_COUNTER (two 64-bit words in this machine's order: area, puts).
// Programs that draw in different ways can then be compared by the frames they put: the area
// over the area of one frame.
#include <X11/Xlib.h>
#include <X11/extensions/XShm.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace {

struct TCounts {
  std::uint64_t Area;
  std::uint64_t Puts;
};

// The counts in the shared file, or null when there is none to count into.
TCounts* Counts() {
  static TCounts* const counts = []() -> TCounts* {
    const char* path = std::getenv("QUENBREL_PUT_COUNTER");
    if (!path) return nullptr;
    const int fd = open(path, O_RDWR | O_CREAT, 0600);
    if (fd < 0) return nullptr;
    void* mapped = ftruncate(fd, sizeof(TCounts)) == 0
                       ? mmap(nullptr, sizeof(TCounts), PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0)
                       : MAP_FAILED;
    close(fd);
    return mapped == MAP_FAILED ? nullptr : static_cast<TCounts*>(mapped);
  }();
  return counts;
}

void Count(unsigned width, unsigned height) {
  TCounts* counts = Counts();
  if (!counts) return;
  __atomic_fetch_add(&counts->Area, std::uint64_t{width} * height, __ATOMIC_RELAXED);
  __atomic_fetch_add(&counts->Puts, 1, __ATOMIC_RELAXED);
}

// The function of that name in the libraries loaded after this one.
template <class TFunction>
TFunction* Next(const char* name) {
  return reinterpret_cast<TFunction*>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int XPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int sourceX, int sourceY, int destX,
                         int destY, unsigned width, unsigned height) {
  static auto* const next = Next<decltype(XPutImage)>("XPutImage");
  Count(width, height);
  return next(display, drawable, gc, image, sourceX, sourceY, destX, destY, width, height);
}

extern "C" Bool XShmPutImage(Display* display, Drawable drawable, GC gc, XImage* image, int sourceX, int sourceY,
                             int destX, int destY, unsigned width, unsigned height, Bool sendEvent) {
  static auto* const next = Next<decltype(XShmPutImage)>("XShmPutImage");
  Count(width, height);
  return next(display, drawable, gc, image, sourceX, sourceY, destX, destY, width, height, sendEvent);
}
