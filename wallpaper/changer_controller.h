// The wallpaper changer's work behind its window: the settings, the picture
// list and the preview, starting and stopping timed changing (the schedule
// itself is the program's: WallpaperSchedule), applying the wallpaper and
// every profile write. The rotation
// through the pictures outlives the window (WallpaperRotation): the list
// shows its pictures, and its selection follows every change, whatever made
// it. The window shows what this decides and reports what the user chooses.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/effects.h"
#include "platform/picture.h"
#include "platform/services.h"
#include "platform/twips.h"
#include "settings/settings_store.h"
#include "wallpaper/changer_rules.h"
#include "wallpaper/changer_settings.h"
#include "wallpaper/schedule.h"
#include "wallpaper/wallpaper_rotation.h"
#include "wallpaper/wallpaper_schedule.h"

namespace velmora::wallpaper {

// What the changer is handed.
struct ChangerServices {
    WallpaperRotation& rotation;
    WallpaperSchedule& schedule;
    SystemEffects& effects;
    Prompter& prompts;
    SettingsStore& settings;
    const Clock& clock;
    // The live launcher panel's place; nullopt when there is none.
    std::function<std::optional<TwipsRect>()> panelPlace;
    // Closes an open picture viewer, then opens one for the path; an empty
    // path (nothing previewed yet) only closes it.
    std::function<void(const std::wstring& path)> openViewer;
};

// What the controller asks of its window.
class ChangerWindow {
public:
    virtual ~ChangerWindow() = default;
    // The window: owner of the timers and of the message boxes.
    virtual HWND Handle() const = 0;
    virtual void ShowPictureNames(const std::vector<std::string>& names) = 0;
    virtual void ShowSelection(int index) = 0;
    virtual void ShowFileLabels(const std::string& fileName, const std::string& filePath) = 0;
    // The preview picture changed (or went).
    virtual void ShowPreviewChanged() = 0;
    virtual void ShowControls(const ChangerSettings& settings, const ControlStates& controls,
                              const std::string& statusText) = 0;
    // Closes the window as the user would: its close logic runs.
    virtual void CloseWindow() = 0;
};

class ChangerController : private RotationObserver {
public:
    ChangerController(ChangerWindow& window, const ChangerServices& services);
    ~ChangerController() override;
    ChangerController(const ChangerController&) = delete;
    ChangerController& operator=(const ChangerController&) = delete;

    // The settings from the profile and the list from the folder; nothing
    // starts.
    void Load();

    // The picture list.
    void ChoosePicture(int index);
    void ViewFullSize();
    void AddPictures();
    void UpdatePictures();

    // Choices, each written to the profile at once.
    void ChooseMode(ChangeMode mode);
    void ChooseOrder(Order order);
    void ChoosePosition(Position position);
    void ChooseSchedule(Schedule schedule);
    void EditInterval(const std::string& text);
    void ToggleStartWithProgram();
    void TogglePicturePerMonitor();

    // The start button: with its messages.
    void StartChanging();
    // The program's start when "qhzm" is 1: no message but a refusal.
    void StartTimedChanging();
    void StopChanging();
    void ChangeNow();

    // The window is gone: the preview goes with it; the rotation and the
    // schedule go on without it.
    void ReleaseWindowResources();

    const ChangerSettings& Settings() const { return settings_; }
    const RunState& Run() const { return services_.schedule.Run(); }
    const Picture& Preview() const { return preview_; }
    bool ClockTimerOn() const { return services_.schedule.ClockTimerOn(); }
    bool IntervalTimerOn() const { return services_.schedule.IntervalTimerOn(); }
    UINT IntervalPeriod() const { return services_.schedule.IntervalPeriod(); }

private:
    // RotationObserver
    void OnPicturesChanged(bool positionKept) override;
    void OnRotated(RotationChange& change) override;

    const std::vector<std::string>& Names() { return services_.rotation.Names(); }
    void RebuildPictureList();
    bool PreviewEntry(int index);
    void ShowPreview(Picture picture, const std::wstring& path, bool withLabels);
    void ClearPreview();
    void Start(bool fromButton);
    void Save(ChangerSetting which);
    void Refresh();
    // An information box; false when the window went while it was open.
    bool Inform(const std::string& text, const wchar_t* title = L" Velmora ");

    ChangerWindow& window_;
    const ChangerServices& services_;
    ChangerSettings settings_;
    Picture preview_;
    std::wstring previewPath_;   // the picture in the preview: the one change-now applies
    std::wstring labelledPath_;  // the picture the file labels name: the viewer's
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace velmora::wallpaper
