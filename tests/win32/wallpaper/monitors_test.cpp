// Every monitor its own picture, under Wine with a monitor layout the tests
// lay out: the composed bitmap of the virtual screen, the sets in the
// history, one monitor moved on alone, the layout changing, pictures that
// cannot be shown, and timed changing with no changer window.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/effects.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "support/fakes.h"
#include "support/test_support.h"
#include "wallpaper/program_folder.h"
#include "wallpaper/wallpaper_rotation.h"
#include "wallpaper/wallpaper_schedule.h"

namespace velmora::wallpaper {
namespace {

using velmora::testing::ProgramFolder;
using velmora::testing::ReadBytes;
using velmora::testing::WriteBytes;

constexpr COLORREF kLandscape = RGB(200, 40, 40), kPortrait = RGB(40, 40, 200), kOther = RGB(40, 180, 40);

class Monitors : public ::testing::Test {
protected:
    void SetUp() override { settings_.Set("wz", "4"); }

    // The colour of wallpaper.bmp at x, y counted from its top (0 when
    // outside it or no bitmap), from the file as it was last read.
    COLORREF BitmapPixel(int x, int y, bool readAgain = true) {
        if (readAgain) bytes_ = ReadBytes(program_.Bitmap());
        if (bytes_.size() < 54) return 0;
        const auto at32 = [&](size_t i) { return *reinterpret_cast<const std::int32_t*>(bytes_.data() + i); };
        const int width = at32(18), height = at32(22);
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
        const size_t at = 54 + stride * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x) * 3;
        const auto b = [&](size_t i) { return static_cast<unsigned char>(bytes_[at + i]); };
        return RGB(b(2), b(1), b(0));
    }
    // The colour of a whole monitor's rectangle, when it is one colour;
    // CLR_INVALID when it is not.
    COLORREF Fills(int left, int top, int width, int height) {
        const COLORREF c = BitmapPixel(left, top);
        for (int y = top; y < top + height; y += 37) {
            for (int x = left; x < left + width; x += 41) {
                if (BitmapPixel(x, y, false) != c) return CLR_INVALID;
            }
        }
        return BitmapPixel(left + width - 1, top + height - 1, false) == c ? c : CLR_INVALID;
    }
    std::vector<std::string> WinIni() {
        std::vector<std::string> calls;
        for (const std::string& c : effects_.Calls()) {
            for (const std::string key : {"\"TileWallpaper\", \"", "\"WallpaperStyle\", \""}) {
                if (const size_t at = c.find(key); at != std::string::npos) calls.push_back(c.substr(at + key.size(), 1));
            }
        }
        effects_.Clear();
        return calls;
    }

