// Where the user's settings are kept: key and value texts (UTF-8) in the
// section "Velmora" of the profile file. The windows and their models see
// only this, so the rules that load and save settings can be tested without
// a file.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The value under key, blanks around it removed; empty when missing.
    virtual std::string Read(std::string_view key) = 0;
    // Stores the value; false when it could not be kept.
    virtual bool Write(std::string_view key, std::string_view value) = 0;
};

// Switch values ("qhzm", "开机自动运行"): on when the text is the number 1.
bool ReadSwitch(SettingsStore& store, std::string_view key);
// The value as a decimal number, or nullopt when it is empty or not one.
std::optional<double> ReadNumber(SettingsStore& store, std::string_view key);

// Settings held in memory: what a test starts a model with, and what it
// reads back afterwards.
class MemorySettings final : public SettingsStore {
public:
    std::string Read(std::string_view key) override;
    bool Write(std::string_view key, std::string_view value) override;
    // Every value written, by key; nullopt for a key never written.
    std::optional<std::string> Written(std::string_view key) const;
    void Set(std::string_view key, std::string_view value) { values_[std::string(key)] = value; }

private:
    std::map<std::string, std::string, std::less<>> values_;
    std::map<std::string, std::string, std::less<>> written_;
};

}  // namespace velmora
