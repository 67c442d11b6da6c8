// The wallpaper history file (vlmr-history.txt): what is read from any
// text is a history of at most 50 picture names, and that history, written
// and read again, is the same, byte for byte once written.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "wallpaper/history.h"

namespace {

using namespace velmora::wallpaper;

void CheckHistory(const WallpaperHistory& history) {
    FUZZ_CHECK(history.Entries().size() <= kHistoryLength);
    for (const std::string& entry : history.Entries()) FUZZ_CHECK(IsHistoryEntry(entry));
    const std::string written = EncodeHistory(history.Entries());
    const std::optional<std::vector<std::string>> again = DecodeHistory(written);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(*again == history.Entries());
    FUZZ_CHECK(EncodeHistory(*again) == written);
}

// A text that is plainly a history: the first line, then lines of small
// letters, each ending in a line feed.
bool PlainlyGood(std::string_view text) {
    const std::string first = std::string(kHistoryHeader) + "\n";
    if (!text.starts_with(first)) return false;
    text.remove_prefix(first.size());
    if (!text.empty() && text.back() != '\n') return false;
    if (text.find("\n\n") != std::string_view::npos || text.starts_with("\n")) return false;
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '\n' || (c >= 'a' && c <= 'z'); });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Mostly a file with the right first line, so that the lines get read.
    std::string text = input.ConsumeBool() ? std::string(kHistoryHeader) + "\n" : std::string();
    text += input.ConsumeRandomLengthString(64 * 1024);
    const std::optional<std::vector<std::string>> entries = DecodeHistory(text);
    if (entries) {
        for (const std::string& name : *entries) FUZZ_CHECK(IsHistoryEntry(name));
        // What the program loads: the newest 50.
        const WallpaperHistory loaded(*entries);
        FUZZ_CHECK(loaded.Entries().size() == std::min(entries->size(), kHistoryLength));
        FUZZ_CHECK(std::equal(loaded.Entries().rbegin(), loaded.Entries().rend(), entries->rbegin()));
        CheckHistory(loaded);
    } else {
        FUZZ_CHECK(!PlainlyGood(text));
    }
    // Names applied one after another keep the history within its length.
    WallpaperHistory history(entries.value_or(std::vector<std::string>{}));
    while (input.remaining_bytes() > 0) {
        const std::string name = input.ConsumeRandomLengthString(64);
        const std::vector<std::string> before = history.Entries();
        const bool changed = history.Record(name);
        FUZZ_CHECK(changed == (IsHistoryEntry(name) && (before.empty() || before.back() != name)));
        if (changed) {
            FUZZ_CHECK(history.Entries().back() == name);
            FUZZ_CHECK(history.Entries().size() == std::min(before.size() + 1, kHistoryLength));
        } else {
            FUZZ_CHECK(history.Entries() == before);
        }
    }
    CheckHistory(history);
    return 0;
}
