// The frame of the borderless, skinned windows (the launcher panel and the
// wallpaper changer): the skin painted onto a persistent canvas, the rounded
// window region, the three caption buttons picBox(0..2), dragging and edge
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

// What the window behind a frame does at the frame's request.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    // The pointer crossed the interior of the background (zone 8).
    virtual void OnInteriorMouseMove() {}
    // Mouse release on caption button 0 (minimise), 1 (restore) or 2 (close).
    virtual void OnCaptionButtonRelease(int index) = 0;
    // Runs at the end of every resize event, whatever the window state.
    virtual void AfterResize() {}
    // Draws the window's face over the skin, in client coordinates: the
    // launcher's highlight, pictures and captions. The controls themselves
    // draw nothing (see SkinnedFrame::AdoptControl).
    virtual void PaintOverSkin(HDC) {}
};

// Picture shown by a caption button.
enum class ButtonPicture { None = -1, Normal = 0, Over = 1, Down = 2 };

class SkinnedFrame {
public:
    SkinnedFrame() = default;
    SkinnedFrame(const SkinnedFrame&) = delete;
    SkinnedFrame& operator=(const SkinnedFrame&) = delete;

    // Loads the skin picture Image1 and the nine button pictures and creates
    // the caption buttons. caption: the text drawn into the frame.
    void Attach(HWND window, FrameHost& host, std::wstring caption);
    // Lets go of every handle; the window is gone.
    void Detach();

    // The frame's share of the window's messages; true when handled, with
    // the result in *result.
    bool Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result);

    // DrawSkin: region, background, tiles, corners, caption text.
    void DrawSkin();
    // Form_Resize: pins the outer size, repaints the skin, places the
    // buttons and resets their pictures (only in the normal state).
    void Form_Resize();

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

    // The font of the frame's caption and of the window's texts.
    HFONT Font() const { return static_cast<HFONT>(font_.get()); }

    // For tests and the window.
    Zone ResizeZone() const { return zone_; }
    HWND picBox(int index) const { return buttons_[index]; }
    ButtonPicture ButtonState(int index) const { return pictures_[index]; }

private:
    static LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnButtonMessage(int index, HWND button, UINT msg, WPARAM wp, LPARAM lp);
    void ShowButtonPictures(int index, ButtonPicture picture);  // all normal, then `index` as given
    void Compose();
    void MouseMoveOverBackground();
    void PressOnBackground();
    void EnsureCanvas(int width, int height);
    void PinSize();

    HWND window_ = nullptr;
    FrameHost* host_ = nullptr;
    std::wstring caption_;
    SIZE skinSize_{};  // of the skin picture Image1
    std::array<UniqueBitmap, 9> buttonBitmaps_;  // imgNormal, imgOver, imgDown (state * 3 + index)
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
    Surface skinSurface_;    // Image1 in the canvas's format
    Surface canvasSurface_;  // the skin, the persistent canvas
    Surface faceSurface_;    // canvas + face + buttons, what WM_PAINT shows
    bool faceStale_ = true;
    bool controlsPaint_ = false;
    UniqueGdiObject font_;
    Zone zone_ = Zone::Top;  // ResizeZone: 0 until the first move over the background
    HCURSOR pointer_ = nullptr;  // shape over the background, set by the last move
};

// Outer style of a skinned window: a popup whose frame is drawn by the
// skin. No WS_CLIPCHILDREN: the window paints the face under its controls.
inline constexpr DWORD kSkinnedStyle = WS_POPUP | WS_MINIMIZEBOX | WS_SYSMENU;

// BuildWindowRegion: the rounded region of the skin, client size plus the
// extra, from (1, 1), 20 x 20 corners.
UniqueRegion BuildWindowRegion(int extraWidth, int extraHeight, HWND window);

// DoTransparency: clips a window to a rounded rectangle of its full outer
// size, 24 x 24 corners.
void DoTransparency(HWND window);

// BeginWindowDrag (mod_DragNoCaptionFrom): lets the system move the window
// as if its caption were held.
void BeginWindowDrag(HWND window);

}  // namespace velmora::frame
