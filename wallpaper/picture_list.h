// The picture list's rules that need no window: which files of the pic
// folder are listed and in which order, StripPath, and the texts of the
// file-name and file-path labels under the list.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::wallpaper {

inline constexpr std::string_view kFileNamePrefix = "文件名：";
// Five characters and a blank.
inline constexpr std::string_view kFilePathPrefix = "文件路径： ";

// One entry of a folder listing: name (UTF-8) and its file attributes, as
// the platform's FILE_ATTRIBUTE_* bits.
struct FolderEntry {
    std::string name;
    uint32_t attributes = 0;
};
inline constexpr uint32_t kAttributeHidden = 0x2;
inline constexpr uint32_t kAttributeSystem = 0x4;
inline constexpr uint32_t kAttributeDirectory = 0x10;

// The names the list shows: no hidden or system files, no folders, no empty
// names; every other file whatever its type, ascending by name without
// regard to case (ties broken by the exact name, so the order is total).
std::vector<std::string> ListingOrder(std::vector<FolderEntry> entries);
// Whether `a` comes before `b` in that order.
bool ListsBefore(const std::string& a, const std::string& b);

// The part of the path after its last backslash, or the path unchanged when
// it holds none.
std::string StripPath(std::string_view path);

// "文件名：" + StripPath(path) and "文件路径： " + path.
std::string FileNameLabelText(std::string_view path);
std::string FilePathLabelText(std::string_view path);

}  // namespace velmora::wallpaper
