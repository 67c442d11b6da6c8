#include "wallpaper/changer_settings.h"

#include <gtest/gtest.h>

namespace velmora::wallpaper {
namespace {

TEST(ChangerSettings, AnEmptyProfileGivesTheDesign) {
    MemorySettings store;
    const ChangerSettings loaded = LoadChangerSettings(store);
    EXPECT_EQ(loaded, ChangerSettings{});
    EXPECT_EQ(loaded.mode, ChangeMode::Design);
    EXPECT_EQ(loaded.schedule, Schedule::OnTheHour);
    EXPECT_EQ(loaded.intervalText, "30");
    EXPECT_EQ(loaded.order, Order::Sequential);
    EXPECT_EQ(loaded.position, Position::Centre);
    EXPECT_FALSE(loaded.startWithProgram);
}

TEST(ChangerSettings, EveryKeyIsRead) {
    MemorySettings store;
    store.Set("xz", "1");
    store.Set("sj", "自定义");
    store.Set("zdy", "2.5");
    store.Set("sx", "2");
    store.Set("wz", "2");
    store.Set("qhzm", "1");
    const ChangerSettings loaded = LoadChangerSettings(store);
    EXPECT_EQ(loaded.mode, ChangeMode::Timed);
    EXPECT_EQ(loaded.schedule, Schedule::Interval);
    EXPECT_EQ(loaded.intervalText, "2.5");  // as typed
    EXPECT_EQ(loaded.order, Order::Random);
    EXPECT_EQ(loaded.position, Position::Stretch);
    EXPECT_TRUE(loaded.startWithProgram);

    store.Set("xz", "3");
    store.Set("wz", "1.0");  // codes are compared as numbers
    EXPECT_EQ(LoadChangerSettings(store).mode, ChangeMode::Immediate);
    EXPECT_EQ(LoadChangerSettings(store).position, Position::Tile);
}

TEST(ChangerSettings, ValuesThatAreNoneOfTheCodesKeepTheDesign) {
    const ChangerSettings design;
    const struct {
        const char* key;
        const char* value;
    } cases[] = {
        {"xz", "2"},   {"xz", "0"},  {"xz", "abc"}, {"xz", "1x"}, {"sx", "3"},       {"sx", "0"},
        {"wz", "6"},   {"wz", "-1"}, {"qhzm", "2"}, {"qhzm", "yes"},
        {"sj", "每10分"}, {"sj", "整点钟"},  // a schedule none of the five: 整点
    };
    for (const auto& c : cases) {
        MemorySettings store;
        store.Set(c.key, c.value);
        EXPECT_EQ(LoadChangerSettings(store), design) << c.key << "=" << c.value;
    }
}

TEST(ChangerSettings, EachChoiceWritesItsOwnKeyOnly) {
    ChangerSettings settings;
    settings.mode = ChangeMode::Immediate;
    settings.schedule = Schedule::FiveMinutes;
    settings.intervalText = " 7 ";
    settings.order = Order::Random;
    settings.position = Position::Tile;
    settings.startWithProgram = true;
    const struct {
        ChangerSetting which;
        const char* key;
        const char* value;
    } cases[] = {
        {ChangerSetting::Mode, "xz", "3"},         {ChangerSetting::Schedule, "sj", "每5分"},
        {ChangerSetting::IntervalText, "zdy", " 7 "}, {ChangerSetting::Order, "sx", "2"},
        {ChangerSetting::Position, "wz", "1"},     {ChangerSetting::StartWithProgram, "qhzm", "1"},
    };
    for (const auto& c : cases) {
        MemorySettings store;
        SaveChangerSetting(store, settings, c.which);
        EXPECT_EQ(store.Written(c.key), c.value) << c.key;
        for (const char* other : {"xz", "sj", "zdy", "sx", "wz", "qhzm", "gh"}) {
            if (std::string_view(other) != c.key) EXPECT_FALSE(store.Written(other).has_value()) << other;
        }
    }
}

TEST(ChangerSettings, TheDesignModeIsNeverWrittenAndTheTimedOneIsOne) {
    MemorySettings store;
    ChangerSettings settings;
    SaveChangerSetting(store, settings, ChangerSetting::Mode);
    EXPECT_FALSE(store.Written("xz").has_value());
    settings.mode = ChangeMode::Timed;
    settings.startWithProgram = false;
    SaveChangerSetting(store, settings, ChangerSetting::Mode);
    SaveChangerSetting(store, settings, ChangerSetting::StartWithProgram);
    EXPECT_EQ(store.Written("xz"), "1");
    EXPECT_EQ(store.Written("qhzm"), "0");
}

TEST(ChangerSettings, WhatIsSavedLoadsBack) {
    ChangerSettings settings;
    settings.mode = ChangeMode::Timed;
    settings.schedule = Schedule::QuarterHour;
    settings.intervalText = "45";
    settings.order = Order::Random;
    settings.position = Position::Stretch;
    settings.startWithProgram = true;
    MemorySettings store;
    for (ChangerSetting which : {ChangerSetting::Mode, ChangerSetting::Schedule, ChangerSetting::IntervalText,
                                 ChangerSetting::Order, ChangerSetting::Position, ChangerSetting::StartWithProgram}) {
        SaveChangerSetting(store, settings, which);
    }
    EXPECT_EQ(LoadChangerSettings(store), settings);
}

TEST(ChangerSettings, StartAndStopAreRecorded) {
    MemorySettings store;
    SaveChangingStarted(store, true);
    EXPECT_EQ(store.Written("gh"), "1");
    SaveChangingStarted(store, false);
    EXPECT_EQ(store.Written("gh"), "0");
}

}  // namespace
}  // namespace velmora::wallpaper

namespace velmora::wallpaper {
namespace {

TEST(ChangerSettings, FillFitAndOnePicturePerMonitorAreKeptUnderTheirOwnCodes) {
    MemorySettings store;
    EXPECT_TRUE(LoadChangerSettings(store).picturePerMonitor);  // on unless turned off
    store.Set("wz", "4");
    EXPECT_EQ(LoadChangerSettings(store).position, Position::Fill);
    store.Set("wz", "5");
    store.Set("mgxsq", "0");
    ChangerSettings loaded = LoadChangerSettings(store);
    EXPECT_EQ(loaded.position, Position::Fit);
    EXPECT_FALSE(loaded.picturePerMonitor);
    loaded.picturePerMonitor = true;
    loaded.position = Position::Fill;
    SaveChangerSetting(store, loaded, ChangerSetting::PicturePerMonitor);
    SaveChangerSetting(store, loaded, ChangerSetting::Position);
    EXPECT_EQ(store.Read("mgxsq"), "1");
    EXPECT_EQ(store.Read("wz"), "4");
    // What the desktop is handed for them: the composed bitmap, tiled.
    EXPECT_EQ(StyleFor(Position::Fill).tile, "1");
    EXPECT_EQ(StyleFor(Position::Fit).style, "0");
}

}  // namespace
}  // namespace velmora::wallpaper
