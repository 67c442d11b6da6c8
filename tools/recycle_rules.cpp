#include "tools/recycle_rules.h"

#include <charconv>

#include "frame/frame_layout.h"

namespace velmora::recycle {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Decimal notation only: from_chars alone would also take "inf", "nan" and
// hexadecimal floats.
bool ParseDecimal(std::string_view text, double& value) {
    std::string_view body = text;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) body.remove_prefix(1);
    size_t i = 0, digits = 0;
    while (i < body.size() && IsDigit(body[i])) ++i, ++digits;
    if (i < body.size() && body[i] == '.') {
        ++i;
        while (i < body.size() && IsDigit(body[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-')) ++i;
        size_t exponentDigits = 0;
        while (i < body.size() && IsDigit(body[i])) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    if (i != body.size()) return false;
    // from_chars refuses a leading '+'.
    std::string_view number = text.front() == '+' ? text.substr(1) : text;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    // A value out of the double range is still a number, just not 0..7.
    if (ec == std::errc::result_out_of_range) {
        value = 1e308;
        return true;
    }
    return ec == std::errc() && end == number.data() + number.size();
}

}  // namespace

std::uint32_t ComposeFlags(int noConfirmation, int noProgress, int noSound) {
    std::uint32_t flags = 0;
    if (noConfirmation == kChecked) flags = kNoConfirmation;
    if (noProgress == kChecked) flags += kNoProgressUi;
    if (noSound == kChecked) flags += kNoSound;
    return flags;
}

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

CommandLineAction ActOnCommandLine(std::string_view arguments) {
    const std::string_view text = TrimBlanks(arguments);
    if (text.empty()) return {CommandLineAction::None, 0};
    double value = 0;
    // Checked as a double first: a huge number must not wrap into 0..7.
    if (!ParseDecimal(text, value) || !(value >= -0.5 && value <= 7.5)) return {CommandLineAction::Close, 0};
    const int whole = frame::RoundHalfEven(value);
    if (whole < 0 || whole > 7) return {CommandLineAction::Close, 0};
    return {CommandLineAction::EmptyAndClose, static_cast<std::uint32_t>(whole)};
}

}  // namespace velmora::recycle
