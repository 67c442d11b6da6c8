// The address the web-search box (网络搜索) opens for a keyword.
#pragma once

#include <string>
#include <string_view>

namespace velmora::search {

// Scheme, host and path of the results page, and its keyword key.
inline constexpr std::string_view kSearchBase = "http://www.baidu.com/s?wd=";
// Tells the results page that the keyword is UTF-8.
inline constexpr std::string_view kEncodingSuffix = "&ie=utf-8";

// The keyword's UTF-8 bytes percent-encoded: everything but letters,
// digits and "-._~" becomes %XX, so a blank, "&", "#" or "+" stays part of
// the keyword instead of ending it or changing its meaning.
std::string PercentEncode(std::string_view utf8);

// The results page for a keyword (UTF-8), taken exactly as typed: nothing
// is trimmed, and a keyword of blanks is searched for as such.
std::string SearchAddress(std::string_view keywordUtf8);

}  // namespace velmora::search
