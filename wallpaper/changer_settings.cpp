#include "wallpaper/changer_settings.h"

#include <optional>

namespace velmora::wallpaper {

namespace {

// A stored code, when the text is one of the numbers 1 to `last`.
std::optional<int> StoredCode(SettingsStore& store, std::string_view key, int last) {
    const std::optional<double> value = ReadNumber(store, key);
    for (int code = 1; code <= last; ++code) {
        if (value && *value == code) return code;
    }
    return std::nullopt;
}

}  // namespace

StyleValues StyleFor(Position position) {
    switch (position) {
        case Position::Tile:
            return {"1", "0"};
        case Position::Stretch:
            return {"0", "2"};
        case Position::Fill:
        case Position::Fit:
            return kTiledStyle;
        case Position::Centre:
            break;
    }
    return {"0", "0"};
}

ChangerSettings LoadChangerSettings(SettingsStore& store) {
    ChangerSettings settings;
    settings.startWithProgram = ReadSwitch(store, "qhzm");
    if (const auto mode = StoredCode(store, "xz", 3)) {
        if (*mode == 1) settings.mode = ChangeMode::Timed;
        if (*mode == 3) settings.mode = ChangeMode::Immediate;
    }
    if (const auto schedule = ScheduleFromCaption(store.Read("sj"))) settings.schedule = *schedule;
    if (std::string interval = store.Read("zdy"); !interval.empty()) settings.intervalText = std::move(interval);
    if (const auto order = StoredCode(store, "sx", 2)) settings.order = static_cast<Order>(*order);
    if (const auto position = StoredCode(store, "wz", kPositionCount)) settings.position = static_cast<Position>(*position);
    if (const std::optional<double> own = ReadNumber(store, "mgxsq")) settings.picturePerMonitor = *own != 0;
    return settings;
}

void SaveChangerSetting(SettingsStore& store, const ChangerSettings& settings, ChangerSetting which) {
    switch (which) {
        case ChangerSetting::Mode:
            if (settings.mode != ChangeMode::Design) store.Write("xz", settings.mode == ChangeMode::Timed ? "1" : "3");
            break;
        case ChangerSetting::Schedule:
            store.Write("sj", ScheduleCaption(settings.schedule));
            break;
        case ChangerSetting::IntervalText:
            store.Write("zdy", settings.intervalText);
            break;
        case ChangerSetting::Order:
            store.Write("sx", std::to_string(static_cast<int>(settings.order)));
            break;
        case ChangerSetting::Position:
            store.Write("wz", std::to_string(static_cast<int>(settings.position)));
            break;
        case ChangerSetting::StartWithProgram:
            store.Write("qhzm", settings.startWithProgram ? "1" : "0");
            break;
        case ChangerSetting::PicturePerMonitor:
            store.Write("mgxsq", settings.picturePerMonitor ? "1" : "0");
            break;
    }
}

void SaveChangingStarted(SettingsStore& store, bool started) { store.Write("gh", started ? "1" : "0"); }

}  // namespace velmora::wallpaper
