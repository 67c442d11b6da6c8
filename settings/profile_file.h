// The profile file vlmr.INI beside the executable: every user setting except
// window placement, in the section "Velmora". Nothing is cached; each call
// reads or rewrites the file.
#pragma once

#include <map>
#include <string>
#include <string_view>

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
    // never a truncated one. Returns whether the file now holds the value; a
    // value the file could not take (a read-only profile) is still what Read
    // answers until the program ends.
    bool Write(std::string_view key, std::string_view value) override;

    const std::wstring& path() const { return path_; }

private:
    bool WriteToFile(std::string_view key, std::string_view value);

    std::wstring path_;
    std::map<std::string, std::string, std::less<>> sessionOnly_;
};

}  // namespace velmora
