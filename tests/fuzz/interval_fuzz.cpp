// The changer's interval ("每隔 N 秒"): the number the text starts with
// (blanks, an ideographic space among them, a sign, digits, a point and
// digits, an exponent), its characters half- or full-width, whatever
// follows let go; rounded to the nearest whole second with halves to even;
// 1 to 60 is taken, more is too long, anything else (less, no number at the
// start) too short. Compared with a slow reference built on other means: a
// table of the full-width forms, a regular expression for the shape, strtod
// for the value, nearbyint for rounding.
#include <cfenv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <regex>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "wallpaper/schedule.h"

namespace {

using velmora::wallpaper::IntervalError;
using velmora::wallpaper::IntervalValue;

// Full-width forms as ASCII, and any other byte beyond ASCII as one that
// fits no number.
std::string Halved(std::string_view text) {
    static const struct {
        const char* wide;
        char ascii;
    } kForms[] = {{"\u3000", ' '}, {"\uFF0B", '+'}, {"\uFF0D", '-'}, {"\uFF0E", '.'}, {"\uFF25", 'E'},
                  {"\uFF45", 'e'}, {"\uFF10", '0'}, {"\uFF11", '1'}, {"\uFF12", '2'}, {"\uFF13", '3'},
                  {"\uFF14", '4'}, {"\uFF15", '5'}, {"\uFF16", '6'}, {"\uFF17", '7'}, {"\uFF18", '8'},
                  {"\uFF19", '9'}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        bool matched = false;
        for (const auto& f : kForms) {
            if (text.substr(i).starts_with(f.wide)) {
                out += f.ascii;
                i += std::string_view(f.wide).size();
                matched = true;
                break;
            }
        }
        if (matched) continue;
        out += static_cast<unsigned char>(text[i]) < 0x80 ? text[i] : '#';
        ++i;
    }
    return out;
}

IntervalValue Reference(std::string_view text) {
    static const std::regex shape(R"(^[ \t]*([+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?))");
    const std::string halved = Halved(text);
    std::smatch match;
    if (!std::regex_search(halved, match, shape)) return {IntervalError::TooShort, 0};
    const std::string number = match[1].str();
    const double value = std::strtod(number.c_str(), nullptr);
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);  // halves to even
    if (rounded > 60) return {IntervalError::TooLong, 0};
    if (!(rounded >= 1)) return {IntervalError::TooShort, 0};
    return {IntervalError::None, static_cast<int>(rounded)};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;  // std::regex recurses per character
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IntervalValue got = velmora::wallpaper::ParseInterval(text);
    const IntervalValue want = Reference(text);
    FUZZ_CHECK(got.error == want.error);
    if (got.error == IntervalError::None) {
        FUZZ_CHECK(got.seconds == want.seconds);
        FUZZ_CHECK(got.seconds >= 1 && got.seconds <= 60);
    }
    // Only a refusal has a message.
    FUZZ_CHECK(velmora::wallpaper::IntervalRefusalText(got.error, true).empty() == (got.error == IntervalError::None));
    return 0;
}
