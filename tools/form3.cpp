#include "tools/form3.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

#include "app/resource.h"
#include "frame/frame_layout.h"
#include "platform/text.h"
#include "shell/app_windows.h"
#include "tools/colour_lines.h"

namespace velmora {

namespace {

constexpr UINT_PTR kImage1SubclassId = 0x4633;
constexpr COLORREF kKey = RGB(255, 255, 255);          // keyed out: the desktop shows through
constexpr COLORREF kLabelBack = RGB(250, 250, 250);
constexpr COLORREF kLabelText = RGB(0, 0, 255);
struct Place {
    int x, y, w, h;
};
constexpr Place kPicture2 = {0, 81, 41, 40};  // 81.3 pixels: 1220 twips
constexpr Place kImage1 = {80, -6, 33, 33};
constexpr POINT kLabel2 = {56, 80};
constexpr POINT kLabel3 = {56, 96};

Form3::PixelReader g_reader = &::GetPixel;

std::unique_ptr<Form3>& Slot() {
    static std::unique_ptr<Form3> picker;
    return picker;
}

// The program is not DPI-aware (see the manifest), so on a scaled display
// Windows hands it logical coordinates: GetCursorPos is divided down by the
// scale. The screen's device context is not virtualised that way; its
// pixels are the physical ones, so the logical pointer position would read
// a pixel up and to the left of the real one. For the length of a reading
// the thread therefore switches to per-monitor awareness, where the pointer
// and the screen context agree (Windows 10 1607 and later). Older systems
// lack the switch: there GetPhysicalCursorPos gives the pointer in the
// screen context's pixels. The switch creates no window and is undone
// before anything else runs on the thread.
class PhysicalPixels {
public:
    PhysicalPixels() {
        if (Set set = Setter()) {
            previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
            if (!previous_) previous_ = set(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE);
        }
    }
    ~PhysicalPixels() {
        if (previous_) Setter()(previous_);
    }
    PhysicalPixels(const PhysicalPixels&) = delete;
    PhysicalPixels& operator=(const PhysicalPixels&) = delete;

