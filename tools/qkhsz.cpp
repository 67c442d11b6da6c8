#include "tools/qkhsz.h"

#include <commctrl.h>

#include <memory>

#include "app/resource.h"
#include "frame/frame_layout.h"
#include "platform/effects.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "shell/app_windows.h"
#include "tools/recycle_rules.h"

namespace velmora {

namespace {

constexpr UINT_PTR kControlSubclassId = 0x5148;

std::unique_ptr<Qkhsz>& Slot() {
    static std::unique_ptr<Qkhsz> window;
    return window;
}

std::optional<std::wstring>& CommandLineOverride() {
    static std::optional<std::wstring> line;
    return line;
}

// Design sizes are pixels at 96 dots per inch, 15 twips each; the window
// holds twips and the screen decides the pixels.
constexpr int kTwips = 15;
int PxX(int designPixels) { return frame::TwipsToPixels(designPixels * kTwips, TwipsPerPixelX()); }
int PxY(int designPixels) { return frame::TwipsToPixels(designPixels * kTwips, TwipsPerPixelY()); }

constexpr int kClientWidth = 321, kClientHeight = 145;
constexpr RECT kImgTitle{0, 0, 420, 26};  // left, top, width, height
constexpr RECT kImage1{4, 4, 16, 16};
constexpr POINT kLabel3Shadow{24, 8};  // Label3(0)
constexpr POINT kLabel3Text{23, 7};    // Label3(1)
constexpr RECT kLabel4{304, 5, 9, 16};
constexpr RECT kFraOptions{8, 32, 305, 73};
// Check boxes sit in fraOptions: their places count from its corner.
constexpr RECT kChkNoConf{8, 16, 193, 17};
constexpr RECT kChkNoProgress{8, 32, 201, 17};
constexpr RECT kChkNoSound{8, 48, 193, 17};
constexpr RECT kCmdRecBin{24, 112, 73, 17};
constexpr RECT kCmdQuit{144, 112, 81, 17};

// 宋体 at the given size in tenths of a point, GB2312 character set.
UniqueGdiObject SongTi(int tenthsOfPoint, bool bold) {
    HDC screen = ::GetDC(nullptr);
    const int height = -::MulDiv(tenthsOfPoint, ::GetDeviceCaps(screen, LOGPIXELSY), 720);
    ::ReleaseDC(nullptr, screen);
    return UniqueGdiObject(::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                                         GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, L"宋体"));
}

SIZE TextExtent(HFONT font, const std::wstring& text) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    SelectGuard use(dc.get(), font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

RECT ChildRect(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

Qkhsz* Qkhsz::Live() {
    Qkhsz* window = Slot().get();
    return window && window->hwnd() ? window : nullptr;
}

Qkhsz& Qkhsz::Instance() {
    if (Qkhsz* live = Live()) return *live;
    // The previous window is gone; its object goes now.
    Slot() = std::make_unique<Qkhsz>();
    Slot()->Create();
    return *Slot();
}

HWND Qkhsz::CreateHidden() { return Instance().hwnd(); }

void Qkhsz::EmptyRecycleBinRequest() {
    Qkhsz& window = Instance();
    // A command line may have had the load step empty the bin and close
    // the window again. The request then ends here: the window it asked is
    // gone, and a second emptying with options nobody set would surprise.
    if (!window.hwnd()) return;
    window.cmdRecBin_Click();
}

void Qkhsz::SetCommandLineForLoad(std::optional<std::wstring> commandLine) {
    CommandLineOverride() = std::move(commandLine);
}

bool Qkhsz::Create() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    RegisterOnce(0, nullptr, ::LoadCursorW(nullptr, IDC_ARROW));
    hand_ = static_cast<HCURSOR>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDC_VELMORA_HAND), IMAGE_CURSOR, 0, 0,
                                              LR_DEFAULTSIZE | LR_SHARED));
    if (!hand_) hand_ = ::LoadCursorW(nullptr, IDC_HAND);
    // No frame and no taskbar button; never shown by the program itself.
    if (!CreateWin(WS_EX_TOOLWINDOW, kCaption, WS_POPUP | WS_CLIPCHILDREN, 0, 0, PxX(kClientWidth),
                   PxY(kClientHeight))) {
        return false;
    }
    Form_Load();
    return true;
}

