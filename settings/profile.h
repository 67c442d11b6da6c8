// The profile file vlmr.INI beside the executable: every user setting except
// window placement. Nothing is cached; each call reads or rewrites the file.
#pragma once

#include <string>
#include <string_view>

namespace velmora {

// Section of every setting.
inline constexpr std::string_view kProfileSection = "Velmora";

// Full path of the profile file (application directory + "\vlmr.INI").
std::wstring ProfilePath();

// The value under key, spaces around it removed, at most 127 bytes in GBK;
// empty when the file, the section or the key is missing. UTF-8 in and out.
std::string ProfileRead(std::string_view section, std::string_view key);

// Stores value under key (GBK in the file), creating the file and section as
// needed. The new file is written beside the old one and then put in its
// place, so a crash in the middle leaves the old file or the new one, never
// a truncated one. Returns whether the file now holds the value.
bool ProfileWrite(std::string_view section, std::string_view key, std::string_view value);

}  // namespace velmora
