#include "shell/verbs.h"

#include <optional>

#include "shell/words.h"

namespace velmora {

using words::SameIgnoringCase;
using words::Trimmed;

Verb VerbOfArguments(std::string_view arguments) {
    const std::string_view word = Trimmed(arguments);
    if (word.size() < 2 || (word.front() != '/' && word.front() != '-')) return Verb::None;
    return VerbOfText(word.substr(1));
}

std::string_view VerbText(Verb verb) {
    switch (verb) {
        case Verb::NextWallpaper: return "next";
        case Verb::PreviousWallpaper: return "prev";
        case Verb::ShowPanel: return "panel";
        case Verb::NextOnPointerMonitor:
        case Verb::TogglePanel:
        case Verb::None: break;
    }
    return {};
}

Verb VerbOfText(std::string_view text) {
    for (Verb verb : {Verb::NextWallpaper, Verb::PreviousWallpaper, Verb::ShowPanel}) {
        if (SameIgnoringCase(text, VerbText(verb))) return verb;
    }
    return Verb::None;
}

Verb VerbOfHotKey(int id) {
    if (id == kPanelHotKeyId) return Verb::TogglePanel;
    for (const HotKey& key : kHotKeys) {
        if (key.id == id) return key.verb;
    }
    return Verb::None;
}

bool HotKeysWanted(SettingsStore& settings) {
    const std::optional<double> value = ReadNumber(settings, kHotKeysProfileKey);
    return !(value && *value == 0);
}

}  // namespace velmora
