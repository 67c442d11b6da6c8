// The profile file's text format, independent of any file system.
//
// The file holds bytes in GBK (code page 936): ASCII plus double-byte
// characters whose lead byte is 0x81-0xFE and whose trail byte may fall in
// the ASCII range (']' and letters included). Every scan here steps over
// double-byte characters whole, so a Chinese key never splits on its trail
// byte and its trail bytes are never case-folded.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::profile {

// Largest value a read returns, in bytes of the file's code page
// (a 128-byte buffer that always ends with a NUL).
inline constexpr std::size_t kReadLimitBytes = 127;
// Largest value a write stores, in characters.
inline constexpr std::size_t kWriteLimitChars = 128;

// Section and key names compared without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

// The value stored under `key` in `section`, blanks around it removed, or
// nullopt when the file has no such section or key. The first matching
// section and the first matching key win, as with the platform reader.
std::optional<std::string> Lookup(std::string_view file, std::string_view section, std::string_view key);

// What a read hands back: at most kReadLimitBytes bytes (never half of a
// double-byte character), leading and trailing spaces removed.
std::string ClipReadValue(std::string_view raw);

// What a write stores, from a UTF-8 value: the text up to its first NUL, at
// most kWriteLimitChars characters, and never past a line break (a value is
// one line; a break would smuggle further keys into the file).
std::string ClipWriteValue(std::string_view utf8);

// The file after storing key=value in section. An existing key line is
// replaced in place and every other byte of the file is kept; a new key goes
// after the last line of its section; a new section goes at the end.
std::string Update(std::string_view file, std::string_view section, std::string_view key, std::string_view value);

// The numeric test applied to switch values ("qhzm", "开机自动运行"): the
// text, blanks stripped, read as a decimal number and compared with 1.
// "1", "01", "1.0" and " 1 " pass; an empty or non-numeric text counts as 0.
bool IsNumericOne(std::string_view text);

}  // namespace velmora::profile
