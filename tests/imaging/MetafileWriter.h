#pragma once
// Writes the test metafiles with libuemf's own writer: the same drawing in both formats on a
// picture of 200 x 150 pixels (at 96 pixels per inch):
//   a red rectangle (10, 10)-(60, 50), a blue ellipse (80, 10)-(140, 60),
//   a green triangle (10, 80) (60, 80) (35, 130), black text "Hi" 40 pixels high at (150, 100),
//   and a 2 x 2 bitmap (red, green over blue, yellow) stretched over (80, 80)-(120, 120).
// The files use logical units other than pixels, so that the mapping takes part.
#include <string>

void WriteTestEmf(const std::string& file);
void WriteTestWmf(const std::string& file);

// A second drawing in both formats, of the records the first does not hold, on 300 x 200
// pixels:
//   a red line 3 pixels wide (10, 5)-(290, 5) and a blue polyline (10, 20) (100, 20) (100, 40);
//   a green pie, the quarter of the ellipse in (10, 50)-(70, 110) above and right of its
//   centre; a yellow chord, the upper half of (80, 50)-(140, 110); a black arc 3 pixels wide,
//   the upper right quarter of (150, 50)-(210, 110);
//   two red squares of one polygon set, (10, 130)-(30, 150) and (40, 130)-(60, 150);
//   an orange rectangle (80, 130)-(120, 170) in a brush made in the slot of a deleted one;
//   a magenta rectangle (150, 130)-(190, 170) in the brush saved with the drawing state, which
//   a white brush replaced before the state was restored;
//   the 2 x 2 bitmap stretched over (220, 130)-(260, 170), and once more at its own size at
//   (270, 130);
//   and the text "Hi" 20 pixels high at (230, 60), written with the records of each format's
//   other text writer.
// The enhanced metafile maps its window of 3000 x 2000 units onto the picture itself.
void WriteTestStrokesEmf(const std::string& file);
void WriteTestStrokesWmf(const std::string& file);

// An enhanced metafile of 300 x 300 pixels that fills the whole picture `count` times.
void WriteFloodEmf(const std::string& file, int count);
