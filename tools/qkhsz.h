// 清空回收站 (qkhsz): the recycle-bin emptier. The launcher panel's cell and
// the tray menu's entry call its emptying operation on the hidden window,
// which empties every drive's recycle bin with the options of its three
// check boxes (all ticked: no question, no progress, no sound). The window
// itself is never shown; it carries its controls all the same.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/handles.h"
#include "platform/window.h"

namespace velmora {

class Qkhsz : public BaseWindow<Qkhsz> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.qkhsz";
    static constexpr wchar_t kCaption[] = L"清空回收站";

    // Control identifiers.
    static constexpr int kImgTitleId = 100;    // title band picture
    static constexpr int kImage1Id = 101;      // recycle-bin icon
    static constexpr int kLabel3Id = 102;      // Label3(0) shadow, Label3(1) = kLabel3Id + 1
    static constexpr int kLabel4Id = 104;      // "X", the close button
    static constexpr int kFraOptionsId = 110;  // 选项 frame
    static constexpr int kChkNoConfId = 111;
    static constexpr int kChkNoProgressId = 112;
    static constexpr int kChkNoSoundId = 113;
    static constexpr int kCmdRecBinId = 120;
    static constexpr int kCmdQuitId = 121;

    static constexpr COLORREF kShapeColour = RGB(126, 179, 252);  // Shape1
    static constexpr COLORREF kTitleTextColour = RGB(255, 255, 0); // Label3(1)
    static constexpr COLORREF kCloseColour = RGB(255, 255, 255);   // Label4 at rest
    static constexpr COLORREF kCloseHotColour = RGB(255, 0, 0);    // Label4 under the pointer

    // The live window, created and loaded (hidden) when there is none. Its
    // load step may close it again at once (command line): hwnd() is null
    // then.
    static Qkhsz& Instance();
    // The live window or nullptr.
    static Qkhsz* Live();
    // Window factory for WindowKind::qkhsz.
    static HWND CreateHidden();

    // 清空回收站 from the launcher panel or the tray menu: cmdRecBin_Click
    // of the hidden window, loaded first when needed.
    static void EmptyRecycleBinRequest();

    // The command line the load step reads instead of the process's own
    // (tests); nullopt goes back to GetCommandLine.
    static void SetCommandLineForLoad(std::optional<std::wstring> commandLine);

    // Window + controls + Form_Load. Not shown.
    bool Create();

    // cmdRecBin_Click: composes the flags from the check boxes and empties.
    void cmdRecBin_Click();
    // EmptyBin: every drive's recycle bin, this window as owner.
    void EmptyBin(std::uint32_t flags);
    // cmdQuit_Click / Label4_Click: closes (unloads) the window.
    void cmdQuit_Click();
    void Label4_Click() { cmdQuit_Click(); }

    HWND ImgTitle() const { return imgTitle_; }
    HWND Image1() const { return image1_; }
    HWND Label3(int index) const { return label3_[index]; }
    HWND Label4() const { return label4_; }
    HWND fraOptions() const { return fraOptions_; }
    HWND chkNoConf() const { return chkNoConf_; }
    HWND chkNoProgress() const { return chkNoProgress_; }
    HWND chkNoSound() const { return chkNoSound_; }
    HWND cmdRecBin() const { return cmdRecBin_; }
    HWND cmdQuit() const { return cmdQuit_; }
    COLORREF Label4Colour() const { return closeColour_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone(HWND gone);

private:
    void Form_Load();
    void CreateControls();
    HWND MakeControl(const wchar_t* cls, const wchar_t* text, DWORD style, int id, int left, int top, int width,
                     int height, HFONT font);
    void PaintBand(HDC dc);
    void DrawItem(const DRAWITEMSTRUCT& item);
    void SetCloseColour(COLORREF colour);
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);

    HWND imgTitle_ = nullptr;
    HWND image1_ = nullptr;
    std::array<HWND, 2> label3_{};
    HWND label4_ = nullptr;
    HWND fraOptions_ = nullptr;
    HWND chkNoConf_ = nullptr;
    HWND chkNoProgress_ = nullptr;
    HWND chkNoSound_ = nullptr;
    HWND cmdRecBin_ = nullptr;
    HWND cmdQuit_ = nullptr;
    UniqueBitmap title_;        // the green gradient of ImgTitle
    UniqueIcon binIcon_;        // Image1's picture
    UniqueGdiObject font_;      // 宋体 9 pt: frame, check boxes, buttons
    UniqueGdiObject titleFont_; // 宋体 9 pt bold: Label3
    UniqueGdiObject closeFont_; // 宋体 12 pt bold: Label4
    UniqueGdiObject white_;     // background of the window and its controls
    HCURSOR hand_ = nullptr;
    COLORREF closeColour_ = kCloseColour;
    HWND pressed_ = nullptr;  // Label4 between press and release
};

}  // namespace velmora
