#pragma once
#include "X11Api.h"

#include "X11Connection.h"
#include "framework/base/Types.h"
#include "framework/graphics/Bitmap.h"
#include "framework/platform/WindowSystem.h"

// Puts bitmap pixels into windows: straight from shared memory when the bitmap lives in a
// segment the server has attached, through the connection otherwise.
class TX11Painter {
 public:
  explicit TX11Painter(TX11Connection& connection) : FConnection(connection) {}
  ~TX11Painter();
  TX11Painter(const TX11Painter&) = delete;
  TX11Painter& operator=(const TX11Painter&) = delete;

  void Put(Window window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode);

 private:
  GC ContextFor(Window window);
  // Returns once the server has read the pixels: the next frame may overwrite them.
  bool PutShared(Window window, TBitmap& bitmap, const TRect& source, TPoint dest, TPutMode mode);
  void PutCopy(Window window, char* data, int width, int height, int stride, const TRect& source, TPoint dest);
  void PutConverted(Window window, const TBitmap& bitmap, const TRect& source, TPoint dest);

  TX11Connection& FConnection;
  GC FContext = nullptr;
};
