#include "tools/colour_picker.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/services.h"
#include "platform/subclass.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "resources/ids.h"
#include "tools/colour_lines.h"
#include "tools/tool_window.h"

namespace velmora {

namespace {

constexpr COLORREF kLineBack = RGB(250, 250, 250);
constexpr COLORREF kLineText = RGB(0, 0, 255);
struct Place {
    int x, y, w, h;
};
constexpr Place kSwatchPlace = {0, 81, 41, 40};  // 81.3 pixels: 1220 twips
constexpr Place kCrossPlace = {80, -6, 33, 33};
constexpr POINT kDecimalLinePlace = {56, 80};
constexpr POINT kHexLinePlace = {56, 96};
constexpr double kTopTwips = 100;

// Premultiplied b, g, r, a, each 0..1.
using Pixel = std::array<float, 4>;
struct Pixels {
    int width = 0, height = 0;
    std::vector<Pixel> at;  // top row first
};

// The colour picture of the 16 x 16 cross icon.
Pixels CrossIconPixels() {
    Pixels out;
    UniqueIcon icon = LoadIconResource(IDI_PICKER_CLOSE, 16);
    ICONINFO info{};
    if (!icon || !::GetIconInfo(icon.get(), &info)) return out;
    UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (!colour || !::GetObjectW(colour.get(), sizeof bm, &bm)) return out;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<BYTE> bgra(static_cast<size_t>(bm.bmWidth) * bm.bmHeight * 4);
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!::GetDIBits(dc.get(), colour.get(), 0, bm.bmHeight, bgra.data(), &bi, DIB_RGB_COLORS)) return out;
    out.width = bm.bmWidth;
    out.height = bm.bmHeight;
    out.at.resize(bgra.size() / 4);
    for (size_t i = 0; i < out.at.size(); ++i) {
        const float a = bgra[i * 4 + 3] / 255.0f;
        out.at[i] = {bgra[i * 4] / 255.0f * a, bgra[i * 4 + 1] / 255.0f * a, bgra[i * 4 + 2] / 255.0f * a, a};
    }
    return out;
}

// The cross's picture: the icon scaled to the control's size with bilinear
// filtering, then cut at half coverage. The window is keyed on pure white,
// so a soft edge blended with the white under it would leave a pale fringe
// on a dark desktop; a hard edge keeps the cross clean.
UniqueBitmap ScaledCross(int size) {
    const Pixels src = CrossIconPixels();
    if (src.at.empty()) return UniqueBitmap();
    BITMAPINFO out{};
    out.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap result(::CreateDIBSection(nullptr, &out, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!result || !bits) return UniqueBitmap();
    auto at = [&](int x, int y) -> const Pixel& {
        return src.at[static_cast<size_t>(std::clamp(y, 0, src.height - 1)) * src.width +
                      std::clamp(x, 0, src.width - 1)];
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float fx = (x + 0.5f) * src.width / size - 0.5f, fy = (y + 0.5f) * src.height / size - 0.5f;
            const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
            const float tx = fx - x0, ty = fy - y0;
            Pixel p{};
            for (int k = 0; k < 4; ++k) {
                p[k] = (at(x0, y0)[k] * (1 - tx) + at(x0 + 1, y0)[k] * tx) * (1 - ty) +
                       (at(x0, y0 + 1)[k] * (1 - tx) + at(x0 + 1, y0 + 1)[k] * tx) * ty;
            }
            BYTE* d = static_cast<BYTE*>(bits) + (static_cast<size_t>(y) * size + x) * 4;
            if (p[3] < 0.5f) {
                d[0] = d[1] = d[2] = d[3] = 0;
                continue;
            }
            for (int k = 0; k < 3; ++k) d[k] = static_cast<BYTE>(std::min(254.0f, p[k] / p[3] * 255.0f + 0.5f));
            d[3] = 255;
        }
    }
    return result;
}

}  // namespace

std::unique_ptr<ColourPicker> ColourPicker::Create(Services services) {
    auto picker = std::make_unique<ColourPicker>(services);
    if (!picker->Load()) return nullptr;
    return picker;
}

ColourPicker::~ColourPicker() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool ColourPicker::Load() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    RegisterClassOnce(0, static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON,
                                                         0, 0, LR_DEFAULTSIZE | LR_SHARED)));
    pipette_ = LoadBitmapResource(IDB_PICKER_PIPETTE);
    crossPicture_ = ScaledCross(kCrossPlace.w);
    font_ = SongTi(90, true);
    lineBrush_.reset(::CreateSolidBrush(kLineBack));
    keyedBrush_.reset(::CreateSolidBrush(kKeyedOut));
    keyedPen_.reset(::CreatePen(PS_SOLID, 1, kKeyedOut));
    swatchCorners_.reset(::CreateRectRgn(0, 0, 41, 41));
    UniqueRegion rounded(::CreateRoundRectRgn(0, 0, 42, 41, 14, 14));
    ::CombineRgn(swatchCorners_.get(), swatchCorners_.get(), rounded.get(), RGN_DIFF);
    measureDc_.reset(::CreateCompatibleDC(nullptr));
    if (measureDc_) ::SelectObject(measureDc_.get(), font_.get());
    DrawSurfaceOnce();
    // Topmost from the start as well: under Wine a HWND_TOPMOST given while
    // the window is still hidden left it an ordinary window.
    if (!CreateWindowOf(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, kClientWidth,
                        kClientHeight, services_.owner)) {
        return false;
    }
    CreateControls();
    PlaceAndKey();
    return true;
}

