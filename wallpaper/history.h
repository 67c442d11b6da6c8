// The wallpapers the program applied, newest last, so that the previous one
// can be put back: the last 50, by any road (timed changing, the next
// picture, the change-now button). Entries are names of pictures in the pic
// folder, so the history stays good when the program's folder moves (a USB
// stick under another drive letter). It is kept across runs in a small text
// file beside the profile; see EncodeHistory.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmora::wallpaper {

inline constexpr std::size_t kHistoryLength = 50;
// The file's first line. A history of single pictures (one monitor) is
// written as it always was; one that holds a set of several monitors'
// pictures says so with the second header.
inline constexpr std::string_view kHistoryHeader = "Velmora wallpaper history 1";
inline constexpr std::string_view kHistorySetsHeader = "Velmora wallpaper history 2";

// An entry is the set of pictures one change put on the monitors, in
// monitor order (the primary first), joined by '|', which no file name
// holds; a single picture is its own set.
std::string JoinSet(const std::vector<std::string>& names);
std::vector<std::string> SplitSet(std::string_view entry);

class WallpaperHistory {
public:
    WallpaperHistory() = default;
    // The newest kHistoryLength of `entries` (oldest first).
    explicit WallpaperHistory(std::vector<std::string> entries);

    // Oldest first; the last is the wallpaper applied last.
    const std::vector<std::string>& Entries() const { return entries_; }

    // A picture was applied as the wallpaper: it becomes the newest entry
    // (unless it is the newest already, or no file name), and the oldest
    // goes past the length. True when the entries changed.
    bool Record(const std::string& name);

    // The previous wallpaper: walks back from the entry before the newest,
    // handing each to `reapply`, which puts it back on the desktop and says
    // whether it could (a picture that is gone cannot). The first that is
    // put back becomes the newest entry: the ones after it go. True when one
    // was put back; at the oldest entry, or when none can be, nothing
    // changes.
    bool StepBack(const std::function<bool(const std::string& name)>& reapply);

private:
    std::vector<std::string> entries_;
};

// Whether a name can be in an entry: a file name, as DecodeHistory takes it.
bool IsHistoryName(std::string_view name);
// Whether a line can be an entry: one name, or several joined by '|'.
bool IsHistoryEntry(std::string_view entry);

// The file: the header line, then one entry per line, oldest first, UTF-8,
// every line ending in a line feed; the first header while every entry is a
// single name, else the second.
std::string EncodeHistory(const std::vector<std::string>& entries);

// The entries of a file's text; nullopt when it is not one: no header, a
// last line without its line feed (a truncated file), or a line that is no
// file name (under the second header: no set of file names) (empty, not UTF-8, a control character or one of \ / : * ? " < > |,
// "." or "..", longer than a name can be). A carriage return before a
// line feed is let pass, for a file saved by a Windows editor.
std::optional<std::vector<std::string>> DecodeHistory(std::string_view text);

}  // namespace velmora::wallpaper
