#include "wallpaper/wallpaper_setter.h"

#include "platform/text.h"

namespace velmora::wallpaper {

WinIniPath SetDesktopWallpaper(SystemEffects& effects, const std::wstring& bitmapPath, Position position,
                               bool* accepted) {
    // Registry copies of the two style values under the user's root key
    // would be read by nobody; the "Desktop" section of Win.ini and the
    // wallpaper setter carry the change.
    const StyleValues style = StyleFor(position);
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

}  // namespace velmora::wallpaper
