#pragma once
#include "Input.h"

// The pictures of the framework's own cursors that no window system has: crDrag (an arrow
// carrying a dotted box) and crNoDrop (a barred circle). Null for any other value.
const TCursorImage* BuiltInCursorImage(TCursor cursor);
