#include "wallpaper/wallpaper_apply.h"

#include "platform/app_dir.h"
#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "wallpaper/picture_library.h"

namespace velmora::wallpaper {

std::wstring PictureFolder() { return AppDirectory() + L"\\pic"; }

std::wstring PicturePath(std::string_view name) { return PictureFolder() + L"\\" + Widen(name); }

std::wstring WallpaperBitmapPath() { return AppDirectory() + L"\\wallpaper.bmp"; }

std::vector<std::string> ListPictureFolder() {
    const std::wstring pattern = PictureFolder() + L"\\*";
    WIN32_FIND_DATAW found{};
    // The basic information is all the list needs; large fetches make a
    // folder of thousands of pictures quick to read.
    UniqueFind find(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                       FIND_FIRST_EX_LARGE_FETCH));
    if (!find) return {};  // no folder: an empty list
    std::vector<FolderEntry> entries;
    do {
        entries.push_back({Narrow(found.cFileName), found.dwFileAttributes});
    } while (::FindNextFileW(find.get(), &found));
    return ListingOrder(std::move(entries));
}

void weizi(Position position) {
    // Registry copies of the two style values under the user's root key
    // would be read by nobody; the "Desktop" section of Win.ini and the
    // wallpaper setter carry the change.
    const StyleValues style = StyleFor(position);
    const std::string path = Narrow(WallpaperBitmapPath());
    Effects().WritePrivateProfileStringA("Desktop", "Wallpaper", path, "Win.ini");
    Effects().WritePrivateProfileStringA("Desktop", "TileWallpaper", style.tile, "Win.ini");
    Effects().WritePrivateProfileStringA("Desktop", "WallpaperStyle", style.style, "Win.ini");
    Effects().SetDeskWallpaper(path, SPIF_UPDATEINIFILE);
}

bool ApplyPreviewAsWallpaper(const Picture& picture, Position position) {
    if (!picture || !SaveBitmap24(picture, WallpaperBitmapPath())) return false;
    weizi(position);
    return true;
}

}  // namespace velmora::wallpaper