void ColourPicker::PlaceAndKey() {
    // Left edge: half the screen less twice the window (so not centred, and
    // partly off a narrow screen); top: 100 twips.
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const double perPixelX = TwipsPerPixelX();
    const double leftTwips = ::GetSystemMetrics(SM_CXSCREEN) * perPixelX / 2 - 2 * (r.right - r.left) * perPixelX;
    ::SetWindowPos(hwnd(), nullptr, PixelsX(leftTwips), PixelsY(kTopTwips), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetTimer(hwnd(), kReadingTimer, kReadingInterval, nullptr);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KeyOutWhite(hwnd());
}

void ColourPicker::CreateControls() {
    // SS_NOTIFY: a press on a control belongs to it, not to the window
    // beneath it, so it never starts a move.
    swatch_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, kSwatchPlace.x,
                          kSwatchPlace.y, kSwatchPlace.w, kSwatchPlace.h, kSwatchId);
    cross_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, kCrossPlace.x, kCrossPlace.y,
                         kCrossPlace.w, kCrossPlace.h, kCloseCrossId);
    SubclassControl<&ColourPicker::OnCrossMessage>(cross_, this);
    // Until the first good reading the lines show these placeholders.
    decimalLine_ = MakeLine(kDecimalLineId, kDecimalLinePlace.x, kDecimalLinePlace.y);
    ShowLine(decimalLine_, decimalShown_, L"Label2");
    hexLine_ = MakeLine(kHexLineId, kHexLinePlace.x, kHexLinePlace.y);
    ShowLine(hexLine_, hexShown_, L"Label3");
    tip_ = MakeToolTip(hwnd(), hwnd(), cross_, L"关闭");
}

HWND ColourPicker::MakeLine(int id, int left, int top) {
    HWND line = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, left, top, 1, 1,
                            id);
    ::SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return line;
}

void ColourPicker::ShowLine(HWND line, std::wstring& shown, const std::wstring& text) {
    // A line whose text stays is left alone: setting it again would repaint it.
    if (!line || shown == text) return;
    shown = text;
    // The line sizes itself to its text before the text changes, so it
    // paints once. Moving over one colour region changes digits far more
    // often than widths: no resize, no repaint beneath.
    SIZE size{};
    TEXTMETRICW metrics{};
    ::GetTextExtentPoint32W(measureDc_.get(), text.c_str(), static_cast<int>(text.size()), &size);
    ::GetTextMetricsW(measureDc_.get(), &metrics);
    size = {size.cx > 0 ? size.cx : 1, metrics.tmHeight};
    RECT r = RectIn(line, hwnd());
    if (r.right - r.left != size.cx || r.bottom - r.top != size.cy) {
        ::SetWindowPos(line, nullptr, 0, 0, size.cx, size.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        // The pipette and white where a longer text was.
        r.right = std::max<LONG>(r.right, r.left + size.cx);
        r.bottom = std::max<LONG>(r.bottom, r.top + size.cy);
        ::InvalidateRect(hwnd(), &r, FALSE);
    }
    ::SetWindowTextW(line, text.c_str());
}

void ColourPicker::TakeReading() {
    const std::optional<PixelReading> pixel = services_.pixels.UnderPointer();
    // An unreadable pixel (off every monitor, or a desktop that refuses to
    // be read) would otherwise show as white and "Red:255 ..."; the last
    // good reading stays instead.
    if (!pixel || pixel->colour == CLR_INVALID) return;
    Remember(pixel->colour);
    // Ten readings a second mostly repeat the last.
    if (reading_ == pixel->colour) return;
    reading_ = pixel->colour;
    ::InvalidateRect(swatch_, nullptr, FALSE);
    const colour::Lines lines = colour::LinesFor(*reading_);
    ShowLine(decimalLine_, decimalShown_, Widen(lines.decimal));
    ShowLine(hexLine_, hexShown_, Widen(lines.hex));
}

// ---- copying

void ColourPicker::Remember(COLORREF colour) {
    // The window's rectangle, keyed-out parts included: on its way to the
    // picker's menu the pointer crosses them too.
    POINT at{};
    RECT window{};
    if (!::GetCursorPos(&at) || !::GetWindowRect(hwnd(), &window)) return;
    if (!::PtInRect(&window, at)) remembered_ = colour;
}

void ColourPicker::ShowCopyMenu(POINT at) {
    const std::vector<colour::CopyEntry> entries = colour::CopyMenu(remembered_, services_.copied);
    std::vector<MenuChoice> choices;
    for (const colour::CopyEntry& entry : entries) {
        choices.push_back({Widen(entry.caption), entry.colour.has_value(), false, entry.colour});
    }
    const HWND self = hwnd();
    const auto chosen = PopupChoices(self, at, choices);
    // Closed from outside while the menu was up: the picker may be gone
    // with its window, so nothing of it is touched.
    if (chosen && ::IsWindow(self)) Copy(entries[*chosen]);
}

void ColourPicker::CopyRemembered() {
    const std::vector<colour::CopyEntry> entries = colour::CopyMenu(remembered_, services_.copied);
    Copy(entries.front());  // #RRGGBB
}

void ColourPicker::Copy(const colour::CopyEntry& entry) {
    if (!entry.colour) return;  // nothing read yet
    // A clipboard another program keeps to itself is given up silently, and
    // the colour stays out of the history: it was not copied.
    if (CopyTextToClipboard(hwnd(), Widen(entry.text))) services_.copied.Add(*entry.colour);
}

// ---- painting

void ColourPicker::DrawSurfaceOnce() {
    // A 32-bit picture, as the window's own surface: the pipette blended
    // over white here gives the very pixels it gave blended in place.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kClientWidth, -kClientHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    surface_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    surfaceDc_.reset(::CreateCompatibleDC(nullptr));
    if (!surface_ || !surfaceDc_) return;
    ::SelectObject(surfaceDc_.get(), surface_.get());
    const RECT all{0, 0, kClientWidth, kClientHeight};
    ::FillRect(surfaceDc_.get(), &all, static_cast<HBRUSH>(keyedBrush_.get()));
    DrawBlended(surfaceDc_.get(), pipette_.get(), 0, 0);
}

void ColourPicker::PaintSurface(HDC dc, int originX, int originY) {
    // White everywhere (keyed out), the pipette unscaled at the top-left:
    // only the part being painted is copied.
    RECT part{};
    ::GetClipBox(dc, &part);
    if (!surfaceDc_) {
        ::FillRect(dc, &part, static_cast<HBRUSH>(keyedBrush_.get()));
        return;
    }
    ::BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, surfaceDc_.get(),
             part.left - originX, part.top - originY, SRCCOPY);
}

