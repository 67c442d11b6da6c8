#include "shell/key_chord.h"

#include <array>

#include "shell/words.h"

namespace velmora {

namespace {

using words::Lower;
using words::SameIgnoringCase;
using words::Trimmed;

constexpr unsigned kAlt = 0x0001, kControl = 0x0002, kShift = 0x0004, kWin = 0x0008;
constexpr unsigned kF1 = 0x70, kF24 = 0x87, kPause = 0x13;

struct Name {
    std::string_view text;
    unsigned code;
};
constexpr std::array<Name, 5> kModifierNames{{
    {"ctrl", kControl}, {"control", kControl}, {"alt", kAlt}, {"shift", kShift}, {"win", kWin},
}};
constexpr std::array<Name, 19> kKeyNames{{
    {"space", 0x20}, {"enter", 0x0D}, {"tab", 0x09}, {"esc", 0x1B}, {"escape", 0x1B},
    {"backspace", 0x08}, {"insert", 0x2D}, {"ins", 0x2D}, {"delete", 0x2E}, {"del", 0x2E},
    {"home", 0x24}, {"end", 0x23}, {"pageup", 0x21}, {"pagedown", 0x22}, {"up", 0x26},
    {"down", 0x28}, {"left", 0x25}, {"right", 0x27}, {"pause", kPause},
}};

template <size_t N>
std::optional<unsigned> Lookup(const std::array<Name, N>& names, std::string_view part) {
    for (const Name& n : names) {
        if (SameIgnoringCase(part, n.text)) return n.code;
    }
    return std::nullopt;
}

// A single letter or digit, or F1 to F24 written without leading zeros.
std::optional<unsigned> KeyCode(std::string_view part) {
    if (part.size() == 1) {
        const char c = Lower(part[0]);
        if (c >= 'a' && c <= 'z') return static_cast<unsigned>('A' + (c - 'a'));
        if (c >= '0' && c <= '9') return static_cast<unsigned>(c);
    }
    if (part.size() >= 2 && part.size() <= 3 && Lower(part[0]) == 'f' && part[1] >= '1' && part[1] <= '9') {
        unsigned n = static_cast<unsigned>(part[1] - '0');
        if (part.size() == 3) {
            if (part[2] < '0' || part[2] > '9') return std::nullopt;
            n = n * 10 + static_cast<unsigned>(part[2] - '0');
        }
        if (n <= kF24 - kF1 + 1) return kF1 + n - 1;
        return std::nullopt;
    }
    return Lookup(kKeyNames, part);
}

}  // namespace

std::optional<KeyChord> KeyChordOfText(std::string_view text) {
    KeyChord chord;
    bool haveKey = false;
    for (;;) {
        const size_t plus = text.find('+');
        const std::string_view part = Trimmed(text.substr(0, plus));
        if (const std::optional<unsigned> modifier = Lookup(kModifierNames, part)) {
            if (chord.modifiers & *modifier) return std::nullopt;
            chord.modifiers |= *modifier;
        } else if (const std::optional<unsigned> key = KeyCode(part); key && !haveKey) {
            chord.key = *key;
            haveKey = true;
        } else {
            return std::nullopt;
        }
        if (plus == std::string_view::npos) break;
        text.remove_prefix(plus + 1);
    }
    if (!haveKey) return std::nullopt;
    const bool standsAlone = (chord.key >= kF1 && chord.key <= kF24) || chord.key == kPause;
    if (!standsAlone && (chord.modifiers & (kControl | kAlt | kWin)) == 0) return std::nullopt;
    return chord;
}

std::optional<KeyChord> PanelKeyWanted(SettingsStore& settings) {
    const std::string value = settings.Read(kPanelKeyProfileKey);
    if (SameIgnoringCase(Trimmed(value), "off")) return std::nullopt;
    return KeyChordOfText(value).value_or(kDefaultPanelKey);
}

}  // namespace velmora
