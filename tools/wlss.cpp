#include "tools/wlss.h"

#include <commctrl.h>

#include <memory>
#include <string>

#include "app/resource.h"
#include "frame/frame_layout.h"
#include "frame/skinned_window.h"
#include "platform/effects.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "shell/app_windows.h"
#include "tools/search_address.h"

namespace velmora {

namespace {

constexpr UINT_PTR kControlSubclassId = 0x574C;

std::unique_ptr<Wlss>& Slot() {
    static std::unique_ptr<Wlss> window;
    return window;
}

// Places in twips (15 to a pixel at 96 dots per inch): Text1's 26.7-pixel
// height and Command1's 10.7-pixel top are 400 and 160 twips.
struct TwipsRect {
    int left, top, width, height;
};
constexpr int kClientWidth = 327 * 15, kClientHeight = 111 * 15;
constexpr TwipsRect kImage1{0, 0, 65 * 15, 66 * 15};
constexpr TwipsRect kPicture1{0, 64 * 15, 329 * 15, 57 * 15};
// Inside Picture1.
constexpr TwipsRect kText1{8 * 15, 8 * 15, 257 * 15, 400};
constexpr TwipsRect kCommand1{272 * 15, 160, 25 * 15, 25 * 15};
constexpr TwipsRect kImage2{304 * 15, 0, 17 * 15, 17 * 15};

int PxX(int twips) { return frame::TwipsToPixels(twips, TwipsPerPixelX()); }
int PxY(int twips) { return frame::TwipsToPixels(twips, TwipsPerPixelY()); }

UniqueGdiObject SongTi(int tenthsOfPoint) {
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(tenthsOfPoint, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    ::ReleaseDC(nullptr, screen);
    return UniqueGdiObject(::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, GB2312_CHARSET,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

UniqueBitmap LoadPicture(int id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

RECT ChildRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int TextHeight(HFONT font) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    SelectGuard use(dc.get(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return metrics.tmHeight;
}

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    TRIVERTEX v[2] = {
        {r.left, r.top, static_cast<COLOR16>(GetRValue(top) << 8), static_cast<COLOR16>(GetGValue(top) << 8),
         static_cast<COLOR16>(GetBValue(top) << 8), 0xFF00},
        {r.right, r.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8), static_cast<COLOR16>(GetGValue(bottom) << 8),
         static_cast<COLOR16>(GetBValue(bottom) << 8), 0xFF00},
    };
    GRADIENT_RECT g{0, 1};
    ::GdiGradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

}  // namespace

// ---- Picture1

bool GrassStrip::Create(Wlss& owner, int left, int top, int width, int height, int id) {
    owner_ = &owner;
    RegisterOnce(0, nullptr, ::LoadCursorW(nullptr, IDC_ARROW));
    return CreateWin(0, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, left, top, width, height,
                     owner.hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)));
}

LRESULT GrassStrip::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT: {
            PaintScope paint(hwnd());
            owner_->PaintGrass(paint.dc(), paint.dirty());
            return 0;
        }
        case WM_LBUTTONDOWN:
            owner_->Picture1_MouseDown(1);
            return 0;
        case WM_RBUTTONDOWN:
            owner_->Picture1_MouseDown(2);
            return 0;
        case WM_MBUTTONDOWN:
            owner_->Picture1_MouseDown(4);
            return 0;
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_NOTIFY:
            // The strip only holds the controls; the search box answers them.
            if (owner_->hwnd()) return ::SendMessageW(owner_->hwnd(), msg, wp, lp);
            break;
        default:
            break;
    }
    return Default(msg, wp, lp);
}

// ---- the window

Wlss* Wlss::Live() {
    Wlss* window = Slot().get();
    return window && window->hwnd() ? window : nullptr;
}

Wlss& Wlss::Instance() {
    if (Wlss* live = Live()) return *live;
    Slot() = std::make_unique<Wlss>();
    Slot()->Create();
    return *Slot();
}

HWND Wlss::CreateHidden() { return Instance().hwnd(); }

bool Wlss::Create() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    RegisterOnce(0, nullptr, ::LoadCursorW(nullptr, IDC_ARROW));
    hand_ = static_cast<HCURSOR>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDC_VELMORA_HAND), IMAGE_CURSOR, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    if (!hand_) hand_ = ::LoadCursorW(nullptr, IDC_HAND);
    // No frame and no taskbar button. A tool window has none on Windows'
    // own taskbar; a window owned by a hidden one has none on any shell's.
    owner_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, WC_STATICW, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   AppInstance(), nullptr));
    if (!CreateWin(WS_EX_TOOLWINDOW, kCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, PxX(kClientWidth),
                   PxY(kClientHeight), owner_.get())) {
        owner_.reset();
        return false;
    }
    Form_Load();
    return true;
}

