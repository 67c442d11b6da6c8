// 网络搜索 (wlss): the floating web-search box. A cartoon mushroom that
// changes colour every 1.5 seconds stands on a strip of grass holding the
// keyword field, the 搜 button and a red ball that closes the box. The
// window has no frame, and everything pure white in it is keyed out, so
// only the pictures and controls show on the desktop.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

#include "platform/handles.h"
#include "platform/window.h"

namespace velmora {

class Wlss;

// Picture1: the grass strip, container of the keyword field, the button and
// the close ball. It paints the grass and hands its controls' notifications
// to the search box.
class GrassStrip : public BaseWindow<GrassStrip> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.wlss.Picture1";
    bool Create(Wlss& owner, int left, int top, int width, int height, int id);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    Wlss* owner_ = nullptr;
};

class Wlss : public BaseWindow<Wlss> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.wlss";
    static constexpr wchar_t kCaption[] = L"网络搜索";
    // The message for an empty keyword field, seven blanks included.
    static constexpr wchar_t kEmptyKeywordText[] = L"请先输入关键字！       ";
    static constexpr wchar_t kMessageTitle[] = L"Velmora";
    static constexpr COLORREF kKeyColour = RGB(255, 255, 255);   // keyed out
    static constexpr COLORREF kFieldColour = RGB(246, 246, 250);  // Text1's background

    // Control identifiers.
    static constexpr int kImage1Id = 200;  // Image1(i) is kImage1Id + i, i = 0..4
    static constexpr int kPicture1Id = 210;
    static constexpr int kText1Id = 211;
    static constexpr int kCommand1Id = 212;
    static constexpr int kImage2Id = 213;
    static constexpr UINT_PTR kTimer1 = 1;  // the mushroom, every 1.5 s
    static constexpr UINT kTimer1Interval = 1500;
    static constexpr int kMushroomCount = 5;

    // The live window, created and loaded (hidden) when there is none.
    static Wlss& Instance();
    // The live window or nullptr.
    static Wlss* Live();
    // Window factory for WindowKind::wlss.
    static HWND CreateHidden();

    // Window + controls + Form_Load. Not shown.
    bool Create();

    // Command1_Click (also Enter in Text1): opens the results page for the
    // keyword, or asks for one when the field is empty.
    void Command1_Click();
    // Timer1_Timer: the next mushroom.
    void Timer1_Timer();
    // Picture1_MouseDown / Image1_MouseDown: the left button (1) moves the
    // window; other buttons do nothing.
    void Picture1_MouseDown(int button);
    void Image1_MouseDown(int index, int button);
    // Image2_Click: closes (unloads) the window.
    void Image2_Click();

    std::int32_t FrameIndex() const { return frameIndex_; }
    HWND Image1(int index) const { return image1_[index]; }
    HWND Picture1() const { return picture1_.hwnd(); }
    HWND Text1() const { return text1_; }
    HWND Command1() const { return command1_; }
    HWND Image2() const { return image2_; }
    HWND Tooltip() const { return tooltip_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone(HWND gone);

private:
    friend class GrassStrip;
    void Form_Load();
    void CreateControls();
    void Text1_KeyDown(WPARAM key);
    void PaintGrass(HDC dc, const RECT& area);  // area in Picture1's coordinates
    void PaintMushrooms(HDC dc);
    void DrawItem(const DRAWITEMSTRUCT& item);
    void DrawCommand1(const DRAWITEMSTRUCT& item, const RECT& inStrip);
    LRESULT ControlColour(HDC dc, HWND control);
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnText1Message(HWND control, UINT msg, WPARAM wp, LPARAM lp);

    // Destroys a window that is none of a BaseWindow's.
    struct WindowTraits {
        using handle_type = HWND;
        static handle_type null() noexcept { return nullptr; }
        static void close(handle_type h) noexcept { ::DestroyWindow(h); }
    };
    Unique<WindowTraits> owner_;  // hidden owner: keeps the box off the taskbar
    std::array<HWND, kMushroomCount> image1_{};
    GrassStrip picture1_;
    HWND text1_ = nullptr;
    HWND command1_ = nullptr;
    HWND image2_ = nullptr;
    HWND tooltip_ = nullptr;
    std::array<UniqueBitmap, kMushroomCount> mushrooms_;
    UniqueBitmap grass_;
    UniqueIcon ball_;
    UniqueGdiObject fieldFont_;   // 宋体 10.5 pt, Text1
    UniqueGdiObject buttonFont_;  // 宋体 9 pt, Command1
    UniqueGdiObject fieldBrush_;  // Text1's background
    UniqueGdiObject whiteBrush_;
    HCURSOR hand_ = nullptr;
    std::int32_t frameIndex_ = 0;  // FrameIndex: the mushroom shown
    HWND pressed_ = nullptr;       // Image2 between press and release
};

}  // namespace velmora
