#include "wallpaper/shuffle.h"

#include <algorithm>

#include "wallpaper/rotation.h"

namespace velmora::wallpaper {

int ShuffleRound::Draw(const std::vector<std::string>& names, double r) { return Draw(names, r, nullptr, nullptr); }

int ShuffleRound::Draw(const std::vector<std::string>& names, double r, const IndexTest& suits,
                       const IndexTest& taken) {
    if (names.empty()) return -1;
    const auto free = [&](int i) { return !taken || !taken(i); };
    std::vector<int> left;
    for (size_t i = 0; i < names.size(); ++i) {
        if (!drawn_.contains(names[i]) && free(static_cast<int>(i))) left.push_back(static_cast<int>(i));
    }
    if (left.empty()) {
        // A new round: every picture again (but those on the other monitors
        // of this change, while there are others).
        drawn_.clear();
        for (size_t i = 0; i < names.size(); ++i) {
            if (free(static_cast<int>(i))) left.push_back(static_cast<int>(i));
        }
        if (left.empty()) {
            for (size_t i = 0; i < names.size(); ++i) left.push_back(static_cast<int>(i));
        }
    }
    if (left.size() > 1) {
        // Not the picture on the desktop now, even across the rounds' seam.
        std::erase_if(left, [&](int i) { return names[static_cast<size_t>(i)] == last_; });
    }
    const size_t start = static_cast<size_t>(RandomIndex(static_cast<int>(left.size()), r));
    int pick = left[start];
    if (suits) {
        for (size_t k = 0; k < left.size(); ++k) {
            const int candidate = left[(start + k) % left.size()];
            if (suits(candidate)) {
                pick = candidate;
                break;
            }
        }
    }
    drawn_.insert(names[static_cast<size_t>(pick)]);
    return pick;
}

void ShuffleRound::Shown(const std::string& name) {
    drawn_.insert(name);
    last_ = name;
}

}  // namespace velmora::wallpaper
