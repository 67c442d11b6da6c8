// The changer's interval ("每隔 N 秒"): a plain decimal number (sign, digits,
// at most one point, no exponent), blanks (space, tab) around it forgiven,
// rounded to the nearest whole second with halves to even; 1 to 60 is
// taken, more is too long, anything else (less, empty, not a number) too
// short. Compared with a slow reference built on other means: a regular
// expression for the shape, strtod for the value, nearbyint for rounding.
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

IntervalValue Reference(std::string_view text) {
    static const std::regex shape(R"(^[ \t]*([+-]?([0-9]+\.?[0-9]*|\.[0-9]+))[ \t]*$)");
    std::match_results<std::string_view::const_iterator> match;
    if (!std::regex_match(text.begin(), text.end(), match, shape)) return {IntervalError::TooShort, 0};
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
