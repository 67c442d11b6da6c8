// The address the web-search box (网络搜索) opens for a keyword, on the
// engine the user chose.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace velmora::search {

// The engines in the order the box's menu offers them.
enum class Engine { Baidu, Bing, Sogou, So360, Google };

struct EngineInfo {
    Engine engine;
    std::string_view caption;  // in the menu, and stored under kEngineKey
    std::string_view base;     // scheme, host, path and the keyword's key
    std::string_view suffix;   // after the keyword
};

// 百度's address is what the box has always opened; its suffix tells the
// results page that the keyword is UTF-8.
inline constexpr std::array<EngineInfo, 5> kEngines = {{
    {Engine::Baidu, "百度", "http://www.baidu.com/s?wd=", "&ie=utf-8"},
    {Engine::Bing, "必应", "https://www.bing.com/search?q=", ""},
    {Engine::Sogou, "搜狗", "https://www.sogou.com/web?query=", ""},
    {Engine::So360, "360搜索", "https://www.so.com/s?q=", ""},
    {Engine::Google, "Google", "https://www.google.com/search?q=", ""},
}};

// The profile key that keeps the chosen engine's caption.
inline constexpr std::string_view kEngineKey = "sousuo";

const EngineInfo& InfoOf(Engine engine);

// The engine whose caption the stored value is, exactly; anything else
// (empty, unknown, cut short, in another encoding) is 百度.
Engine EngineNamed(std::string_view stored);

// The keyword's UTF-8 bytes percent-encoded: everything but letters,
// digits and "-._~" becomes %XX, so a blank, "&", "#" or "+" stays part of
// the keyword instead of ending it or changing its meaning.
std::string PercentEncode(std::string_view utf8);

// The results page for a keyword (UTF-8), taken exactly as typed: nothing
// is trimmed, and a keyword of blanks is searched for as such.
std::string SearchAddress(std::string_view keywordUtf8, Engine engine = Engine::Baidu);

}  // namespace velmora::search
