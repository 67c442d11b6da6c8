#include "tools/picture_viewer.h"

#include <commctrl.h>

#include <optional>

#include "platform/controls.h"
#include "platform/handles.h"
#include "platform/twips.h"
#include "tools/viewer_fit.h"

namespace velmora {

namespace {

constexpr int kCornerEllipse = 24;

}  // namespace

std::unique_ptr<PictureViewer> PictureViewer::Create(Services services) {
    std::optional<Picture> picture = LoadPicture(services.path);
    if (!picture) return nullptr;
    auto viewer = std::make_unique<PictureViewer>(services.path, std::move(*picture));
    if (!viewer->Load(services.owner)) return nullptr;
    return viewer;
}

PictureViewer::~PictureViewer() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool PictureViewer::Load(HWND owner) {
    // Every viewer starts from the same window, so the same picture always
    // gets the same size.
    const double tx = TwipsPerPixelX(), ty = TwipsPerPixelY();
    const tools::ViewerSizes sizes =
        tools::FitViewer(tools::InitialViewerSizes(tx, ty), picture_.width() * tx, picture_.height() * ty);
    const int width = PixelsX(sizes.windowWidth), height = PixelsY(sizes.windowHeight);
    RegisterClassOnce();
    // No taskbar button: a tool window, and owned by a hidden window
    // (Wine's taskbar lists unowned tool windows too).
    if (!CreateWindowOf(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height,
                        owner)) {
        return false;
    }
    area_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0, 0,
                        PixelsX(sizes.imageWidth), PixelsY(sizes.imageHeight), kPictureAreaId, 0);
    // Rounded corners over the whole window.
    UniqueRegion region(::CreateRoundRectRgn(0, 0, width, height, kCornerEllipse, kCornerEllipse));
    if (::SetWindowRgn(hwnd(), region.get(), TRUE)) region.release();
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void PictureViewer::CentreOnScreen() {
    RECT r{};
    ::GetWindowRect(hwnd(), &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    ::SetWindowPos(hwnd(), nullptr, ::GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2,
                   ::GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT PictureViewer::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: {
            RECT r{};
            ::GetClientRect(hwnd(), &r);
            ::FillRect(reinterpret_cast<HDC>(wp), &r, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (item.CtlID == kPictureAreaId) {
                ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(COLOR_BTNFACE));
                picture_.Draw(item.hDC, item.rcItem);
            }
            return TRUE;
        }
        case WM_COMMAND:
            // A click on the picture closes; one on the margin beside it
            // reaches the window, which does nothing with it.
            if (LOWORD(wp) == kPictureAreaId && (HIWORD(wp) == STN_CLICKED || HIWORD(wp) == STN_DBLCLK)) {
                ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            }
            return 0;
        case WM_ACTIVATE:
            // Centred at its size whenever it becomes active.
            if (LOWORD(wp) != WA_INACTIVE) CentreOnScreen();
            return Default(msg, wp, lp);
        case WM_CLOSE:
            ::DestroyWindow(hwnd());
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

void PictureViewer::OnWindowGone() {
    area_ = nullptr;
    picture_ = Picture();
}

}  // namespace velmora
