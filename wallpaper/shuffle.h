// Random order without repeats: each picture of the list shows once before
// any picture shows again, and never the same picture twice in a row, also
// where one round ends and the next begins. Pictures are known by name, so
// a round survives the list changing under it: a picture added to the folder
// joins the round under way.
#pragma once

#include <functional>
#include <string>
#include <unordered_set>
#include <vector>

namespace velmora::wallpaper {

class ShuffleRound {
public:
    // The next picture: an index into `names`, drawn with r in [0, 1) from
    // the names this round has not drawn yet, leaving out the last picture
    // shown while another is left. When every name has been drawn, a new
    // round begins. The drawn name counts as drawn whether or not it can be
    // shown, so a picture that fails is passed over. -1 for an empty list.
    int Draw(const std::vector<std::string>& names, double r);

    // The same draw for one monitor of several: pictures `taken` says are
    // on another monitor of the same change are left out while any other is
    // left, and among the rest the draw goes on from the picked one to the
    // first that `suits` the monitor (its orientation), when one does.
    // `suits` is asked lazily: a picture's header is read only when needed.
    using IndexTest = std::function<bool(int index)>;
    int Draw(const std::vector<std::string>& names, double r, const IndexTest& suits, const IndexTest& taken);

    // A picture became the wallpaper, by a draw or by any other road (the
    // change-now button, the previous picture): it counts as drawn in this
    // round and is the one the next draw leaves out.
    void Shown(const std::string& name);

private:
    std::unordered_set<std::string> drawn_;
    std::string last_;
};

}  // namespace velmora::wallpaper
