// The changes of WallpaperRotation: which pictures go on which monitor, and
// the set handed to the setter and kept in the history.
#include <algorithm>
#include <optional>

#include "platform/text.h"
#include "wallpaper/picture_list.h"
#include "wallpaper/wallpaper_rotation.h"

namespace velmora::wallpaper {

namespace {
constexpr int kMostHeadersAsked = 64;
}  // namespace

bool WallpaperRotation::PerMonitor() { return LoadChangerSettings(services_.settings).picturePerMonitor; }

std::vector<std::string> WallpaperRotation::CurrentFor(size_t monitorCount) const {
    // Fewer pictures than monitors (one was added, or every monitor showed
    // the same picture): the pictures of now again, in turn.
    std::vector<std::string> names;
    for (size_t i = 0; i < monitorCount && !current_.empty(); ++i) names.push_back(current_[i % current_.size()]);
    return names;
}

ApplyOutcome WallpaperRotation::ApplyPictures(const std::vector<MonitorArea>& monitors,
                                              const std::vector<const Picture*>& pictures, Position position) {
    std::vector<MonitorShown> shown;
    for (size_t i = 0; i < monitors.size(); ++i) shown.push_back({monitors[i], pictures[i % pictures.size()]});
    return ApplyToMonitors(services_.effects, shown, folder_.WallpaperBitmapPath(), position, DesktopBackground());
}

int WallpaperRotation::PickFor(Order order, const MonitorArea& monitor, bool firstMonitor,
                               const std::vector<int>& taken) {
    int asked = 0;
    const auto suits = [&](int index) {
        // A folder of thousands of pictures of the other kind is not read
        // through at every change: past this many, the next one will do.
        if (++asked > kMostHeadersAsked) return true;
        const std::optional<SIZE> size = PictureSizeOf(folder_.PicturePath(model_.Names()[static_cast<size_t>(index)]));
        // A picture whose size the header cannot tell is unlikely to show.
        return size && Suits(monitor, size->cx, size->cy);
    };
    const auto isTaken = [&](int index) { return std::find(taken.begin(), taken.end(), index) != taken.end(); };
    return model_.StepFor(order, order == Order::Random ? services_.random.Next() : 0.0, firstMonitor,
                          monitor.Portrait(), suits, isTaken);
}

RotationChange WallpaperRotation::TryStep(Order order, Position position) {
    const std::vector<MonitorArea> monitors = services_.monitors();
    const size_t own = PerMonitor() ? monitors.size() : 1;
    RotationChange change;
    change.order = order;
    if (own <= 1) {
        // Random order draws afresh for every change.
        change.step = model_.Step(order, order == Order::Random ? services_.random.Next() : 0.0);
    } else {
        change.step.picture = PickFor(order, monitors[0], true, {});
        change.step.selection = model_.Position();
    }
    std::vector<std::string> names{model_.Names()[static_cast<size_t>(change.step.picture)]};
    change.path = folder_.PicturePath(names[0]);
    if (std::optional<Picture> picture = LoadPicture(change.path)) change.picture = std::move(*picture);
    change.read = static_cast<bool>(change.picture);
    std::vector<Picture> others;  // the other monitors' pictures, read
    std::vector<const Picture*> pictures{&change.picture};
    std::vector<int> taken{change.step.picture};
    others.reserve(own);
    for (size_t m = 1; change.read && m < own; ++m) {
        // A picture that cannot be read is passed over for the next; when
        // none can, the monitor shows the primary's.
        pictures.push_back(&change.picture);
        names.push_back(names[0]);
        for (size_t tries = 0; tries < model_.Names().size(); ++tries) {
            const int index = PickFor(order, monitors[m], false, taken);
            taken.push_back(index);
            const std::string& name = model_.Names()[static_cast<size_t>(index)];
            if (std::optional<Picture> picture = LoadPicture(folder_.PicturePath(name))) {
                others.push_back(std::move(*picture));
                pictures.back() = &others.back();
                names.back() = name;
                break;
            }
        }
    }
    change.applied = change.picture && ApplyPictures(monitors, pictures, position);
    others.clear();  // no full-size picture outlives the change but the preview's
    if (change.applied) {
        Recorded(names);
    } else {
        model_.StepFailed(order);
        change.step.selection = model_.Position();
    }
    if (observer_) observer_->OnRotated(change);
    return change;
}

bool WallpaperRotation::Change(Order order, Position position) {
    EnsureCurrent();
    if (model_.Names().empty()) return false;
    return TryStep(order, position).applied;
}

bool WallpaperRotation::Next() {
    const ChangerSettings saved = LoadChangerSettings(services_.settings);
    EnsureCurrent();
    const size_t count = model_.Names().size();
    for (size_t i = 0; i < count; ++i) {
        const RotationChange change = TryStep(saved.order, saved.position);
        if (change.applied) return true;
        // A picture read but not applied: the bitmap cannot be written, and
        // no other picture would fare better.
        if (change.read) return false;
    }
    return false;
}

bool WallpaperRotation::NextOnMonitor(int monitor) {
    const std::vector<MonitorArea> monitors = services_.monitors();
    if (monitors.size() <= 1 || current_.empty() || !PerMonitor()) return Next();
    if (monitor < 0 || monitor >= static_cast<int>(monitors.size())) return false;
    const ChangerSettings saved = LoadChangerSettings(services_.settings);
    EnsureCurrent();
    if (model_.Names().empty()) return false;
    std::vector<std::string> names = CurrentFor(monitors.size());
    std::vector<Picture> pictures(monitors.size());
    for (size_t m = 0; m < monitors.size(); ++m) {
        if (static_cast<int>(m) == monitor) continue;
        std::optional<Picture> picture = LoadPicture(folder_.PicturePath(names[m]));
        if (!picture) return Next();  // a picture of now is gone: a whole new set
        pictures[m] = std::move(*picture);
    }
    std::vector<int> taken;
    for (const std::string& name : names) taken.push_back(model_.IndexOf(name));
    const auto at = static_cast<size_t>(monitor);
    for (size_t tries = 0; tries < model_.Names().size() && !pictures[at]; ++tries) {
        const int index = PickFor(saved.order, monitors[at], monitor == 0, taken);
        taken.push_back(index);
        names[at] = model_.Names()[static_cast<size_t>(index)];
        if (std::optional<Picture> picture = LoadPicture(folder_.PicturePath(names[at]))) {
            pictures[at] = std::move(*picture);
        }
    }
    if (!pictures[at]) return false;
    std::vector<const Picture*> shown;
    for (const Picture& p : pictures) shown.push_back(&p);
    if (!ApplyPictures(monitors, shown, saved.position)) return false;
    Recorded(names);
    if (observer_ && monitor == 0) {
        RotationChange change;
        change.order = saved.order;
        change.applied = change.read = true;
        change.step = {model_.IndexOf(names[0]), model_.Position()};
        change.path = folder_.PicturePath(names[0]);
        change.picture = std::move(pictures[0]);
        observer_->OnRotated(change);
    }
    return true;
}

bool WallpaperRotation::Previous() {
    LoadHistory();
    const ChangerSettings saved = LoadChangerSettings(services_.settings);
    const std::vector<MonitorArea> monitors = services_.monitors();
    RotationChange change;
    change.order = saved.order;
    change.applied = history_.StepBack([&](const std::string& entry) {
        // A set put back whole, or not at all: a picture of it that is gone
        // passes over the set.
        const std::vector<std::string> names = SplitSet(entry);
        std::vector<Picture> pictures;
        for (const std::string& name : names) {
            std::optional<Picture> picture = LoadPicture(folder_.PicturePath(name));  // nothing for one that is gone
            if (!picture) return false;
            pictures.push_back(std::move(*picture));
        }
        std::vector<const Picture*> shown;
        for (const Picture& p : pictures) shown.push_back(&p);
        if (!ApplyPictures(monitors, shown, saved.position)) return false;
        current_ = names;
        change.picture = std::move(pictures[0]);
        change.read = true;
        change.path = folder_.PicturePath(names[0]);
        return true;
    });
    if (!change.applied) return false;
    SaveHistory();
    const std::string& name = current_[0];
    for (const std::string& shown : current_) model_.Shown(shown);
    EnsureCurrent();
    // In sequential order the list goes on from the picture put back.
    const int index = model_.IndexOf(name);
    if (saved.order == Order::Sequential && index >= 0) model_.SetPosition(index);
    change.step = {index, model_.Position()};
    if (observer_) observer_->OnRotated(change);
    return true;
}

ApplyOutcome WallpaperRotation::ApplyChosen(const Picture& picture, const std::wstring& path, Position position) {
    const std::vector<MonitorArea> monitors = services_.monitors();
    std::vector<std::string> names{StripPath(Narrow(path))};
    std::vector<Picture> others;
    std::vector<const Picture*> shown{&picture};
    if (monitors.size() > 1 && PerMonitor() && !current_.empty()) {
        const std::vector<std::string> now = CurrentFor(monitors.size());
        others.reserve(monitors.size());
        for (size_t m = 1; m < monitors.size(); ++m) {
            std::optional<Picture> other = LoadPicture(folder_.PicturePath(now[m]));
            if (!other) break;  // gone: the chosen picture everywhere
            others.push_back(std::move(*other));
            shown.push_back(&others.back());
            names.push_back(now[m]);
        }
        if (shown.size() != monitors.size()) shown.resize(1), names.resize(1);
    }
    const ApplyOutcome outcome = ApplyPictures(monitors, shown, position);
    if (outcome) Recorded(names);
    return outcome;
}

bool WallpaperRotation::RenderAgain() {
    if (current_.empty()) return false;
    const std::vector<MonitorArea> monitors = services_.monitors();
    const ChangerSettings saved = LoadChangerSettings(services_.settings);
    std::vector<std::string> names = current_;
    if (monitors.size() > 1 && saved.picturePerMonitor) names = CurrentFor(monitors.size());
    std::vector<Picture> pictures;
    for (const std::string& name : names) {
        std::optional<Picture> picture = LoadPicture(folder_.PicturePath(name));
        if (!picture) return false;  // the wallpaper of now stays as the system shows it
        pictures.push_back(std::move(*picture));
    }
    std::vector<const Picture*> shown;
    for (const Picture& p : pictures) shown.push_back(&p);
    return static_cast<bool>(ApplyPictures(monitors, shown, saved.position));
}

void WallpaperRotation::Recorded(const std::vector<std::string>& names) {
    current_ = names;
    for (const std::string& name : names) model_.Shown(name);
    LoadHistory();
    if (history_.Record(JoinSet(names))) SaveHistory();
}

}  // namespace velmora::wallpaper
