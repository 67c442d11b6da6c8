// 主界面 (frmMain): the launcher panel. Twenty cells of picture and caption
// that run the system commands and open the other windows, the highlight
// Shape1 under the cell the mouse is on, the clock line and the
// recommended links, all inside the skinned frame.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "frame/skinned_window.h"
#include "launcher/cells.h"
#include "platform/handles.h"
#include "platform/window.h"

namespace velmora {

class FrmMain : public BaseWindow<FrmMain>, public frame::FrameHost {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.frmMain";
    static constexpr wchar_t kCaption[] = L"Velmora2.2";

    // Control identifiers: cell i's picture is kImageId + i, its caption
    // kLabelId + i.
    static constexpr int kImageId = 1000;
    static constexpr int kLabelId = 1100;
    static constexpr int kLabel1Id = 1200;   // clock line
    static constexpr int kImage2Id = 1202;   // title picture
    static constexpr int kLabel18Id = 1218;  // "推荐："
    static constexpr int kLinkId = 1219;     // Label19, Label20, Label21
    static constexpr UINT_PTR kTimer1 = 1;   // the clock, every second

    // The live panel, created and loaded (hidden) when there is none.
    static FrmMain& Instance();
    // The live panel or nullptr.
    static FrmMain* Live();

    // Form_Initialize + window + controls + Form_Load. Not shown.
    bool Create();

    // Timer1_Timer: rewrites the clock line.
    void Timer1_Timer();

    // Runs the command of cell `index` (the click on its picture or caption).
    void RunCell(size_t index);
    // Moves Shape1 onto cell `index` and shows it.
    void HighlightCell(size_t index);

    // Form_QueryUnload: stores the placement; the close goes ahead.
    void Form_QueryUnload();

    HWND Image(size_t index) const { return images_[index]; }
    HWND Label(size_t index) const { return labels_[index]; }
    HWND Label1() const { return label1_; }
    HWND Label3() const;  // the CD-tray caption
    HWND Link(size_t index) const { return links_[index]; }
    POINT Shape1Position() const { return shape1_; }
    bool Shape1Visible() const { return shape1Visible_; }
    HICON Icon() const { return icon_.get(); }
    frame::SkinnedFrame& Frame() { return frame_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone(HWND gone);

    // frame::FrameHost
    void OnInteriorMouseMove() override;
    void OnCaptionButtonRelease(int index) override;
    void PaintOverSkin(HDC dc) override;

private:
    void Form_Load();
    void CreateControls();
    HWND MakeLabel(int id, const std::wstring& text, int left, int top);
    HWND MakePicture(int id, int left, int top, int width, int height, bool notify);
    void FitLabelToText(HWND label);
    SIZE TextSize(const std::wstring& text);
    void SetCaption(HWND label, const std::wstring& text);
    RECT ControlRect(HWND control) const;
    void MoveShape1(POINT to, bool visible);
    RECT Shape1Rect() const;
    static LRESULT CALLBACK ControlProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    void ControlClicked(int id);

    frame::SkinnedFrame frame_;
    std::array<HWND, 20> images_{};
    std::array<HWND, 20> labels_{};
    std::array<HWND, 3> links_{};
    HWND label1_ = nullptr;
    HWND label18_ = nullptr;
    HWND image2_ = nullptr;
    std::array<UniqueBitmap, 20> pictures_;
    UniqueBitmap image2Picture_;
    UniqueIcon icon_;
    UniqueMemoryDc measure_;  // where captions are measured
    HCURSOR hand_ = nullptr;
    POINT shape1_{launcher::kHighlightParked, launcher::kHighlightParked};
    bool shape1Visible_ = true;
    HWND pressed_ = nullptr;  // control holding the mouse between press and release
};

}  // namespace velmora