void ColourPicker::DrawSwatch(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    // White, and so keyed out, before the first reading. The DC's own
    // brush: nothing made per paint.
    ::SetDCBrushColor(dc, reading_.value_or(kKeyedOut));
    ::FillRect(dc, &item.rcItem, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
    // The frame: white round the corners and a white line inside the edge;
    // the sight: a white ring in the middle. Both are keyed out, so the
    // desktop shows through them.
    ::FillRgn(dc, swatchCorners_.get(), static_cast<HBRUSH>(keyedBrush_.get()));
    SelectGuard usePen(dc, keyedPen_.get());
    SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, 3, 3, 38, 37, 9, 9);
    ::Ellipse(dc, 16, 16, 25, 25);
}

void ColourPicker::DrawCross(const DRAWITEMSTRUCT& item) {
    // The pipette beneath the cross, then the cross.
    PaintSurface(item.hDC, -kCrossPlace.x, -kCrossPlace.y);
    DrawBlended(item.hDC, crossPicture_.get(), 0, 0);
}

// ---- the cross and the window

LRESULT ColourPicker::OnCrossMessage(HWND cross, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (HandleClosePicture(cross, msg, lp, crossClick_, hwnd(), &result)) return result;
    return ::DefSubclassProc(cross, msg, wp, lp);
}

LRESULT ColourPicker::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_TIMER:
            if (wp == kReadingTimer) TakeReading();
            return 0;
        case WM_ERASEBKGND:
            return 1;  // WM_PAINT covers every pixel
        case WM_PAINT: {
            PaintScope paint(hwnd());
            PaintSurface(paint.dc(), 0, 0);
            return 0;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (item.CtlID == kSwatchId) DrawSwatch(item);
            if (item.CtlID == kCloseCrossId) DrawCross(item);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wp);
            ::SetTextColor(dc, kLineText);
            ::SetBkColor(dc, kLineBack);
            return reinterpret_cast<LRESULT>(lineBrush_.get());
        }
        case WM_LBUTTONDOWN:
            // On the pipette: the left button moves the window; the right
            // one brings the copy menu (WM_CONTEXTMENU, from the controls
            // as well); the middle one does nothing.
            StartWindowMove(hwnd());
            return 0;
        case WM_CONTEXTMENU:
            ShowCopyMenu(ContextMenuPoint(lp, swatch_));
            return 0;
        case WM_KEYDOWN:
            if (wp == 'C' && ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0) {
                CopyRemembered();
                return 0;
            }
            return Default(msg, wp, lp);
        case WM_CLOSE:
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kReadingTimer);
            tip_.reset();
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

void ColourPicker::OnWindowGone() {
    cross_ = swatch_ = decimalLine_ = hexLine_ = nullptr;
    measureDc_.reset();
    surfaceDc_.reset();
    surface_.reset();
    keyedBrush_.reset();
    keyedPen_.reset();
    swatchCorners_.reset();
    pipette_.reset();
    crossPicture_.reset();
    font_.reset();
    lineBrush_.reset();
}

}  // namespace velmora
