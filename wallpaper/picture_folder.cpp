#include "wallpaper/picture_folder.h"

#include <windows.h>

#include "platform/handles.h"
#include "platform/text.h"
#include "wallpaper/picture_list.h"

namespace velmora::wallpaper {

std::wstring PictureFolder::PicturePath(std::string_view name) const { return Folder() + L"\\" + Widen(name); }

std::vector<std::string> PictureFolder::ListPictures() const {
    const std::wstring pattern = Folder() + L"\\*";
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

}  // namespace velmora::wallpaper
