// The profile file's text format, independent of any file system.
//
// The file holds bytes in GBK (code page 936): ASCII plus double-byte
// characters whose lead byte is 0x81-0xFE and whose trail byte may fall in
// the ASCII range (']' and letters included). Every scan here steps over
// double-byte characters whole, so a Chinese key never splits on its trail
// byte and its trail bytes are never case-folded. A file saved with a
// byte-order mark (Notepad's "Unicode" or "UTF-8") is read and written in
// its own encoding; its text is scanned as UTF-8.
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

// How the text of a file is scanned: GBK bytes, or UTF-8.
enum class Scan { Gbk, Utf8 };

// How a file is spelled on disk, from its first bytes: UTF-16 LE or BE or
// UTF-8 after a byte-order mark, GBK without one.
enum class FileEncoding { Gbk, Utf8, Utf16Le, Utf16Be };
FileEncoding DetectEncoding(std::string_view bytes);
// The byte-order mark a file of that encoding starts with ("" for GBK).
std::string_view ByteOrderMark(FileEncoding encoding);
// How the text of a file of that encoding is scanned.
Scan ScanOf(FileEncoding encoding);

// A file's bytes as its encoding says them: the text the codec scans (GBK
// bytes as they are; the rest as UTF-8, without the mark) and what writes
// it back. nullopt when the bytes are not what the mark promises (an odd
// length or a lone surrogate in UTF-16, a broken sequence in UTF-8): such a
// file could not be written back as it was, so it is never rewritten.
struct ProfileText {
    FileEncoding encoding = FileEncoding::Gbk;
    std::string text;
};
std::optional<ProfileText> DecodeFile(std::string_view bytes);
// The bytes of the file holding `text` (UTF-8, or GBK for a GBK file).
std::string EncodeFile(const ProfileText& text);

// Section and key names compared without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b, Scan scan = Scan::Gbk);

// A value in a matching pair of double or single quotes, without them, as
// the platform reader hands it back; any other value as it is.
std::string_view Unquoted(std::string_view value);

// The value stored under `key` in `section`, blanks around it removed, or
// nullopt when the file has no such section or key. The first matching section and the first matching key win, as
// with the platform reader.
std::optional<std::string> Lookup(std::string_view file, std::string_view section, std::string_view key,
                                  Scan scan = Scan::Gbk);

// What a read hands back: a value in a matching pair of quotes without them
// and with its blanks, any other value with leading and trailing spaces
// removed; at most kReadLimitBytes bytes (never half of a character).
std::string ClipReadValue(std::string_view raw, Scan scan = Scan::Gbk);

// What a write stores, from a UTF-8 value: the text up to its first NUL, at
// most kWriteLimitChars characters, and never past a line break (a value is
// one line; a break would smuggle further keys into the file).
std::string ClipWriteValue(std::string_view utf8);

// The file after storing key=value in section. An existing key line is
// replaced in place and every other byte of the file is kept; a new key goes
// after the last line of its section; a new section goes at the end.
std::string Update(std::string_view file, std::string_view section, std::string_view key, std::string_view value,
                   Scan scan = Scan::Gbk);

// The numeric test applied to switch values ("qhzm", "开机自动运行"): the
// text, blanks stripped, read as a decimal number and compared with 1.
// "1", "01", "1.0" and " 1 " pass; an empty or non-numeric text counts as 0.
bool IsNumericOne(std::string_view text);

}  // namespace velmora::profile
