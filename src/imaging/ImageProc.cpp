#include "ImageProc.h"

#include <pixman.h>

#include <cmath>
#include <numbers>

#include "CodecSupport.h"
#include "QuarterTurn.h"
#include "framework/graphics/Bitmap.h"

namespace {

// A pixman image over the rows of a 32-bit bitmap, released with it.
class TPixmanView {
 public:
  explicit TPixmanView(TBitmap& bitmap)
      : FImage(pixman_image_create_bits(PIXMAN_x8r8g8b8, bitmap.Width(), bitmap.Height(), bitmap.Row32(0),
                                        static_cast<int>(bitmap.Stride()))) {
    if (!FImage) throw EImageFormat("cannot rotate the picture");
  }
  ~TPixmanView() { pixman_image_unref(FImage); }
  TPixmanView(const TPixmanView&) = delete;
  TPixmanView& operator=(const TPixmanView&) = delete;
  pixman_image_t* Get() const { return FImage; }

 private:
  pixman_image_t* FImage;
};

// pixman's fast smoothing works on 32-bit pixels: a 24-bit picture is widened first.
std::unique_ptr<TBitmap> Widened(const TBitmap& in) {
  auto wide = std::make_unique<TBitmap>(in.Width(), in.Height(), 32);
  for (int y = 0; y < in.Height(); ++y) CopyRowConverted(in.Row(y), 24, wide->Row(y), 32, in.Width());
  return wide;
}

// Samples the source for each turned pixel: the inverse turn about the two centres, from
// pixel centre to pixel centre. Outside the source pixman reads nothing, which is black.
void Resample(TBitmap& in, double radians, bool smooth, TBitmap& out) {
  const double c = std::cos(radians);
  const double s = std::sin(radians);
  const double inX = in.Width() / 2.0, inY = in.Height() / 2.0;
  const double outX = out.Width() / 2.0, outY = out.Height() / 2.0;
  pixman_transform_t transform;
  pixman_transform_init_identity(&transform);
  transform.matrix[0][0] = pixman_double_to_fixed(c);
  transform.matrix[0][1] = pixman_double_to_fixed(-s);
  transform.matrix[0][2] = pixman_double_to_fixed(inX - c * outX + s * outY);
  transform.matrix[1][0] = pixman_double_to_fixed(s);
  transform.matrix[1][1] = pixman_double_to_fixed(c);
  transform.matrix[1][2] = pixman_double_to_fixed(inY - s * outX - c * outY);
  TPixmanView source(in);
  TPixmanView target(out);
  pixman_image_set_transform(source.Get(), &transform);
  pixman_image_set_filter(source.Get(), smooth ? PIXMAN_FILTER_BILINEAR : PIXMAN_FILTER_NEAREST, nullptr, 0);
  pixman_image_set_repeat(source.Get(), PIXMAN_REPEAT_NONE);
  pixman_image_composite32(PIXMAN_OP_SRC, source.Get(), nullptr, target.Get(), 0, 0, 0, 0, 0, 0, out.Width(),
                           out.Height());
}

}  // namespace

TTurnedSize TurnedSize(int width, int height, int degrees) {
  if (degrees % 180 == 0) return {width, height};
  if (degrees % 90 == 0) return {height, width};
  const double radians = degrees * std::numbers::pi / 180;
  const double c = std::abs(std::cos(radians));
  const double s = std::abs(std::sin(radians));
  // A hair under the next whole pixel does not ask for it.
  constexpr double Slack = 1e-6;
  return {static_cast<std::int64_t>(std::ceil(width * c + height * s - Slack)),
          static_cast<std::int64_t>(std::ceil(width * s + height * c - Slack))};
}

void TImageProc::Rotate(TBitmap& bitmap, int degrees, bool smooth) {
  const int turn = static_cast<int>((std::int64_t{degrees} % 360 + 360) % 360);
  if (turn == 0 || bitmap.Empty()) {
    bitmap.SetPixelBits(24);
    return;
  }
  const TTurnedSize size = TurnedSize(bitmap.Width(), bitmap.Height(), turn);
  if (turn % 90 == 0) {
    // A quarter turn moves every pixel.
    auto turned = NewPicture(size.Width, size.Height, Limits, 24, TNewPixels::Undefined);
    QuarterTurn(bitmap, turn / 90, *turned);
    bitmap.TakePicture(*turned);
    return;
  }
  CheckDimensions(size.Width, size.Height, Limits);
  TBitmap turned(static_cast<int>(size.Width), static_cast<int>(size.Height), 32);
  if (bitmap.PixelBits() == 32) Resample(bitmap, turn * std::numbers::pi / 180, smooth, turned);
  else Resample(*Widened(bitmap), turn * std::numbers::pi / 180, smooth, turned);
  turned.SetPixelBits(24);
  bitmap.TakePicture(turned);
}
