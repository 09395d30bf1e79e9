#pragma once
#include <optional>
#include <string_view>

// The scale a desktop asks of its ordinary windows, as a number of device pixels per logical
// pixel: 1 on a 96-dpi screen. Kept between 1 (below it text at the classic sizes turns
// unreadable) and 8, in steps of an eighth, so that a resolution a little off 96 changes
// nothing and every scale a desktop offers (1.25, 1.5, 1.75, 2, ...) comes out exactly.
constexpr double kLeastDesktopScale = 1;
constexpr double kMostDesktopScale = 8;

// The environment variable that overrides what the desktop says, for users and tests.
constexpr const char* kScaleVariable = "QUENBREL_SCALE";

// A scale written as a plain decimal number ("2", "1.5"); nothing when the text is not one.
std::optional<double> ScaleFromText(std::string_view text);
// `Xft.dpi` of X resources (the root window's RESOURCE_MANAGER: "name:\tvalue" lines) as a
// scale, 96 being 1; nothing when the resources do not say.
std::optional<double> ScaleFromResources(std::string_view resources);
// The override when it names a scale, else the resources', else 1.
double DesktopScaleFrom(const char* override, std::string_view resources);
