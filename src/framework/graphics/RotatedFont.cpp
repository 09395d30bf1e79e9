#include "RotatedFont.h"

TFont RotatedFont(const TFont& font, int escapement) {
  TFont rotated = font;
  if (rotated.Name == "Default") rotated.Name = TFont{}.Name;
  rotated.Escapement = escapement;
  return rotated;
}
