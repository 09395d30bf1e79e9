// Loads a picture file and saves it again, turned if asked, through the picture files' reader
// and writer (TImageIO) and the turning of TImageProc: the formats follow the extensions.
//
//   quenbrel-picture IN OUT [--rotate DEGREES]
#include <cstdio>
#include <string>

#include "framework/base/Exceptions.h"
#include "framework/graphics/Bitmap.h"
#include "imaging/ImageIO.h"
#include "imaging/ImageProc.h"

int main(int argc, char** argv) {
  const bool rotate = argc == 5 && std::string(argv[3]) == "--rotate";
  if (argc != 3 && !rotate) {
    std::fprintf(stderr, "usage: quenbrel-picture IN OUT [--rotate DEGREES]\n");
    return 2;
  }
  try {
    TBitmap picture;
    TImageIO io(nullptr);
    io.LoadFromFile(picture, argv[1]);
    if (rotate) TImageProc(nullptr).Rotate(picture, StrToInt(argv[4]), true);
    io.SaveToFile(picture, argv[2]);
  } catch (const Exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
