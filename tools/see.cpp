#include "tools/see.h"

#include <commctrl.h>

#include <memory>

#include "frame/frame_layout.h"
#include "frame/skinned_window.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "shell/app_windows.h"
#include "tools/viewer_fit.h"
#include "wallpaper/ghzm.h"
#include "wallpaper/picture_library.h"

namespace velmora {

namespace {

std::unique_ptr<See>& Slot() {
    static std::unique_ptr<See> viewer;
    return viewer;
}

int PxX(double twips) { return frame::TwipsToPixels(twips, TwipsPerPixelX()); }
int PxY(double twips) { return frame::TwipsToPixels(twips, TwipsPerPixelY()); }

}  // namespace

See* See::Live() {
    See* viewer = Slot().get();
    return viewer && viewer->hwnd() ? viewer : nullptr;
}

bool See::Open() {
    // The path is the changer's Label2 from its seventh character on.
    Ghzm* changer = Ghzm::Live();
    if (!changer) return false;
    const std::string path = wallpaper::PathFromLabel2(Narrow(changer->Text(changer->Label(2))));
    if (path.empty()) return false;
    auto viewer = std::make_unique<See>();
    if (!viewer->Create(Widen(path))) {
        ShowMessage(changer->hwnd(), L"无法打开这张图片，它可能已被删除或不是图片文件：\n" + Widen(path), L" Velmora ",
                    MB_OK | MB_ICONINFORMATION);
        return false;
    }
    Slot() = std::move(viewer);
    ::ShowWindow(Slot()->hwnd(), SW_SHOW);
    ::SetForegroundWindow(Slot()->hwnd());
    return true;
}

bool See::Create(const std::wstring& path) {
    std::optional<wallpaper::Picture> picture = wallpaper::LoadPicture(path);
    if (!picture) return false;
    picture_ = std::move(*picture);

    RegisterOnce();
    // No taskbar button: a tool window, and owned by the hidden start-up
    // window (Wine's taskbar lists unowned tool windows too).
    if (!CreateWin(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 454, 327,
                   LiveWindow(WindowKind::yindao))) {
        return false;
    }
    ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0, 0, 417, 297, hwnd(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kImage1Id)), AppInstance(), nullptr);
    ::CreateWindowExW(0, WC_STATICW, L"", WS_CHILD | SS_OWNERDRAW, 256, 104, picture_.width(), picture_.height(), hwnd(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kPicture1Id)), AppInstance(), nullptr);
    Form_Load();
    return true;
}

void See::Form_Load() {
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    RECT client{};
    ::GetClientRect(hwnd(), &client);
    RECT image{};
    ::GetWindowRect(Image1(), &image);
    const tools::ViewerSizes start{(image.right - image.left) * tx, (image.bottom - image.top) * ty, client.right * tx,
                                   client.bottom * ty};
    const tools::ViewerSizes fitted = tools::FitViewer(start, picture_.width() * tx, picture_.height() * ty);
    if (fitted.imageWidth != start.imageWidth || fitted.imageHeight != start.imageHeight ||
        fitted.windowWidth != start.windowWidth || fitted.windowHeight != start.windowHeight) {
        ::SetWindowPos(Image1(), nullptr, 0, 0, PxX(fitted.imageWidth), PxY(fitted.imageHeight),
                       SWP_NOZORDER | SWP_NOACTIVATE);
        SetWindowTwips(hwnd(), TwipsField::Width, fitted.windowWidth);
        SetWindowTwips(hwnd(), TwipsField::Height, fitted.windowHeight);
    }
    frame::DoTransparency(hwnd());
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void See::Form_Activate() {
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    ::SetWindowPos(hwnd(), nullptr, ::GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                   ::GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void See::Image1_Click() { ::SendMessageW(hwnd(), WM_CLOSE, 0, 0); }

LRESULT See::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            RegisterLiveWindow(WindowKind::see, hwnd());
            return 0;
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetClientRect(hwnd(), &r);
            ::FillRect(reinterpret_cast<HDC>(wp), &r, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lp);
            if (item->CtlID == kImage1Id) {
                ::FillRect(item->hDC, &item->rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
                picture_.Draw(item->hDC, item->rcItem);
            }
            return TRUE;
        }
        case WM_COMMAND:
            if (LOWORD(wp) == kImage1Id && (HIWORD(wp) == STN_CLICKED || HIWORD(wp) == STN_DBLCLK)) Image1_Click();
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE) Form_Activate();
            return Default(msg, wp, lp);
        case WM_CLOSE:
            ForgetLiveWindow(WindowKind::see, hwnd());
            ::DestroyWindow(hwnd());
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

void See::OnWindowGone(HWND gone) {
    ForgetLiveWindow(WindowKind::see, gone);
    ForgetWindowTwips(gone);
    picture_ = wallpaper::Picture();
}

}  // namespace velmora
