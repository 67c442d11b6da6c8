#include "wallpaper/wallpaper_setter.h"

#include "platform/text.h"

namespace velmora::wallpaper {

namespace {

// Rows composed at a time: a band of a wide screen is about a megabyte.
constexpr int kBandRows = 64;

}  // namespace

WinIniPath SetDesktopWallpaper(SystemEffects& effects, const std::wstring& bitmapPath, Position position,
                               bool* accepted) {
    return SetDesktopWallpaper(effects, bitmapPath, StyleFor(position), accepted);
}

WinIniPath SetDesktopWallpaper(SystemEffects& effects, const std::wstring& bitmapPath, StyleValues style,
                               bool* accepted) {
    // Registry copies of the two style values under the user's root key
    // would be read by nobody; the "Desktop" section of Win.ini and the
    // wallpaper setter carry the change.
    const bool spellable = FitsAnsiCodePage(bitmapPath);
    if (spellable) effects.WritePrivateProfileStringA("Desktop", "Wallpaper", Narrow(bitmapPath), "Win.ini");
    effects.WritePrivateProfileStringA("Desktop", "TileWallpaper", style.tile, "Win.ini");
    effects.WritePrivateProfileStringA("Desktop", "WallpaperStyle", style.style, "Win.ini");
    const bool taken = effects.SetDeskWallpaper(bitmapPath, SPIF_UPDATEINIFILE) != FALSE;
    if (accepted) *accepted = taken;
    return spellable ? WinIniPath::Written : WinIniPath::NotSpellable;
}

ApplyOutcome ApplyAsWallpaper(SystemEffects& effects, const Picture& picture, const std::wstring& bitmapPath,
                              Position position) {
    if (!picture || !SaveBitmap24(picture, bitmapPath)) return {};
    bool accepted = false;
    const WinIniPath winIni = SetDesktopWallpaper(effects, bitmapPath, position, &accepted);
    return {accepted, winIni};
}

bool NeedsComposedBitmap(size_t monitorCount, Position position) {
    return monitorCount > 1 || position == Position::Fill || position == Position::Fit;
}

ApplyOutcome ApplyToMonitors(SystemEffects& effects, const std::vector<MonitorShown>& monitors,
                             const std::wstring& bitmapPath, Position position, std::uint32_t background) {
    if (monitors.empty()) return {};
    if (!NeedsComposedBitmap(monitors.size(), position)) {
        return monitors[0].picture ? ApplyAsWallpaper(effects, *monitors[0].picture, bitmapPath, position)
                                   : ApplyOutcome{};
    }
    std::vector<MonitorPicture> parts;
    std::vector<MonitorArea> areas;
    for (const MonitorShown& m : monitors) {
        if (!m.picture || !*m.picture) return {};
        const PixelView pixels = m.picture->Pixels();
        if (!pixels.first) return {};
        parts.push_back({m.area, pixels, position});
        areas.push_back(m.area);
    }
    const ScreenBox box = BoxAround(areas);
    const bool written = SaveBitmapInBands(bitmapPath, box.width, box.height, [&](const BitmapBandSink& sink) {
        return ComposeScreen(parts, background, kBandRows, sink);
    });
    if (!written) return {};
    bool accepted = false;
    const WinIniPath winIni = SetDesktopWallpaper(effects, bitmapPath, kTiledStyle, &accepted);
    return {accepted, winIni};
}

}  // namespace velmora::wallpaper
