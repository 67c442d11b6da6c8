// 引导 (yindao): the hidden start-up window. It runs the start-up sequence,
// lives for the whole run, owns the tray icon's callback window Picture2 and
// the two popup menus: cd (tray menu) and gjj (power menu).
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

#include "platform/handles.h"
#include "platform/window.h"
#include "shell/tray_menus.h"

namespace velmora {

class Yindao;

// Picture2: child window that receives the icon's callbacks and carries its
// picture.
class Picture2Window : public BaseWindow<Picture2Window> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.Picture2";
    bool Create(Yindao& owner);
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);

private:
    Yindao* owner_ = nullptr;
};

// The start-up window of this run, once created (nullptr before).
Yindao* TheYindao();

class Yindao : public BaseWindow<Yindao> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.yindao";

    Yindao() = default;
    ~Yindao();

    // Creates the window (never shown), Picture2, the icon and both menus.
    bool Create();

    // Form_Load: the start-up sequence. Ends the process when another
    // instance already runs.
    void Form_Load();

    // renwul: installs the tray icon and takes the program off the task list.
    void renwul();

    // Picture2_MouseMove: every callback of the icon; trayMessage is the
    // mouse message that happened over it.
    void Picture2_MouseMove(UINT trayMessage);

    // Pops up a menu at the point (screen coordinates), tracked by
    // `tracker` (this window when null), then runs the chosen entry.
    void PopupMenu(HMENU menu, POINT at, HWND tracker = nullptr);
    // The power menu gjj, for the launcher panel's 关闭计算机 cell.
    void PopupPowerMenu(POINT at) { PopupMenu(gjj(), at); }

    // Runs a menu entry by its design name; entries without an action do
    // nothing.
    void RunMenuEntry(std::string_view name);

    // tuiccx_Click (退出程序): closes the windows, removes the icon, ends the
    // process.
    void tuiccx_Click();

    HMENU cd() const { return cd_.get(); }    // 托盘菜单
    HMENU gjj() const { return gjj_.get(); }  // 关机菜单
    HWND Picture2() const { return picture2_.hwnd(); }
    HICON Picture2Icon() const { return icon_.get(); }
    UINT MenuCommandId(std::string_view name) const;
    UINT TrayMessage() const { return trayMessage_; }
    bool TrayBusy() const { return trayBusy_; }

    // How the process ends (tuiccx, a second instance). Tests replace it.
    using ProcessEnder = void (*)();
    static void SetProcessEnder(ProcessEnder ender);
    // Ends the process at once (through the ender in force).
    static void EndProcess();

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone(HWND gone);

private:
    UniqueMenu BuildMenu(std::span<const menus::Entry> entries);

    Picture2Window picture2_;
    UniqueIcon icon_;
    UniqueMenu cd_;
    UniqueMenu gjj_;
    std::vector<std::string_view> commandNames_;  // menu command id - 1 -> entry name
    UINT taskbarCreated_ = 0;
    UINT trayMessage_ = 0;  // TrayMessage: mouse message of the latest callback
    bool trayBusy_ = false; // TrayBusy: a callback is being handled
};

}  // namespace velmora
