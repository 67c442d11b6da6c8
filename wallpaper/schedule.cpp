#include "wallpaper/schedule.h"

#include <array>

#include "platform/numbers.h"
#include "platform/units.h"

namespace velmora::wallpaper {

namespace {

constexpr std::array<std::string_view, kScheduleCount> kCaptions = {"整点", "每半点", "每一刻钟", "每5分",
                                                                    "自定义"};

}  // namespace

std::string_view ScheduleCaption(Schedule schedule) { return kCaptions[static_cast<size_t>(schedule)]; }

std::optional<Schedule> ScheduleFromCaption(std::string_view caption) {
    for (size_t i = 0; i < kCaptions.size(); ++i) {
        if (kCaptions[i] == caption) return static_cast<Schedule>(i);
    }
    return std::nullopt;
}

bool IsChangeMoment(Schedule schedule, int minute, int second) {
    if (second != 0 || minute < 0 || minute > 59) return false;
    switch (schedule) {
        case Schedule::OnTheHour:
            return minute == 0;
        case Schedule::HalfPast:
            return minute == 30;
        case Schedule::QuarterHour:
            return minute % 15 == 0;
        case Schedule::FiveMinutes:
            return minute % 5 == 0;
        case Schedule::Interval:
            break;
    }
    return false;
}

void ChangeClock::Reset() {
    lastTick_.reset();
    lastApplied_.reset();
}

bool ChangeClock::Tick(Schedule schedule, const LocalTime& now) {
    const int64_t t = SecondsOf(now);
    const int64_t moment = t - now.second;  // second 0 of this minute
    bool change = false;
    if (IsChangeMoment(schedule, now.minute, 0) && lastApplied_ != moment) {
        // The tick of second 0 itself, or the first tick after it when that
        // one was lost (a late timer) and the schedule already ran before the
        // moment. A start in the middle of the minute waits for the next one.
        change = now.second == 0 || (lastTick_ && *lastTick_ < moment);
    }
    if (change) lastApplied_ = moment;
    lastTick_ = t;
    return change;
}

bool MomentMissedBetween(Schedule schedule, int64_t from, int64_t to) {
    if (schedule == Schedule::Interval || to <= from) return false;
    // Minutes count from a midnight, so a minute's number modulo 60 is its
    // minute of the hour; every schedule repeats within an hour.
    const auto floorDiv = [](int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); };
    const int64_t first = floorDiv(from, 60) + 1, last = floorDiv(to, 60) - 1;
    for (int64_t minute = first; minute <= last && minute < first + 60; ++minute) {
        if (IsChangeMoment(schedule, static_cast<int>(((minute % 60) + 60) % 60), 0)) return true;
    }
    return false;
}

int64_t SecondsOf(const LocalTime& t) {
    // Days from 0000-03-01: years start in March so the leap day comes last.
    const int64_t y = t.year - (t.month <= 2 ? 1 : 0);
    const int64_t m = t.month <= 2 ? t.month + 9 : t.month - 3;  // March = 0
    const int64_t days = 365 * y + y / 4 - y / 100 + y / 400 + (153 * m + 2) / 5 + (t.day - 1);
    return ((days * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

namespace {

// The text with the full-width forms a Chinese input method types (digits,
// sign, point, the letter e, the ideographic space) as their ASCII
// counterparts; any other character beyond ASCII as a byte that ends a
// number.
std::string AsciiShadow(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        const std::size_t n = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        const std::string_view ch = text.substr(i, n);
        char ascii = '\x01';
        if (ch == "\xE3\x80\x80") ascii = ' ';  // U+3000
        if (ch.size() == 3 && ch[0] == '\xEF' && (ch[1] == '\xBC' || ch[1] == '\xBD') &&
            (static_cast<unsigned char>(ch[2]) & 0xC0) == 0x80) {
            // U+FF01..U+FF5E are ASCII 0x21..0x7E, shifted.
            const int code = ((static_cast<unsigned char>(ch[1]) & 0x3F) << 6 | (static_cast<unsigned char>(ch[2]) & 0x3F)) +
                             0xF000 - 0xFF01 + 0x21;
            if (code >= 0x21 && code <= 0x7E && std::string_view("0123456789+-.eE").find(static_cast<char>(code)) !=
                                                        std::string_view::npos) {
                ascii = static_cast<char>(code);
            }
        }
        out += ascii;
        i += n;
    }
    return out;
}

// The number a text starts with, read as people type it into the box:
// blanks, a sign, digits, a point and digits, an exponent; what follows
// ("30秒") is let go. Empty when no digit comes before anything else.
std::string LeadingNumber(std::string_view text) {
    const std::string s = AsciiShadow(text);
    auto digit = [&](std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
    std::size_t i = s.find_first_not_of(" \t");
    if (i == std::string::npos) return {};
    const std::size_t begin = i;
    if (s[i] == '+' || s[i] == '-') ++i;
    std::size_t digits = 0;
    for (; digit(i); ++i) ++digits;
    if (i < s.size() && s[i] == '.') {
        for (++i; digit(i); ++i) ++digits;
    }
    if (digits == 0) return {};
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        if (digit(j)) {
            for (i = j; digit(i); ++i) {
            }
        }
    }
    return s.substr(begin, i - begin);
}

}  // namespace

IntervalValue ParseInterval(std::string_view text) {
    // The number the text starts with counts, as the label "秒" beside the
    // box invites "30秒", and full-width digits count as digits; a text with
    // no number at its start is refused like an interval below one second.
    const std::optional<double> value = ParseDecimal(LeadingNumber(text));
    if (!value) return {IntervalError::TooShort, 0};
    // Beyond any int: too long, before rounding could overflow.
    if (*value > 1e9) return {IntervalError::TooLong, 0};
    if (*value < -1e9) return {IntervalError::TooShort, 0};
    // Halves to even: 2.5 -> 2, 3.5 -> 4, 60.5 -> 60.
    const int rounded = RoundHalfEven(*value);
    if (rounded > 60) return {IntervalError::TooLong, 0};
    if (rounded < 1) return {IntervalError::TooShort, 0};
    return {IntervalError::None, rounded};
}

std::string IntervalRefusalText(IntervalError error, bool fromStartButton) {
    std::string text;
    switch (error) {
        case IntervalError::None:
            return {};
        case IntervalError::TooLong:
            text = "出错了！最大只能为60秒！";
            break;
        case IntervalError::TooShort:
            text = "出错了！最小只能为1秒！";
            break;
    }
    if (!fromStartButton) text += "请重新设置更换桌面功能！";
    return text;
}

std::string ClockStatusText(Schedule schedule) {
    return "正在更换桌面：" + std::string(ScheduleCaption(schedule)) + " 更换！";
}

std::string IntervalStatusText(std::string_view intervalText) {
    return "正在更换桌面：每隔" + std::string(intervalText) + "秒更换！";
}

std::string ClockStartMessage(Schedule schedule) {
    return std::string(ScheduleCaption(schedule)) + "  更换桌面！    ";
}

std::string IntervalStartMessage(std::string_view intervalText) {
    return "每隔" + std::string(intervalText) + "秒  开始定时更换桌面！";
}

}  // namespace velmora::wallpaper
