// The changer's list of picture names: a plain list box, filled in one go
// however long the folder is.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::wallpaper {

// Replaces the list box's entries with `names` (UTF-8), in their order. The
// box keeps its scroll position and is repainted once, at the end; its
// storage is reserved up front, so tens of thousands of names take one
// allocation rather than one each.
void FillPictureList(HWND list, const std::vector<std::string>& names);

}  // namespace velmora::wallpaper
