// 更换桌面 (ghzm): the wallpaper changer window. The picture list of the pic
// folder with its thumbnail, the change mode (timed or at once), schedule,
// order and position, timed changing with its two timers, and every choice
// written to the profile the moment it is made. A skinned window like the
// launcher panel; its caption close button only hides it, so a running
// schedule goes on.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "frame/skinned_window.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "wallpaper/picture.h"
#include "wallpaper/schedule.h"

namespace velmora {

class Ghzm : public BaseWindow<Ghzm>, public frame::FrameHost {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.ghzm";
    static constexpr wchar_t kCaption[] = L"Velmora-更换桌面";

    // Control identifiers.
    static constexpr int kList1Id = 2001;     // picture names
    static constexpr int kFile1Id = 2002;     // folder listing (outside the visible window)
    static constexpr int kImage3Id = 2003;    // thumbnail
    static constexpr int kCommand1Id = 2100;  // + index 0..6
    static constexpr int kOption1Id = 2201;   // 定时更换
    static constexpr int kOption3Id = 2203;   // 立即更换
    static constexpr int kOption4Id = 2204;   // + 0..4: 顺序, 随机, 平铺, 拉伸, 居中 (Option4..Option8)
    static constexpr int kCheck1Id = 2210;    // start timed changing at program start
    static constexpr int kCombo1Id = 2211;    // schedule choice
    static constexpr int kText1Id = 2212;     // interval in seconds
    static constexpr int kLabelId = 2300;     // + n: LabelN (1..14)
    static constexpr int kLabel7Id = 2320;    // + index 0..1: the headings
    static constexpr int kGroupId = 2400;     // + 0 order, 1 position, 2 mode

    static constexpr UINT_PTR kTimer1 = 1;  // the clock schedules, every second
    static constexpr UINT_PTR kTimer2 = 2;  // the interval schedule

    // The live changer, created and loaded (hidden) when there is none.
    static Ghzm& Instance();
    // The live changer or nullptr.
    static Ghzm* Live();

    // Window, controls and Form_Load. Not shown.
    bool Create();

    // ghzmm: starts timed changing from the window's settings, without a
    // message (the start-up sequence, profile key "qhzm").
    void ghzmm();
    // sxtp: rebuilds the list from the pic folder and previews the first
    // picture without selecting it.
    void sxtp();
    // weizi: hands WallpaperBitmapPath to the system with the position chosen.
    void weizi();
    // ApplyPreviewAsWallpaper: the previewed picture becomes the wallpaper;
    // false when its bitmap could not be written.
    bool ApplyPreviewAsWallpaper();

    // Handlers under their design names.
    void Command1_Click(int index);
    void List1_Click();
    void Image3_Click();
    void Option1_Click();  // 定时更换
    void Option3_Click();  // 立即更换
    void Option4_Click();  // 顺序更换
    void Option5_Click();  // 随机更换
    void Option6_Click();  // 平铺
    void Option7_Click();  // 拉伸
    void Option8_Click();  // 居中
    void Combo1_Click();
    void Check1_Click();
    // Timer1_Timer at the given local time (the window's timer passes the
    // clock's); Timer2_Timer.
    void Timer1_Timer(const wallpaper::LocalTime& now);
    void Timer2_Timer();

    // Form_QueryUnload: stores the placement; the close goes ahead.
    void Form_QueryUnload();

    // The random source of random order, r in [0, 1). The default draws
    // from a generator seeded from the clock at every pick.
    using RandomSource = double (*)();
    static void SetRandomSource(RandomSource source);

    // For the window's handlers and for tests.
    HWND Control(int id) const { return ::GetDlgItem(hwnd(), id); }
    HWND List1() const { return Control(kList1Id); }
    HWND Command1(int index) const { return Control(kCommand1Id + index); }
    HWND Option(int number) const;  // Option1, Option3 .. Option8 by their number
    HWND Label(int number) const { return Control(kLabelId + number); }
    HWND Check1() const { return Control(kCheck1Id); }
    HWND Combo1() const { return Control(kCombo1Id); }
    HWND Text1() const { return Control(kText1Id); }
    const wallpaper::Picture& Preview() const { return preview_; }
    bool Timer1On() const { return timer1On_; }
    bool Timer2On() const { return timer2On_; }
    UINT Timer2Period() const { return timer2Period_; }
    std::wstring Text(HWND control) const;
    wallpaper::Position SelectedPosition() const;

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone(HWND gone);

    // frame::FrameHost
    void OnCaptionButtonRelease(int index) override;
    void AfterResize() override;
    void PaintOverSkin(HDC dc) override;

private:
    void Form_Load();
    void CreateControls();
    HWND MakeControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id, int left, int top, int width,
                     int height);
    HWND MakeLabel(int id, const std::wstring& text, int left, int top, int width = 0, int height = 0);
    void SetLabel(HWND label, const std::wstring& text);
    void FitLabelToText(HWND label);
    RECT ControlRect(HWND control) const;
    void RedrawControl(HWND control);
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    void OnCommand(int id, int code);

    void Select(HWND option, bool selected);
    bool Selected(int number) const;
    void Enable(HWND control, bool enabled) { ::EnableWindow(control, enabled ? TRUE : FALSE); }
    void Show(HWND control, bool shown);
    void SetButtons(bool start, bool stop, bool now);
    void ShowIntervalControls(bool shown);
    std::wstring ChoiceText() const;

    bool PreviewEntry(int index);  // loads entry `index` and fills the file labels
    void ClearPreview();
    void StartSchedule(bool fromButton);
    void StopSchedule();
    void SetTimer1(bool on);
    void SetTimer2(bool on, UINT period = 0);
    void RotateWallpaper();
    void AdvanceSelection();
    int ListCount() const;
    int ListSelection() const;
    std::string ListEntry(int index) const;
    void Info(const std::wstring& text, const std::wstring& title = L" Velmora ");

    frame::SkinnedFrame frame_;
    wallpaper::Picture preview_;      // what Image3 holds
    wallpaper::ChangeClock changeClock_;
    UniqueGdiObject background_;      // the controls' background brush
    UniqueMemoryDc measure_;          // where label texts are measured
    HWND tooltip_ = nullptr;
    bool loading_ = false;
    bool timer1On_ = false;
    bool timer2On_ = false;
    UINT timer2Period_ = 0;
};

}  // namespace velmora
