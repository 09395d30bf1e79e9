// links: quenbrel_imaging
#include "DecodeFuzz.h"
#include "imaging/GifCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return FuzzDecode(TGifCodec(), data, size);
}
