// The profile file vlmr.INI beside the executable: every user setting except
// window placement, in the section "Velmora". Nothing is cached; each call
// reads or rewrites the file.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "settings/settings_store.h"

namespace velmora {

// Section of every setting.
inline constexpr std::string_view kProfileSection = "Velmora";
// The file's name in the program's folder.
inline constexpr wchar_t kProfileFileName[] = L"vlmr.INI";

class ProfileFile final : public SettingsStore {
public:
    explicit ProfileFile(std::wstring path) : path_(std::move(path)) {}

    // The value under key, spaces around it removed, at most 127 bytes in
    // GBK; empty when the file, the section or the key is missing.
    std::string Read(std::string_view key) override;

    // Stores value under key, creating the file and section as needed, in
    // the file's own encoding (GBK, or UTF-8 or UTF-16 after a byte-order
    // mark). The new file is written beside the old one and then put in its
    // place, so a crash in the middle leaves the old file or the new one,
    // never a truncated one; a link stays a link to the rewritten file, and
    // a hidden or system file stays so. Returns whether the file now holds
    // the value; a value the file could not take (a read-only profile, one
    // held open elsewhere, one whose bytes its mark belies) is still what
    // Read answers, and a later write that succeeds stores it too.
    bool Write(std::string_view key, std::string_view value) override;

    const std::wstring& path() const { return path_; }

private:
    // Keys and the values to store, as written (UTF-8, clipped).
    using Changes = std::vector<std::pair<std::string, std::string>>;
    bool WriteToFile(const Changes& changes);

    std::wstring path_;
    Changes sessionOnly_;  // what the file could not take yet
};

}  // namespace velmora
