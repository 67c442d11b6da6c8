#include "shell/verbs.h"

#include <optional>

namespace velmora {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

std::string_view Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

Verb VerbOfArguments(std::string_view arguments) {
    const std::string_view word = Trimmed(arguments);
    if (word.size() < 2 || (word.front() != '/' && word.front() != '-')) return Verb::None;
    return VerbOfText(word.substr(1));
}

std::string_view VerbText(Verb verb) {
    switch (verb) {
        case Verb::NextWallpaper: return "next";
        case Verb::PreviousWallpaper: return "prev";
        case Verb::NextOnPointerMonitor:
        case Verb::None: break;
    }
    return {};
}

Verb VerbOfText(std::string_view text) {
    for (Verb verb : {Verb::NextWallpaper, Verb::PreviousWallpaper}) {
        if (SameIgnoringCase(text, VerbText(verb))) return verb;
    }
    return Verb::None;
}

Verb VerbOfHotKey(int id) {
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
