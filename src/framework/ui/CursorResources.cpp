#include "CursorResources.h"

namespace {

const TCursorImage kPanning{{
    "       XX       ",
    "   XX X..XXX    ",
    "  X..XX..X..X   ",
    "  X..XX..X..X X ",
    "   X..X..X..XX.X",
    "   X..X..X..X..X",
    " XX X.......X..X",
    "X..XX..........X",
    "X...X.........X ",
    " X............X ",
    "  X...........X ",
    "  X..........X  ",
    "   X.........X  ",
    "    X.......X   ",
    "     X......X   ",
    "     XXXXXXXX   ",
}, {8, 8}};

const TCursorImage kZoomMore{{
    "    XXXX        ",
    "  XX....XX      ",
    " X........X     ",
    " X...XX...X     ",
    "X....XX....X    ",
    "X..XXXXXX..X    ",
    "X..XXXXXX..X    ",
    "X....XX....X    ",
    " X...XX...X     ",
    " X........XX    ",
    "  XX....XXXXX   ",
    "    XXXX  XXXX  ",
    "           XXXX ",
    "            XXXX",
    "             XXX",
    "              X ",
}, {5, 5}};

const TCursorImage kZoomLess{{
    "    XXXX        ",
    "  XX....XX      ",
    " X........X     ",
    " X........X     ",
    "X..........X    ",
    "X..XXXXXX..X    ",
    "X..XXXXXX..X    ",
    "X..........X    ",
    " X........X     ",
    " X........XX    ",
    "  XX....XXXXX   ",
    "    XXXX  XXXX  ",
    "           XXXX ",
    "            XXXX",
    "             XXX",
    "              X ",
}, {5, 5}};

}  // namespace

const TCursorImage* FindCursorResource(std::string_view name) {
  if (name == "PANNING") return &kPanning;
  if (name == "ZOOMMORE") return &kZoomMore;
  if (name == "ZOOMLESS") return &kZoomLess;
  return nullptr;
}
