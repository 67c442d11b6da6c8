// The frame of the borderless, skinned windows (the launcher panel and the
// wallpaper changer): the skin painted onto a persistent canvas, the rounded
// window region, the three caption buttons, dragging and edge
// sizing, and the resize handler that pins the window's size.
//
// A window owns one SkinnedFrame, attaches it once its window exists, and
// passes every message through Handle() first.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "frame/frame_layout.h"
#include "platform/handles.h"

namespace velmora::frame {

enum class CaptionButton { Minimise = 0, Restore = 1, Close = 2 };

// What the window behind a frame does at the frame's request.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    // The pointer crossed the interior of the background, away from the
    // edges that size the window.
    virtual void OnInteriorMouseMove() {}
    // Mouse release on a caption button.
    virtual void OnCaptionButtonRelease(CaptionButton button) = 0;
    // Runs at the end of every resize event, whatever the window state.
    virtual void AfterResize() {}
    // Draws the window's face over the skin, in client coordinates: the
    // launcher's highlight, pictures and captions. The controls themselves
    // draw nothing (see SkinnedFrame::AdoptControl).
    virtual void PaintOverSkin(HDC) {}
    // The window now lays out at `dpi` (SkinnedFrame::Font is already the
    // font for it): the host places its controls, fonts and pictures anew.
    // The window's own size and the frame's follow at once.
    virtual void AfterDpiChange(int /*dpi*/) {}
};

// Picture shown by a caption button.
enum class ButtonPicture { None = -1, Normal = 0, Over = 1, Down = 2 };

class SkinnedFrame {
public:
    SkinnedFrame() = default;
    SkinnedFrame(const SkinnedFrame&) = delete;
    SkinnedFrame& operator=(const SkinnedFrame&) = delete;

    // Loads the skin picture and the nine button pictures and creates
    // the caption buttons. caption: the text drawn into the frame.
    void Attach(HWND window, FrameHost& host, std::wstring caption);
    // Lets go of every handle; the window is gone.
    void Detach();

    // The frame's share of the window's messages; true when handled, with
    // the result in *result.
    bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

    // DrawSkin: region, background, tiles, corners, caption text.
    void DrawSkin();
    // The resize handling: pins the outer size, repaints the skin, places
    // the buttons and resets their pictures (only in the normal state).
    void OnResize();

    // The window is painted in one piece: the skin canvas, then the host's
    // face, then the caption buttons' pictures, composed off-screen and
    // shown with one copy. Child controls stay real windows (text, mouse,
    // screen readers) but leave their painting to the window: AdoptControl
    // makes a control draw nothing, so the window's face shows through.
    static void AdoptControl(HWND control);
    // The same for a control that has a subclass of its own: call this
    // first; true when the message was handled, with the result in *result.
    static bool HandleAdopted(HWND control, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);
    // Repaints `area` (all of it when null) with the face composed afresh.
    void Redraw(const RECT* area = nullptr);
    // For a window whose ordinary controls (lists, buttons, fields) paint
    // themselves over the face: a redraw repaints the controls it covers.
    void SetControlsPaintThemselves(bool on) { controlsPaint_ = on; }

    // Readies what every skinned window loads at `dpi` (its skin and
    // caption buttons) while the program is idle, for a quick first opening.
    static void PrepareArt(int dpi);

    // Drawn in the system's colours for a high-contrast theme, not the skin.
    bool HighContrast() const { return highContrast_; }

    // The font of the frame's caption and of the window's texts.
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }
    // The DPI the window lays out at: its monitor's, or less where the
    // monitor is too small for the fixed size at it.
    int Dpi() const { return dpi_; }
    // A length of the 96-dpi design at the window's DPI.
    int Scaled(int design) const { return ScaleDesign(design, dpi_); }
    // The box of a one-line label of `text` at Font(): its line at the
    // design's size scaled, or the line at this DPI where that is larger
    // (a font's line does not grow exactly with its size), so that labels
    // scale with everything else and never clip their text.
    SIZE LabelSize(const std::wstring& text) const;

    // For tests and the window.
    Zone ResizeZone() const { return zone_; }
    HWND ButtonWindow(CaptionButton b) const { return buttons_[static_cast<int>(b)]; }
    ButtonPicture ButtonState(CaptionButton b) const { return pictures_[static_cast<int>(b)]; }

private:
    LRESULT OnButtonMessage(HWND button, UINT msg, WPARAM wp, LPARAM lp);
    void ShowButtonPictures(int index, ButtonPicture picture);  // all normal, then `index` as given
    void Compose(const RECT& area);
    void DrawSkinPicture(HDC canvas, SIZE client);
    void DrawInSystemColours(HDC canvas, SIZE client);
    void DrawSystemCaptionButton(HDC face, int index) const;
    void OnSystemColoursChanged();
    void Paint();
    void MouseMoveOverBackground();
    void PressOnBackground();
    void EnsureCanvas(int width, int height);
    void PinSize();
    void LoadArtAndFont();
    void PlaceButtons();
    void OnDpiChanged(WPARAM wp, LPARAM lp);

    HWND window_ = nullptr;
    FrameHost* host_ = nullptr;
    int dpi_ = kDesignDpi;
    std::wstring caption_;
    SIZE skinSize_{};  // of the skin picture
    std::array<UniqueBitmap, 9> buttonBitmaps_;  // at rest, under the pointer, pressed (state * 3 + button)
    std::array<HWND, kCaptionButtonCount> buttons_{};
    std::array<ButtonPicture, kCaptionButtonCount> pictures_{ButtonPicture::None, ButtonPicture::None,
                                                             ButtonPicture::None};
    // A memory DC with its own bitmap selected, released together.
    struct Surface {
        UniqueMemoryDc dc;
        UniqueBitmap bitmap;
        HGDIOBJ old = nullptr;
        SIZE size{};
        void Reset();
        void Make(int width, int height);
    };
    Surface skinSurface_;    // the skin picture in the canvas's format
    Surface canvasSurface_;  // the skin, the persistent canvas
    Surface faceSurface_;    // canvas + face + buttons, what WM_PAINT shows
    bool faceStale_ = true;
    RECT stale_{};  // what the next paint composes again, while faceStale_
    bool controlsPaint_ = false;
    bool highContrast_ = false;
    UniqueGdiObject font_;
    UniqueGdiObject designFont_;  // Font() at 96 dpi, what labels are sized from
    UniqueMemoryDc measureDc_;    // where LabelSize measures, one for the window's life
    Zone zone_ = Zone::Top;  // the top edge until the first move over the background
    HCURSOR pointer_ = nullptr;  // shape over the background, set by the last move
};

// Outer style of a skinned window: a popup whose frame is drawn by the
// skin. No WS_CLIPCHILDREN: the window paints the face under its controls.
inline constexpr DWORD kSkinnedStyle = WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU;

// The rounded region of the skin, client size plus the
// extra, from (1, 1), 20 x 20 corners of the design at `dpi`.
UniqueRegion BuildWindowRegion(int extraWidth, int extraHeight, HWND window, int dpi = kDesignDpi);

// Lets the system move the window
// as if its caption were held.
void BeginWindowDrag(HWND window);

}  // namespace velmora::frame