    ProgramFolder program_;
    RecordingEffects effects_;
    MemorySettings settings_;
    testing::SequenceRandom random_;
    testing::FakeClock clock_;
    DeferredCalls later_;
    std::vector<MonitorArea> layout_{{0, 0, 1280, 800}, {1280, 0, 800, 1280}};
    WallpaperRotation rotation_{{effects_, settings_, random_, later_, program_.path(), [this] { return layout_; }}};
    std::string bytes_;  // wallpaper.bmp as last read
};

TEST_F(Monitors, EachMonitorShowsAPictureOfItsOrientationInOneTiledBitmap) {
    program_.AddPicture(L"a-land.bmp", 160, 90, kLandscape);
    program_.AddPicture(L"b-land.bmp", 160, 100, kOther);
    program_.AddPicture(L"c-port.bmp", 90, 160, kPortrait);
    ASSERT_TRUE(rotation_.Next());
    EXPECT_EQ(program_.BitmapSize().cx, 2080);
    EXPECT_EQ(program_.BitmapSize().cy, 1280);
    EXPECT_EQ(Fills(0, 0, 1280, 800), kLandscape);  // filled: no background
    EXPECT_EQ(Fills(1280, 0, 800, 1280), kPortrait);
    EXPECT_EQ(WinIni(), (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(rotation_.Current(), (std::vector<std::string>{"a-land.bmp", "c-port.bmp"}));

    // The next set goes on in the list; the portrait monitor, with no other
    // portrait picture, keeps the one there is.
    ASSERT_TRUE(rotation_.Next());
    EXPECT_EQ(Fills(0, 0, 1280, 800), kOther);
    EXPECT_EQ(Fills(1280, 0, 800, 1280), kPortrait);

    // Fit: the 16:9 picture on 1280 x 800 with bands of 40 rows.
    settings_.Set("wz", "5");
    ASSERT_TRUE(rotation_.Previous());
    EXPECT_EQ(Fills(0, 40, 1280, 720), kLandscape);
    EXPECT_NE(BitmapPixel(640, 39), kLandscape);
    EXPECT_EQ(Fills(0, 0, 1280, 40), BitmapPixel(0, 0));
    EXPECT_EQ(BitmapPixel(640, 760), BitmapPixel(0, 0));

    // Every monitor the same picture, still at its own size.
    settings_.Set("mgxsq", "0");
    settings_.Set("wz", "4");
    ASSERT_TRUE(rotation_.Next());
    EXPECT_EQ(Fills(0, 0, 1280, 800), Fills(1280, 0, 800, 1280));
    EXPECT_EQ(rotation_.Current().size(), 1u);
}

TEST_F(Monitors, TheHistoryKeepsSetsPutsThemBackAndStillReadsItsOldFile) {
    WriteBytes(program_.path() + L"\\vlmr-history.txt", "Velmora wallpaper history 1\nb-land.bmp\n");
    program_.AddPicture(L"a-land.bmp", 160, 90, kLandscape);
    program_.AddPicture(L"b-land.bmp", 160, 90, kOther);
    program_.AddPicture(L"c-port.bmp", 90, 160, kPortrait);
    ASSERT_TRUE(rotation_.Next());
    EXPECT_EQ(ReadBytes(program_.path() + L"\\vlmr-history.txt"),
              "Velmora wallpaper history 2\nb-land.bmp\na-land.bmp|c-port.bmp\n");
    ASSERT_TRUE(rotation_.Next());
    ASSERT_TRUE(rotation_.Previous());
    EXPECT_EQ(rotation_.Current(), (std::vector<std::string>{"a-land.bmp", "c-port.bmp"}));
    EXPECT_EQ(Fills(0, 0, 1280, 800), kLandscape);
    // The picture of the old file, put back on every monitor.
    ASSERT_TRUE(rotation_.Previous());
    EXPECT_EQ(Fills(0, 0, 1280, 800), kOther);
    EXPECT_EQ(Fills(1280, 0, 800, 1280), kOther);
    EXPECT_FALSE(rotation_.Previous());
}

TEST_F(Monitors, OneMonitorMovesOnAloneAndANewLayoutIsRenderedWithoutMovingOn) {
    program_.AddPicture(L"a-port.bmp", 90, 160, kLandscape);
    program_.AddPicture(L"b-port.bmp", 90, 160, kOther);
    program_.AddPicture(L"c-port.bmp", 90, 160, kPortrait);
    ASSERT_TRUE(rotation_.Next());
    const std::vector<std::string> before = rotation_.Current();
    ASSERT_TRUE(rotation_.NextOnMonitor(1));
    EXPECT_EQ(rotation_.Current()[0], before[0]);
    EXPECT_NE(rotation_.Current()[1], before[1]);
    EXPECT_EQ(Fills(0, 0, 1280, 800), kLandscape);

    // A monitor left of the primary, rotated: the same pictures, the bitmap
    // wrapped so that the left one lands right of the primary's part.
    const std::string history = ReadBytes(program_.path() + L"\\vlmr-history.txt");
    const int position = rotation_.Selection();
    const std::vector<std::string> shown = rotation_.Current();
    layout_ = {{0, 0, 1280, 800}, {-1280, 0, 1280, 800}};
    ASSERT_TRUE(rotation_.RenderAgain());
    EXPECT_EQ(program_.BitmapSize().cx, 2560);
    EXPECT_EQ(program_.BitmapSize().cy, 800);
    EXPECT_EQ(Fills(0, 0, 1280, 800), kLandscape);
    EXPECT_EQ(Fills(1280, 0, 1280, 800), BitmapPixel(1280 + 640, 400));
    EXPECT_NE(BitmapPixel(1280 + 640, 400), kLandscape);
    EXPECT_EQ(rotation_.Current(), shown);
    EXPECT_EQ(rotation_.Selection(), position);
    EXPECT_EQ(ReadBytes(program_.path() + L"\\vlmr-history.txt"), history);
}

TEST_F(Monitors, PicturesAndScreensThatCannotBeShownLeaveTheWallpaperAsItIs) {
    program_.AddPicture(L"a.bmp", 160, 90, kLandscape);
    ASSERT_TRUE(rotation_.Next());
    const std::string bitmap = ReadBytes(program_.Bitmap());
    // A BMP claiming 16000 x 16000 pixels: refused before any decoder.
    std::string huge(54, '\0');
    huge[0] = 'B', huge[1] = 'M', huge[14] = 40, huge[26] = 1, huge[28] = 24;
    for (int at : {18, 22}) huge[static_cast<size_t>(at)] = static_cast<char>(16000 & 0xFF),
                            huge[static_cast<size_t>(at + 1)] = static_cast<char>(16000 >> 8);
    ProgramFolder::RemoveTree(program_.Pic());
    ::CreateDirectoryW(program_.Pic().c_str(), nullptr);
    WriteBytes(program_.InPic(L"huge.bmp"), huge);
    effects_.Clear();
    EXPECT_FALSE(rotation_.Next());
    EXPECT_EQ(ReadBytes(program_.Bitmap()), bitmap);
    EXPECT_TRUE(effects_.Calls().empty());

    // A picture 1 x 10000, filled and fitted onto six monitors, one of them
    // 7680 x 4320: composed, nothing read outside the picture.
    program_.AddPicture(L"thin.bmp", 1, 10000, kOther);
    layout_.clear();
    for (int i = 0; i < 5; ++i) layout_.push_back({i * 640, 0, 640, 480});
    layout_.push_back({3200, 0, 7680, 4320});
    for (const char* position : {"4", "5"}) {
        settings_.Set("wz", position);
        ASSERT_TRUE(rotation_.Next()) << position;
        EXPECT_EQ(program_.BitmapSize().cx, 10880);
        EXPECT_EQ(BitmapPixel(319, 240), kOther);  // filled, or the strip one pixel wide
    }
    // Too large a screen: refused, the wallpaper of now stays.
    const std::string before = ReadBytes(program_.Bitmap());
    layout_.clear();
    for (int i = 0; i < 6; ++i) layout_.push_back({i * 7680, 0, 7680, 4320});
    effects_.Clear();
    EXPECT_FALSE(rotation_.Next());
    EXPECT_EQ(ReadBytes(program_.Bitmap()), before);
    EXPECT_TRUE(effects_.Calls().empty());
}

TEST_F(Monitors, NoFullSizePictureOutlivesAChange) {
    program_.AddPicture(L"a.bmp", 1600, 900, kLandscape);
    program_.AddPicture(L"b.bmp", 900, 1600, kPortrait);
    const long bitmaps = UniqueBitmap::live();
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(rotation_.Next());
    ASSERT_TRUE(rotation_.RenderAgain());
    EXPECT_EQ(UniqueBitmap::live(), bitmaps);
}

// Timed changing with no changer: the program's schedule alone.
TEST_F(Monitors, TheScheduleChangesWithNoWindowAndMakesUpOnceForASleep) {
    program_.AddPicture(L"a.bmp", 160, 90, kLandscape);
    program_.AddPicture(L"b.bmp", 160, 90, kOther);
    settings_.Set("sj", "每5分");
    WallpaperSchedule schedule(rotation_, settings_, clock_);
    const auto tick = [&](int h, int m, int s) {
        clock_.now = {.year = 2026, .month = 12, .day = 9, .hour = h, .minute = m, .second = s, .weekday = 3};
        ::SendMessageW(schedule.hwnd(), WM_TIMER, static_cast<WPARAM>(ChangerTimer::Clock), 0);
    };
    const auto changes = [&] {
        int n = 0;
        for (const std::string& c : effects_.Calls()) n += c.rfind("SetDeskWallpaper(", 0) == 0;
        effects_.Clear();
        return n;
    };
    EXPECT_EQ(schedule.StartFromProfile(), "");
    EXPECT_TRUE(schedule.ClockTimerOn());
    EXPECT_EQ(settings_.Read("gh"), "1");
    tick(9, 4, 59);
    tick(9, 5, 0);
    EXPECT_EQ(changes(), 1);
    // Asleep from 9:05:01 to 9:31:30: the moments slept through make one
    // change on waking, and the next tick none.
    tick(9, 5, 1);
    clock_.now.minute = 31, clock_.now.second = 30;
    schedule.OnResume();
    EXPECT_EQ(changes(), 1);
    tick(9, 31, 31);
    EXPECT_EQ(changes(), 0);
    schedule.OnResume();  // woken again at once: nothing slept through
    EXPECT_EQ(changes(), 0);

    settings_.Set("sj", "自定义");
    settings_.Set("zdy", "90");
    EXPECT_EQ(schedule.StartFromProfile(), "出错了！最大只能为60秒！请重新设置更换桌面功能！");
}

}  // namespace
}  // namespace velmora::wallpaper
