#include "settings/settings_store.h"

#include "platform/numbers.h"
#include "settings/profile_codec.h"

namespace velmora {

bool ReadSwitch(SettingsStore& store, std::string_view key) { return profile::IsNumericOne(store.Read(key)); }

std::optional<double> ReadNumber(SettingsStore& store, std::string_view key) { return ParseDecimal(store.Read(key)); }

std::string MemorySettings::Read(std::string_view key) {
    const auto it = values_.find(key);
    return it == values_.end() ? std::string() : it->second;
}

bool MemorySettings::Write(std::string_view key, std::string_view value) {
    values_[std::string(key)] = value;
    written_[std::string(key)] = value;
    return true;
}

std::optional<std::string> MemorySettings::Written(std::string_view key) const {
    const auto it = written_.find(key);
    if (it == written_.end()) return std::nullopt;
    return it->second;
}

}  // namespace velmora
