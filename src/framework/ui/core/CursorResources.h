#pragma once
#include <string_view>

#include "framework/platform/Input.h"

// The cursor pictures the framework brings, by resource name: "PANNING" (an open hand),
// "ZOOMMORE" and "ZOOMLESS" (a magnifier with a plus or a minus). Null for other names.
const TCursorImage* FindCursorResource(std::string_view name);
