#include "CursorResources.h"

#include <string>
#include <vector>

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
                            },
                            {8, 8}};

// A magnifier with a minus in its lens; the plus adds a vertical bar through the minus.
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
                             },
                             {5, 5}};

const TCursorImage& ZoomMore() {
  static const std::vector<std::string> rows = [] {
    std::vector<std::string> plus(kZoomLess.Rows.begin(), kZoomLess.Rows.end());
    for (const std::size_t y : {3, 4, 7, 8}) plus[y].replace(5, 2, "XX");
    return plus;
  }();
  static const TCursorImage image{{rows.begin(), rows.end()}, kZoomLess.HotSpot};
  return image;
}

}  // namespace

const TCursorImage* FindCursorResource(std::string_view name) {
  if (name == "PANNING") return &kPanning;
  if (name == "ZOOMMORE") return &ZoomMore();
  if (name == "ZOOMLESS") return &kZoomLess;
  return nullptr;
}
