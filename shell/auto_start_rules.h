// Starting at logon: where the entry lives in the registry and what it
// holds. The registry side is in shell/auto_start.*.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::autostart {

// The Run key, under the machine-wide root first and under the user's own
// root where the machine-wide one cannot be written.
inline constexpr std::string_view kRunKeyPath = "SOFTWARE\\Microsoft\\windows\\CurrentVersion\\Run";
inline constexpr std::string_view kRunValueName = "velmorad";
// READ_CONTROL plus every key-specific right: what the machine-wide key is
// opened with.
inline constexpr unsigned long kRunKeyAccess = 0x2003F;
// The switch in the profile ("1" on, anything else off).
inline constexpr std::string_view kProfileKey = "开机自动运行";
// Whatever the running file is called, the entry names this one.
inline constexpr std::string_view kProgramFile = "Velmora.exe";

// The command the system runs at logon: folder + "\Velmora.exe". A folder
// with a blank is put in quotes, or the system would try "C:\Program.exe"
// for "C:\Program Files\..." before the program itself.
std::string RunCommand(std::string_view folder);

// What RegSetValueEx is told the data's size is: the bytes and the NUL.
inline std::size_t StoredLength(std::string_view data) { return data.size() + 1; }

}  // namespace velmora::autostart