void Qkhsz::CreateControls() {
    font_ = SongTi(90, false);
    titleFont_ = SongTi(90, true);
    closeFont_ = SongTi(120, true);
    white_.reset(::CreateSolidBrush(RGB(255, 255, 255)));
    title_.reset(static_cast<HBITMAP>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDB_QKHSZ_TITLE), IMAGE_BITMAP, 0,
                                                   0, LR_CREATEDIBSECTION)));
    binIcon_.reset(static_cast<HICON>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_QKHSZ_BIN), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));

    // Earlier controls lie on top: the close "X", the captions and the icon
    // above the title picture, the check boxes above their frame.
    const HFONT closeFont = static_cast<HFONT>(closeFont_.get());
    const HFONT titleFont = static_cast<HFONT>(titleFont_.get());
    const HFONT font = static_cast<HFONT>(font_.get());
    const DWORD picture = SS_OWNERDRAW | SS_NOTIFY;
    label4_ = MakeControl(WC_STATICW, L"X", picture, kLabel4Id, kLabel4.left, kLabel4.top, kLabel4.right,
                          kLabel4.bottom, closeFont);
    // Label3 sizes itself to its text.
    const SIZE caption = TextExtent(titleFont, kCaption);
    const int captionWidth = frame::RoundHalfEven(caption.cx * TwipsPerPixelX() / kTwips);
    const int captionHeight = frame::RoundHalfEven(caption.cy * TwipsPerPixelY() / kTwips);
    label3_[1] = MakeControl(WC_STATICW, kCaption, picture, kLabel3Id + 1, kLabel3Text.x, kLabel3Text.y,
                             captionWidth, captionHeight, titleFont);
    label3_[0] = MakeControl(WC_STATICW, kCaption, picture, kLabel3Id, kLabel3Shadow.x, kLabel3Shadow.y,
                             captionWidth, captionHeight, titleFont);
    image1_ = MakeControl(WC_STATICW, L"", picture, kImage1Id, kImage1.left, kImage1.top, kImage1.right,
                          kImage1.bottom, nullptr);
    imgTitle_ = MakeControl(WC_STATICW, L"", picture, kImgTitleId, kImgTitle.left, kImgTitle.top, kImgTitle.right,
                            kImgTitle.bottom, nullptr);

    const DWORD check = BS_3STATE | WS_TABSTOP;
    auto inFrame = [&](const RECT& r, const wchar_t* text, int id) {
        HWND box = MakeControl(WC_BUTTONW, text, check, id, kFraOptions.left + r.left, kFraOptions.top + r.top,
                               r.right, r.bottom, font);
        ::SendMessageW(box, BM_SETCHECK, recycle::kChecked, 0);
        return box;
    };
    chkNoConf_ = inFrame(kChkNoConf, L"不出现提示信息", kChkNoConfId);
    chkNoProgress_ = inFrame(kChkNoProgress, L"不显示进度", kChkNoProgressId);
    chkNoSound_ = inFrame(kChkNoSound, L"没有声效", kChkNoSoundId);
    fraOptions_ = MakeControl(WC_BUTTONW, L"选项", BS_GROUPBOX, kFraOptionsId, kFraOptions.left, kFraOptions.top,
                              kFraOptions.right, kFraOptions.bottom, font);
    cmdRecBin_ = MakeControl(WC_BUTTONW, L"清空回收站", BS_PUSHBUTTON | WS_TABSTOP, kCmdRecBinId, kCmdRecBin.left,
                             kCmdRecBin.top, kCmdRecBin.right, kCmdRecBin.bottom, font);
    cmdQuit_ = MakeControl(WC_BUTTONW, L"退出", BS_PUSHBUTTON | WS_TABSTOP, kCmdQuitId, kCmdQuit.left,
                           kCmdQuit.top, kCmdQuit.right, kCmdQuit.bottom, font);
}

