// The command-line verbs: exactly "/next", "-next", "/prev", "-prev", "/panel"
// or "-panel" in any ASCII case, blanks (space, tab) around them let pass;
// nothing else.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "shell/verbs.h"

namespace {

using velmora::Verb;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

std::string Mapped(std::string_view s, char (*map)(char)) {
    std::string out(s);
    for (char& c : out) c = map(c);
    return out;
}

// The rule spelled out the slow way.
Verb Reference(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t first = 0, last = s.size();
    while (first < last && blank(s[first])) ++first;
    while (last > first && blank(s[last - 1])) --last;
    const std::string word = Mapped(s.substr(first, last - first), Lower);
    if (word == "/next" || word == "-next") return Verb::NextWallpaper;
    if (word == "/prev" || word == "-prev") return Verb::PreviousWallpaper;
    if (word == "/panel" || word == "-panel") return Verb::ShowPanel;
    return Verb::None;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const Verb verb = velmora::VerbOfArguments(text);
    FUZZ_CHECK(verb == Reference(text));
    FUZZ_CHECK(velmora::VerbOfArguments(Mapped(text, Upper)) == verb);
    FUZZ_CHECK(velmora::VerbOfArguments(Mapped(text, Lower)) == verb);
    // The text a verb travels as names it again, and only a verb has one.
    const Verb received = velmora::VerbOfText(text);
    FUZZ_CHECK((received == Verb::None) == velmora::VerbText(received).empty());
    if (received != Verb::None) FUZZ_CHECK(Mapped(text, Lower) == velmora::VerbText(received));
    return 0;
}
