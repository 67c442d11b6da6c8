#include "launcher/cell_initials.h"

#include <cctype>

namespace velmora::launcher {

namespace {

struct Reading {
    std::string_view character;  // one character, UTF-8
    char initial;                // the first letter of its pinyin
};

// Every character of the panel's captions, both CD captions included. Where
// a character has two readings (的 de/di, 色 se/shai) both start alike.
// zh, ch and sh count by their first letter, as people type them.
constexpr Reading kReadings[] = {
    {"我", 'w'}, {"的", 'd'}, {"电", 'd'}, {"脑", 'n'}, {"网", 'w'}, {"站", 'z'}, {"导", 'd'},
    {"航", 'h'}, {"络", 'l'}, {"搜", 's'}, {"索", 's'}, {"打", 'd'}, {"开", 'k'}, {"控", 'k'},
    {"制", 'z'}, {"面", 'm'}, {"板", 'b'}, {"任", 'r'}, {"务", 'w'}, {"管", 'g'}, {"理", 'l'},
    {"器", 'q'}, {"清", 'q'}, {"空", 'k'}, {"回", 'h'}, {"收", 's'}, {"光", 'g'}, {"驱", 'q'},
    {"关", 'g'}, {"闭", 'b'}, {"桌", 'z'}, {"变", 'b'}, {"换", 'h'}, {"添", 't'}, {"加", 'j'},
    {"删", 's'}, {"除", 'c'}, {"程", 'c'}, {"序", 'x'}, {"于", 'y'}, {"系", 'x'}, {"统", 't'},
    {"取", 'q'}, {"色", 's'}, {"计", 'j'}, {"算", 's'}, {"属", 's'}, {"性", 'x'}, {"显", 'x'},
    {"示", 's'}, {"资", 'z'}, {"源", 'y'}, {"修", 'x'}, {"改", 'g'}, {"时", 's'}, {"间", 'j'},
    {"记", 'j'}, {"事", 's'}, {"本", 'b'}, {"机", 'j'},
};

// Bytes of the UTF-8 sequence that starts with `lead`.
std::size_t SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xF0) return 4;
    if (lead >= 0xE0) return 3;
    return 2;
}

std::optional<char> InitialOf(std::string_view character) {
    for (const Reading& r : kReadings) {
        if (r.character == character) return r.initial;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> PinyinInitials(std::string_view caption) {
    std::string initials;
    for (std::size_t i = 0; i < caption.size();) {
        const auto lead = static_cast<unsigned char>(caption[i]);
        const std::size_t length = SequenceLength(lead);
        if (length == 1) {
            if (std::isalnum(lead)) initials += static_cast<char>(std::tolower(lead));
        } else {
            const std::optional<char> initial = InitialOf(caption.substr(i, length));
            if (!initial) return std::nullopt;
            initials += *initial;
        }
        i += length;
    }
    return initials;
}

}  // namespace velmora::launcher
