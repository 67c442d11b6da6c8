#include "tools/recycle_rules.h"

#include "platform/numbers.h"
#include "platform/units.h"

namespace velmora::recycle {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace

std::string_view CommandLineArguments(std::string_view commandLine) {
    size_t i = 0;
    if (!commandLine.empty() && commandLine.front() == '"') {
        const size_t close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && !IsBlank(commandLine[i])) ++i;
    while (i < commandLine.size() && IsBlank(commandLine[i])) ++i;
    return commandLine.substr(i);
}

std::optional<std::uint32_t> EmptyingFlags(std::string_view arguments) {
    const std::string_view text = TrimBlanks(arguments);
    if (text.empty()) return kSilentFlags;
    // Checked as a double first: a huge number must not wrap into 0..7.
    const std::optional<double> value = ParseDecimal(text);
    if (!value || !(*value >= -0.5 && *value <= 7.5)) return std::nullopt;
    const int whole = RoundHalfEven(*value);
    if (whole < 0 || whole > 7) return std::nullopt;
    return static_cast<std::uint32_t>(whole);
}

}  // namespace velmora::recycle
