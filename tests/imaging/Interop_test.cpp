#include <gtest/gtest.h>

#include "ImagingFixture.h"
#include "imaging/ImageIO.h"
#include "support/TempDir.h"

// Files that other programs wrote decode to ImageMagick's own pixels of them.
namespace {

// For gifbuild: a frame smaller than its screen and placed inside it, interlaced, with a
// palette of its own and a transparent index.
const char* const ScreenGif = R"(screen width 10
screen height 8
screen colors 4
screen background 2
screen map
	rgb 255 000 000 is 0
	rgb 000 000 255 is 1
	rgb 000 255 000 is 2
	rgb 255 255 255 is 3
end
graphics control
	disposal mode 0
	user input flag off
	delay 0
	transparent index 1
end
image # 1
image left 2
image top 1
image interlaced
image map
	rgb 010 020 030 is 0
	rgb 040 050 060 is 1
	rgb 070 080 090 is 2
	rgb 100 110 120 is 3
end
image bits 6 by 5
001122
012301
321032
000000
333333
)";

struct TVariant {
  const char* File;
  // Run in a folder holding photo.ppm (many colours), few2.ppm, few16.ppm, few200.ppm.
  const char* Command;
  // 0: exactly the same pixels; otherwise the least PSNR in dB (lossy files, colour
  // conversions, and transparency, whose composition may round one level apart).
  double MinPsnr = 0;
};

void PrintTo(const TVariant& v, std::ostream* os) { *os << v.File; }

class Interop : public ::testing::TestWithParam<TVariant> {
 protected:
  static void SetUpTestSuite() {
    Dir = new TTempDir;
    WritePpm(*PhotoPicture(61, 43), Dir->File("photo.ppm"));
    WritePpm(*FewColorPicture(61, 43, 2), Dir->File("few2.ppm"));
    WritePpm(*FewColorPicture(61, 43, 16), Dir->File("few16.ppm"));
    WritePpm(*FewColorPicture(61, 43, 200), Dir->File("few200.ppm"));
    Shell("cd " + Dir->Path() + " && convert photo.ppm -depth 8 rgb:photo.rgb");
    const std::string gif = ScreenGif;
    WriteBytes(Dir->File("screen.txt"), TBytes(gif.begin(), gif.end()));
  }
  static void TearDownTestSuite() { delete Dir; }

  static TTempDir* Dir;
  TImageIO IO{nullptr};
};

TTempDir* Interop::Dir = nullptr;

TEST_P(Interop, DecodesToImageMagicksPixels) {
  const TVariant& v = GetParam();
  ASSERT_TRUE(Shell("cd " + Dir->Path() + " && " + v.Command)) << v.Command;
  const std::string file = Dir->File(v.File);
  TBitmap ours;
  IO.LoadFromFile(ours, file);
  const auto theirs = MagickPixels(file);
  ASSERT_EQ(ours.Width(), theirs->Width());
  ASSERT_EQ(ours.Height(), theirs->Height());
  if (v.MinPsnr == 0) EXPECT_TRUE(SamePixels(ours, *theirs)) << FirstDifference(ours, *theirs);
  else EXPECT_GE(Psnr(ours, *theirs), v.MinPsnr);
}

const TVariant Variants[] = {
    {"bmp24.bmp", "convert photo.ppm bmp3:bmp24.bmp"},
    {"bmp32.bmp", "convert photo.ppm -alpha set bmp:bmp32.bmp"},
    {"bmp8.bmp", "convert few200.ppm -type palette bmp3:bmp8.bmp"},
    {"bmp4.bmp", "convert few16.ppm -type palette bmp3:bmp4.bmp"},
    {"bmp1.bmp", "convert few2.ppm -type palette bmp3:bmp1.bmp"},
    {"rle8.bmp", "convert few200.ppm -type palette -compress RLE bmp3:rle8.bmp"},
    {"rgb565.bmp", "convert photo.ppm -define bmp:subtype=RGB565 rgb565.bmp"},
    {"rgb555.bmp", "convert photo.ppm -define bmp:subtype=RGB555 rgb555.bmp"},
    {"core.bmp", "convert photo.ppm bmp2:core.bmp"},
    {"pcx24.pcx", "convert photo.ppm pcx24.pcx"},
    {"pcx8.pcx", "convert few200.ppm -type palette pcx8.pcx"},
    {"pcx4.pcx", "convert few16.ppm -type palette pcx4.pcx"},
    {"pcx1.pcx", "convert few2.ppm -monochrome pcx1.pcx"},
    {"rgb.png", "convert photo.ppm png24:rgb.png"},
    {"palette.png", "convert few200.ppm png8:palette.png"},
    {"grey.png", "convert photo.ppm -colorspace gray grey.png"},
    {"mono.png", "convert few2.ppm -monochrome mono.png"},
    {"deep.png", "convert photo.ppm -depth 16 png48:deep.png"},
    {"interlaced.png", "convert photo.ppm -interlace PNG interlaced.png"},
    {"alpha.png",
     "convert photo.ppm \\( +clone -fx 'i/w' \\) -alpha off -compose copy_opacity -composite png32:alpha.png", 50},
    {"none.tif", "convert photo.ppm -compress none none.tif"},
    {"lzw.tif", "convert photo.ppm -compress lzw lzw.tif"},
    {"zip.tif", "convert photo.ppm -compress zip zip.tif"},
    {"tiles.tif", "convert photo.ppm -define tiff:tile-geometry=16x16 tiles.tif"},
    {"grey.tif", "convert photo.ppm -colorspace gray grey.tif"},
    {"palette.tif", "convert few200.ppm -type palette palette.tif"},
    {"deep.tif", "convert photo.ppm -depth 16 deep.tif"},
    {"mono.tif", "convert few2.ppm -monochrome mono.tif"},
    {"cmyk.tif", "convert photo.ppm -colorspace cmyk cmyk.tif", 45},
    {"alpha.tif", "convert photo.ppm \\( +clone -fx 'i/w' \\) -alpha off -compose copy_opacity -composite alpha.tif",
     50},
    {"pages.tif", "convert photo.ppm few200.ppm pages.tif"},
    {"cp-tiles.tif", "convert photo.ppm -compress none src.tif && tiffcp -t -w 16 -l 16 -c lzw src.tif cp-tiles.tif"},
    {"cp-strips.tif", "convert photo.ppm -compress none src.tif && tiffcp -r 7 -c packbits src.tif cp-strips.tif"},
    {"plain.gif", "convert few200.ppm plain.gif"},
    {"interlaced.gif", "convert few200.ppm -interlace GIF interlaced.gif"},
    {"screen.gif", "gifbuild screen.txt > screen.gif"},
    {"giflib.gif", "gif2rgb -s 61 43 -1 photo.rgb > giflib.gif"},
    {"cjpeg.jpg", "cjpeg -quality 90 photo.ppm > cjpeg.jpg", 40},
    {"progressive.jpg", "cjpeg -progressive photo.ppm > progressive.jpg", 40},
    {"grey.jpg", "cjpeg -grayscale photo.ppm > grey.jpg", 40},
    {"arithmetic.jpg", "cjpeg -arithmetic photo.ppm > arithmetic.jpg", 40},
    {"cmyk.jpg", "convert photo.ppm -colorspace cmyk cmyk.jpg", 40},
    {"h2v1.jpg", "convert photo.ppm -sampling-factor 2x1 h2v1.jpg", 40},
};

INSTANTIATE_TEST_SUITE_P(Files, Interop, ::testing::ValuesIn(Variants), [](const auto& variant) {
  std::string name = variant.param.File;
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
});

}  // namespace
