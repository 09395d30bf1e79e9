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

// An enhanced metafile of 300 x 300 pixels that fills the whole picture `count` times.
void WriteFloodEmf(const std::string& file, int count);
