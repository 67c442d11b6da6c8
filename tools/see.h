// 看 (see): the picture viewer. Shows the picture named by the changer's
// path label in a frameless, rounded, always-on-top window, at its natural
// size or scaled down to 7/8 of the window; a click on the picture closes it.
#pragma once

#include <windows.h>

#include <string>

#include "platform/window.h"
#include "wallpaper/picture.h"

namespace velmora {

class See : public BaseWindow<See> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.see";
    static constexpr int kImage1Id = 3001;    // the display area
    static constexpr int kPicture1Id = 3002;  // hidden measuring holder

    // Opens a new viewer for the picture the changer's Label2 names and
    // shows it. A path that names no readable picture is reported and opens
    // no viewer; false then.
    static bool Open();
    // The live viewer or nullptr.
    static See* Live();

    // Window, controls and Form_Load for the picture at `path`; not shown.
    // False when the picture cannot be read.
    bool Create(const std::wstring& path);

    // Form_Activate: centres the window on the screen at its size.
    void Form_Activate();
    // Image1_Click: closes the viewer.
    void Image1_Click();

    HWND Image1() const { return ::GetDlgItem(hwnd(), kImage1Id); }
    HWND Picture1() const { return ::GetDlgItem(hwnd(), kPicture1Id); }
    const wallpaper::Picture& Shown() const { return picture_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone(HWND gone);

private:
    void Form_Load();

    wallpaper::Picture picture_;
};

}  // namespace velmora
