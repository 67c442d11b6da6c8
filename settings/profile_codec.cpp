#include "settings/profile_codec.h"

#include <vector>

#include "platform/numbers.h"

namespace velmora::profile {

namespace {

bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Length of the character starting at i: in GBK, 2 for a double-byte
// character with its trail byte present, 1 otherwise. In UTF-8 every byte
// is stepped alone: no byte of a longer character is an ASCII one, so the
// scans for '[', ']', '=' and ';' and the case folding stay exact.
std::size_t CharLength(std::string_view s, std::size_t i, Scan scan) {
    if (scan == Scan::Utf8) return 1;
    return (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) ? 2 : 1;
}

// Length of the UTF-8 character starting at i, by its first byte.
std::size_t Utf8Length(std::string_view s, std::size_t i) {
    const auto u = static_cast<unsigned char>(s[i]);
    return u >= 0xF0 ? 4 : u >= 0xE0 ? 3 : u >= 0xC0 ? 2 : 1;
}

// First position of the single-byte character c, stepping over double-byte
// characters.
std::size_t FindChar(std::string_view s, char c, Scan scan) {
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i, scan)) {
        if (s[i] == c) return i;
    }
    return std::string_view::npos;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

std::string FoldAscii(std::string_view s, Scan scan) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); i += CharLength(out, i, scan)) {
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    }
    return out;
}

struct Line {
    std::size_t begin;  // offset of the first byte
    std::size_t end;    // offset just past the line's text, before "\r\n" or "\n"
    std::size_t next;   // offset of the following line
};

std::vector<Line> SplitLines(std::string_view file) {
    std::vector<Line> lines;
    std::size_t pos = 0;
    while (pos < file.size()) {
        std::size_t nl = file.find('\n', pos);
        std::size_t next = nl == std::string_view::npos ? file.size() : nl + 1;
        std::size_t end = nl == std::string_view::npos ? file.size() : nl;
        if (end > pos && file[end - 1] == '\r') --end;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

// The section name of a header line, or nullopt for other lines.
std::optional<std::string_view> SectionName(std::string_view line, Scan scan) {
    line = TrimBlanks(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    line.remove_prefix(1);
    std::size_t close = FindChar(line, ']', scan);
    if (close != std::string_view::npos) line = line.substr(0, close);
    return TrimBlanks(line);
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> ParseKeyLine(std::string_view line, Scan scan) {
    std::string_view trimmed = TrimBlanks(line);
    if (trimmed.empty() || trimmed.front() == ';') return std::nullopt;
    std::size_t eq = FindChar(trimmed, '=', scan);
    if (eq == std::string_view::npos) return std::nullopt;
    return KeyLine{TrimBlanks(trimmed.substr(0, eq)), TrimBlanks(trimmed.substr(eq + 1))};
}

struct Found {
    bool section = false;
    std::size_t sectionHeader = 0;  // index of the header line
    std::size_t lastContent = 0;    // index of the section's last non-blank line
    std::optional<std::size_t> keyLine;
};

Found Find(const std::vector<Line>& lines, std::string_view file, std::string_view section, std::string_view key,
           Scan scan) {
    Found f;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view text = file.substr(lines[i].begin, lines[i].end - lines[i].begin);
        if (auto name = SectionName(text, scan)) {
            if (inside) break;  // the first matching section ends here
            if (SameName(*name, section, scan)) {
                inside = true;
                f.section = true;
                f.sectionHeader = f.lastContent = i;
            }
            continue;
        }
        if (!inside) continue;
        if (!TrimBlanks(text).empty()) f.lastContent = i;
        if (auto kv = ParseKeyLine(text, scan); kv && SameName(kv->key, key, scan)) {
            f.keyLine = i;
            break;
        }
    }
    return f;
}


// The code points of UTF-8 text, strictly: nullopt at an overlong form, a
// surrogate, a value past U+10FFFF or a cut sequence.
std::optional<std::vector<char32_t>> CodePoints(std::string_view s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        const auto u = static_cast<unsigned char>(s[i]);
        const std::size_t n = u < 0x80 ? 1 : (u & 0xE0) == 0xC0 ? 2 : (u & 0xF0) == 0xE0 ? 3 : (u & 0xF8) == 0xF0 ? 4 : 0;
        if (n == 0 || i + n > s.size()) return std::nullopt;
        char32_t c = n == 1 ? u : u & (0x7F >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return std::nullopt;
            c = (c << 6) | (t & 0x3F);
        }
        constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
        out.push_back(c);
        i += n;
    }
    return out;
}

bool IsUtf8(std::string_view s) { return CodePoints(s).has_value(); }

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::optional<std::string> Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    if (bytes.size() % 2 != 0) return std::nullopt;
    auto unit = [&](std::size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[i]), b = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xDC00 && c <= 0xDFFF) return std::nullopt;
        if (c >= 0xD800 && c <= 0xDBFF) {
            if (i + 2 >= bytes.size()) return std::nullopt;
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(out, c);
    }
    return out;
}

void AppendUnit(std::string& out, char32_t u, bool bigEndian) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
}

// Text the program wrote itself is UTF-8; should a broken sequence slip in,
// it becomes U+FFFD rather than bytes no reader could make sense of.
std::string Utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
        const std::optional<std::vector<char32_t>> cs = CodePoints(text.substr(i, n));
        for (char32_t c : cs ? *cs : std::vector<char32_t>{0xFFFD}) {
            if (c >= 0x10000) {
                AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
                AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
            } else {
                AppendUnit(out, c, bigEndian);
            }
        }
        i += n;
    }
    return out;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b, Scan scan) {
    return FoldAscii(a, scan) == FoldAscii(b, scan);
}

