// The changer's files in the program's folder: the picture folder pic\ and
// the bitmap wallpaper.bmp the desktop shows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velmora::wallpaper {

class PictureFolder {
public:
    // `directory`: the program's folder, without a trailing separator.
    explicit PictureFolder(std::wstring directory) : directory_(std::move(directory)) {}

    const std::wstring& Directory() const { return directory_; }
    // directory + "\pic".
    std::wstring Folder() const { return directory_ + L"\\pic"; }
    // directory + "\pic\" + name.
    std::wstring PicturePath(std::string_view name) const;
    // directory + "\wallpaper.bmp".
    std::wstring WallpaperBitmapPath() const { return directory_ + L"\\wallpaper.bmp"; }

    // The names the list shows, in its order (see ListingOrder); empty when
    // the folder is missing.
    std::vector<std::string> ListPictures() const;

private:
    std::wstring directory_;
};

}  // namespace velmora::wallpaper
