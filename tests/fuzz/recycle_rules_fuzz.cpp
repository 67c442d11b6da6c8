// The recycle-bin emptier's command line: nothing (or blanks) empties
// silently; a decimal number (sign, digits, fraction, exponent; blanks
// around it) that rounds, halves to even, to a whole number from 0 to 7 is
// the flags; anything else empties nothing. Compared with a slow
// reference: a regular expression for the shape, strtod and nearbyint.
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "tools/recycle_rules.h"

namespace {

std::optional<std::uint32_t> Reference(std::string_view arguments) {
    static const std::regex blanks(R"(^[ \t]*$)");
    static const std::regex shape(R"(^[ \t]*([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?)[ \t]*$)");
    if (std::regex_match(arguments.begin(), arguments.end(), blanks)) return velmora::recycle::kSilentFlags;
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_match(arguments.begin(), arguments.end(), match, shape)) return std::nullopt;
    const std::string number = match[1].str();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(std::strtod(number.c_str(), nullptr));
    if (!(rounded >= 0 && rounded <= 7)) return std::nullopt;
    return static_cast<std::uint32_t>(rounded);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;  // std::regex recurses per character
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    FUZZ_CHECK(velmora::recycle::EmptyingFlags(text) == Reference(text));

    // The arguments are what follows the program's name: a tail of the
    // line, never starting with a blank.
    const std::string_view arguments = velmora::recycle::CommandLineArguments(text);
    FUZZ_CHECK(arguments.data() >= text.data() && arguments.data() + arguments.size() == text.data() + text.size());
    FUZZ_CHECK(arguments.empty() || (arguments.front() != ' ' && arguments.front() != '\t'));
    // A quoted name with blanks inside stays whole.
    const std::string line = "\"C:\\Program Files\\Velmora.exe\" " + std::string(text);
    std::string_view rest = text;
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    FUZZ_CHECK(velmora::recycle::CommandLineArguments(line) == rest);
    return 0;
}
