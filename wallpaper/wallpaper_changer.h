// 更换桌面: the wallpaper changer window. The picture list of the pic folder
// with its thumbnail, the change mode (timed or at once), schedule, order and
// position, the start and stop of timed changing and the change-now button.
// A skinned window like the launcher panel. Every way the user has of
// closing it (its caption close button, Alt+F4, the taskbar's close) only
// hides it, so a running schedule goes on; the program closes it for good
// (CloseForGood) for the two maintenance buttons, a stale list and its exit.
// The window holds the controls; its controller decides what they show and
// does the work.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "frame/skinned_frame.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "wallpaper/changer_controller.h"

namespace velmora {

// Control identifiers; other programs find the controls by them.
namespace changer_control {
inline constexpr int kPictureList = 2001;
inline constexpr int kPreview = 2003;
inline constexpr int kButtonFirst = 2100;  // + ChangerButton
inline constexpr int kTimedOption = 2201;
inline constexpr int kImmediateOption = 2203;
inline constexpr int kSequentialOption = 2204;
inline constexpr int kRandomOption = 2205;
inline constexpr int kTileOption = 2206;
inline constexpr int kStretchOption = 2207;
inline constexpr int kCentreOption = 2208;
inline constexpr int kStartWithProgramBox = 2210;
inline constexpr int kScheduleBox = 2211;
inline constexpr int kIntervalField = 2212;
inline constexpr int kPicturePerMonitorBox = 2213;
inline constexpr int kFillOption = 2214;
inline constexpr int kFitOption = 2215;
inline constexpr int kFileNameLabel = 2301;
inline constexpr int kFilePathLabel = 2302;
inline constexpr int kScheduleLabel = 2303;  // "更换时间"
inline constexpr int kStatusLabel = 2304;
inline constexpr int kSecondsLabel = 2305;  // "秒"
inline constexpr int kSequentialCaption = 2306;
inline constexpr int kRandomCaption = 2308;
inline constexpr int kTileCaption = 2309;
inline constexpr int kStretchCaption = 2310;
inline constexpr int kCentreCaption = 2311;
inline constexpr int kTimedCaption = 2312;
inline constexpr int kImmediateCaption = 2313;
inline constexpr int kStartWithProgramCaption = 2314;
inline constexpr int kFillCaption = 2315;
inline constexpr int kFitCaption = 2316;
inline constexpr int kPicturePerMonitorCaption = 2317;
inline constexpr int kIntervalName = 2318;  // never shown: names the interval field for a screen reader
inline constexpr int kListHeading = 2320;
inline constexpr int kPreviewHeading = 2321;
inline constexpr int kOrderGroup = 2400;
inline constexpr int kPositionGroup = 2401;
inline constexpr int kModeGroup = 2402;
}  // namespace changer_control

// The push buttons, by their offset from changer_control::kButtonFirst.
enum class ChangerButton {
    AddPictures = 0,     // 增加图片
    UpdatePictures = 1,  // 更新图片
    ViewFullSize = 2,    // 查看大图
    Start = 3,           // 开始更换
    Hide = 4,            // 关闭/隐藏: beyond the visible area, reached by keyboard
    Stop = 5,            // 停止更换
    ChangeNow = 6,       // 立即更换
};

class WallpaperChanger : public BaseWindow<WallpaperChanger>,
                         public frame::FrameHost,
                         private wallpaper::ChangerWindow {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.WallpaperChanger";
    static constexpr wchar_t kTitle[] = L"Velmora-更换桌面";

    using Services = wallpaper::ChangerServices;

    // The window, its controls and its load: placement, list, settings, its
    // place beside the panel. Not shown. nullptr when it cannot be made.
    static std::unique_ptr<WallpaperChanger> Create(Services services);
    ~WallpaperChanger();

    // What the program's start does when "qhzm" is 1: timed changing from
    // the loaded settings, without a message.
    void StartTimedChanging() { controller_.StartTimedChanging(); }
    // Closes the window for real: its placement is saved and it goes with
    // its timers.
    void CloseForGood();

    // For the program's tests: the controls, the preview and the timers.
    HWND Control(int id) const { return ::GetDlgItem(hwnd(), id); }
    HWND Button(ChangerButton button) const {
        return Control(changer_control::kButtonFirst + static_cast<int>(button));
    }
    const Picture& Preview() const { return controller_.Preview(); }
    bool ClockTimerOn() const { return controller_.ClockTimerOn(); }
    bool IntervalTimerOn() const { return controller_.IntervalTimerOn(); }
    UINT IntervalPeriod() const { return controller_.IntervalPeriod(); }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone();

    // frame::FrameHost
    void OnCaptionButtonRelease(frame::CaptionButton button) override;
    void PaintOverSkin(HDC dc) override;
    void AfterDpiChange(int dpi) override;

private:
    explicit WallpaperChanger(Services services);
    bool CreateWindowAndControls();
    void Load();
    void LineUpWithPanel();

    // Controls, created in the order of the tab key.
    void CreateControls();
    void CreateListAndItsButtons();
    void CreatePreview();
    void CreateOrderAndPosition();
    void CreateModeGroup();
    void CreateLastRow();
    // A control's place in twips of the window; a label without a width is
    // as wide and high as its text.
    struct Place {
        HWND control;
        double left, top, width, height;
    };
    HWND MakeControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id, double x, double y, double w,
                     double h);
    HWND MakeLabel(int id, const std::wstring& text, double x, double y, double w = 0, double h = 0);
    HWND MakeButton(ChangerButton button, DWORD style, double x, double y, double w, double h);
    // An option button or check box as wide as its box, its caption on a
    // label beside it.
    struct BoxPlace {
        int box, caption;
        const wchar_t* text;
        double left, top, captionLeft, captionTop;
    };
    void MakeOptionGroup(std::initializer_list<BoxPlace> options);
    void MakeCheckBox(const BoxPlace& place);
    void PlaceControl(const Place& place);
    void SetLabel(HWND label, const std::wstring& text);
    void ShowControl(HWND control, bool shown);
    void RedrawControl(HWND control);
    void ShowOption(HWND option, bool chosen);
    void OnCommand(int id, int code, HWND control);
    void OnButton(ChangerButton button);
    bool OnOptionOrCaption(int id);
    void OnBoxOrCaptionClick(int id);
    void OnBoxFocus(HWND box, bool gained);
    void FocusBoxOf(int caption);
    // The focus mark around the caption of a box-wide button holding the
    // focus, which the system's mark (around a caption the box hides) cannot show.
    HWND FocusMarkLabel() const;
    RECT FocusMarkRect(HWND label) const;
    void RedrawFocusMark(HWND box);
    void OnUiStateChange(int action, int flags);
    void Hide() { ::ShowWindow(hwnd(), SW_HIDE); }

    // wallpaper::ChangerWindow
    HWND Handle() const override { return hwnd(); }
    void ShowPictureNames(const std::vector<std::string>& names) override;
    void ShowSelection(int index) override;
    void ShowFileLabels(const std::string& fileName, const std::string& filePath) override;
    void ShowPreviewChanged() override;
    void ShowControls(const wallpaper::ChangerSettings& settings, const wallpaper::ControlStates& controls,
                      const std::string& statusText) override;
    void CloseWindow() override;

    Services services_;
    wallpaper::ChangerController controller_;
    frame::SkinnedFrame frame_;
    UniqueGdiObject background_;  // the controls' background brush
    std::vector<HWND> faceLabels_;  // labels drawn on the window's face, one line each
    std::vector<Place> places_;     // every control, placed again at each DPI
    bool startWithProgramEnabled_ = true;  // as last shown: its caption ticks the box then
    bool closingForGood_ = false;
    bool focusCuesHidden_ = false;  // the window's keyboard cues, as last told
};

}  // namespace velmora
