#include "wallpaper/wallpaper_setter.h"

#include "platform/text.h"

namespace velmora::wallpaper {

void SetDesktopWallpaper(SystemEffects& effects, const std::wstring& bitmapPath, Position position) {
    // Registry copies of the two style values under the user's root key
    // would be read by nobody; the "Desktop" section of Win.ini and the
    // wallpaper setter carry the change.
    const StyleValues style = StyleFor(position);
    const std::string path = Narrow(bitmapPath);
    effects.WritePrivateProfileStringA("Desktop", "Wallpaper", path, "Win.ini");
    effects.WritePrivateProfileStringA("Desktop", "TileWallpaper", style.tile, "Win.ini");
    effects.WritePrivateProfileStringA("Desktop", "WallpaperStyle", style.style, "Win.ini");
    effects.SetDeskWallpaper(path, SPIF_UPDATEINIFILE);
}

bool ApplyAsWallpaper(SystemEffects& effects, const Picture& picture, const std::wstring& bitmapPath,
                      Position position) {
    if (!picture || !SaveBitmap24(picture, bitmapPath)) return false;
    SetDesktopWallpaper(effects, bitmapPath, position);
    return true;
}

}  // namespace velmora::wallpaper
