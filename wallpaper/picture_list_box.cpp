#include "wallpaper/picture_list_box.h"

#include "platform/text.h"

namespace velmora::wallpaper {

void FillPictureList(HWND list, const std::vector<std::string>& names) {
    const LRESULT top = ::SendMessageW(list, LB_GETTOPINDEX, 0, 0);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    size_t characters = 0;
    for (const std::string& name : names) characters += name.size() + 1;  // UTF-16 never needs more
    ::SendMessageW(list, LB_INITSTORAGE, names.size(), characters * sizeof(wchar_t));
    std::wstring wide;
    for (const std::string& name : names) {
        wide = Widen(name);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    if (top > 0) ::SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(top), 0);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

}  // namespace velmora::wallpaper
