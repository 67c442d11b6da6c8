#include "tools/picture_viewer.h"

#include <commctrl.h>

#include <optional>

#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/handles.h"
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
    RegisterClassOnce();
    // No taskbar button: a tool window, and owned by a hidden window
    // (Wine's taskbar lists unowned tool windows too).
    if (!CreateWindowOf(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"", WS_POPUP | WS_CLIPCHILDREN, 0, 0, 0, 0, owner)) {
        return false;
    }
    area_ = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_OWNERDRAW | SS_NOTIFY, 0, 0, 0, 0, kPictureAreaId, 0);
    Layout(WindowDpi(hwnd()));
    ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void PictureViewer::Layout(int dpi) {
    // Every viewer starts from the same window of the design, so the same
    // picture always gets the same size; the picture's own pixels are the
    // screen's, whatever the scale.
    const double design = TwipsPerPixelAt(kDesignDpi), screen = TwipsPerPixelAt(dpi);
    const tools::ViewerSizes sizes = tools::FitViewer(tools::InitialViewerSizes(design, design),
                                                      picture_.width() * screen, picture_.height() * screen);
    const int width = TwipsToPixelsAt(sizes.windowWidth, dpi), height = TwipsToPixelsAt(sizes.windowHeight, dpi);
    ::SetWindowPos(hwnd(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SetWindowPos(area_, nullptr, 0, 0, TwipsToPixelsAt(sizes.imageWidth, dpi),
                   TwipsToPixelsAt(sizes.imageHeight, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    // Rounded corners over the whole window.
    const int corner = ScaleDesign(kCornerEllipse, dpi);
    UniqueRegion region(::CreateRoundRectRgn(0, 0, width, height, corner, corner));
    if (::SetWindowRgn(hwnd(), region.get(), TRUE)) region.release();
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
        case WM_DPICHANGED:
            // Sized again for the picture at the new scale, and centred.
            Layout(DpiOfChange(wp));
            CentreOnScreen();
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
