#include "wallpaper/wallpaper_rotation.h"

#include <algorithm>
#include <optional>

#include "platform/files.h"
#include "platform/text.h"
#include "wallpaper/picture_list.h"

namespace velmora::wallpaper {

namespace {

// The watch's changes are taken once the folder has been quiet this long,
// but never later than the longest wait after the first of them: a copy of
// a thousand pictures makes one update, and a picture added alone shows in
// the list well within two seconds.
constexpr DWORD kQuietMs = 300;
constexpr DWORD kLongestWaitMs = 1200;
// Fifty names of at most 1020 bytes and the header; anything larger is junk.
constexpr std::uint64_t kMaxHistoryBytes = 64 * 1024;

}  // namespace

WallpaperRotation::WallpaperRotation(RotationServices services)
    : services_(std::move(services)), folder_(services_.directory) {}

WallpaperRotation::~WallpaperRotation() {
    if (pendingUpdate_) services_.later.Cancel(pendingUpdate_);
}

// ---- the list and its watch

const std::vector<std::string>& WallpaperRotation::Names() {
    if (!listed_) Reload();
    return model_.Names();
}

void WallpaperRotation::Reload() {
    if (pendingUpdate_) services_.later.Cancel(std::exchange(pendingUpdate_, 0));
    // Watched before it is read, so that nothing added during the reading
    // goes unnoticed.
    watch_.Start(folder_.Folder());
    model_.SetNames(folder_.ListPictures());
    listed_ = true;
}

void WallpaperRotation::EnsureCurrent() {
    // A change the message loop has not got round to yet is taken now, so
    // that a change never picks from a list it knows to be old.
    if (!listed_ || !watch_.Running()) {
        Reload();
    } else if (watch_.TakeChange() || pendingUpdate_) {
        UpdateFromWatch();
    }
}

void WallpaperRotation::OnFolderSignalled() {
    if (!watch_.TakeChange()) return;
    const DWORD now = ::GetTickCount();
    if (pendingUpdate_) {
        services_.later.Cancel(pendingUpdate_);
    } else {
        firstSignal_ = now;
    }
    const DWORD waited = std::min(now - firstSignal_, kLongestWaitMs);
    const DWORD delay = std::max<DWORD>(1, std::min(kQuietMs, kLongestWaitMs - waited));
    pendingUpdate_ = services_.later.After(delay, [this] {
        pendingUpdate_ = 0;
        UpdateFromWatch();
    });
}

void WallpaperRotation::UpdateFromWatch() {
    if (pendingUpdate_) services_.later.Cancel(std::exchange(pendingUpdate_, 0));
    std::vector<std::string> names = folder_.ListPictures();
    if (names == model_.Names()) return;  // an attribute that hides nothing
    const bool kept = model_.SetNames(std::move(names));
    ++watchUpdates_;
    if (observer_) observer_->OnPicturesChanged(kept);
}

// ---- changes: rotation_changes.cpp

// ---- the history file

const WallpaperHistory& WallpaperRotation::History() {
    LoadHistory();
    return history_;
}

void WallpaperRotation::LoadHistory() {
    if (historyLoaded_) return;
    std::string text;
    switch (ReadFileBytes(HistoryPath(), kMaxHistoryBytes, text)) {
        case FileRead::Failed:
            // Held open elsewhere: never written over while it cannot be
            // read. What this run applies is kept here meanwhile, and
            // merged the next time the file can be read.
            return;
        case FileRead::Missing:
            historyLoaded_ = true;
            return;
        case FileRead::Ok:
            if (std::optional<std::vector<std::string>> entries = DecodeHistory(text)) {
                historyLoaded_ = true;
                MergeHistory(std::move(*entries));
                return;
            }
            break;
        case FileRead::TooLarge:
        case FileRead::Refused:
            break;
    }
    // Cut short or junk: a sound file in its place at once, with what this
    // run learnt.
    historyLoaded_ = true;
    SaveHistory();
}

void WallpaperRotation::MergeHistory(std::vector<std::string> fromFile) {
    // The file's entries are older than any this run applied while it could
    // not be read.
    const std::vector<std::string> learnt = history_.Entries();
    history_ = WallpaperHistory(std::move(fromFile));
    bool changed = false;
    for (const std::string& name : learnt) changed = history_.Record(name) || changed;
    if (changed) SaveHistory();
}

void WallpaperRotation::SaveHistory() {
    if (!historyLoaded_) return;  // the file's entries are not known yet
    const std::string text = EncodeHistory(history_.Entries());
    // Replaced whole, so that a crash leaves the old file or the new one.
    ReplaceFile(HistoryPath(), L".new", [&](HANDLE file) { return WriteAll(file, text.data(), text.size()); },
                false);
}

}  // namespace velmora::wallpaper
