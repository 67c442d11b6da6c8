// Which picture timed changing takes next: the next entry of the list in
// sequential order (wrapping round), a uniform pick in random order, and
// where the list selection goes when a change fails.
#pragma once

namespace velmora::wallpaper {

enum class Order { Sequential = 1, Random = 2 };  // the "sx" codes

// The entry after `selection` in a list of `count` (the last wraps to the
// first; -1, nothing selected, becomes 0); -1 for an empty list.
int AdvanceSelection(int selection, int count);

// The random pick: index floor(count * r) for r in [0, 1), kept inside
// 0..count-1; -1 for an empty list.
int RandomIndex(int count, double r);

// One change: the entry to apply and the list selection afterwards. In
// sequential order the selection moves to the picture (it is previewed with
// its file labels); in random order it stays.
struct RotationStep {
    int picture = -1;
    int selection = -1;
};
RotationStep NextPicture(Order order, int selection, int count, double r);

// The selection after a change that failed (the picture unreadable or the
// bitmap not written): the list moves one entry on, so the next change
// tries another picture. In sequential order the step has moved it already.
int SelectionAfterFailure(Order order, int selection, int count);

}  // namespace velmora::wallpaper
