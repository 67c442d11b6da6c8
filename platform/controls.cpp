#include "platform/controls.h"

#include <cstring>
#include <map>

#include "platform/dpi.h"
#include "platform/twips.h"
#include "platform/window.h"
#include "resources/ids.h"

namespace velmora {

std::wstring WindowText(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

RECT RectIn(HWND child, HWND reference) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, reference, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

RECT ChildRect(HWND child) { return RectIn(child, ::GetParent(child)); }

bool IsChecked(HWND button) { return ::SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(HWND button, bool checked) {
    ::SendMessageW(button, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool HasVisibleFlag(HWND control) { return (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0; }

bool ShowOwnFlag(HWND control, bool shown) {
    if (!control || HasVisibleFlag(control) == shown) return false;
    ::ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    return true;
}

void CentreOnScreen(HWND window) {
    const double perPixel = TwipsPerPixelAt(WindowDpi(window));
    const double screenWidth = ::GetSystemMetrics(SM_CXSCREEN) * perPixel;
    const double screenHeight = ::GetSystemMetrics(SM_CYSCREEN) * perPixel;
    SetWindowTwips(window, TwipsField::Left, screenWidth / 2 - WindowTwips(window, TwipsField::Width) / 2);
    SetWindowTwips(window, TwipsField::Top, screenHeight / 2 - WindowTwips(window, TwipsField::Height) / 2);
}

HWND CreateChild(HWND parent, const wchar_t* cls, const std::wstring& text, DWORD style, int x, int y, int width,
                 int height, int id, DWORD exStyle) {
    return ::CreateWindowExW(exStyle, cls, text.c_str(), WS_CHILD | style, x, y, width, height, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(), nullptr);
}

UniqueGdiObject MakeFont(const wchar_t* face, int tenthsOfPoint, bool bold, BYTE charset, int dpi) {
    const int height = -::MulDiv(tenthsOfPoint, dpi, 720);
    return UniqueGdiObject(::CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, charset,
                                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                         DEFAULT_PITCH | FF_DONTCARE, face));
}

UniqueGdiObject SongTi(int tenthsOfPoint, bool bold, int dpi) {
    return MakeFont(L"宋体", tenthsOfPoint, bold, GB2312_CHARSET, dpi);
}

SIZE TextSize(HDC dc, HFONT font, const std::wstring& text) {
    SelectGuard use(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    return {extent.cx > 0 ? extent.cx : 1, metrics.tmHeight};
}

SIZE TextSize(HFONT font, const std::wstring& text) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    return TextSize(dc.get(), font, text);
}

HCURSOR HandCursor(int dpi) {
    // LR_DEFAULTSIZE would give the system DPI's size on every monitor: a
    // tiny hand at 200 %. A run meets a handful of sizes at most.
    static std::map<int, UniqueCursor> loaded;
    const int size = MetricAt(SM_CXCURSOR, UsableDpi(dpi));
    auto it = loaded.find(size);
    if (it == loaded.end()) {
        it = loaded
                 .emplace(size, UniqueCursor(static_cast<HCURSOR>(::LoadImageW(
                                    AppInstance(), MAKEINTRESOURCEW(IDC_HAND_POINTER), IMAGE_CURSOR, size, size, 0))))
                 .first;
    }
    return it->second ? it->second.get() : ::LoadCursorW(nullptr, IDC_HAND);
}

}  // namespace velmora
