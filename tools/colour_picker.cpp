#include "tools/colour_picker.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <vector>

#include "platform/clipboard.h"
#include "platform/controls.h"
#include "platform/dpi.h"
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
constexpr wchar_t kCloseName[] = L"关闭";  // the cross's tip, and its name to a screen reader
// Places in pixels of the 96-dpi design.
constexpr DesignRect kSwatchPlace = {0, 81, 41, 40};  // 81.3 pixels: 1220 twips
constexpr DesignRect kCrossPlace = {80, -6, 33, 33};
constexpr POINT kDecimalLinePlace = {56, 80};
constexpr POINT kHexLinePlace = {56, 96};
constexpr double kTopTwips = 100;

UniqueBitmap TopDownDib(int width, int height, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    return UniqueBitmap(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

void PlaceControl(HWND control, const DesignRect& design, int dpi) {
    const DesignRect r = ScaleDesign(design, dpi);
    ::SetWindowPos(control, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
}

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
    lineBrush_.reset(::CreateSolidBrush(kLineBack));
    whiteBrush_.reset(::CreateSolidBrush(kKeyedOut));
    // Topmost from the start as well: under Wine a HWND_TOPMOST given while
    // the window is still hidden left it an ordinary window.
    if (!CreateWindowOf(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, kClientWidth,
                        kClientHeight, services_.owner)) {
        return false;
    }
    dpi_ = WindowDpi(hwnd());
    LoadForDpi();
    CreateControls();
    Layout();
    Place();
    return true;
}

void ColourPicker::LoadForDpi() {
    font_ = SongTi(90, true, dpi_);
    measureDc_.reset(::CreateCompatibleDC(nullptr));
    if (measureDc_) ::SelectObject(measureDc_.get(), font_.get());
    whitePen_.reset(::CreatePen(PS_SOLID, ScaleDesign(1, dpi_), kKeyedOut));
    auto d = [&](int design) { return ScaleDesign(design, dpi_); };
    swatchCorners_.reset(::CreateRectRgn(0, 0, d(41), d(41)));
    UniqueRegion rounded(::CreateRoundRectRgn(0, 0, d(42), d(41), d(14), d(14)));
    ::CombineRgn(swatchCorners_.get(), swatchCorners_.get(), rounded.get(), RGN_DIFF);
}

void ColourPicker::Layout() {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, ScaleDesign(kClientWidth, dpi_), ScaleDesign(kClientHeight, dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceControl(swatch_, kSwatchPlace, dpi_);
    PlaceControl(cross_, kCrossPlace, dpi_);
    for (auto [line, place, shown] : {std::tuple{decimalLine_, kDecimalLinePlace, &decimalShown_},
                                      std::tuple{hexLine_, kHexLinePlace, &hexShown_}}) {
        ::SetWindowPos(line, nullptr, ScaleDesign(place.x, dpi_), ScaleDesign(place.y, dpi_), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
        FitLine(line, *shown);
    }
    DrawSurface();
    ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void ColourPicker::OnDpiChanged(WPARAM wp, LPARAM lp) {
    dpi_ = DpiOfChange(wp);
    // The old font goes once the lines hold the new one.
    const UniqueGdiObject oldFont = std::move(font_);
    LoadForDpi();
    MoveToSuggestedRect(hwnd(), lp);
    // The suggestion is for the outer size the system expects; the
    // picker's own size at the DPI is what it is drawn for.
    Layout();
}

void ColourPicker::Place() {
    // Left edge: half the screen less twice the window (so not centred, and
    // partly off a narrow screen); top: 100 twips. Twips at the picker's
    // DPI, as its size is.
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const double perPixel = TwipsPerPixelAt(dpi_);
    const double leftTwips = ::GetSystemMetrics(SM_CXSCREEN) * perPixel / 2 - 2 * (r.right - r.left) * perPixel;
    ::SetWindowPos(hwnd(), nullptr, TwipsToPixelsAt(leftTwips, dpi_), TwipsToPixelsAt(kTopTwips, dpi_), 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetTimer(hwnd(), kReadingTimer, kReadingInterval, nullptr);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KeyOutWhite(hwnd());
}

void ColourPicker::CreateControls() {
    // Made at no size: Layout places them at the DPI. SS_NOTIFY: a press on
    // a control belongs to it, not to the window beneath it, so it never
    // starts a move.
    swatch_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0, 0, 0, 0, kSwatchId);
    cross_ =
        CreateChild(hwnd(), WC_STATICW, kCloseName, WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0, 0, 0, 0, kCloseCrossId);
    SubclassControl<&ColourPicker::OnCrossMessage>(cross_, this);
    // Until the first good reading the lines show these placeholders.
    decimalLine_ = MakeLine(kDecimalLineId);
    ShowLine(decimalLine_, decimalShown_, L"Label2");
    hexLine_ = MakeLine(kHexLineId);
    ShowLine(hexLine_, hexShown_, L"Label3");
    tip_ = MakeToolTip(hwnd(), hwnd(), cross_, kCloseName);
}

HWND ColourPicker::MakeLine(int id) {
    HWND line = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, 0, 1, 1, id);
    ::SendMessageW(line, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return line;
}

void ColourPicker::ShowLine(HWND line, std::wstring& shown, const std::wstring& text) {
    // A line whose text stays is left alone: setting it again would repaint it.
    if (!line || shown == text) return;
    shown = text;
    FitLine(line, text);
    ::SetWindowTextW(line, text.c_str());
}

void ColourPicker::FitLine(HWND line, const std::wstring& text) {
    // The line sizes itself to its text before the text changes, so it
    // paints once. Moving over one colour region changes digits far more
    // often than widths: no resize, no repaint beneath.
    SIZE size{};
    TEXTMETRICW metrics{};
    ::GetTextExtentPoint32W(measureDc_.get(), text.c_str(), static_cast<int>(text.size()), &size);
    ::GetTextMetricsW(measureDc_.get(), &metrics);
    size = {size.cx > 0 ? size.cx : 1, metrics.tmHeight};
    RECT r = RectIn(line, hwnd());
    if (r.right - r.left == size.cx && r.bottom - r.top == size.cy) return;
    ::SetWindowPos(line, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    // The pipette and white where a longer text was.
    r.right = std::max<LONG>(r.right, r.left + size.cx);
    r.bottom = std::max<LONG>(r.bottom, r.top + size.cy);
    ::InvalidateRect(hwnd(), &r, FALSE);
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

void ColourPicker::DrawSurface() {
    const int width = ScaleDesign(kClientWidth, dpi_), height = ScaleDesign(kClientHeight, dpi_);
    // The context lets go of the old picture before the picture goes.
    surfaceDc_.reset();
    void* bits = nullptr;
    surface_ = TopDownDib(width, height, &bits);
    surfaceDc_.reset(::CreateCompatibleDC(nullptr));
    if (!surface_ || !surfaceDc_) return;
    ::SelectObject(surfaceDc_.get(), surface_.get());
    // A 32-bit picture, as the window's own surface: the pictures blended
    // over white here give the very pixels they gave blended in place.
    const RECT all{0, 0, width, height};
    ::FillRect(surfaceDc_.get(), &all, static_cast<HBRUSH>(whiteBrush_.get()));
    const UniqueBitmap pipette = LoadBitmapResource(IDB_PICKER_PIPETTE, static_cast<unsigned>(dpi_));
    DrawBlended(surfaceDc_.get(), pipette.get(), 0, 0);
    const DesignRect cross = ScaleDesign(kCrossPlace, dpi_);
    const UniqueBitmap crossPicture = ScaledCross(cross.w);
    DrawBlended(surfaceDc_.get(), crossPicture.get(), cross.x, cross.y);
}

void ColourPicker::PaintSurface(HDC dc, int originX, int originY) {
    // White everywhere (keyed out), the pipette at the top-left, the cross:
    // only the part being painted is copied.
    RECT part{};
    ::GetClipBox(dc, &part);
    if (!surfaceDc_) {
        ::FillRect(dc, &part, static_cast<HBRUSH>(whiteBrush_.get()));
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
    ::FillRgn(dc, swatchCorners_.get(), static_cast<HBRUSH>(whiteBrush_.get()));
    SelectGuard usePen(dc, whitePen_.get());
    SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
    auto d = [&](int design) { return ScaleDesign(design, dpi_); };
    ::RoundRect(dc, d(3), d(3), d(38), d(37), d(9), d(9));
    ::Ellipse(dc, d(16), d(16), d(25), d(25));
}

void ColourPicker::DrawCross(const DRAWITEMSTRUCT& item) {
    // The surface holds the cross over the pipette.
    const DesignRect cross = ScaleDesign(kCrossPlace, dpi_);
    PaintSurface(item.hDC, -cross.x, -cross.y);
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
        case WM_DPICHANGED:
            OnDpiChanged(wp, lp);
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
            if (wp == VK_ESCAPE) {  // the cross, from the keyboard
                ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
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
    whiteBrush_.reset();
    whitePen_.reset();
    swatchCorners_.reset();
    font_.reset();
    lineBrush_.reset();
}

}  // namespace velmora
