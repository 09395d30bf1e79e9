#pragma once
#include <memory>
#include <string>
#include <vector>

class TWindowSystem;

// The gallery's whole run on a window system: its window, with the page and the picture the
// arguments name, until it closes. Returns the exit code: 0, or 2 (with the usage on
// standard error) for arguments it does not understand.
int GalleryMain(const std::vector<std::string>& arguments, std::shared_ptr<TWindowSystem> windowSystem);