void Wlss::Form_Load() {
    frameIndex_ = 0;
    // Colour keyed: every pure-white pixel is left out, and clicks there
    // reach whatever lies beneath.
    const LONG exStyle = ::GetWindowLongW(hwnd(), GWL_EXSTYLE);
    ::SetWindowLongW(hwnd(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(hwnd(), kKeyColour, 0, LWA_COLORKEY);
    // Centred on the screen.
    const double screenWidth = ::GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX();
    const double screenHeight = ::GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY();
    SetWindowTwips(hwnd(), TwipsField::Left, screenWidth / 2 - WindowTwips(hwnd(), TwipsField::Width) / 2);
    SetWindowTwips(hwnd(), TwipsField::Top, screenHeight / 2 - WindowTwips(hwnd(), TwipsField::Height) / 2);
}

void Wlss::CreateControls() {
    for (int i = 0; i < kMushroomCount; ++i) mushrooms_[i] = LoadPicture(IDB_WLSS_MUSHROOM_FIRST + i);
    grass_ = LoadPicture(IDB_WLSS_GRASS);
    ball_.reset(static_cast<HICON>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_WLSS_BALL), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    fieldFont_ = SongTi(105);
    buttonFont_ = SongTi(90);
    fieldBrush_.reset(::CreateSolidBrush(kFieldColour));
    whiteBrush_.reset(::CreateSolidBrush(kKeyColour));

    // The grass strip first: it lies above the mushroom's foot.
    picture1_.Create(*this, PxX(kPicture1.left), PxY(kPicture1.top), PxX(kPicture1.width), PxY(kPicture1.height),
                     kPicture1Id);
    for (int i = kMushroomCount - 1; i >= 0; --i) {
        image1_[i] = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, WC_STATICW, L"",
                                       WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_OWNERDRAW | SS_NOTIFY,
                                       PxX(kImage1.left), PxY(kImage1.top), PxX(kImage1.width), PxY(kImage1.height),
                                       hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kImage1Id + i)),
                                       AppInstance(), nullptr);
        ::SetWindowSubclass(image1_[i], &Wlss::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
    }

    HWND strip = picture1_.hwnd();
    auto child = [&](const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, const TwipsRect& r,
                     int id) {
        HWND control = ::CreateWindowExW(exStyle | WS_EX_NOPARENTNOTIFY, cls, text,
                                         WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, PxX(r.left), PxY(r.top),
                                         PxX(r.width), PxY(r.height), strip,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
        ::SetWindowSubclass(control, &Wlss::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
        return control;
    };
    // Tab order: Text1, then Command1.
    // Its one-pixel frame is drawn by the field's own non-client painting
    // (WS_BORDER would have the edit control draw it inside the text area).
    text1_ = child(WC_EDITW, L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, 0, kText1, kText1Id);
    ::SendMessageW(text1_, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont_.get()), FALSE);
    ::SendMessageW(text1_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(3, 3));
    // Let the field work out its text's place in the middle (WM_NCCALCSIZE).
    ::SetWindowPos(text1_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    command1_ = child(WC_BUTTONW, L"搜", BS_PUSHBUTTON | BS_OWNERDRAW | WS_TABSTOP, 0, kCommand1, kCommand1Id);
    ::SendMessageW(command1_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), FALSE);
    image2_ = child(WC_STATICW, L"", SS_OWNERDRAW | SS_NOTIFY, 0, kImage2, kImage2Id);

    // The close ball's tip, a tooltip of the system's own.
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr,
                                 AppInstance(), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = strip;
    tool.uId = reinterpret_cast<UINT_PTR>(image2_);
    wchar_t tip[] = L"关闭";
    tool.lpszText = tip;
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// ---- handlers

void Wlss::Command1_Click() {
    const int length = ::GetWindowTextLengthW(text1_);
    if (length <= 0) {
        ShowMessage(hwnd(), kEmptyKeywordText, kMessageTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    std::wstring keyword(static_cast<size_t>(length) + 1, L'\0');
    keyword.resize(static_cast<size_t>(::GetWindowTextW(text1_, keyword.data(), length + 1)));
    // A shell failure (no browser, address refused) is not reported.
    Effects().ShellExecuteA(hwnd(), "open", search::SearchAddress(Narrow(keyword)), "", "", SW_HIDE);
}

void Wlss::Text1_KeyDown(WPARAM key) {
    if (key == VK_RETURN) Command1_Click();
}

void Wlss::Timer1_Timer() {
    frameIndex_ += 1;
    if (frameIndex_ == 4) frameIndex_ = 0;
    for (HWND image : image1_) ::ShowWindow(image, SW_HIDE);
    if (frameIndex_ >= 0 && frameIndex_ < kMushroomCount) ::ShowWindow(image1_[frameIndex_], SW_SHOW);
}

void Wlss::Picture1_MouseDown(int button) {
    if (button == 1) frame::BeginWindowDrag(hwnd());
}

void Wlss::Image1_MouseDown(int, int button) { Picture1_MouseDown(button); }

void Wlss::Image2_Click() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

// ---- painting

void Wlss::PaintGrass(HDC dc, const RECT& area) {
    ::FillRect(dc, &area, static_cast<HBRUSH>(whiteBrush_.get()));
    if (!grass_) return;
    // Unscaled from the picture's top-left corner.
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectGuard select(source.get(), grass_.get());
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), area.left,
             area.top, SRCCOPY);
}

void Wlss::PaintMushrooms(HDC dc) {
    // The elements stand on one another in index order, the last on top.
    const RECT r{0, 0, PxX(kImage1.width), PxY(kImage1.height)};
    ::FillRect(dc, &r, static_cast<HBRUSH>(whiteBrush_.get()));
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (int i = 0; i < kMushroomCount; ++i) {
        // The element's own visibility, whether or not the window is shown yet.
        if (!mushrooms_[i] || !image1_[i] || !(::GetWindowLongW(image1_[i], GWL_STYLE) & WS_VISIBLE)) continue;
        BITMAP info{};
        ::GetObjectW(mushrooms_[i].get(), sizeof info, &info);
        SelectGuard select(source.get(), mushrooms_[i].get());
        ::GdiAlphaBlend(dc, r.left, r.top, r.right, r.bottom, source.get(), 0, 0, info.bmWidth, info.bmHeight, blend);
    }
}

void Wlss::DrawCommand1(const DRAWITEMSTRUCT& item, const RECT& inStrip) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const int h = r.bottom - r.top;
    // The grass round the button's corners.
    POINT old{};
    ::SetViewportOrgEx(dc, -inStrip.left, -inStrip.top, &old);
    PaintGrass(dc, inStrip);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);

    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const bool focus = (item.itemState & ODS_FOCUS) != 0;
    UniqueRegion shape(::CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, 8, 8));
    ::SelectClipRgn(dc, shape.get());
    // A glassy blue: light above, a brighter upper half, deeper at the foot.
    // Never pure white, which the window keys out.
    const RECT upper{r.left, r.top, r.right, r.top + h / 2};
    const RECT lower{r.left, r.top + h / 2, r.right, r.bottom};
    if (down) {
        FillGradient(dc, upper, RGB(120, 170, 226), RGB(92, 148, 214));
        FillGradient(dc, lower, RGB(70, 128, 204), RGB(104, 160, 224));
    } else {
        FillGradient(dc, upper, RGB(238, 246, 254), RGB(196, 224, 250));
        FillGradient(dc, lower, RGB(160, 204, 244), RGB(118, 176, 236));
    }
    ::SelectClipRgn(dc, nullptr);
    UniqueGdiObject rim(::CreateSolidBrush(focus ? RGB(22, 74, 150) : RGB(52, 102, 170)));
    ::FrameRgn(dc, shape.get(), static_cast<HBRUSH>(rim.get()), 1, 1);
    if (focus) {
        UniqueRegion inner(::CreateRoundRectRgn(r.left + 1, r.top + 1, r.right, r.bottom, 6, 6));
        UniqueGdiObject ring(::CreateSolidBrush(RGB(250, 214, 96)));
        ::FrameRgn(dc, inner.get(), static_cast<HBRUSH>(ring.get()), 1, 1);
    }
    wchar_t caption[16] = {};
    const int length = ::GetWindowTextW(item.hwndItem, caption, 16);
    SelectGuard font(dc, buttonFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, down ? RGB(250, 250, 252) : RGB(16, 44, 96));
    RECT text = r;
    if (down) ::OffsetRect(&text, 1, 1);
    ::DrawTextW(dc, caption, length, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Wlss::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID >= kImage1Id && item.CtlID < kImage1Id + kMushroomCount) {
        PaintMushrooms(item.hDC);
        return;
    }
    const RECT inStrip = ChildRect(item.hwndItem);
    if (item.hwndItem == command1_) {
        DrawCommand1(item, inStrip);
    } else if (item.hwndItem == image2_) {
        POINT old{};
        ::SetViewportOrgEx(item.hDC, -inStrip.left, -inStrip.top, &old);
        PaintGrass(item.hDC, inStrip);
        ::SetViewportOrgEx(item.hDC, old.x, old.y, nullptr);
        // The ball icon, scaled to fit.
        if (ball_) {
            ::DrawIconEx(item.hDC, 0, 0, ball_.get(), inStrip.right - inStrip.left, inStrip.bottom - inStrip.top, 0,
                         nullptr, DI_NORMAL);
        }
    }
}

