// Which picture a change takes next: the next entry of the list in
// sequential order (wrapping round), the next of a shuffled round in random
// order, and where the list selection goes when a change fails. The
// rotation lives for the whole run, whether or not the changer window is
// open: timed changing, the next-picture command and the change-now button
// all move it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "wallpaper/shuffle.h"

namespace velmora::wallpaper {

enum class Order { Sequential = 1, Random = 2 };  // the "sx" codes

// The entry after `selection` in a list of `count` (the last wraps to the
// first; -1, nothing selected, becomes 0); -1 for an empty list.
int AdvanceSelection(int selection, int count);

// Index floor(count * r) for r in [0, 1), kept inside 0..count-1; -1 for
// an empty list.
int RandomIndex(int count, double r);

// One change: the entry to apply and the list selection afterwards. In
// sequential order the selection moves to the picture (it is previewed with
// its file labels); in random order it stays.
struct RotationStep {
    int picture = -1;
    int selection = -1;
};

// The selection after a change that failed (the picture unreadable or the
// bitmap not written): the list moves one entry on, so the next change
// tries another picture. In sequential order the step has moved it already.
int SelectionAfterFailure(Order order, int selection, int count);

// The pictures of the folder in list order, the position in sequential
// order (the list selection, -1 for none) and the shuffled round.
class PictureRotation {
public:
    const std::vector<std::string>& Names() const { return names_; }

    // A new listing of the folder, in list order. The position follows its
    // file; when that file went, it stays just before the gap, so that the
    // next picture in order is the one that followed it. True when the file
    // at the position is still listed.
    bool SetNames(std::vector<std::string> names);

    int Position() const { return position_; }
    // The user's choice in the list, or none (-1, a fresh list).
    void SetPosition(int index);
    // The index of a name in the list; -1 when it is not listed.
    int IndexOf(std::string_view name) const;

    // The picture one change takes in `order` (r: a number in [0, 1) for
    // random order), the position moved as the step says.
    RotationStep Step(Order order, double r);
    // One picture of a change that gives several monitors a picture each,
    // in monitor order. In sequential order, landscape and portrait
    // monitors each go on through the list from the last picture handed to
    // a monitor of their kind (both from the position after a choice in
    // the list), taking the first picture that `suits` them, or the next
    // one when none does; the first monitor's pick is the position
    // afterwards. In random order each draws from the round. Pictures
    // `taken` (on another monitor of this change, or failed) are passed
    // over while others are left.
    int StepFor(Order order, double r, bool firstMonitor, bool portraitMonitor, const ShuffleRound::IndexTest& suits,
                const ShuffleRound::IndexTest& taken);
    // The change just stepped to failed: the position moves on as
    // SelectionAfterFailure says.
    void StepFailed(Order order);
    // A picture of the folder became the wallpaper by any road.
    void Shown(const std::string& name) { round_.Shown(name); }

private:
    std::vector<std::string> names_;
    int position_ = -1;
    int cursors_[2] = {kNoCursor, kNoCursor};  // sequential order's, of landscape and portrait monitors
    static constexpr int kNoCursor = -2;       // start from the position
    ShuffleRound round_;
};

}  // namespace velmora::wallpaper
