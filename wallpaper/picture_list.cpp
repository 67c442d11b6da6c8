#include "wallpaper/picture_list.h"

#include <algorithm>

namespace velmora::wallpaper {

namespace {

char FoldCase(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Case-blind on ASCII letters only: the bytes of Chinese names compare as
// they are, so every name keeps one place whatever its script.
bool LessIgnoringCase(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(FoldCase(a[i]));
        const auto y = static_cast<unsigned char>(FoldCase(b[i]));
        if (x != y) return x < y;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    return a < b;  // "A.bmp" and "a.bmp" can both exist on a case-sensitive disk
}

}  // namespace

std::vector<std::string> ListingOrder(std::vector<FolderEntry> entries) {
    constexpr uint32_t kNotListed = kAttributeHidden | kAttributeSystem | kAttributeDirectory;
    std::vector<std::string> names;
    names.reserve(entries.size());
    for (auto& e : entries) {
        if (e.name.empty() || (e.attributes & kNotListed) != 0) continue;
        names.push_back(std::move(e.name));
    }
    std::sort(names.begin(), names.end(), LessIgnoringCase);
    return names;
}

bool ListsBefore(const std::string& a, const std::string& b) { return LessIgnoringCase(a, b); }

std::string StripPath(std::string_view path) {
    const size_t slash = path.rfind('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string FileNameLabelText(std::string_view path) { return std::string(kFileNamePrefix) + StripPath(path); }

std::string FilePathLabelText(std::string_view path) { return std::string(kFilePathPrefix) + std::string(path); }

}  // namespace velmora::wallpaper