LRESULT Wlss::ControlColour(HDC dc, HWND control) {
    if (control == text1_) {
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, kFieldColour);
        return reinterpret_cast<LRESULT>(fieldBrush_.get());
    }
    return reinterpret_cast<LRESULT>(whiteBrush_.get());
}

// ---- controls

LRESULT CALLBACK Wlss::ControlProc(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &Wlss::ControlProc, kControlSubclassId);
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    return reinterpret_cast<Wlss*>(data)->OnControlMessage(control, msg, wp, lp);
}

LRESULT Wlss::OnText1Message(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
            if (wp == VK_TAB) {
                ::SetFocus(command1_);
                return 0;
            }
            Text1_KeyDown(wp);
            break;  // the key goes on to the field
        case WM_CHAR:
            // Enter and Tab have done their work as keys; as characters a
            // one-line field would only beep.
            if (wp == L'\r' || wp == L'\t') return 0;
            break;
        case WM_NCCALCSIZE: {
            // A one-pixel frame, and the line of text in the middle of
            // the field's height.
            RECT& client = wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : *reinterpret_cast<RECT*>(lp);
            ::InflateRect(&client, -1, -1);
            const int line = TextHeight(static_cast<HFONT>(fieldFont_.get()));
            const int spare = (client.bottom - client.top) - line;
            if (spare > 1) {
                client.top += spare / 2;
                client.bottom -= spare - spare / 2;
            }
            return 0;
        }
        case WM_NCPAINT: {
            // The frame, and the band between it and the text in the
            // field's own colour.
            HDC dc = ::GetWindowDC(control);
            if (dc) {
                RECT window{}, client{};
                ::GetWindowRect(control, &window);
                ::GetClientRect(control, &client);
                ::MapWindowPoints(control, nullptr, reinterpret_cast<POINT*>(&client), 2);
                ::OffsetRect(&client, -window.left, -window.top);
                const RECT whole{0, 0, window.right - window.left, window.bottom - window.top};
                ::ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
                ::FillRect(dc, &whole, static_cast<HBRUSH>(fieldBrush_.get()));
                UniqueGdiObject frame(::CreateSolidBrush(RGB(72, 92, 78)));
                ::FrameRect(dc, &whole, static_cast<HBRUSH>(frame.get()));
                ::ReleaseDC(control, dc);
            }
            return 0;
        }
        default:
            break;
    }
    return ::DefSubclassProc(control, msg, wp, lp);
}

