#include "wallpaper/shuffle.h"

#include <algorithm>

#include "wallpaper/rotation.h"

namespace velmora::wallpaper {

int ShuffleRound::Draw(const std::vector<std::string>& names, double r) {
    if (names.empty()) return -1;
    std::vector<int> left;
    for (size_t i = 0; i < names.size(); ++i) {
        if (!drawn_.contains(names[i])) left.push_back(static_cast<int>(i));
    }
    if (left.empty()) {
        // A new round: every picture again.
        drawn_.clear();
        for (size_t i = 0; i < names.size(); ++i) left.push_back(static_cast<int>(i));
    }
    if (left.size() > 1) {
        // Not the picture on the desktop now, even across the rounds' seam.
        std::erase_if(left, [&](int i) { return names[static_cast<size_t>(i)] == last_; });
    }
    const int pick = left[static_cast<size_t>(RandomIndex(static_cast<int>(left.size()), r))];
    drawn_.insert(names[static_cast<size_t>(pick)]);
    return pick;
}

void ShuffleRound::Shown(const std::string& name) {
    drawn_.insert(name);
    last_ = name;
}

}  // namespace velmora::wallpaper
