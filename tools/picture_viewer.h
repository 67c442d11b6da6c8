// The picture viewer: shows one picture in a frameless, rounded,
// always-on-top window, at its natural size or scaled down to 7/8 of the
// window; a click on the picture closes it.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>

#include "platform/picture.h"
#include "platform/window.h"

namespace velmora {

class PictureViewer : public BaseWindow<PictureViewer> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.PictureViewer";
    enum ControlId : int { kPictureAreaId = 3001 };

    struct Services {
        const std::wstring& path;
        HWND owner;  // hidden: keeps the viewer off every taskbar
    };

    // The window sized and shaped for the picture at `path`, topmost, not
    // shown; nullptr when the picture cannot be read (the caller tells the
    // user) or the window cannot be made.
    static std::unique_ptr<PictureViewer> Create(Services services);
    PictureViewer(std::wstring path, Picture picture) : path_(std::move(path)), picture_(std::move(picture)) {}
    ~PictureViewer();

    HWND PictureArea() const { return area_; }
    const std::wstring& Path() const { return path_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone();

private:
    bool Load(HWND owner);
    // The window, its picture area and its rounded shape at `dpi`.
    void Layout(int dpi);
    void CentreOnScreen();

    std::wstring path_;
    Picture picture_;
    HWND area_ = nullptr;
};

}  // namespace velmora
