// The picture library's rules that need no window: which files of the pic
// folder are listed and in which order, StripPath, and the texts of the
// file labels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::wallpaper {

// Label1 and Label2 of the changer window. Label2's prefix is six characters
// (five and a blank): the picture viewer takes the path from the seventh on.
inline constexpr std::string_view kLabel1Prefix = "文件名：";
inline constexpr std::string_view kLabel2Prefix = "文件路径： ";

// One entry of a folder listing: name (UTF-8) and its file attributes, as
// the platform's FILE_ATTRIBUTE_* bits.
struct FolderEntry {
    std::string name;
    uint32_t attributes = 0;
};
inline constexpr uint32_t kAttributeHidden = 0x2;
inline constexpr uint32_t kAttributeSystem = 0x4;
inline constexpr uint32_t kAttributeDirectory = 0x10;

// File1's listing: no hidden or system files, no folders, no empty names;
// every other file whatever its type, ascending by name without regard to
// case (ties broken by the exact name, so the order is total).
std::vector<std::string> ListingOrder(std::vector<FolderEntry> entries);

// StripPath: the part of the path after its last backslash, or the path
// unchanged when it holds none.
std::string StripPath(std::string_view path);

// "文件名：" + StripPath(path) and "文件路径： " + path.
std::string Label1Text(std::string_view path);
std::string Label2Text(std::string_view path);

// The viewer's path: Label2's text from its seventh character (not byte) on;
// empty when the text is shorter.
std::string PathFromLabel2(std::string_view label2);

}  // namespace velmora::wallpaper
