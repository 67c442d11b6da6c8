// Making a picture the desktop wallpaper: it is saved as wallpaper.bmp, the
// position style and the path go to the "Desktop" section of "Win.ini", and
// the system's wallpaper setter is handed the bitmap. Only the bitmap ever
// reaches the system, whatever the picture's own format.
#pragma once

#include <string>

#include "platform/effects.h"
#include "platform/picture.h"
#include "wallpaper/changer_settings.h"

namespace velmora::wallpaper {

// Writes "Wallpaper" (the bitmap's path), "TileWallpaper" and
// "WallpaperStyle" to the "Desktop" section of "Win.ini" in that order, then
// sets the wallpaper to the bitmap (SPI_SETDESKWALLPAPER, SPIF_UPDATEINIFILE).
void SetDesktopWallpaper(SystemEffects& effects, const std::wstring& bitmapPath, Position position);

// Saves the picture as the bitmap, then SetDesktopWallpaper. False (and
// nothing handed to the system) when there is no picture or the bitmap could
// not be written.
bool ApplyAsWallpaper(SystemEffects& effects, const Picture& picture, const std::wstring& bitmapPath,
                      Position position);

}  // namespace velmora::wallpaper
