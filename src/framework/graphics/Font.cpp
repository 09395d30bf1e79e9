#include "Font.h"

#include "framework/base/MulDiv.h"

int TFont::Size() const { return -MulDiv(Height, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int points) { Height = -MulDiv(points, ScreenPixelsPerInch, 72); }