HWND Qkhsz::MakeControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int left, int top, int width,
                        int height, HFONT font) {
    HWND control = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                                     PxX(left), PxY(top), PxX(width), PxY(height), hwnd(),
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
    if (font) ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SetWindowSubclass(control, &Qkhsz::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return control;
}

void Qkhsz::Form_Load() {
    // Centred on the screen.
    const double screenWidth = ::GetSystemMetrics(SM_CXSCREEN) * TwipsPerPixelX();
    const double screenHeight = ::GetSystemMetrics(SM_CYSCREEN) * TwipsPerPixelY();
    SetWindowTwips(hwnd(), TwipsField::Left, screenWidth / 2 - WindowTwips(hwnd(), TwipsField::Width) / 2);
    SetWindowTwips(hwnd(), TwipsField::Top, screenHeight / 2 - WindowTwips(hwnd(), TwipsField::Height) / 2);

    const std::wstring line = CommandLineOverride() ? *CommandLineOverride() : std::wstring(::GetCommandLineW());
    const std::string full = Narrow(line);
    const recycle::CommandLineAction action = recycle::ActOnCommandLine(recycle::CommandLineArguments(full));
    switch (action.kind) {
        case recycle::CommandLineAction::None:
            break;
        case recycle::CommandLineAction::EmptyAndClose:
            EmptyBin(action.flags);
            cmdQuit_Click();
            break;
        case recycle::CommandLineAction::Close:
            cmdQuit_Click();
            break;
    }
}

void Qkhsz::cmdRecBin_Click() {
    // The options are read from the boxes at this moment: they are the
    // only record of them.
    auto value = [](HWND box) { return static_cast<int>(::SendMessageW(box, BM_GETCHECK, 0, 0)); };
    EmptyBin(recycle::ComposeFlags(value(chkNoConf_), value(chkNoProgress_), value(chkNoSound_)));
}

void Qkhsz::EmptyBin(std::uint32_t flags) {
    // The result is not looked at: an empty bin or a refusal says nothing.
    Effects().SHEmptyRecycleBinA(hwnd(), flags);
}

void Qkhsz::cmdQuit_Click() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

void Qkhsz::SetCloseColour(COLORREF colour) {
    if (colour == closeColour_) return;
    closeColour_ = colour;
    if (label4_) ::InvalidateRect(label4_, nullptr, FALSE);
}

// The title band: the gradient, the icon, the caption with its shadow, the
// "X" and the outline of Shape1, in client coordinates. Every control of
// the band draws it whole, clipped to itself, so overlapping controls agree
// to the pixel.
void Qkhsz::PaintBand(HDC dc) {
    RECT band{0, 0, PxX(kImgTitle.right), PxY(kImgTitle.bottom)};
    if (title_) {
        BITMAP info{};
        ::GetObjectW(title_.get(), sizeof info, &info);
        UniqueMemoryDc source(::CreateCompatibleDC(dc));
        SelectGuard select(source.get(), title_.get());
        ::SetStretchBltMode(dc, HALFTONE);
        ::SetBrushOrgEx(dc, 0, 0, nullptr);
        ::StretchBlt(dc, band.left, band.top, band.right, band.bottom, source.get(), 0, 0, info.bmWidth,
                     info.bmHeight, SRCCOPY);
    } else {
        ::FillRect(dc, &band, static_cast<HBRUSH>(white_.get()));
    }
    if (binIcon_) {
        ::DrawIconEx(dc, PxX(kImage1.left), PxY(kImage1.top), binIcon_.get(), PxX(kImage1.right),
                     PxY(kImage1.bottom), 0, nullptr, DI_NORMAL);
    }
    ::SetBkMode(dc, TRANSPARENT);
    {
        SelectGuard font(dc, titleFont_.get());
        const int length = static_cast<int>(wcslen(kCaption));
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::TextOutW(dc, PxX(kLabel3Shadow.x), PxY(kLabel3Shadow.y), kCaption, length);
        ::SetTextColor(dc, kTitleTextColour);
        ::TextOutW(dc, PxX(kLabel3Text.x), PxY(kLabel3Text.y), kCaption, length);
    }
    {
        SelectGuard font(dc, closeFont_.get());
        ::SetTextColor(dc, closeColour_);
        ::TextOutW(dc, PxX(kLabel4.left), PxY(kLabel4.top), L"X", 1);
    }
    UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, kShapeColour));
    SelectGuard usePen(dc, pen.get());
    SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, 0, 0, PxX(kClientWidth), PxY(kClientHeight));
}

