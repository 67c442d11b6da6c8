// The hot key a profile names: any bytes read without harm; what is taken
// reads the same in another case, written back in full it is taken as the
// same chord, and a key that types or moves never stands without Ctrl, Alt
// or Win.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "shell/key_chord.h"

namespace {

using velmora::KeyChord;
using velmora::KeyChordOfText;

std::string Mapped(std::string_view s, bool upper) {
    std::string out(s);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
        if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    }
    return out;
}

// The chord written out again, the key first and the modifiers after it.
std::string Written(const KeyChord& chord) {
    std::string text;
    if (chord.key >= 0x70 && chord.key <= 0x87) {
        text = "F" + std::to_string(chord.key - 0x70 + 1);
    } else if ((chord.key >= 'A' && chord.key <= 'Z') || (chord.key >= '0' && chord.key <= '9')) {
        text = std::string(1, static_cast<char>(chord.key));
    } else {
        // a named key: found by trying every name that reads as it
        for (const char* name : {"space", "enter", "tab", "esc", "backspace", "insert", "delete", "home", "end",
                                 "pageup", "pagedown", "up", "down", "left", "right", "pause"}) {
            const std::optional<KeyChord> named = KeyChordOfText(std::string("Ctrl+") + name);
            if (named && named->key == chord.key) text = name;
        }
    }
    if (chord.modifiers & 2) text += "+Ctrl";
    if (chord.modifiers & 1) text += "+Alt";
    if (chord.modifiers & 4) text += "+Shift";
    if (chord.modifiers & 8) text += "+Win";
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<KeyChord> chord = KeyChordOfText(text);
    FUZZ_CHECK(KeyChordOfText(Mapped(text, true)) == chord);
    FUZZ_CHECK(KeyChordOfText(Mapped(text, false)) == chord);
    if (!chord) return 0;
    FUZZ_CHECK(chord->key != 0 && (chord->modifiers & ~0xFu) == 0);
    FUZZ_CHECK(KeyChordOfText(Written(*chord)) == chord);
    const bool standsAlone = (chord->key >= 0x70 && chord->key <= 0x87) || chord->key == 0x13;
    FUZZ_CHECK(standsAlone || (chord->modifiers & (1 | 2 | 8)) != 0);
    return 0;
}
