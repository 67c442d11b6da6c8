#include "wallpaper/changer_controller.h"

#include <algorithm>

#include "platform/text.h"
#include "wallpaper/picture_list.h"
#include "wallpaper/wallpaper_setter.h"

namespace velmora::wallpaper {

namespace {

constexpr char kUpdateMessage[] = "更新图片需要关闭更换桌面功能，请重新打开！";
constexpr char kReloadMessage[] = "需要更新图片，请重新打开更换桌面功能！";
constexpr char kNoPictureMessage[] = "请选择要浏览的图片！";
constexpr char kNotSavedMessage[] =
    "无法保存桌面图片 wallpaper.bmp，桌面没有更换。\n请检查程序所在的文件夹是否可以写入。";
constexpr char kWinIniPathMessage[] =
    "桌面已经更换。\n程序所在文件夹的路径含有系统 ANSI 代码页无法表示的字符，"
    "Win.ini 的 Desktop 节无法记下壁纸文件的路径，这一项没有写入。";

}  // namespace

ChangerController::ChangerController(ChangerWindow& window, const ChangerServices& services)
    : window_(window), services_(services) {}

ChangerController::~ChangerController() {
    if (services_.rotation.Observer() == this) services_.rotation.SetObserver(nullptr);
}

void ChangerController::Load() {
    settings_ = LoadChangerSettings(services_.settings);
    // The folder is read afresh when the window opens, and the list starts
    // with nothing selected: sequential order begins at the first picture.
    services_.rotation.Reload();
    services_.rotation.SetSelection(-1);
    RebuildPictureList();
    Refresh();
    services_.rotation.SetObserver(this);
}

// ---- the picture list

void ChangerController::RebuildPictureList() {
    window_.ShowPictureNames(Names());
    // The first picture is previewed without being selected. A first entry
    // that is no picture leaves the thumbnail empty, without a message: the
    // user has not asked for it.
    if (Names().empty() || !PreviewEntry(0)) ClearPreview();
}

void ChangerController::OnPicturesChanged(bool positionKept) {
    // Files came or went while the window was open: the list shows them, its
    // selection stays on its file and the preview on its picture while they
    // are there.
    const std::vector<std::string>& names = Names();
    window_.ShowPictureNames(names);
    window_.ShowSelection(positionKept ? services_.rotation.Selection() : -1);
    const std::string previewed = StripPath(Narrow(previewPath_));
    if (preview_ && std::find(names.begin(), names.end(), previewed) != names.end()) return;
    if (names.empty() || !PreviewEntry(0)) ClearPreview();
}

bool ChangerController::PreviewEntry(int index) {
    const std::vector<std::string>& names = Names();
    if (index < 0 || index >= static_cast<int>(names.size())) return false;
    const std::wstring path = services_.rotation.Folder().PicturePath(names[static_cast<size_t>(index)]);
    std::optional<Picture> picture = LoadPicture(path);
    if (!picture) return false;
    ShowPreview(std::move(*picture), path, true);
    return true;
}

void ChangerController::ShowPreview(Picture picture, const std::wstring& path, bool withLabels) {
    preview_ = std::move(picture);
    previewPath_ = path;
    window_.ShowPreviewChanged();
    if (!withLabels) return;
    labelledPath_ = path;
    const std::string utf8Path = Narrow(path);
    window_.ShowFileLabels(FileNameLabelText(utf8Path), FilePathLabelText(utf8Path));
}

void ChangerController::ClearPreview() {
    // The file labels keep naming the last picture previewed.
    if (!preview_) return;
    preview_ = Picture();
    previewPath_.clear();
    window_.ShowPreviewChanged();
}

void ChangerController::ChoosePicture(int index) {
    if (index < 0) return;
    // Sequential order goes on from the picture chosen.
    services_.rotation.SetSelection(index);
    if (!PreviewEntry(index)) {
        // Removed since the listing, or no picture: the list is stale.
        if (Inform(kReloadMessage)) window_.CloseWindow();
    }
}

void ChangerController::ViewFullSize() {
    if (services_.openViewer) services_.openViewer(labelledPath_);
}

void ChangerController::AddPictures() {
    const PictureFolder& folder = services_.rotation.Folder();
    services_.effects.ShellExecuteW(window_.Handle(), L"open", folder.Folder(), L"", folder.Directory(), SW_SHOWNORMAL);
    // The list is read afresh when the changer opens next.
    window_.CloseWindow();
}

void ChangerController::UpdatePictures() {
    if (Inform(kUpdateMessage)) window_.CloseWindow();
}

// ---- choices

void ChangerController::ChooseMode(ChangeMode mode) {
    // A running schedule goes on whatever the mode.
    settings_.mode = mode;
    services_.schedule.MarkChoice();
    Save(ChangerSetting::Mode);
    Refresh();
}

void ChangerController::ChooseOrder(Order order) {
    settings_.order = order;
    Save(ChangerSetting::Order);
    Refresh();
}

void ChangerController::ChoosePosition(Position position) {
    // Taken at the next change; the wallpaper of now stays as it is.
    settings_.position = position;
    Save(ChangerSetting::Position);
    Refresh();
}

void ChangerController::ChooseSchedule(Schedule schedule) {
    settings_.schedule = schedule;
    Save(ChangerSetting::Schedule);
    // The timers stop; the status line and the buttons stay as they are
    // until the stop button is pressed.
    services_.schedule.StopTimers();
    services_.schedule.MarkChoice();
    Refresh();
}

void ChangerController::EditInterval(const std::string& text) {
    // Kept in the profile only when a schedule starts with it.
    settings_.intervalText = text;
}

void ChangerController::TogglePicturePerMonitor() {
    // Taken at the next change, as a new position is.
    settings_.picturePerMonitor = !settings_.picturePerMonitor;
    Save(ChangerSetting::PicturePerMonitor);
    Refresh();
}

void ChangerController::ToggleStartWithProgram() {
    settings_.startWithProgram = !settings_.startWithProgram;
    Save(ChangerSetting::StartWithProgram);
    Refresh();
}

// ---- timed changing

void ChangerController::StartChanging() { Start(true); }

void ChangerController::StartTimedChanging() { Start(false); }

void ChangerController::Start(bool fromButton) {
    WallpaperSchedule& schedule = services_.schedule;
    const Schedule chosen = settings_.schedule;
    if (chosen != Schedule::Interval) {
        // The message comes first, so no tick of this start runs while it is open.
        if (fromButton && !Inform(ClockStartMessage(chosen))) return;
        schedule.MarkStarted(chosen, settings_.intervalText);
        schedule.RunClock(chosen);
    } else {
        const IntervalValue interval = ParseInterval(settings_.intervalText);
        if (interval.error != IntervalError::None) {
            Inform(IntervalRefusalText(interval.error, fromButton));
            return;
        }
        schedule.MarkStarted(chosen, settings_.intervalText);
        Refresh();
        if (fromButton && !Inform(IntervalStartMessage(settings_.intervalText))) return;
        schedule.RunInterval(static_cast<UINT>(interval.seconds) * 1000);
    }
    Refresh();
    Save(ChangerSetting::IntervalText);
    SaveChangingStarted(services_.settings, true);
}

void ChangerController::StopChanging() {
    services_.schedule.Stop();
    Refresh();
    SaveChangingStarted(services_.settings, false);
}

void ChangerController::OnRotated(RotationChange& change) {
    // A change by the schedule, the next or the previous picture. In
    // sequential order the list selection moves to the picture, which is
    // previewed with its file labels; in random order the picture is
    // previewed, and the selection and the labels stay. A picture that
    // cannot be read is a failed step like any other, not a reason to stop
    // an unattended schedule with a message: the wallpaper stays, and the
    // list moves on as the rotation says.
    const bool sequential = change.order == Order::Sequential;
    if (sequential || !change.applied) window_.ShowSelection(change.step.selection);
    if (change.picture) ShowPreview(std::move(change.picture), change.path, sequential);
}

void ChangerController::ChangeNow() {
    if (!preview_) {
        Inform(kNoPictureMessage, L"Velmora ");
        return;
    }
    const ApplyOutcome outcome = services_.rotation.ApplyChosen(preview_, previewPath_, settings_.position);
    if (!outcome) {
        Inform(kNotSavedMessage);
    } else if (outcome.winIniPath == WinIniPath::NotSpellable) {
        Inform(kWinIniPathMessage);
    }
}

void ChangerController::ReleaseWindowResources() {
    preview_ = Picture();
    previewPath_.clear();
    if (services_.rotation.Observer() == this) services_.rotation.SetObserver(nullptr);
}

// ---- the window and the profile

void ChangerController::Save(ChangerSetting which) { SaveChangerSetting(services_.settings, settings_, which); }

void ChangerController::Refresh() {
    const RunState& run = services_.schedule.Run();
    window_.ShowControls(settings_, ControlsFor(settings_, run), run.statusText);
}

bool ChangerController::Inform(const std::string& text, const wchar_t* title) {
    // The box runs a message loop of its own, in which the window may be
    // closed (the program's exit) and this object let go.
    const std::weak_ptr<int> alive = alive_;
    Prompter& prompts = services_.prompts;
    prompts.Show(window_.Handle(), Widen(text), title, MB_OK | MB_ICONINFORMATION);
    return !alive.expired() && window_.Handle() != nullptr;
}

}  // namespace velmora::wallpaper