void Qkhsz::DrawItem(const DRAWITEMSTRUCT& item) {
    const RECT r = ChildRect(item.hwndItem);
    POINT old{};
    ::SetViewportOrgEx(item.hDC, -r.left, -r.top, &old);
    PaintBand(item.hDC);
    ::SetViewportOrgEx(item.hDC, old.x, old.y, nullptr);
}

LRESULT CALLBACK Qkhsz::ControlProc(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &Qkhsz::ControlProc, kControlSubclassId);
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    return reinterpret_cast<Qkhsz*>(data)->OnControlMessage(control, msg, wp, lp);
}

LRESULT Qkhsz::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (control == label4_) {
        switch (msg) {
            case WM_SETCURSOR:
                ::SetCursor(hand_);
                return TRUE;
            case WM_MOUSEMOVE:  // Label4_MouseMove
                SetCloseColour(kCloseHotColour);
                return 0;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                pressed_ = control;
                ::SetCapture(control);
                return 0;
            case WM_LBUTTONUP: {
                const bool wasPressed = pressed_ == control;
                pressed_ = nullptr;
                if (::GetCapture() == control) ::ReleaseCapture();
                RECT r{};
                ::GetClientRect(control, &r);
                const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
                if (wasPressed && ::PtInRect(&r, at)) Label4_Click();
                return 0;
            }
            case WM_CAPTURECHANGED:
                pressed_ = nullptr;
                break;
            default:
                break;
        }
    } else if (control == imgTitle_ && msg == WM_MOUSEMOVE) {  // ImgTitle_MouseMove
        SetCloseColour(kCloseColour);
        return 0;
    } else if (control == fraOptions_ && msg == WM_ERASEBKGND) {
        // A frame paints only its line and caption; its inside is the
        // window's white.
        RECT r{};
        ::GetClientRect(control, &r);
        ::FillRect(reinterpret_cast<HDC>(wp), &r, static_cast<HBRUSH>(white_.get()));
        return TRUE;
    }
    return ::DefSubclassProc(control, msg, wp, lp);
}

LRESULT Qkhsz::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            RegisterLiveWindow(WindowKind::qkhsz, hwnd());
            CreateControls();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT: {
            PaintScope paint(hwnd());
            RECT client{};
            ::GetClientRect(hwnd(), &client);
            ::FillRect(paint.dc(), &client, static_cast<HBRUSH>(white_.get()));
            UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, kShapeColour));
            SelectGuard usePen(paint.dc(), pen.get());
            SelectGuard noFill(paint.dc(), ::GetStockObject(NULL_BRUSH));
            ::Rectangle(paint.dc(), 0, 0, PxX(kClientWidth), PxY(kClientHeight));
            return 0;
        }
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wp);
            ::SetBkColor(dc, RGB(255, 255, 255));
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(white_.get());
        }
        case WM_COMMAND: {
            if (HIWORD(wp) != BN_CLICKED) break;
            HWND control = reinterpret_cast<HWND>(lp);
            if (control == cmdRecBin_) {
                cmdRecBin_Click();
            } else if (control == cmdQuit_) {
                cmdQuit_Click();
            } else if (control == chkNoConf_ || control == chkNoProgress_ || control == chkNoSound_) {
                // A click ticks a clear or greyed box and clears a ticked one.
                const LRESULT value = ::SendMessageW(control, BM_GETCHECK, 0, 0);
                ::SendMessageW(control, BM_SETCHECK, value == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
            }
            return 0;
        }
        case WM_CLOSE:
            cmdQuit_Click();
            return 0;
        default:
            break;
    }
    return Default(msg, wp, lp);
}

void Qkhsz::OnWindowGone(HWND gone) {
    ForgetLiveWindow(WindowKind::qkhsz, gone);
    ForgetWindowTwips(gone);
    imgTitle_ = image1_ = label4_ = fraOptions_ = nullptr;
    label3_ = {};
    chkNoConf_ = chkNoProgress_ = chkNoSound_ = cmdRecBin_ = cmdQuit_ = nullptr;
    title_.reset();
    binIcon_.reset();
    font_.reset();
    titleFont_.reset();
    closeFont_.reset();
    white_.reset();
    pressed_ = nullptr;
}

}  // namespace velmora
