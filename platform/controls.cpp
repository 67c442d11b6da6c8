#include "platform/controls.h"

#include <cstring>

#include "platform/dpi.h"
#include "platform/twips.h"
#include "platform/window.h"
#include "resources/art_pack.h"
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

SIZE TextSize(HFONT font, const std::wstring& text) {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    SelectGuard use(dc.get(), font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.get(), &metrics);
    return {extent.cx > 0 ? extent.cx : 1, metrics.tmHeight};
}

namespace {

// Stands in for artwork drawn at the scale: the 96-dpi picture stretched
// to the size the artwork for `dpi` has, so that layouts cut from it hold.
UniqueBitmap StretchedTo(UniqueBitmap design, unsigned dpi) {
    BITMAP info{};
    if (!design || dpi == kDesignDpi || !::GetObjectW(design.get(), sizeof info, &info)) return design;
    const int width = ScaleDesign(info.bmWidth, static_cast<int>(dpi));
    const int height = ScaleDesign(info.bmHeight, static_cast<int>(dpi));
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof header.bmiHeader;
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = -height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap scaled(::CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc from(::CreateCompatibleDC(nullptr)), to(::CreateCompatibleDC(nullptr));
    if (!scaled || !from || !to) return design;
    SelectGuard source(from.get(), design.get());
    SelectGuard target(to.get(), scaled.get());
    ::SetStretchBltMode(to.get(), HALFTONE);
    ::StretchBlt(to.get(), 0, 0, width, height, from.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    return scaled;
}

UniqueBitmap LoadDesignBitmap(int id) {
    // The bitmap file is stored packed; unpacked, its header and rows make
    // the same DIB section LoadImage would.
    HMODULE module = AppInstance();
    HRSRC found = ::FindResourceW(module, MAKEINTRESOURCEW(id), PACKED_BITMAP_TYPE);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const auto* data = loaded ? static_cast<const uint8_t*>(::LockResource(loaded)) : nullptr;
    if (!data) return UniqueBitmap();
    const auto file = art_pack::Unpack({data, ::SizeofResource(module, found)});
    if (!file || file->size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return UniqueBitmap();
    BITMAPFILEHEADER head{};
    std::memcpy(&head, file->data(), sizeof head);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(file->data() + sizeof head);
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap) return bitmap;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const size_t stride = (size_t(h.biWidth) * h.biBitCount + 31) / 32 * 4;
    const size_t rowsSize = stride * size_t(h.biHeight < 0 ? -h.biHeight : h.biHeight);
    if (head.bfOffBits > file->size() || rowsSize > file->size() - head.bfOffBits) return UniqueBitmap();
    std::memcpy(bits, file->data() + head.bfOffBits, rowsSize);
    return bitmap;
}

}  // namespace

UniqueBitmap LoadBitmapResource(int id, unsigned dpi) { return StretchedTo(LoadDesignBitmap(id), dpi); }

UniqueIcon LoadIconResource(int id, int size) {
    return UniqueIcon(static_cast<HICON>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

HCURSOR HandCursor() {
    // Shared: the system keeps one copy, nothing to free.
    auto hand = static_cast<HCURSOR>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDC_HAND_POINTER), IMAGE_CURSOR, 0,
                                                  0, LR_DEFAULTSIZE | LR_SHARED));
    return hand ? hand : ::LoadCursorW(nullptr, IDC_HAND);
}

}  // namespace velmora
