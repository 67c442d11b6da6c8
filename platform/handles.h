// Move-only owners for every kind of Windows handle the program holds.
//
// One template, one traits struct per handle kind. Each traits type keeps a
// count of the handles currently owned through it, so tests can prove that
// repeated work (resizes, ticks, window lifetimes) leaves nothing behind;
// GetGuiResources cannot do that under Wine.
#pragma once

#include <windows.h>

#include <atomic>
#include <utility>

namespace velmora {

template <typename Traits>
class Unique {
public:
    using handle_type = typename Traits::handle_type;

    Unique() noexcept = default;
    explicit Unique(handle_type h) noexcept : h_(h) { Track(h_, +1); }
    ~Unique() { reset(); }

    Unique(const Unique&) = delete;
    Unique& operator=(const Unique&) = delete;
    Unique(Unique&& other) noexcept : h_(std::exchange(other.h_, Traits::null())) {}
    Unique& operator=(Unique&& other) noexcept {
        if (this != &other) {
            reset();
            h_ = std::exchange(other.h_, Traits::null());
        }
        return *this;
    }

    handle_type get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Traits::null(); }

    // Gives the handle up without closing it, e.g. to SetWindowRgn, which
    // takes ownership of a region only when it succeeds.
    handle_type release() noexcept {
        Track(h_, -1);
        return std::exchange(h_, Traits::null());
    }

    void reset(handle_type h = Traits::null()) noexcept {
        if (h_ != Traits::null()) {
            Track(h_, -1);
            Traits::close(h_);
        }
        h_ = h;
        Track(h_, +1);
    }

    // Number of handles of this kind owned by Unique objects right now.
    static long live() noexcept { return counter().load(); }

private:
    static std::atomic<long>& counter() noexcept {
        static std::atomic<long> n{0};
        return n;
    }
    static void Track(handle_type h, long delta) noexcept {
        if (h != Traits::null()) counter().fetch_add(delta);
    }

    handle_type h_ = Traits::null();
};

struct GdiObjectTraits {
    using handle_type = HGDIOBJ;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DeleteObject(h); }
};
struct RegionTraits {
    using handle_type = HRGN;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DeleteObject(h); }
};
struct BitmapTraits {
    using handle_type = HBITMAP;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DeleteObject(h); }
};
struct MemoryDcTraits {
    using handle_type = HDC;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DeleteDC(h); }
};
struct RegKeyTraits {
    using handle_type = HKEY;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::RegCloseKey(h); }
};
struct IconTraits {
    using handle_type = HICON;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DestroyIcon(h); }
};
struct CursorTraits {
    using handle_type = HCURSOR;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DestroyCursor(h); }
};
struct MenuTraits {
    using handle_type = HMENU;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DestroyMenu(h); }
};
// Kernel objects whose "no handle" value is NULL: mutexes, events, processes.
struct KernelTraits {
    using handle_type = HANDLE;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::CloseHandle(h); }
};
// Files, whose "no handle" value is INVALID_HANDLE_VALUE.
struct FileTraits {
    using handle_type = HANDLE;
    static handle_type null() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(handle_type h) noexcept { ::CloseHandle(h); }
};
struct FindTraits {
    using handle_type = HANDLE;
    static handle_type null() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(handle_type h) noexcept { ::FindClose(h); }
};
// A folder's change notification (FindFirstChangeNotification).
struct ChangeNotificationTraits {
    using handle_type = HANDLE;
    static handle_type null() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(handle_type h) noexcept { ::FindCloseChangeNotification(h); }
};

// The whole screen's device context (GetWindowDC or GetDC of no window).
struct ScreenDcTraits {
    using handle_type = HDC;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::ReleaseDC(nullptr, h); }
};
// A window that belongs to no BaseWindow object (a hidden owner, a tooltip).
struct WindowTraits {
    using handle_type = HWND;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DestroyWindow(h); }
};
struct MetaFileTraits {
    using handle_type = HMETAFILE;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DeleteMetaFile(h); }
};
struct EnhMetaFileTraits {
    using handle_type = HENHMETAFILE;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::DeleteEnhMetaFile(h); }
};
// A library loaded on first use rather than at start-up.
struct LibraryTraits {
    using handle_type = HMODULE;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::FreeLibrary(h); }
};
struct GlobalMemoryTraits {
    using handle_type = HGLOBAL;
    static handle_type null() noexcept { return nullptr; }
    static void close(handle_type h) noexcept { ::GlobalFree(h); }
};

using UniqueGdiObject = Unique<GdiObjectTraits>;
using UniqueRegion = Unique<RegionTraits>;
using UniqueBitmap = Unique<BitmapTraits>;
using UniqueMemoryDc = Unique<MemoryDcTraits>;
using UniqueRegKey = Unique<RegKeyTraits>;
using UniqueIcon = Unique<IconTraits>;
using UniqueCursor = Unique<CursorTraits>;
using UniqueMenu = Unique<MenuTraits>;
using UniqueKernelHandle = Unique<KernelTraits>;
using UniqueFile = Unique<FileTraits>;
using UniqueFind = Unique<FindTraits>;
using UniqueChangeNotification = Unique<ChangeNotificationTraits>;
using UniqueScreenDc = Unique<ScreenDcTraits>;
using UniqueWindow = Unique<WindowTraits>;
using UniqueMetaFile = Unique<MetaFileTraits>;
using UniqueEnhMetaFile = Unique<EnhMetaFileTraits>;
using UniqueLibrary = Unique<LibraryTraits>;
using UniqueGlobalMemory = Unique<GlobalMemoryTraits>;

// GetDC / ReleaseDC for the lifetime of a scope.
class WindowDc {
public:
    explicit WindowDc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint for a WM_PAINT handler.
class PaintScope {
public:
    explicit PaintScope(HWND hwnd) noexcept : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd_, &ps_); }
    ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const noexcept { return dc_; }
    const RECT& dirty() const noexcept { return ps_.rcPaint; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// SelectObject that puts the previous object back at the end of the scope.
class SelectGuard {
public:
    SelectGuard(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
    ~SelectGuard() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }
    SelectGuard(const SelectGuard&) = delete;
    SelectGuard& operator=(const SelectGuard&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace velmora
