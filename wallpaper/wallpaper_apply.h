// The picture folder and the wallpaper: listing pic\, the two paths, weizi
// and ApplyPreviewAsWallpaper's work on a given picture.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "wallpaper/picture.h"
#include "wallpaper/schedule.h"

namespace velmora::wallpaper {

// The application directory + "\pic".
std::wstring PictureFolder();
// PicturePath: the application directory + "\pic\" + name.
std::wstring PicturePath(std::string_view name);
// WallpaperBitmapPath: the application directory + "\wallpaper.bmp".
std::wstring WallpaperBitmapPath();

// The names File1 lists for the picture folder, in its order (see
// ListingOrder); empty when the folder is missing.
std::vector<std::string> ListPictureFolder();

// weizi: writes "Wallpaper", "TileWallpaper" and "WallpaperStyle" to the
// "Desktop" section of "Win.ini" in that order, then sets the wallpaper to
// WallpaperBitmapPath (SPI_SETDESKWALLPAPER, SPIF_UPDATEINIFILE).
void weizi(Position position);

// ApplyPreviewAsWallpaper for the picture in the preview: saves it as
// WallpaperBitmapPath, then weizi. False (and nothing handed to the system)
// when the bitmap could not be written.
bool ApplyPreviewAsWallpaper(const Picture& picture, Position position);

}  // namespace velmora::wallpaper
