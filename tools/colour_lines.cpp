#include "tools/colour_lines.h"

namespace velmora::colour {

std::string SixDigits(std::uint32_t colour) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), kHex[colour & 0xF]);
        colour >>= 4;
    } while (colour != 0);
    const std::string padded = "000000" + digits;
    return padded.substr(padded.size() - 6);
}

int PairValue(std::string_view pair) {
    auto digit = [](char c) {
        const auto at = kDigitTable.find(c);
        return at == std::string_view::npos ? 0 : static_cast<int>(at) + 1;
    };
    if (pair.size() < 2) return 0;
    return 16 * digit(pair[0]) + digit(pair[1]);
}

Lines LinesFor(std::uint32_t colour) {
    const std::string h = SixDigits(colour);
    const std::string_view blue = std::string_view(h).substr(0, 2);
    const std::string_view green = std::string_view(h).substr(2, 2);
    const std::string_view red = std::string_view(h).substr(4, 2);
    Lines out;
    out.decimal = "Red:" + std::to_string(PairValue(red)) + " Green:" + std::to_string(PairValue(green)) +
                  " Blue:" + std::to_string(PairValue(blue));
    out.hex = "Red:" + std::string(red) + " Green:" + std::string(green) + " Blue:" + std::string(blue);
    return out;
}

}  // namespace velmora::colour
