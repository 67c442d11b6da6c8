// 放大镜: the always-on-top desktop colour picker. Ten times a second it
// reads the screen pixel under the pointer, fills the swatch with it and
// writes its components in decimal and in hexadecimal. Borderless, with
// every pure-white pixel keyed out, it shows as a glass pipette with a red
// cross that closes it. It remembers the last colour read with the pointer
// outside it, which a right click on it or Ctrl+C copies.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/click_tracker.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "tools/colour_copy.h"

namespace velmora {

class ScreenPixels;

class ColourPicker : public BaseWindow<ColourPicker> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.ColourPicker";
    static constexpr wchar_t kTitle[] = L"放大镜";
    // At 96 dpi; at any other DPI every length scales with it.
    static constexpr int kClientWidth = 238;
    static constexpr int kClientHeight = 134;
    enum ControlId : int {
        kCloseCrossId = 1,
        kSwatchId = 2,
        kDecimalLineId = 3,  // read from outside the program: keep
        kHexLineId = 4,      // likewise
    };
    enum Timer : UINT_PTR { kReadingTimer = 1 };
    static constexpr UINT kReadingInterval = 100;  // ms

    struct Services {
        ScreenPixels& pixels;
        HWND owner;  // hidden: keeps the picker off every taskbar
        colour::CopyHistory& copied;  // outlives the window: kept for the program's run
    };

    // The window and its controls, placed, topmost and keyed, its readings
    // under way, but not shown; nullptr when it cannot be made.
    static std::unique_ptr<ColourPicker> Create(Services services);
    explicit ColourPicker(Services services) : services_(services) {}
    ~ColourPicker();

    HWND CloseCross() const { return cross_; }
    HWND Swatch() const { return swatch_; }
    HWND DecimalLine() const { return decimalLine_; }
    HWND HexLine() const { return hexLine_; }
    HWND ToolTip() const { return tip_.get(); }
    // The last good reading; nothing before the first.
    std::optional<COLORREF> Reading() const { return reading_; }
    // The last good reading taken with the pointer outside the window: what
    // the user pointed at, not the picker on the way to its menu.
    std::optional<COLORREF> Remembered() const { return remembered_; }
    // The copy menu of a right click, opened at `at` (screen).
    void ShowCopyMenu(POINT at);
    // Ctrl+C: the remembered colour as #RRGGBB.
    void CopyRemembered();

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone();
    LRESULT OnCrossMessage(HWND cross, UINT msg, WPARAM wp, LPARAM lp);

private:
    bool Load();
    void Place();
    void CreateControls();
    HWND MakeLine(int id);
    void ShowLine(HWND line, std::wstring& shown, const std::wstring& text);
    // Sizes the line to `text` in the current font.
    void FitLine(HWND line, const std::wstring& text);
    // Pictures, font and the swatch's decorations at dpi_.
    void LoadForDpi();
    // The window's size and every control's place at dpi_.
    void Layout();
    void OnDpiChanged(WPARAM wp, LPARAM lp);
    // White with the pipette and the cross over it, drawn once per DPI at
    // the client's size: every later paint of the window is a copy out of
    // it.
    void DrawSurface();
    // One reading of the pixel under the pointer.
    void TakeReading();
    void PaintSurface(HDC dc, int originX, int originY);
    void DrawSwatch(const DRAWITEMSTRUCT& item);
    void DrawCross(const DRAWITEMSTRUCT& item);
    void Remember(COLORREF colour);
    void Copy(const colour::CopyEntry& entry);

    Services services_;
    int dpi_ = kDesignDpi;  // the DPI the picker is laid out at
    HWND cross_ = nullptr;
    HWND swatch_ = nullptr;
    HWND decimalLine_ = nullptr;
    HWND hexLine_ = nullptr;
    UniqueWindow tip_;  // owned by the picker, let go when the picker goes
    UniqueGdiObject font_;  // 宋体 9 pt bold
    UniqueGdiObject lineBrush_;
    UniqueGdiObject whiteBrush_;  // white, keyed out
    UniqueGdiObject whitePen_;
    UniqueRegion swatchCorners_;  // outside the swatch's rounded frame
    UniqueBitmap surface_;       // see DrawSurface
    UniqueMemoryDc surfaceDc_;   // holds surface_ selected: goes first
    UniqueMemoryDc measureDc_;   // holds font_ selected: goes before it
    std::wstring decimalShown_, hexShown_;
    std::optional<COLORREF> reading_;
    std::optional<COLORREF> remembered_;
    ClickTracker crossClick_;
};

}  // namespace velmora
