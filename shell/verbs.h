// The verbs another process or a hot key hands the running program: the
// next wallpaper, the previous one and the launcher panel. "Velmora.exe
// /next" (or -next, /prev, -prev, /panel, -panel, in any case) asks for them
// from a command line: when a copy of the
// program already runs, the new process passes the verb on and ends; when
// none does, the program starts as usual and then does it. A command line
// that is one of the verbs is the program's own; any other keeps its
// meaning for the recycle-bin emptier.
#pragma once

#include <cstdint>
#include <string_view>

#include "settings/settings_store.h"

namespace velmora {

// NextOnPointerMonitor: the next picture on the monitor under the mouse
// pointer only; TogglePanel: the panel shown, or closed when it is in front.
// Both are hot keys', with no text of their own.
enum class Verb { None, NextWallpaper, PreviousWallpaper, NextOnPointerMonitor, ShowPanel, TogglePanel };

// The verb the command-line arguments (what follows the program's name)
// name: exactly one verb, blanks around it let pass; None for anything else.
Verb VerbOfArguments(std::string_view arguments);

// How a verb travels to the running copy: a WM_COPYDATA to its tray host,
// with this tag and the verb's text ("next", "prev" or "panel") as its data.
inline constexpr std::uintptr_t kVerbCopyDataTag = 0x564C4D52;  // "VLMR"
inline constexpr std::size_t kMaxVerbBytes = 64;
std::string_view VerbText(Verb verb);
// The verb a received text names; None for anything else.
Verb VerbOfText(std::string_view text);

// The hot keys: Ctrl+Alt+Right for the next wallpaper, Ctrl+Alt+Left for
// the previous one, Ctrl+Alt+Down for the next on the pointer's monitor,
// registered at start-up when no other program holds
// them. Their ids are the ones RegisterHotKey is given.
struct HotKey {
    int id;
    unsigned modifiers;  // MOD_CONTROL | MOD_ALT
    unsigned key;        // VK_RIGHT, VK_LEFT, VK_DOWN
    Verb verb;
};
inline constexpr HotKey kHotKeys[] = {
    {1, 0x0002 | 0x0001, 0x27, Verb::NextWallpaper},
    {2, 0x0002 | 0x0001, 0x25, Verb::PreviousWallpaper},
    {3, 0x0002 | 0x0001, 0x28, Verb::NextOnPointerMonitor},
};
// The launcher panel's hot key, set by the profile (shell/key_chord.h).
inline constexpr int kPanelHotKeyId = 4;
// The verb of a hot key's id; None for an id that is not ours.
Verb VerbOfHotKey(int id);

// The profile switch that turns the hot keys off: "hotkeys" = 0. Missing or
// anything else, they are on.
inline constexpr std::string_view kHotKeysProfileKey = "hotkeys";
bool HotKeysWanted(SettingsStore& settings);

}  // namespace velmora
