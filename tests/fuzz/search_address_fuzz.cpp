// The web-search address: printable ASCII only (no blank, no control
// character), the engine's own beginning and end, and the keyword's bytes
// recoverable from the percent-encoding in between.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "tools/search_address.h"

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace velmora::search;
    if (size == 0) return 0;
    const auto engine = static_cast<Engine>(data[0] % kEngines.size());
    const std::string_view keyword(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string address = SearchAddress(keyword, engine);
    const EngineInfo& info = InfoOf(engine);
    FUZZ_CHECK(info.engine == engine);

    for (const char c : address) FUZZ_CHECK(c > 0x20 && c < 0x7F);
    FUZZ_CHECK(address.starts_with(info.base));
    FUZZ_CHECK(address.ends_with(info.suffix));
    FUZZ_CHECK(address.size() >= info.base.size() + info.suffix.size());
    const std::string_view encoded =
        std::string_view(address).substr(info.base.size(), address.size() - info.base.size() - info.suffix.size());
    // Nothing in the keyword can end it or start another parameter.
    FUZZ_CHECK(encoded.find_first_of("&#+= ?") == std::string_view::npos);
    std::string decoded;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '%') {
            decoded += encoded[i];
            continue;
        }
        FUZZ_CHECK(i + 2 < encoded.size());
        const int high = HexValue(encoded[i + 1]), low = HexValue(encoded[i + 2]);
        FUZZ_CHECK(high >= 0 && low >= 0);
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    FUZZ_CHECK(decoded == keyword);
    // A stored caption names its engine back; anything else is the first.
    FUZZ_CHECK(EngineNamed(info.caption) == engine);
    const Engine named = EngineNamed(keyword);
    FUZZ_CHECK(named == Engine::Baidu || InfoOf(named).caption == keyword);
    return 0;
}
