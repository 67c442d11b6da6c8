// The web pages the program opens: the navigation site, its own download
// page and the pages of three small utilities it recommends.
#pragma once

#include <span>
#include <string_view>

namespace velmora::web {

inline constexpr std::string_view kNavigationAddress = "https://www.hao123.com/";
inline constexpr std::string_view kDownloadPageAddress = "https://velmora.github.io/download/";

struct Recommended {
    std::string_view caption;  // UTF-8
    std::string_view address;
};

// Our own small utilities, in the order the panel's bottom line shows them.
// The captions stay within four characters: the links are 72 px apart and
// the panel's font is 12 px per character.
inline constexpr Recommended kRecommended[] = {
    {"截图助手", "https://velmora.github.io/snap/"},
    {"便签", "https://velmora.github.io/notes/"},
    {"文件粉碎", "https://velmora.github.io/shred/"},
};

}  // namespace velmora::web
