#include "frame/skinned_frame.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/contrast.h"
#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/subclass.h"
#include "platform/twips.h"
#include "platform/window.h"
#include "resources/ids.h"

namespace velmora::frame {

namespace {

constexpr int kButtonIdFirst = 9000;

// The tip texts carried by the hover pictures (never shown as tips; they
// name the buttons for screen readers).
constexpr const wchar_t* kButtonNames[kCaptionButtonCount] = {L"最小化", L"最大化", L"关闭"};

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

SIZE ClientSize(HWND window) {
    RECT r{};
    ::GetClientRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

// The caption font: the system's message font at 12 pixels of the design,
// the size the frame and the panel's captions are laid out for.
constexpr int kCaptionFontHeight = 12;

// The fixed outer size in whole pixels of the design that hold it (5600
// twips are 373 and a third).
constexpr int kTwipsPerDesignPixel = kTwipsPerInch / kDesignDpi;
constexpr int kDesignWidth = (kFixedWidthTwips + kTwipsPerDesignPixel - 1) / kTwipsPerDesignPixel;
constexpr int kDesignHeight = (kFixedHeightTwips + kTwipsPerDesignPixel - 1) / kTwipsPerDesignPixel;

// The DPI a skinned window lays out at on the monitor holding `area`.
int FittingDpi(int dpi, const RECT& area) {
    return DpiThatFits(dpi, kDesignWidth, kDesignHeight, area.right - area.left, area.bottom - area.top);
}

RECT WorkAreaAround(const RECT& place) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (::GetMonitorInfoW(::MonitorFromRect(&place, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    return place;
}

HCURSOR PointerFor(Zone zone) {
    switch (ZonePointer(zone)) {
        case Pointer::SizeNS: return ::LoadCursorW(nullptr, IDC_SIZENS);
        case Pointer::SizeWE: return ::LoadCursorW(nullptr, IDC_SIZEWE);
        case Pointer::SizeNWSE: return ::LoadCursorW(nullptr, IDC_SIZENWSE);
        case Pointer::SizeNESW: return ::LoadCursorW(nullptr, IDC_SIZENESW);
        case Pointer::Default: break;
    }
    return ::LoadCursorW(nullptr, IDC_ARROW);
}

}  // namespace

void SkinnedFrame::Attach(HWND window, FrameHost& host, std::wstring caption) {
    window_ = window;
    host_ = &host;
    caption_ = std::move(caption);
    dpi_ = FittingDpi(WindowDpi(window), WorkAreaOf(window));
    NoteWindowDpi(window, dpi_);
    designFont_ = MessageFontAt(kCaptionFontHeight, kDesignDpi);
    highContrast_ = HighContrastOn();
    measureDc_.reset(::CreateCompatibleDC(nullptr));
    LoadArtAndFont();
    pointer_ = ::LoadCursorW(nullptr, IDC_ARROW);
    zone_ = Zone::Top;

    for (int i = 0; i < kCaptionButtonCount; ++i) {
        // Owner-drawn push buttons: their pictures are drawn here and their
        // mouse handling is replaced below, so that a release anywhere acts.
        HWND button = CreateChild(window, WC_BUTTONW, kButtonNames[i], WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0,
                                  kButtonIdFirst + i, 0);
        SubclassControl<&SkinnedFrame::OnButtonMessage>(button, this);
        AdoptControl(button);
        buttons_[i] = button;
        pictures_[i] = ButtonPicture::None;
    }
    PlaceButtons();
}

void SkinnedFrame::LoadArtAndFont() {
    // The skin, kept in the canvas's own format, so that painting the frame is
    // plain copies with no conversion of every pixel.
    const UniqueBitmap skin = LoadBitmapResource(IDB_SKIN, static_cast<unsigned>(dpi_));
    skinSize_ = BitmapSize(skin.get());
    skinSurface_.Reset();
    if (skin) {
        skinSurface_.Make(skinSize_.cx, skinSize_.cy);
        UniqueMemoryDc source(::CreateCompatibleDC(skinSurface_.dc.get()));
        SelectGuard select(source.get(), skin.get());
        ::BitBlt(skinSurface_.dc.get(), 0, 0, skinSize_.cx, skinSize_.cy, source.get(), 0, 0, SRCCOPY);
    }
    for (int i = 0; i < 9; ++i) {
        buttonBitmaps_[i] = LoadBitmapResource(IDB_CAPTION_BUTTON_FIRST + i, static_cast<unsigned>(dpi_));
    }
    font_ = MessageFontAt(kCaptionFontHeight, dpi_);
}

void SkinnedFrame::PrepareArt(int dpi) {
    PrepareBitmapResource(IDB_SKIN, static_cast<unsigned>(dpi));
    for (int i = 0; i < 9; ++i) PrepareBitmapResource(IDB_CAPTION_BUTTON_FIRST + i, static_cast<unsigned>(dpi));
}

SIZE SkinnedFrame::LabelSize(const std::wstring& text) const {
    const SIZE now = TextSize(measureDc_.get(), Font(), text);
    const SIZE design = TextSize(measureDc_.get(), static_cast<HFONT>(designFont_.get()), text);
    return {std::max<LONG>(now.cx, Scaled(design.cx)), std::max<LONG>(now.cy, Scaled(design.cy))};
}

void SkinnedFrame::PlaceButtons() {
    const SIZE client = ClientSize(window_);
    for (int i = 0; i < kCaptionButtonCount; ++i) {
        const Rect r = CaptionButtonPlace(i, client.cx, dpi_);
        ::SetWindowPos(buttons_[i], nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void SkinnedFrame::OnDpiChanged(WPARAM wp, LPARAM lp) {
    // The suggested rectangle tells the monitor the window is going to.
    RECT place{};
    ::GetWindowRect(window_, &place);
    if (const auto* suggested = reinterpret_cast<const RECT*>(lp)) place = *suggested;
    dpi_ = FittingDpi(DpiOfChange(wp), WorkAreaAround(place));
    NoteWindowDpi(window_, dpi_);
    // The old font lives until the host has handed its controls the new one.
    const UniqueGdiObject oldFont = std::move(font_);
    LoadArtAndFont();
    host_->AfterDpiChange(dpi_);
    MoveToSuggestedRect(window_, lp);
    // Also when the suggested rectangle left the size as it was.
    OnResize();
}

void SkinnedFrame::Detach() {
    canvasSurface_.Reset();
    faceSurface_.Reset();
    skinSurface_.Reset();
    for (auto& b : buttonBitmaps_) b.reset();
    font_.reset();
    designFont_.reset();
    measureDc_.reset();
    buttons_ = {};
    window_ = nullptr;
}

// ---- painting

void SkinnedFrame::Surface::Reset() {
    if (dc && old) ::SelectObject(dc.get(), old);
    old = nullptr;
    dc.reset();
    bitmap.reset();
    size = {};
}

void SkinnedFrame::Surface::Make(int width, int height) {
    if (dc && size.cx == width && size.cy == height) return;
    Reset();
    // A DIB section: drawing into it stays in the process, only the final
    // copy to the window goes to the display.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width > 0 ? width : 1;
    info.bmiHeader.biHeight = -(height > 0 ? height : 1);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    dc.reset(::CreateCompatibleDC(nullptr));
    bitmap.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    old = ::SelectObject(dc.get(), bitmap.get());
    size = {width, height};
}

void SkinnedFrame::EnsureCanvas(int width, int height) {
    canvasSurface_.Make(width, height);
    faceSurface_.Make(width, height);
}

void SkinnedFrame::DrawSkin() {
    if (!window_) return;
    // 1. The rounded region; the window owns it once it accepts it.
    UniqueRegion region = BuildWindowRegion(0, 0, window_, dpi_);
    if (region && ::SetWindowRgn(window_, region.get(), TRUE)) region.release();

    const SIZE client = ClientSize(window_);
    EnsureCanvas(client.cx, client.cy);
    HDC canvas = canvasSurface_.dc.get();

    if (highContrast_) {
        DrawInSystemColours(canvas, client);
    } else {
        DrawSkinPicture(canvas, client);
    }
    Redraw();
}

void SkinnedFrame::DrawSkinPicture(HDC canvas, SIZE client) {
    // 2. Clear to the background colour.
    const RECT all{0, 0, client.cx, client.cy};
    UniqueGdiObject background(::CreateSolidBrush(RGB(kBackgroundGrey, kBackgroundGrey, kBackgroundGrey)));
    ::FillRect(canvas, &all, static_cast<HBRUSH>(background.get()));

    // 3-5. Edges and corners from the skin picture.
    if (skinSurface_.dc) {
        HDC source = skinSurface_.dc.get();
        ::SetStretchBltMode(canvas, COLORONCOLOR);
        for (const Blit& b : SkinBlits(client.cx, client.cy, skinSize_.cx, skinSize_.cy, dpi_)) {
            if (b.src.w == b.dst.w && b.src.h == b.dst.h) {
                ::BitBlt(canvas, b.dst.x, b.dst.y, b.dst.w, b.dst.h, source, b.src.x, b.src.y, SRCCOPY);
            } else {
                ::StretchBlt(canvas, b.dst.x, b.dst.y, b.dst.w, b.dst.h, source, b.src.x, b.src.y, b.src.w, b.src.h,
                             SRCCOPY);
            }
        }
    }

    // 6. The caption, white on the skin's blue title band.
    {
        SelectGuard font(canvas, font_.get());
        ::SetBkMode(canvas, TRANSPARENT);
        ::SetTextColor(canvas, RGB(255, 255, 255));
        ::TextOutW(canvas, Scaled(kCaptionX), Scaled(kCaptionY), caption_.c_str(), static_cast<int>(caption_.size()));
    }
}

void SkinnedFrame::DrawInSystemColours(HDC canvas, SIZE client) {
    // A high-contrast theme: the window, its frame line and its title band
    // in the theme's colours, nothing of the skin.
    const RECT all{0, 0, client.cx, client.cy};
    ::FillRect(canvas, &all, ::GetSysColorBrush(COLOR_WINDOW));
    const RECT band{0, 0, client.cx, Scaled(2 * kCaptionButtonTop + kCaptionButtonHeight)};
    ::FillRect(canvas, &band, ::GetSysColorBrush(COLOR_ACTIVECAPTION));
    for (int i = 0; i < std::max(1, Scaled(1)); ++i) {
        const RECT line{i, i, client.cx - i, client.cy - i};
        ::FrameRect(canvas, &line, ::GetSysColorBrush(COLOR_WINDOWFRAME));
    }
    SelectGuard font(canvas, font_.get());
    ::SetBkMode(canvas, TRANSPARENT);
    ::SetTextColor(canvas, ::GetSysColor(COLOR_CAPTIONTEXT));
    ::TextOutW(canvas, Scaled(kCaptionX), Scaled(kCaptionY), caption_.c_str(), static_cast<int>(caption_.size()));
}

void SkinnedFrame::Compose(const RECT& area) {
    if (!window_ || !canvasSurface_.dc) return;
    HDC face = faceSurface_.dc.get();
    // Only what changed is composed again: a clock tick or a moved
    // highlight redraws a line or a cell, not the whole face.
    ::IntersectClipRect(face, area.left, area.top, area.right, area.bottom);
    ::BitBlt(face, area.left, area.top, area.right - area.left, area.bottom - area.top, canvasSurface_.dc.get(),
             area.left, area.top, SRCCOPY);
    host_->PaintOverSkin(face);
    for (int i = 0; i < kCaptionButtonCount; ++i) {
        if (!buttons_[i] || pictures_[i] == ButtonPicture::None) continue;  // no picture before the first resize
        if (highContrast_) {
            DrawSystemCaptionButton(face, i);
            continue;
        }
        HBITMAP bitmap = buttonBitmaps_[static_cast<int>(pictures_[i]) * 3 + i].get();
        if (!bitmap) continue;
        const RECT r = RectIn(buttons_[i], window_);
        UniqueMemoryDc source(::CreateCompatibleDC(face));
        SelectGuard select(source.get(), bitmap);
        const SIZE size = BitmapSize(bitmap);
        ::StretchBlt(face, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, size.cx, size.cy,
                     SRCCOPY);
    }
    ::SelectClipRgn(face, nullptr);
}

void SkinnedFrame::DrawSystemCaptionButton(HDC face, int index) const {
    // A button face with its edge, and its sign drawn in lines of the
    // theme's button text: a bar, a window, a cross.
    RECT r = RectIn(buttons_[index], window_);
    const bool down = pictures_[index] == ButtonPicture::Down;
    ::FillRect(face, &r, ::GetSysColorBrush(pictures_[index] == ButtonPicture::Over ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
    ::DrawEdge(face, &r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int side = std::max<int>(3, std::min(r.right - r.left, r.bottom - r.top) / 2);
    const int x = (r.left + r.right - side) / 2, y = (r.top + r.bottom - side) / 2;
    const int width = std::max(1, Scaled(1));
    UniqueGdiObject pen(::CreatePen(PS_SOLID, width, ::GetSysColor(COLOR_BTNTEXT)));
    SelectGuard use(face, pen.get());
    SelectGuard hollow(face, ::GetStockObject(NULL_BRUSH));
    switch (index) {
        case 0:  // minimise
            ::MoveToEx(face, x, y + side - width, nullptr);
            ::LineTo(face, x + side, y + side - width);
            break;
        case 1:  // restore
            ::Rectangle(face, x, y, x + side, y + side);
            break;
        default:  // close
            ::MoveToEx(face, x, y, nullptr);
            ::LineTo(face, x + side, y + side);
            ::MoveToEx(face, x + side - 1, y, nullptr);
            ::LineTo(face, x - 1, y + side);
            break;
    }
}

void SkinnedFrame::OnSystemColoursChanged() {
    const bool on = HighContrastOn();
    if (on == highContrast_) return;
    highContrast_ = on;
    DrawSkin();
}

void SkinnedFrame::Redraw(const RECT* area) {
    if (!window_) return;
    // Composed at the next paint, once for any number of changes.
    const RECT all{0, 0, faceSurface_.size.cx, faceSurface_.size.cy};
    if (!faceStale_) stale_ = {};
    ::UnionRect(&stale_, &stale_, area ? area : &all);
    faceStale_ = true;
    // Without WS_CLIPCHILDREN InvalidateRect would invalidate every control
    // as well, and each would be sent a paint it has nothing to do in. A
    // control that paints itself must, though: the face covers it.
    ::RedrawWindow(window_, area, nullptr, RDW_INVALIDATE | (controlsPaint_ ? RDW_ALLCHILDREN : RDW_NOCHILDREN));
}

namespace {
// Controls adopted by a frame share no state: one stateless owner serves all.
struct AdoptedControls {
    LRESULT OnMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
        LRESULT result = 0;
        if (SkinnedFrame::HandleAdopted(control, msg, wp, lp, &result)) return result;
        return ::DefSubclassProc(control, msg, wp, lp);
    }
};
AdoptedControls g_adopted;
}  // namespace

bool SkinnedFrame::HandleAdopted(HWND control, UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    switch (msg) {
        case WM_PAINT:
            ::ValidateRect(control, nullptr);  // the window behind has drawn it
            *result = 0;
            return true;
        case WM_ERASEBKGND:
            *result = TRUE;
            return true;
        case WM_SETTEXT:
        case WM_ENABLE:
        case BM_SETSTATE:
        case BM_SETCHECK:
            // Text and state changes show through the window's face.
            *result = ::DefSubclassProc(control, msg, wp, lp);
            ::ValidateRect(control, nullptr);
            return true;
        default:
            return false;
    }
}

void SkinnedFrame::AdoptControl(HWND control) {
    SubclassControl<&AdoptedControls::OnMessage>(control, &g_adopted);
}

// ---- size

void SkinnedFrame::PinSize() {
    // Width, then height, each a size change of its own.
    SetWindowTwips(window_, TwipsField::Width, kFixedWidthTwips);
    SetWindowTwips(window_, TwipsField::Height, kFixedHeightTwips);
}

void SkinnedFrame::OnResize() {
    if (!window_) return;
    if (!::IsIconic(window_) && !::IsZoomed(window_)) {
        PinSize();
        DrawSkin();
        PlaceButtons();
        ShowButtonPictures(0, ButtonPicture::Normal);
        PinSize();
    }
    host_->AfterResize();
}

// ---- caption buttons

void SkinnedFrame::ShowButtonPictures(int index, ButtonPicture picture) {
    for (int j = 0; j < kCaptionButtonCount; ++j) {
        const ButtonPicture wanted = j == index ? picture : ButtonPicture::Normal;
        if (pictures_[j] != wanted) {
            pictures_[j] = wanted;
            if (!buttons_[j]) continue;
            const RECT r = RectIn(buttons_[j], window_);
            Redraw(&r);
        }
    }
}

LRESULT SkinnedFrame::OnButtonMessage(HWND button, UINT msg, WPARAM wp, LPARAM lp) {
    int index = 0;
    while (index < kCaptionButtonCount && buttons_[index] != button) ++index;
    if (index == kCaptionButtonCount) return ::DefSubclassProc(button, msg, wp, lp);
    switch (msg) {
        case WM_SETCURSOR:
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
            return TRUE;
        case WM_MOUSEMOVE:
            ShowButtonPictures(index, ButtonPicture::Over);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            ShowButtonPictures(index, ButtonPicture::Down);
            ::SetCapture(button);  // the release comes here wherever it happens
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (::GetCapture() == button) ::ReleaseCapture();
            // Last: closing the window destroys this button.
            host_->OnCaptionButtonRelease(static_cast<CaptionButton>(index));
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_CHAR:
            return 0;  // a picture, not a keyboard control
        case WM_ERASEBKGND:
            return TRUE;
        default:
            return ::DefSubclassProc(button, msg, wp, lp);
    }
}

// ---- background: pointer, drag and sizing

void SkinnedFrame::MouseMoveOverBackground() {
    POINT cursor{};
    ::GetCursorPos(&cursor);
    RECT r{};
    ::GetWindowRect(window_, &r);
    zone_ = HitTest({cursor.x, cursor.y}, {r.left, r.top, r.right, r.bottom}, dpi_);
    pointer_ = PointerFor(zone_);
    ::SetCursor(pointer_);
    if (zone_ == Zone::Interior) {
        ShowButtonPictures(0, ButtonPicture::Normal);
        host_->OnInteriorMouseMove();
    }
}

void SkinnedFrame::PressOnBackground() {
    if (zone_ == Zone::Interior) {
        BeginWindowDrag(window_);
        return;
    }
    ::ReleaseCapture();
    ::SendMessageW(window_, WM_NCLBUTTONDOWN, static_cast<WPARAM>(ZoneHitTestCode(zone_)), 0);
}

void BeginWindowDrag(HWND window) {
    ::ReleaseCapture();
    ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void SkinnedFrame::Paint() {
    PaintScope paint(window_);
    const RECT& dirty = paint.dirty();
    if (faceStale_) {
        Compose(stale_);
        faceStale_ = false;
    }
    if (faceSurface_.dc) {
        ::BitBlt(paint.dc(), dirty.left, dirty.top, dirty.right - dirty.left, dirty.bottom - dirty.top,
                 faceSurface_.dc.get(), dirty.left, dirty.top, SRCCOPY);
    }
}

bool SkinnedFrame::Handle(UINT msg, WPARAM wp, LPARAM lp, LRESULT* result) {
    if (!window_) return false;
    switch (msg) {
        case WM_NCCALCSIZE:
            // The skin is the frame: the client area is the whole window.
            *result = 0;
            return true;
        case WM_NCHITTEST:
            // The edges belong to the client area; sizing starts from the
            // skin's own zones instead.
            *result = ::IsIconic(window_) ? ::DefWindowProcW(window_, msg, wp, lp) : HTCLIENT;
            return true;
        case WM_NCACTIVATE:
            *result = TRUE;  // no system frame to repaint
            return true;
        case WM_NCPAINT:
            *result = 0;
            return true;
        case WM_DPICHANGED:
            OnDpiChanged(wp, lp);
            *result = 0;
            return true;
        case WM_SIZE:
            OnResize();
            *result = 0;
            return true;
        case WM_ERASEBKGND:
            *result = TRUE;
            return true;
        case WM_PAINT:
            Paint();
            *result = 0;
            return true;
        case WM_DRAWITEM:
            *result = TRUE;  // adopted controls are drawn with the face
            return true;
        case WM_SETTINGCHANGE:
        case WM_SYSCOLORCHANGE:
        case WM_THEMECHANGED:
            // A high-contrast theme turned on or off takes effect at once;
            // the host may want the message too.
            OnSystemColoursChanged();
            return false;
        case WM_SETCURSOR:
            if (reinterpret_cast<HWND>(wp) == window_ && LOWORD(lp) == HTCLIENT) {
                ::SetCursor(pointer_);
                *result = TRUE;
                return true;
            }
            return false;
        case WM_MOUSEMOVE:
            MouseMoveOverBackground();
            *result = 0;
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            PressOnBackground();
            *result = 0;
            return true;
        default:
            return false;
    }
}

// ---- regions

UniqueRegion BuildWindowRegion(int extraWidth, int extraHeight, HWND window, int dpi) {
    UniqueRegion copy(::CreateRectRgn(0, 0, 0, 0));
    RECT client{};
    ::GetClientRect(window, &client);
    const RoundRegion shape = SkinRegion(client.right, client.bottom, extraWidth, extraHeight, dpi);
    UniqueRegion rounded(
        ::CreateRoundRectRgn(shape.left, shape.top, shape.right, shape.bottom, shape.ellipse, shape.ellipse));
    ::CombineRgn(copy.get(), rounded.get(), rounded.get(), RGN_COPY);
    return copy;  // the rounded original goes with its owner
}

}  // namespace velmora::frame
