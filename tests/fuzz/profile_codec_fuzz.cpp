// The profile file's text (vlmr.INI): after any number of writes into any
// file, every key written reads back as the value it was given, and every
// key not written reads as before. Keys, sections and values are the ones a
// write accepts: one line, no '=' or ']' where it would end the name, no
// blanks around (the reader trims them), no half of a double-byte
// character at the end, and no quotes around a value (their meaning is the
// reader's business, not the writer's).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "fuzz_check.h"
#include "settings/profile_codec.h"

namespace {

using namespace velmora::profile;

bool IsLead(char c) { return static_cast<unsigned char>(c) >= 0x81 && static_cast<unsigned char>(c) <= 0xFE; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether the text ends inside a double-byte character.
bool EndsInsideCharacter(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) i += IsLead(s[i]) ? 2 : 1;
    return i > s.size();
}

bool IsOneLine(std::string_view s) { return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos; }

bool AcceptedName(std::string_view s, std::string_view forbidden) {
    return !s.empty() && IsOneLine(s) && !IsBlank(s.front()) && !IsBlank(s.back()) && s.front() != '[' &&
           s.front() != ';' && s.find_first_of(forbidden) == std::string_view::npos && !EndsInsideCharacter(s);
}

bool AcceptedValue(std::string_view s) {
    return ClipWriteValue(s) == s && (s.empty() || (!IsBlank(s.front()) && !IsBlank(s.back()) && s.front() != '"' &&
                                                    s.front() != '\'' && s.back() != '"' && s.back() != '\''));
}

struct Write {
    std::string section, key, value;
};

std::string Name(FuzzedDataProvider& input) {
    // Mostly from a few names, so that writes meet again, in other cases.
    static const char* const kNames[] = {"Velmora", "velmora", "xz", "XZ", "sj", "\xd7\xd4\xb6\xa8\xd2\xe5", "a"};
    if (input.ConsumeBool()) return kNames[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kNames) - 1)];
    return input.ConsumeRandomLengthString(12);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string raw = input.ConsumeRandomLengthString(300);
    // What a read hands back: at most 127 bytes, no half character; a value
    // in quotes is a prefix of what they held, blanks kept; any other has no
    // spaces around.
    // A file in any encoding either decodes to what writes it back byte for
    // byte, or is refused (and then never rewritten).
    if (const std::optional<ProfileText> decoded = DecodeFile(raw)) FUZZ_CHECK(EncodeFile(*decoded) == raw);
    const std::string clipped = ClipReadValue(raw);
    FUZZ_CHECK(clipped.size() <= kReadLimitBytes);
    const std::string_view inner = Unquoted(raw);
    if (inner.size() != raw.size()) {
        FUZZ_CHECK(inner.starts_with(clipped));
    } else if (!clipped.empty()) {
        FUZZ_CHECK(clipped.front() != ' ' && clipped.back() != ' ');
    }
    // What a write stores: a prefix of one line.
    const std::string written = ClipWriteValue(raw);
    FUZZ_CHECK(std::string_view(raw).starts_with(written));
    FUZZ_CHECK(IsOneLine(written));

    std::string file = input.ConsumeRandomLengthString(2048);
    const std::string probeSection = Name(input), probeKey = Name(input);
    const std::optional<std::string> probeBefore = Lookup(file, probeSection, probeKey);

    std::vector<Write> writes;
    while (input.remaining_bytes() > 0 && writes.size() < 8) {
        Write w{Name(input), Name(input), input.ConsumeRandomLengthString(40)};
        if (!AcceptedName(w.section, "]") || !AcceptedName(w.key, "=") || !AcceptedValue(w.value)) continue;
        file = Update(file, w.section, w.key, w.value);
        writes.push_back(std::move(w));
    }
    for (std::size_t i = 0; i < writes.size(); ++i) {
        // The last write of the same section and key (names without regard to case) wins.
        const auto same = [&](const Write& w) {
            return SameName(w.section, writes[i].section) && SameName(w.key, writes[i].key);
        };
        const auto last = std::find_if(writes.rbegin(), writes.rend(), same);
        const std::optional<std::string> read = Lookup(file, writes[i].section, writes[i].key);
        FUZZ_CHECK(read.has_value());
        FUZZ_CHECK(*read == last->value);
    }
    const bool probeWritten = std::any_of(writes.begin(), writes.end(), [&](const Write& w) {
        return SameName(w.section, probeSection) && SameName(w.key, probeKey);
    });
    if (!probeWritten) FUZZ_CHECK(Lookup(file, probeSection, probeKey) == probeBefore);

    return 0;
}
