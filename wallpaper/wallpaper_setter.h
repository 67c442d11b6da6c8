// Making a picture the desktop wallpaper: it is saved as wallpaper.bmp, the
// position style and the path go to the "Desktop" section of "Win.ini", and
// the system's wallpaper setter is handed the bitmap. Only the bitmap ever
// reaches the system, whatever the picture's own format.
//
// The setter takes the path as it is (wide). "Win.ini" is an ANSI profile:
// a program folder whose name the ANSI code page cannot spell (such as
// "C:\图片 한글" where it is 936) cannot be written there, and the entry is
// left out rather than written with question marks; the caller is told.
#pragma once

#include <string>

#include "platform/effects.h"
#include "platform/picture.h"
#include "wallpaper/changer_settings.h"

namespace velmora::wallpaper {

// What became of the bitmap's path in "Win.ini".
enum class WinIniPath { Written, NotSpellable };

// Writes "Wallpaper" (the bitmap's path, when the ANSI code page spells it),
// "TileWallpaper" and "WallpaperStyle" to the "Desktop" section of "Win.ini"
// in that order, then sets the wallpaper to the bitmap
// (SPI_SETDESKWALLPAPER, SPIF_UPDATEINIFILE).
// `accepted`, when given: whether the system took the wallpaper.
WinIniPath SetDesktopWallpaper(SystemEffects& effects, const std::wstring& bitmapPath, Position position,
                               bool* accepted = nullptr);

struct ApplyOutcome {
    bool applied = false;
    WinIniPath winIniPath = WinIniPath::Written;
    explicit operator bool() const { return applied; }
};

// Saves the picture as the bitmap, then SetDesktopWallpaper. Not applied
// (and nothing handed to the system) when there is no picture or the bitmap
// could not be written; not applied either when the system refuses it.
ApplyOutcome ApplyAsWallpaper(SystemEffects& effects, const Picture& picture, const std::wstring& bitmapPath,
                              Position position);

}  // namespace velmora::wallpaper
