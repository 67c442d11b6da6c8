#include "tools/search_address.h"

namespace velmora::search {

namespace {

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

const EngineInfo& InfoOf(Engine engine) {
    for (const EngineInfo& info : kEngines) {
        if (info.engine == engine) return info;
    }
    return kEngines[0];
}

Engine EngineNamed(std::string_view stored) {
    for (const EngineInfo& info : kEngines) {
        if (info.caption == stored) return info.engine;
    }
    return Engine::Baidu;
}

std::string PercentEncode(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (IsUnreserved(c)) {
            out += ch;
        } else {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        }
    }
    return out;
}

std::string SearchAddress(std::string_view keywordUtf8, Engine engine) {
    const EngineInfo& info = InfoOf(engine);
    std::string address(info.base);
    address += PercentEncode(keywordUtf8);
    address += info.suffix;
    return address;
}

}  // namespace velmora::search
