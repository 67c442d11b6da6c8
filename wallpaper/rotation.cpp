#include "wallpaper/rotation.h"

#include <algorithm>
#include <cmath>

#include "wallpaper/picture_list.h"

namespace velmora::wallpaper {

int AdvanceSelection(int selection, int count) {
    if (count <= 0) return -1;
    // The last entry wraps to the first; so does a selection left over from
    // a longer list.
    if (selection < -1 || selection + 1 >= count) return 0;
    return selection + 1;
}

int RandomIndex(int count, double r) {
    if (count <= 0) return -1;
    if (!(r >= 0)) r = 0;  // also NaN
    const double scaled = std::floor(static_cast<double>(count) * r);
    if (scaled >= count) return count - 1;
    return static_cast<int>(scaled);
}

int SelectionAfterFailure(Order order, int selection, int count) {
    return order == Order::Random ? AdvanceSelection(selection, count) : selection;
}

bool PictureRotation::SetNames(std::vector<std::string> names) {
    const bool hadPosition = position_ >= 0 && position_ < static_cast<int>(names_.size());
    const std::string current = hadPosition ? names_[static_cast<size_t>(position_)] : std::string();
    names_ = std::move(names);
    cursors_[0] = cursors_[1] = kNoCursor;
    if (!hadPosition) {
        position_ = -1;
        return false;
    }
    // The list is in list order, so the file or its gap is found by halving.
    const auto at = std::lower_bound(names_.begin(), names_.end(), current,
                                     [](const std::string& a, const std::string& b) { return ListsBefore(a, b); });
    const int index = static_cast<int>(at - names_.begin());
    const bool kept = at != names_.end() && *at == current;
    position_ = kept ? index : index - 1;
    return kept;
}

void PictureRotation::SetPosition(int index) {
    cursors_[0] = cursors_[1] = kNoCursor;
    position_ = index >= 0 && index < static_cast<int>(names_.size()) ? index : -1;
}

int PictureRotation::IndexOf(std::string_view name) const {
    const auto at = std::find(names_.begin(), names_.end(), name);
    return at == names_.end() ? -1 : static_cast<int>(at - names_.begin());
}

RotationStep PictureRotation::Step(Order order, double r) {
    const int count = static_cast<int>(names_.size());
    if (order == Order::Sequential) {
        position_ = AdvanceSelection(position_, count);
        return {position_, position_};
    }
    return {round_.Draw(names_, r), position_};
}

int PictureRotation::StepFor(Order order, double r, bool firstMonitor, bool portraitMonitor,
                             const ShuffleRound::IndexTest& suits, const ShuffleRound::IndexTest& taken) {
    const int count = static_cast<int>(names_.size());
    if (count == 0) return -1;
    if (order == Order::Random) return round_.Draw(names_, r, suits, taken);
    int& cursor = cursors_[portraitMonitor ? 1 : 0];
    if (cursor == kNoCursor || cursor >= count) cursor = position_;
    int fallback = -1;
    for (int k = 1; k <= count; ++k) {
        const int index = ((cursor < 0 ? -1 : cursor) + k) % count;
        if (taken && taken(index)) continue;
        if (fallback < 0) fallback = index;
        if (!suits || suits(index)) {
            fallback = index;
            break;
        }
    }
    if (fallback < 0) fallback = AdvanceSelection(cursor, count);  // fewer pictures than monitors
    cursor = fallback;
    if (firstMonitor) position_ = fallback;
    return fallback;
}

void PictureRotation::StepFailed(Order order) {
    position_ = SelectionAfterFailure(order, position_, static_cast<int>(names_.size()));
}

}  // namespace velmora::wallpaper
