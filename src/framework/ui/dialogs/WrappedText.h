#pragma once
#include <string>
#include <vector>

#include "framework/graphics/Font.h"

// The lines in which a box at most `maxWidth` pixels wide shows `text` in `font`: each line of
// the text broken at its spaces into lines that fit; a word wider than a whole line cut in its
// middle with an ellipsis, so that both its ends show (the folder and the name of a file); and
// no more than `maxLines` lines, the last of them ending in an ellipsis when text was left out.
std::vector<std::string> WrapText(const std::string& text, const TFont& font, int maxWidth, int maxLines);
