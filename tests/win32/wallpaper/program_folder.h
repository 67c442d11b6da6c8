// A program folder of the wallpaper tests' own: a fresh temporary folder
// with its pic\ folder, pictures and other files written into it, and the
// wallpaper bitmap read back. Everything goes at the end of the scope.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/handles.h"
#include "support/test_support.h"

namespace velmora::testing {

class ProgramFolder {
public:
    ProgramFolder() { ::CreateDirectoryW(Pic().c_str(), nullptr); }
    ~ProgramFolder() { RemoveTree(Pic()); }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::wstring& path() const { return folder_.path(); }
    std::wstring Pic() const { return folder_.File(L"pic"); }
    std::wstring InPic(const std::wstring& name) const { return Pic() + L"\\" + name; }
    std::wstring Bitmap() const { return folder_.File(L"wallpaper.bmp"); }

    void AddPicture(const std::wstring& name, int width = 40, int height = 30, COLORREF colour = RGB(30, 120, 200)) {
        WriteSolidBmp(InPic(name), width, height, colour);
    }
    void AddText(const std::wstring& name) { WriteBytes(InPic(name), "not a picture\r\n"); }

    // The width and height of wallpaper.bmp; 0 x 0 when it is no bitmap.
    SIZE BitmapSize() const {
        const std::string bytes = ReadBytes(Bitmap());
        if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return {};
        auto at = [&](size_t i) {
            return static_cast<int>(static_cast<unsigned char>(bytes[i]) |
                                    static_cast<unsigned char>(bytes[i + 1]) << 8 |
                                    static_cast<unsigned char>(bytes[i + 2]) << 16);
        };
        return {at(18), at(22)};
    }

    // Files and folders below `dir`, then `dir` itself (the temporary folder
    // removes plain files only).
    static void RemoveTree(const std::wstring& dir) {
        WIN32_FIND_DATAW found{};
        std::vector<std::wstring> names;
        if (UniqueFind find(::FindFirstFileW((dir + L"\\*").c_str(), &found)); find) {
            do {
                const std::wstring name = found.cFileName;
                if (name != L"." && name != L"..") names.push_back(name);
            } while (::FindNextFileW(find.get(), &found));
        }
        for (const auto& name : names) {
            const std::wstring path = dir + L"\\" + name;
            ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (!::DeleteFileW(path.c_str())) RemoveTree(path);
        }
        ::RemoveDirectoryW(dir.c_str());
    }

private:
    TempFolder folder_;
};

}  // namespace velmora::testing