LRESULT Wlss::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (control == text1_) return OnText1Message(control, msg, wp, lp);
    if (control == command1_) {
        if (msg == WM_KEYDOWN && wp == VK_TAB) {
            ::SetFocus(text1_);
            return 0;
        }
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    if (control == image2_) {
        switch (msg) {
            case WM_SETCURSOR:
                ::SetCursor(hand_);
                return TRUE;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                pressed_ = control;
                ::SetCapture(control);
                return 0;
            case WM_LBUTTONUP: {
                // A click: pressed and released on the ball.
                const bool wasPressed = pressed_ == control;
                pressed_ = nullptr;
                if (::GetCapture() == control) ::ReleaseCapture();
                RECT r{};
                ::GetClientRect(control, &r);
                const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                if (wasPressed && ::PtInRect(&r, at)) {
                    Image2_Click();
                    return 0;
                }
                return 0;
            }
            case WM_CAPTURECHANGED:
                if (pressed_ == control) pressed_ = nullptr;
                break;
            default:
                break;
        }
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    for (int i = 0; i < kMushroomCount; ++i) {
        if (control != image1_[i]) continue;
        switch (msg) {
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                Image1_MouseDown(i, 1);
                return 0;
            case WM_RBUTTONDOWN:
            case WM_RBUTTONDBLCLK:
                Image1_MouseDown(i, 2);
                return 0;
            case WM_MBUTTONDOWN:
            case WM_MBUTTONDBLCLK:
                Image1_MouseDown(i, 4);
                return 0;
            default:
                break;
        }
    }
    return ::DefSubclassProc(control, msg, wp, lp);
}

LRESULT Wlss::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            RegisterLiveWindow(WindowKind::wlss, hwnd());
            CreateControls();
            ::SetTimer(hwnd(), kTimer1, kTimer1Interval, nullptr);
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT: {
            // The white of the window, keyed out.
            PaintScope paint(hwnd());
            ::FillRect(paint.dc(), &paint.dirty(), static_cast<HBRUSH>(whiteBrush_.get()));
            return 0;
        }
        case WM_ACTIVATE:  // Form_Activate
            if (LOWORD(wp) != WA_INACTIVE && text1_) ::SetFocus(text1_);
            return 0;
        case WM_TIMER:
            if (wp == kTimer1) Timer1_Timer();
            return 0;
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ControlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lp) == command1_ && HIWORD(wp) == BN_CLICKED) Command1_Click();
            return 0;
        case WM_CLOSE:
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kTimer1);
            return 0;
        default:
            break;
    }
    return Default(msg, wp, lp);
}

void Wlss::OnWindowGone(HWND gone) {
    ForgetLiveWindow(WindowKind::wlss, gone);
    owner_.reset();
    ForgetWindowTwips(gone);
    image1_ = {};
    text1_ = command1_ = image2_ = tooltip_ = nullptr;
    for (auto& m : mushrooms_) m.reset();
    grass_.reset();
    ball_.reset();
    fieldFont_.reset();
    buttonFont_.reset();
    fieldBrush_.reset();
    whiteBrush_.reset();
    pressed_ = nullptr;
}

}  // namespace velmora
