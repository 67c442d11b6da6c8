#include "wallpaper/history.h"

#include <algorithm>

namespace velmora::wallpaper {

namespace {

// NTFS allows 255 UTF-16 units in a name: at most 765 bytes of UTF-8 for
// characters of the basic plane, 1020 with surrogate pairs.
constexpr std::size_t kMaxNameBytes = 1020;

// Whether `s` is well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        size_t length = 0;
        unsigned lowest = 0;
        if (c < 0x80) {
            ++i;
            continue;
        }
        if (c >= 0xC2 && c <= 0xDF) length = 2, lowest = 0x80;
        else if (c >= 0xE0 && c <= 0xEF) length = 3, lowest = 0x800;
        else if (c >= 0xF0 && c <= 0xF4) length = 4, lowest = 0x10000;
        else return false;
        if (i + length > s.size()) return false;
        unsigned code = c & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) return false;
            code = code << 6 | (d & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

}  // namespace

bool IsHistoryName(std::string_view name) {
    if (name.empty() || name.size() > kMaxNameBytes || name == "." || name == "..") return false;
    for (const char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F) return false;
        if (std::string_view("\\/:*?\"<>|").find(ch) != std::string_view::npos) return false;
    }
    return IsUtf8(name);
}

std::string JoinSet(const std::vector<std::string>& names) {
    std::string entry;
    for (const std::string& name : names) {
        if (!entry.empty()) entry += '|';
        entry += name;
    }
    return entry;
}

std::vector<std::string> SplitSet(std::string_view entry) {
    std::vector<std::string> names;
    for (size_t start = 0;;) {
        const size_t bar = entry.find('|', start);
        names.emplace_back(entry.substr(start, bar - start));
        if (bar == std::string_view::npos) return names;
        start = bar + 1;
    }
}

bool IsHistoryEntry(std::string_view entry) {
    for (const std::string& name : SplitSet(entry)) {
        if (!IsHistoryName(name)) return false;
    }
    return true;
}

WallpaperHistory::WallpaperHistory(std::vector<std::string> entries) : entries_(std::move(entries)) {
    if (entries_.size() > kHistoryLength) entries_.erase(entries_.begin(), entries_.end() - kHistoryLength);
}

bool WallpaperHistory::Record(const std::string& name) {
    if (!IsHistoryEntry(name) || (!entries_.empty() && entries_.back() == name)) return false;
    entries_.push_back(name);
    if (entries_.size() > kHistoryLength) entries_.erase(entries_.begin());
    return true;
}

bool WallpaperHistory::StepBack(const std::function<bool(const std::string& name)>& reapply) {
    for (size_t i = entries_.size(); i-- > 1;) {
        if (reapply(entries_[i - 1])) {
            entries_.resize(i);
            return true;
        }
    }
    return false;
}

std::string EncodeHistory(const std::vector<std::string>& entries) {
    const bool sets = std::any_of(entries.begin(), entries.end(),
                                  [](const std::string& e) { return e.find('|') != std::string::npos; });
    std::string text(sets ? kHistorySetsHeader : kHistoryHeader);
    text += '\n';
    for (const std::string& name : entries) {
        text += name;
        text += '\n';
    }
    return text;
}

std::optional<std::vector<std::string>> DecodeHistory(std::string_view text) {
    std::vector<std::string> entries;
    bool header = true, sets = false;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos) return std::nullopt;  // a last line cut short
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (header) {
            sets = line == kHistorySetsHeader;
            if (line != kHistoryHeader && !sets) return std::nullopt;
            header = false;
        } else if (sets ? IsHistoryEntry(line) : IsHistoryName(line)) {
            entries.emplace_back(line);
        } else {
            return std::nullopt;
        }
    }
    if (header) return std::nullopt;  // an empty file
    return entries;
}

}  // namespace velmora::wallpaper
