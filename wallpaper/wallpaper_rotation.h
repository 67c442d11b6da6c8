// The rotation through the pictures of pic, for the whole run: the list of
// the folder, kept current by a watch; the position in sequential order and
// the shuffled round of random order; the history of the wallpapers applied,
// kept in a file beside the profile. The application owns it, so the next
// and the previous wallpaper work whether or not the changer window was ever
// opened. The changer keeps its timers and its preview; it shows this
// object's list and moves its selection with it through RotationObserver.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/deferred_calls.h"
#include "platform/effects.h"
#include "platform/folder_watch.h"
#include "platform/picture.h"
#include "platform/services.h"
#include "settings/settings_store.h"
#include "wallpaper/changer_settings.h"
#include "wallpaper/history.h"
#include "wallpaper/monitors.h"
#include "wallpaper/picture_folder.h"
#include "wallpaper/rotation.h"
#include "wallpaper/wallpaper_setter.h"

namespace velmora::wallpaper {

// The history file beside the profile.
inline constexpr wchar_t kHistoryFileName[] = L"vlmr-history.txt";

struct RotationServices {
    SystemEffects& effects;
    SettingsStore& settings;  // the saved order ("sx") and position ("wz")
    RandomSource& random;
    DeferredCalls& later;
    std::wstring directory;  // the program's folder: pic\, wallpaper.bmp, the history file
    MonitorSource monitors = DisplayMonitors;  // the layout every change is rendered for
};

// One change, as the changer shows it.
struct RotationChange {
    Order order = Order::Sequential;
    RotationStep step;  // the primary monitor's picture tried (-1 when it is not listed) and the position afterwards
    bool applied = false;
    bool read = false;  // the picture could be read (the bitmap may still not have been written)
    Picture picture;    // the primary monitor's picture read, until the observer takes it
    std::wstring path;  // its path
};

class RotationObserver {
public:
    virtual ~RotationObserver() = default;
    // The folder's list changed. `positionKept`: the file at the position is
    // still listed (at the position).
    virtual void OnPicturesChanged(bool positionKept) = 0;
    // A change was made or tried; the observer may take the picture.
    virtual void OnRotated(RotationChange& change) = 0;
};

class WallpaperRotation {
public:
    explicit WallpaperRotation(RotationServices services);
    ~WallpaperRotation();
    WallpaperRotation(const WallpaperRotation&) = delete;
    WallpaperRotation& operator=(const WallpaperRotation&) = delete;

    const PictureFolder& Folder() const { return folder_; }
    // The monitors of now, in monitor order.
    std::vector<MonitorArea> Monitors() const { return services_.monitors(); }
    // The pictures in list order, read from the folder on first use.
    const std::vector<std::string>& Names();
    // Reads the folder again now.
    void Reload();
    int Selection() const { return model_.Position(); }
    void SetSelection(int index) { model_.SetPosition(index); }

    // Every change gives each monitor a picture of its own, the next ones
    // of the rotation in monitor order (the primary first), rendered at its
    // size, unless the profile says every monitor shows the same picture.

    // One change as timed changing makes it, in `order` and at `position`:
    // one set of pictures is tried; when the primary monitor's cannot be
    // read or the bitmap cannot be written, the wallpaper stays and the list
    // moves on. True when applied.
    bool Change(Order order, Position position);
    // The next wallpaper: a change in the saved order and position, passing
    // over pictures that fail until one is applied or each was tried.
    bool Next();
    // The next picture on one monitor only (an index into the monitors of
    // now), the others keeping theirs; Next when every monitor shows the
    // same picture.
    bool NextOnMonitor(int monitor);
    // The previous wallpaper: the set applied before the current one, from
    // the history, passing over sets whose pictures are gone. False at the
    // oldest.
    bool Previous();
    // The change-now button: the picture the changer previews, read from
    // `path`, at `position`, on the primary monitor; the others keep theirs.
    ApplyOutcome ApplyChosen(const Picture& picture, const std::wstring& path, Position position);
    // The monitors changed (or the system woke): the pictures of now
    // rendered again for the layout of now, the rotation and the history
    // left as they are. False when there was nothing to render or it failed.
    bool RenderAgain();
    // The pictures on the monitors now, in monitor order; empty before the
    // first change of the run.
    const std::vector<std::string>& Current() const { return current_; }

    // The one observer, the open changer; nullptr when none.
    void SetObserver(RotationObserver* observer) { observer_ = observer; }
    RotationObserver* Observer() const { return observer_; }

    // The folder watch: what the message loop waits on (nothing when the
    // list was never read), and what it calls when one is signalled. A burst
    // of changes makes one update of the list.
    FolderWatch::Handles WatchHandles() const { return watch_.WaitHandles(); }
    void OnFolderSignalled();
    // Updates of the list the watch has made, for tests.
    int WatchUpdates() const { return watchUpdates_; }

    // The history, read from its file on first use.
    const WallpaperHistory& History();
    std::wstring HistoryPath() const { return folder_.Directory() + L"\\" + kHistoryFileName; }

private:
    void EnsureCurrent();
    void UpdateFromWatch();
    RotationChange TryStep(Order order, Position position);
    ApplyOutcome ApplyPictures(const std::vector<MonitorArea>& monitors, const std::vector<const Picture*>& pictures,
                               Position position);
    int PickFor(Order order, const MonitorArea& monitor, bool firstMonitor, const std::vector<int>& taken);
    std::vector<std::string> CurrentFor(size_t monitorCount) const;
    bool PerMonitor();
    void Recorded(const std::vector<std::string>& names);
    void LoadHistory();
    void MergeHistory(std::vector<std::string> fromFile);
    void SaveHistory();

    RotationServices services_;
    PictureFolder folder_;
    PictureRotation model_;
    bool listed_ = false;
    FolderWatch watch_;
    std::uintptr_t pendingUpdate_ = 0;  // the deferred update of the list
    DWORD firstSignal_ = 0;             // when the changes it waits for began
    int watchUpdates_ = 0;
    WallpaperHistory history_;
    bool historyLoaded_ = false;  // history_ holds the file's entries (or there is no file)
    RotationObserver* observer_ = nullptr;
    std::vector<std::string> current_;  // on the monitors now, in their order
};

}  // namespace velmora::wallpaper
