// 放大镜 (Form3): the always-on-top desktop colour picker. Ten times a
// second it reads the screen pixel under the pointer, fills the swatch
// Picture2 with it and writes its components in decimal (Label2) and in
// hexadecimal (Label3). Borderless, with every pure-white pixel keyed out,
// it shows as a glass pipette with a red cross (Image1) that closes it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"
#include "platform/window.h"

namespace velmora {

// The whole screen's device context (GetWindowDC of no window), given back
// with ReleaseDC. Counted like every other handle the program holds.
struct ScreenDcTraits {
    using handle_type = HDC;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::ReleaseDC(nullptr, h); }
};
using UniqueScreenDc = Unique<ScreenDcTraits>;

class Form3 : public BaseWindow<Form3> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.Form3";
    static constexpr wchar_t kCaption[] = L"放大镜";
    static constexpr int kClientWidth = 238;
    static constexpr int kClientHeight = 134;

    // Control identifiers.
    static constexpr int kImage1Id = 1;    // close cross
    static constexpr int kPicture2Id = 2;  // colour swatch
    static constexpr int kLabel2Id = 3;    // decimal line
    static constexpr int kLabel3Id = 4;    // hexadecimal line
    static constexpr UINT_PTR kTimer1 = 1;
    static constexpr UINT kTimer1Interval = 100;  // ms

    // The live picker, created and loaded (hidden) when there is none.
    static Form3& Instance();
    // The live picker or nullptr.
    static Form3* Live();

    // Window, controls and Form_Load. Not shown.
    bool Create();

    // Timer1_Timer: one reading of the pixel under the pointer.
    void Timer1_Timer();
    // Form_MouseDown on the pipette: button 1 (left) starts moving the
    // window, the others do nothing.
    void Form_MouseDown(int button);
    // Image1_Click: closes the picker.
    void Image1_Click();

    HWND Image1() const { return image1_; }
    HWND Picture2() const { return picture2_; }
    HWND Label2() const { return label2_; }
    HWND Label3() const { return label3_; }
    HWND Tooltip() const { return tooltip_; }
    COLORREF Swatch() const { return swatch_; }

    // How a pixel of the screen context is read (GetPixel). Tests put in
    // one that fails; nullptr puts the real one back.
    using PixelReader = COLORREF (*)(HDC screen, int x, int y);
    static void SetPixelReader(PixelReader reader);

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone(HWND gone);

private:
    void Form_Load();
    void CreateControls();
    HWND MakeLabel(int id, const wchar_t* text, int left, int top);
    void SetLabel(HWND label, const std::wstring& text);
    void PaintSurface(HDC dc, int originX, int originY);
    void DrawSwatch(const DRAWITEMSTRUCT& item);
    void DrawImage1(const DRAWITEMSTRUCT& item);
    static LRESULT CALLBACK Image1Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnImage1Message(UINT msg, WPARAM wp, LPARAM lp);

    HWND image1_ = nullptr;
    HWND picture2_ = nullptr;
    HWND label2_ = nullptr;
    HWND label3_ = nullptr;
    HWND tooltip_ = nullptr;
    UniqueBitmap pipette_;   // the background picture, premultiplied alpha
    UniqueBitmap cross_;     // Image1's picture, already 33 x 33
    UniqueGdiObject font_;   // 宋体 9 pt bold
    UniqueGdiObject labelBrush_;
    UniqueMemoryDc measure_;
    HCURSOR hand_ = nullptr;
    COLORREF swatch_ = RGB(255, 255, 255);
    bool image1Pressed_ = false;
};

}  // namespace velmora
