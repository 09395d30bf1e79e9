#include "DragCursorImages.h"

namespace {

const TCursorImage kDrag{
    {
        "X                   ", "XX                  ", "X.X                 ", "X..X                ",
        "X...X               ", "X....X              ", "X.....X             ", "X......X            ",
        "X.......X           ", "X........X          ", "X.....XXXXX         ", "X..X..X             ",
        "X.X X..X            ", "XX  X..X            ", "X    X..X           ", "     X..X           ",
        "      XX            ", "        X.X.X.X.X   ", "        .       .   ", "        X       X   ",
        "        .       .   ", "        X.X.X.X.X   ",
    },
    {0, 0}};

const TCursorImage kNoDrop{
    {
        "       ......       ", "    ....XXXX....    ", "   ..XXXXXXXXXX..   ", "  ..XXXXXXXXXXXX..  ",
        " ..XXXX......XXXX.. ", " .XXXXX..   ..XXXX. ", " .XXXXXX..   ..XXX. ", "..XX..XXX..   ..XX..",
        ".XXX...XXX..   .XXX.", ".XXX. ..XXX..  .XXX.", ".XXX.  ..XXX.. .XXX.", ".XXX.   ..XXX...XXX.",
        "..XX..   ..XXX..XX..", " .XXX..   ..XXXXXX. ", " .XXXX..   ..XXXXX. ", " ..XXXX......XXXX.. ",
        "  ..XXXXXXXXXXXX..  ", "   ..XXXXXXXXXX..   ", "    ....XXXX....    ", "       ......       ",
    },
    {10, 10}};

}  // namespace

const TCursorImage* BuiltInCursorImage(TCursor cursor) {
  if (cursor == crDrag) return &kDrag;
  if (cursor == crNoDrop) return &kNoDrop;
  return nullptr;
}
