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

#include <cstdint>
#include <string>
#include <vector>

#include "platform/effects.h"
#include "platform/picture.h"
#include "wallpaper/changer_settings.h"
#include "wallpaper/screen_layout.h"

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
WinIniPath SetDesktopWallpaper(SystemEffects& effects, const std::wstring& bitmapPath, StyleValues style,
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

// A monitor and the picture it is to show.
struct MonitorShown {
    MonitorArea area;
    const Picture* picture = nullptr;
};

// The wallpaper of every monitor. One monitor in tile, stretch or centre:
// ApplyAsWallpaper, the picture at its own size, as it always was.
// Otherwise each picture is rendered at its monitor's size in `position`,
// the bitmap of the whole virtual screen is composed from them (the rest in
// `background`, 0x00RRGGBB) and handed over tiled. Not applied, and the old
// bitmap and wallpaper left, when a picture is missing or the bitmap could
// not be written.
ApplyOutcome ApplyToMonitors(SystemEffects& effects, const std::vector<MonitorShown>& monitors,
                             const std::wstring& bitmapPath, Position position, std::uint32_t background);

// Whether the monitors need the composed bitmap rather than the picture.
bool NeedsComposedBitmap(size_t monitorCount, Position position);

}  // namespace velmora::wallpaper