FileEncoding DetectEncoding(std::string_view bytes) {
    for (FileEncoding e : {FileEncoding::Utf16Le, FileEncoding::Utf16Be, FileEncoding::Utf8}) {
        if (bytes.starts_with(ByteOrderMark(e))) return e;
    }
    return FileEncoding::Gbk;
}

std::string_view ByteOrderMark(FileEncoding encoding) {
    switch (encoding) {
        case FileEncoding::Utf16Le: return std::string_view("\xFF\xFE", 2);
        case FileEncoding::Utf16Be: return std::string_view("\xFE\xFF", 2);
        case FileEncoding::Utf8: return std::string_view("\xEF\xBB\xBF", 3);
        case FileEncoding::Gbk: break;
    }
    return {};
}

Scan ScanOf(FileEncoding encoding) { return encoding == FileEncoding::Gbk ? Scan::Gbk : Scan::Utf8; }

std::optional<ProfileText> DecodeFile(std::string_view bytes) {
    ProfileText p{DetectEncoding(bytes), {}};
    bytes.remove_prefix(ByteOrderMark(p.encoding).size());
    std::optional<std::string> text;
    switch (p.encoding) {
        case FileEncoding::Gbk: text = std::string(bytes); break;
        case FileEncoding::Utf8: text = IsUtf8(bytes) ? std::optional(std::string(bytes)) : std::nullopt; break;
        case FileEncoding::Utf16Le: text = Utf16ToUtf8(bytes, false); break;
        case FileEncoding::Utf16Be: text = Utf16ToUtf8(bytes, true); break;
    }
    if (!text) return std::nullopt;
    p.text = std::move(*text);
    return p;
}

std::string EncodeFile(const ProfileText& p) {
    std::string bytes(ByteOrderMark(p.encoding));
    switch (p.encoding) {
        case FileEncoding::Gbk:
        case FileEncoding::Utf8: bytes += p.text; break;
        case FileEncoding::Utf16Le: bytes += Utf8ToUtf16(p.text, false); break;
        case FileEncoding::Utf16Be: bytes += Utf8ToUtf16(p.text, true); break;
    }
    return bytes;
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::optional<std::string> Lookup(std::string_view file, std::string_view section, std::string_view key, Scan scan) {
    const auto lines = SplitLines(file);
    const Found f = Find(lines, file, section, key, scan);
    if (!f.keyLine) return std::nullopt;
    const Line& l = lines[*f.keyLine];
    return std::string(ParseKeyLine(file.substr(l.begin, l.end - l.begin), scan)->value);
}

std::string ClipReadValue(std::string_view raw, Scan scan) {
    // Quotes come off first; what they held keeps its blanks.
    const std::string_view inner = Unquoted(raw);
    const bool quoted = inner.size() != raw.size();
    std::size_t end = 0;
    while (end < inner.size()) {
        std::size_t len = scan == Scan::Utf8 ? Utf8Length(inner, end) : CharLength(inner, end, scan);
        if (inner[end] == '\0' || end + len > kReadLimitBytes) break;
        end += len;
    }
    std::string_view v = inner.substr(0, end);
    if (!quoted) {
        while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
        while (!v.empty() && v.back() == ' ') v.remove_suffix(1);
    }
    return std::string(v);
}

std::string ClipWriteValue(std::string_view utf8) {
    std::size_t chars = 0;
    std::size_t i = 0;
    while (i < utf8.size() && chars < kWriteLimitChars) {
        const char c = utf8[i];
        if (c == '\0' || c == '\r' || c == '\n') break;
        std::size_t len = 1;
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0xF0) len = 4;
        else if (u >= 0xE0) len = 3;
        else if (u >= 0xC0) len = 2;
        // A lead byte without its continuation bytes is a character of its
        // own, so that a line break after it still ends the value; one cut
        // short by the end of the text is left out.
        std::size_t k = 1;
        while (k < len && i + k < utf8.size() && (static_cast<unsigned char>(utf8[i + k]) & 0xC0) == 0x80) ++k;
        if (k < len) {
            if (i + k >= utf8.size()) break;
            len = 1;
        }
        i += len;
        ++chars;
    }
    return std::string(utf8.substr(0, i));
}

std::string Update(std::string_view file, std::string_view section, std::string_view key, std::string_view value,
                   Scan scan) {
    const auto lines = SplitLines(file);
    const Found f = Find(lines, file, section, key, scan);
    std::string out;
    out.reserve(file.size() + key.size() + value.size() + section.size() + 8);

    if (f.keyLine) {
        // Keep the key as the file spells it; replace only the line's text.
        const Line& l = lines[*f.keyLine];
        const std::string_view stored = ParseKeyLine(file.substr(l.begin, l.end - l.begin), scan)->key;
        out.append(file.substr(0, l.begin));
        out.append(stored).append("=").append(value);
        out.append(file.substr(l.end));
        return out;
    }
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    if (f.section) {
        const Line& l = lines[f.lastContent];
        out.append(file.substr(0, l.end));
        out.append("\r\n").append(keyLine);
        if (l.next == l.end) out.append("\r\n");  // the file ended without a line break
        out.append(file.substr(l.end));
        return out;
    }
    out.append(file);
    if (!out.empty() && out.back() != '\n') out.append("\r\n");
    if (!out.empty()) out.append("\r\n");
    out.append("[").append(section).append("]\r\n").append(keyLine).append("\r\n");
    return out;
}

bool IsNumericOne(std::string_view text) {
    const std::optional<double> value = ParseDecimal(text);
    return value && *value == 1.0;
}

}  // namespace velmora::profile