    bool Pointer(POINT* at) const {
        return previous_ ? ::GetCursorPos(at) != FALSE : ::GetPhysicalCursorPos(at) != FALSE;
    }

private:
    using Set = DPI_AWARENESS_CONTEXT(WINAPI*)(DPI_AWARENESS_CONTEXT);
    // Looked up, not linked: the program also runs where user32 lacks it.
    static Set Setter() {
        static const Set set = reinterpret_cast<Set>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetThreadDpiAwarenessContext")));
        return set;
    }
    DPI_AWARENESS_CONTEXT previous_ = nullptr;
};

// Image1's picture: the 16 x 16 cross scaled to the control's 33 x 33 with
// bilinear filtering, then cut at half coverage. The window is keyed on
// pure white, so a soft edge blended with the white under it would leave a
// pale fringe on a dark desktop; a hard edge keeps the cross clean.
UniqueBitmap ScaledCross(int size) {
    UniqueIcon icon(static_cast<HICON>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_FORM3_CROSS), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    if (!icon) return UniqueBitmap();
    ICONINFO info{};
    if (!::GetIconInfo(icon.get(), &info)) return UniqueBitmap();
    UniqueBitmap colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (!colour || !::GetObjectW(colour.get(), sizeof bm, &bm)) return UniqueBitmap();
    const int w = bm.bmWidth, h = bm.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<std::array<float, 4>> src(static_cast<size_t>(w) * h);  // premultiplied b, g, r, a (0..1)
    {
        std::vector<BYTE> bgra(static_cast<size_t>(w) * h * 4);
        UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        if (!::GetDIBits(dc.get(), colour.get(), 0, h, bgra.data(), &bi, DIB_RGB_COLORS)) return UniqueBitmap();
        for (size_t i = 0; i < src.size(); ++i) {
            const float a = bgra[i * 4 + 3] / 255.0f;
            src[i] = {bgra[i * 4] / 255.0f * a, bgra[i * 4 + 1] / 255.0f * a, bgra[i * 4 + 2] / 255.0f * a, a};
        }
    }
    BITMAPINFO out = bi;
    out.bmiHeader.biWidth = size;
    out.bmiHeader.biHeight = -size;
    void* bits = nullptr;
    UniqueBitmap result(::CreateDIBSection(nullptr, &out, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!result || !bits) return UniqueBitmap();
    auto* dst = static_cast<BYTE*>(bits);
    auto at = [&](int x, int y) -> const std::array<float, 4>& {
        return src[static_cast<size_t>(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float fx = (x + 0.5f) * w / size - 0.5f, fy = (y + 0.5f) * h / size - 0.5f;
            const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
            const float tx = fx - x0, ty = fy - y0;
            std::array<float, 4> p{};
            for (int k = 0; k < 4; ++k) {
                p[k] = (at(x0, y0)[k] * (1 - tx) + at(x0 + 1, y0)[k] * tx) * (1 - ty) +
                       (at(x0, y0 + 1)[k] * (1 - tx) + at(x0 + 1, y0 + 1)[k] * tx) * ty;
            }
            BYTE* d = dst + (static_cast<size_t>(y) * size + x) * 4;
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

void AlphaDraw(HDC dc, HBITMAP bitmap, int x, int y) {
    if (!bitmap) return;
    BITMAP bm{};
    ::GetObjectW(bitmap, sizeof bm, &bm);
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectGuard select(source.get(), bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, x, y, bm.bmWidth, bm.bmHeight, source.get(), 0, 0, bm.bmWidth, bm.bmHeight, blend);
}

}  // namespace

void Form3::SetPixelReader(PixelReader reader) { g_reader = reader ? reader : &::GetPixel; }

Form3* Form3::Live() {
    Form3* picker = Slot().get();
    return picker && picker->hwnd() ? picker : nullptr;
}

Form3& Form3::Instance() {
    if (Form3* live = Live()) return *live;
    Slot() = std::make_unique<Form3>();
    Slot()->Create();
    return *Slot();
}

bool Form3::Create() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    RegisterOnce(0, static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, 0, 0,
                                                    LR_DEFAULTSIZE | LR_SHARED)));
    hand_ = static_cast<HCURSOR>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDC_VELMORA_HAND), IMAGE_CURSOR, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    if (!hand_) hand_ = ::LoadCursorW(nullptr, IDC_HAND);
    pipette_.reset(static_cast<HBITMAP>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDB_FORM3_PIPETTE), IMAGE_BITMAP,
                                                     0, 0, LR_CREATEDIBSECTION)));
    cross_ = ScaledCross(kImage1.w);
    {
        WindowDc screen(nullptr);
        const int height = -::MulDiv(9, ::GetDeviceCaps(screen.get(), LOGPIXELSY), 72);
        font_.reset(::CreateFontW(height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
    }
    labelBrush_.reset(::CreateSolidBrush(kLabelBack));
    // No taskbar button: a tool window, and owned by the hidden start-up
    // window (Wine's taskbar lists unowned tool windows too). Topmost from
    // the start as well: under Wine the HWND_TOPMOST of Form_Load, given
    // while the window is still hidden, left it an ordinary window.
    if (!CreateWin(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, kClientWidth,
                   kClientHeight, LiveWindow(WindowKind::yindao))) {
        return false;
    }
    Form_Load();
    return true;
}

void Form3::Form_Load() {
    // Left edge: half the screen less twice the window (so not centred, and
    // partly off a narrow screen); top: 100 twips.
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const double perPixelX = TwipsPerPixelX();
    const double leftTwips = ::GetSystemMetrics(SM_CXSCREEN) * perPixelX / 2 - 2 * (r.right - r.left) * perPixelX;
    const int left = frame::TwipsToPixels(leftTwips, perPixelX);
    const int top = frame::TwipsToPixels(100, TwipsPerPixelY());
    ::SetWindowPos(hwnd(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // Borderless from creation. Colour key: white is not drawn and lets the
    // mouse through.
    const LONG_PTR ex = ::GetWindowLongPtrW(hwnd(), GWL_EXSTYLE);
    ::SetWindowLongPtrW(hwnd(), GWL_EXSTYLE, ex | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(hwnd(), kKey, 0, LWA_COLORKEY);
}

void Form3::CreateControls() {
    picture2_ = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, WC_STATICW, L"",
                                  WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, kPicture2.x, kPicture2.y,
                                  kPicture2.w, kPicture2.h, hwnd(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPicture2Id)), AppInstance(), nullptr);
    image1_ = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY,
                                kImage1.x, kImage1.y, kImage1.w, kImage1.h, hwnd(),
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kImage1Id)), AppInstance(), nullptr);
    ::SetWindowSubclass(image1_, &Form3::Image1Proc, kImage1SubclassId, reinterpret_cast<DWORD_PTR>(this));
    label2_ = MakeLabel(kLabel2Id, L"Label2", kLabel2.x, kLabel2.y);
    label3_ = MakeLabel(kLabel3Id, L"Label3", kLabel3.x, kLabel3.y);

    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 AppInstance(), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(image1_);
    tool.lpszText = const_cast<wchar_t*>(L"关闭");
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND Form3::MakeLabel(int id, const wchar_t* text, int left, int top) {
    // SS_NOTIFY: a press on a label belongs to the label, not to the
    // window beneath it, so it never starts a move.
    HWND label = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, WC_STATICW, L"",
                                   WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, left, top, 1, 1, hwnd(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    SetLabel(label, text);
    return label;
}

void Form3::SetLabel(HWND label, const std::wstring& text) {
    wchar_t now[128] = {};
    ::GetWindowTextW(label, now, 128);
    if (text == now) return;  // ten readings a second mostly repeat the last
    // The label sizes itself to its text, before the text changes, so it
    // paints once. Moving the pointer over one colour region changes
    // digits far more often than widths: no resize, no repaint beneath.
    if (!measure_) measure_.reset(::CreateCompatibleDC(nullptr));
    SelectGuard font(measure_.get(), font_.get());
    SIZE extent{};
    ::GetTextExtentPoint32W(measure_.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(measure_.get(), &metrics);
    RECT r{};
    ::GetWindowRect(label, &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    const int width = std::max<LONG>(extent.cx, 1), height = metrics.tmHeight;
    if (r.right - r.left != width || r.bottom - r.top != height) {
        ::SetWindowPos(label, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
        // The pipette and white where the longer text was.
        r.right = std::max<LONG>(r.right, r.left + width);
        r.bottom = std::max<LONG>(r.bottom, r.top + height);
        ::InvalidateRect(hwnd(), &r, FALSE);
    }
    ::SetWindowTextW(label, text.c_str());
}

// ---- readings

void Form3::Timer1_Timer() {
    PhysicalPixels physical;
    UniqueScreenDc screen(::GetWindowDC(nullptr));
    POINT at{};
    if (!screen || !physical.Pointer(&at)) return;
    const COLORREF colour = g_reader(screen.get(), at.x, at.y);
    // An unreadable pixel (off every monitor, or a desktop that refuses to
    // be read) would otherwise show as white and "Red:255 ..."; the last
    // good reading stays instead.
    if (colour == CLR_INVALID) return;
    if (colour != swatch_) {
        swatch_ = colour;
        ::InvalidateRect(picture2_, nullptr, FALSE);
    }
    const colour::Lines lines = colour::LinesFor(colour);
    SetLabel(label2_, Widen(lines.decimal));
    SetLabel(label3_, Widen(lines.hex));
}

// ---- painting

void Form3::PaintSurface(HDC dc, int originX, int originY) {
    // White everywhere (keyed out), the pipette unscaled at the top-left.
    RECT all{};
    ::GetClipBox(dc, &all);
    UniqueGdiObject white(::CreateSolidBrush(kKey));
    ::FillRect(dc, &all, static_cast<HBRUSH>(white.get()));
    AlphaDraw(dc, pipette_.get(), originX, originY);
}

void Form3::DrawSwatch(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    UniqueGdiObject fill(::CreateSolidBrush(swatch_));
    ::FillRect(dc, &r, static_cast<HBRUSH>(fill.get()));
    // Shape1, the frame: white round the corners and a white line inside
    // the edge; Shape2, the sight: a white ring in the middle. Both are
    // keyed out, so the desktop shows through them.
    UniqueGdiObject whiteBrush(::CreateSolidBrush(kKey));
    UniqueRegion outside(::CreateRectRgn(0, 0, 41, 41));
    UniqueRegion rounded(::CreateRoundRectRgn(0, 0, 42, 41, 14, 14));
    ::CombineRgn(outside.get(), outside.get(), rounded.get(), RGN_DIFF);
    ::FillRgn(dc, outside.get(), static_cast<HBRUSH>(whiteBrush.get()));
    UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, kKey));
    SelectGuard usePen(dc, pen.get());
    SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
    ::RoundRect(dc, 3, 3, 38, 37, 9, 9);
    ::Ellipse(dc, 16, 16, 25, 25);
}

void Form3::DrawImage1(const DRAWITEMSTRUCT& item) {
    // The pipette beneath the cross, then the cross.
    PaintSurface(item.hDC, -kImage1.x, -kImage1.y);
    AlphaDraw(item.hDC, cross_.get(), 0, 0);
}

// ---- mouse

void Form3::Form_MouseDown(int button) {
    if (button != 1) return;
    // The system's own move loop, as if the caption had been pressed. The
    // pointer goes along so the loop starts where the press was.
    POINT at{};
    ::GetCursorPos(&at);
    ::ReleaseCapture();
    ::SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
}

void Form3::Image1_Click() { ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

LRESULT CALLBACK Form3::Image1Proc(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &Form3::Image1Proc, kImage1SubclassId);
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    return reinterpret_cast<Form3*>(data)->OnImage1Message(msg, wp, lp);
}

LRESULT Form3::OnImage1Message(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_SETCURSOR:
            ::SetCursor(hand_);
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            image1Pressed_ = true;
            ::SetCapture(image1_);
            return 0;
        case WM_LBUTTONUP: {
            // A click: pressed and released over the cross.
            const bool wasPressed = image1Pressed_;
            image1Pressed_ = false;
            if (::GetCapture() == image1_) ::ReleaseCapture();
            RECT r{};
            ::GetClientRect(image1_, &r);
            const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (wasPressed && ::PtInRect(&r, at)) Image1_Click();
            return 0;
        }
        case WM_CAPTURECHANGED:
            image1Pressed_ = false;
            break;
        default:
            break;
    }
    return ::DefSubclassProc(image1_, msg, wp, lp);
}

// ---- window

LRESULT Form3::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            RegisterLiveWindow(WindowKind::Form3, hwnd());
            CreateControls();
            return 0;
        case WM_TIMER:
            if (wp == kTimer1) Timer1_Timer();
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
            if (item.CtlID == kPicture2Id) DrawSwatch(item);
            if (item.CtlID == kImage1Id) DrawImage1(item);
            return TRUE;
        }
        case WM_CTLCOLORSTATIC: {
            HDC dc = reinterpret_cast<HDC>(wp);
            ::SetTextColor(dc, kLabelText);
            ::SetBkColor(dc, kLabelBack);
            return reinterpret_cast<LRESULT>(labelBrush_.get());
        }
        case WM_LBUTTONDOWN:
            Form_MouseDown(1);
            return 0;
        case WM_RBUTTONDOWN:
            Form_MouseDown(2);
            return 0;
        case WM_MBUTTONDOWN:
            Form_MouseDown(4);
            return 0;
        case WM_CLOSE:
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kTimer1);
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

void Form3::OnWindowGone(HWND gone) {
    ForgetLiveWindow(WindowKind::Form3, gone);
    image1_ = picture2_ = label2_ = label3_ = tooltip_ = nullptr;
    pipette_.reset();
    cross_.reset();
    font_.reset();
    labelBrush_.reset();
    measure_.reset();
    swatch_ = RGB(255, 255, 255);
    image1Pressed_ = false;
}

}  // namespace velmora
