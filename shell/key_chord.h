// A hot key written as people write it, "Ctrl+Alt+Space", read into what
// RegisterHotKey takes; and the launcher panel's own hot key, which the
// profile sets ("panelkey" in the section "Velmora") or turns off ("off").
#pragma once

#include <optional>
#include <string_view>

#include "settings/settings_store.h"

namespace velmora {

struct KeyChord {
    unsigned modifiers = 0;  // MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8
    unsigned key = 0;        // a virtual-key code
    friend bool operator==(const KeyChord&, const KeyChord&) = default;
};

// Parts joined by "+", blanks around them let pass, in any case and order:
// the modifiers Ctrl (Control), Alt, Shift and Win, each at most once, and
// exactly one key: A-Z, 0-9, F1-F24, Space, Enter, Tab, Esc, Backspace,
// Insert, Delete, Home, End, PageUp, PageDown, Up, Down, Left, Right, Pause.
// A key that types or moves (everything but F1-F24 and Pause) needs Ctrl,
// Alt or Win beside it, since a global hot key takes its key away from every
// other program. nullopt for anything else.
std::optional<KeyChord> KeyChordOfText(std::string_view text);

inline constexpr std::string_view kPanelKeyProfileKey = "panelkey";
inline constexpr KeyChord kDefaultPanelKey{0x0002 | 0x0001, 0x20};  // Ctrl+Alt+Space
// The panel's hot key the profile asks for: nullopt when it says "off" (any
// case); the default when the value is missing or no key.
std::optional<KeyChord> PanelKeyWanted(SettingsStore& settings);

}  // namespace velmora
