#include "shell/key_chord.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace velmora {
namespace {

constexpr unsigned kAlt = 1, kCtrl = 2, kShift = 4, kWin = 8;

TEST(KeyChords, ReadAsWrittenInAnyCaseOrderAndSpacing) {
    const struct {
        const char* text;
        KeyChord chord;
    } cases[] = {
        {"Ctrl+Alt+Space", {kCtrl | kAlt, 0x20}},
        {"alt + ctrl + space", {kCtrl | kAlt, 0x20}},
        {"SPACE+CTRL+ALT", {kCtrl | kAlt, 0x20}},
        {"Ctrl+Shift+F12", {kCtrl | kShift, 0x7B}},
        {"Win+Alt+V", {kWin | kAlt, 'V'}},
        {"win+alt+v", {kWin | kAlt, 'V'}},
        {"Control+Z", {kCtrl, 'Z'}},
        {"Ctrl+Alt+A", {kCtrl | kAlt, 'A'}},
        {"Alt+0", {kAlt, '0'}},
        {"Ctrl+9", {kCtrl, '9'}},
        {"Ctrl+F1", {kCtrl, 0x70}},
        {"F24", {0, 0x87}},
        {"Shift+F9", {kShift, 0x78}},
        {"f10", {0, 0x79}},
        {"Pause", {0, 0x13}},
        {"Ctrl+Alt+PageDown", {kCtrl | kAlt, 0x22}},
        {"Win+Home", {kWin, 0x24}},
        {"Ctrl+Alt+Shift+Win+Del", {kCtrl | kAlt | kShift | kWin, 0x2E}},
        {"\tCtrl+Alt+Enter ", {kCtrl | kAlt, 0x0D}},
    };
    for (const auto& c : cases) {
        const std::optional<KeyChord> read = KeyChordOfText(c.text);
        ASSERT_TRUE(read.has_value()) << c.text;
        EXPECT_EQ(read->modifiers, c.chord.modifiers) << c.text;
        EXPECT_EQ(read->key, c.chord.key) << c.text;
    }
}

TEST(KeyChords, AnythingElseIsNoKey) {
    for (const char* text : {
             "", " ", "+", "Ctrl+", "+Space", "Ctrl++Space", "Ctrl+Alt", "Ctrl", "Ctrl+Alt+Space+X",
             "Ctrl+Ctrl+A", "Ctrl+Control+A", "Ctrl+Alt+Spacebar", "Ctrl+AB", "Ctrl+F0", "Ctrl+F25", "Ctrl+F99",
             "Ctrl+F012", "Ctrl+F1x", "Ctrl-Alt-Space", "Strg+Alt+Space", "Ctrl+Alt+空格", "Ctrl+Alt+\xff",
             "Ctrl+Alt+ Sp ace", "off", "0", "F", "Ctrl+Alt+Space\n",
             // a typing or moving key alone, or with Shift only, would be
             // taken away from every program
             "A", "Space", "Shift+A", "Shift+Space", "Enter", "Shift+Left", "Del"}) {
        EXPECT_EQ(KeyChordOfText(text), std::nullopt) << text;
    }
}

TEST(KeyChords, ThePanelKeyIsCtrlAltSpaceUnlessTheProfileNamesOneOrOff) {
    MemorySettings settings;
    EXPECT_EQ(PanelKeyWanted(settings), kDefaultPanelKey) << "missing";
    EXPECT_EQ(kDefaultPanelKey, KeyChordOfText("Ctrl+Alt+Space"));
    settings.Set(kPanelKeyProfileKey, "Ctrl+Shift+F12");
    EXPECT_EQ(PanelKeyWanted(settings), (KeyChord{kCtrl | kShift, 0x7B}));
    for (const char* off : {"off", "OFF", " Off "}) {
        settings.Set(kPanelKeyProfileKey, off);
        EXPECT_EQ(PanelKeyWanted(settings), std::nullopt) << off;
    }
    for (const char* junk : {"Ctrl+", "offf", "no", "0", "Shift+Q", "\xb9\xd8"}) {
        settings.Set(kPanelKeyProfileKey, junk);
        EXPECT_EQ(PanelKeyWanted(settings), kDefaultPanelKey) << junk;
    }
}

}  // namespace
}  // namespace velmora
