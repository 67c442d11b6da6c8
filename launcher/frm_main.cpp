#include "launcher/frm_main.h"

#include <commctrl.h>

#include "app/resource.h"
#include "launcher/clock.h"
#include "launcher/commands.h"
#include "platform/text.h"
#include "settings/placement.h"
#include "shell/app_windows.h"
#include "shell/yindao.h"
#include "tools/qkhsz.h"

namespace velmora {

namespace {

constexpr UINT_PTR kControlSubclassId = 0x564C;

std::unique_ptr<FrmMain>& Slot() {
    static std::unique_ptr<FrmMain> panel;
    return panel;
}

UniqueBitmap LoadPicture(int id) {
    return UniqueBitmap(static_cast<HBITMAP>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
}

bool IsCellImage(int id) { return id >= FrmMain::kImageId && id < FrmMain::kImageId + 20; }
bool IsCellLabel(int id) { return id >= FrmMain::kLabelId && id < FrmMain::kLabelId + 20; }
bool IsLink(int id) { return id >= FrmMain::kLinkId && id < FrmMain::kLinkId + 3; }

}  // namespace

FrmMain* FrmMain::Live() {
    FrmMain* panel = Slot().get();
    return panel && panel->hwnd() ? panel : nullptr;
}

FrmMain& FrmMain::Instance() {
    if (FrmMain* live = Live()) return *live;
    // The previous panel's window is gone; its object goes now.
    Slot() = std::make_unique<FrmMain>();
    Slot()->Create();
    return *Slot();
}

bool FrmMain::Create() {
    // Form_Initialize.
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);

    icon_.reset(static_cast<HICON>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    RegisterOnce(0, static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA),
                                                             IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED)));
    hand_ = static_cast<HCURSOR>(
        ::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDC_VELMORA_HAND), IMAGE_CURSOR, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
    if (!hand_) hand_ = ::LoadCursorW(nullptr, IDC_HAND);

    // Shown on the taskbar while open, so that a minimised panel can be
    // brought back from there as well as from the tray.
    if (!CreateWin(WS_EX_APPWINDOW, kCaption, frame::kSkinnedStyle, 0, 0, 520, 373)) return false;
    Form_Load();
    return true;
}

void FrmMain::Form_Load() {
    RestorePlacement(hwnd());
    Timer1_Timer();  // the clock line is filled before the first tick
    MoveShape1({launcher::kHighlightParked, launcher::kHighlightParked}, true);
}

void FrmMain::CreateControls() {
    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size() && i < images_.size(); ++i) {
        const launcher::Cell& c = cells[i];
        images_[i] = MakePicture(kImageId + static_cast<int>(i), c.imageLeft, c.imageTop, c.imageWidth,
                                 c.imageHeight, true);
        labels_[i] = MakeLabel(kLabelId + static_cast<int>(i), Widen(c.caption), c.labelLeft, c.labelTop);
        pictures_[i] = LoadPicture(IDB_CELL_FIRST + static_cast<int>(i));
    }
    image2_ = MakePicture(kImage2Id, 12, 8, 18, 18, false);
    image2Picture_ = LoadPicture(IDB_IMAGE2);
    label1_ = MakeLabel(kLabel1Id, L"", launcher::kClockLeft, launcher::kBottomLineTop);
    label18_ = MakeLabel(kLabel18Id, L"推荐：", launcher::kRecommendLeft, launcher::kBottomLineTop);
    const auto links = launcher::RecommendedLinks();
    for (size_t i = 0; i < links.size() && i < links_.size(); ++i) {
        links_[i] = MakeLabel(kLinkId + static_cast<int>(i), Widen(links[i].caption), links[i].left,
                              launcher::kBottomLineTop);
    }
}

HWND FrmMain::MakeLabel(int id, const std::wstring& text, int left, int top) {
    // A real static control with its text; the panel draws the letters on
    // its face, so that the skin and the highlight show around them.
    const SIZE size = TextSize(text);
    HWND label = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, WC_STATICW, text.c_str(),
                                   WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, left, top, size.cx,
                                   size.cy, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(),
                                   nullptr);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(frame_.Font()), FALSE);
    ::SetWindowSubclass(label, &FrmMain::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return label;
}

HWND FrmMain::MakePicture(int id, int left, int top, int width, int height, bool notify) {
    HWND picture = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, WC_STATICW, L"",
                                     WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | (notify ? SS_NOTIFY : 0), left, top, width,
                                     height, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), AppInstance(),
                                     nullptr);
    if (notify) {
        ::SetWindowSubclass(picture, &FrmMain::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
    } else {
        frame::SkinnedFrame::AdoptControl(picture);
    }
    return picture;
}

SIZE FrmMain::TextSize(const std::wstring& text) {
    if (!measure_) measure_.reset(::CreateCompatibleDC(nullptr));
    HDC dc = measure_.get();
    SelectGuard font(dc, frame_.Font());
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    return {extent.cx > 0 ? extent.cx : 1, metrics.tmHeight};
}

void FrmMain::FitLabelToText(HWND label) {
    wchar_t text[128] = {};
    ::GetWindowTextW(label, text, 128);
    const SIZE size = TextSize(text);
    ::SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- clock

void FrmMain::Timer1_Timer() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    const std::wstring line = Widen(clock::ClockLine({now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour,
                                                      now.wMinute, now.wSecond}));
    SetCaption(label1_, line);
}

void FrmMain::SetCaption(HWND label, const std::wstring& text) {
    RECT area = ControlRect(label);
    ::SetWindowTextW(label, text.c_str());
    FitLabelToText(label);
    const RECT now = ControlRect(label);
    ::UnionRect(&area, &area, &now);
    frame_.Redraw(&area);
}

// ---- highlight

RECT FrmMain::Shape1Rect() const {
    return {shape1_.x, shape1_.y, shape1_.x + launcher::kHighlightWidth, shape1_.y + launcher::kHighlightHeight};
}

void FrmMain::MoveShape1(POINT to, bool visible) {
    if (to.x == shape1_.x && to.y == shape1_.y && visible == shape1Visible_) return;
    const RECT before = Shape1Rect();
    const bool wasVisible = shape1Visible_;
    shape1_ = to;
    shape1Visible_ = visible;
    if (wasVisible) frame_.Redraw(&before);
    if (shape1Visible_) {
        const RECT after = Shape1Rect();
        frame_.Redraw(&after);
    }
}

void FrmMain::HighlightCell(size_t index) {
    const auto cells = launcher::Cells();
    if (index >= cells.size()) return;
    MoveShape1({cells[index].highlightLeft, cells[index].highlightTop}, true);
}

void FrmMain::OnInteriorMouseMove() { MoveShape1(shape1_, false); }

RECT FrmMain::ControlRect(HWND control) const {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void FrmMain::PaintOverSkin(HDC dc) {
    // Shape1 lies above the skin and beneath the pictures and captions.
    if (shape1Visible_) {
        UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, RGB(0xC0, 0xC0, 0xC0)));
        UniqueGdiObject brush(::CreateSolidBrush(RGB(0xE0, 0xE0, 0xE0)));
        SelectGuard usePen(dc, pen.get());
        SelectGuard useBrush(dc, brush.get());
        const RECT r = Shape1Rect();
        ::RoundRect(dc, r.left, r.top, r.right, r.bottom, 12, 12);
    }

    // Pictures, stretched to their controls, blended by their alpha.
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    auto picture = [&](HWND control, HBITMAP bitmap) {
        if (!control || !bitmap) return;
        BITMAP info{};
        ::GetObjectW(bitmap, sizeof info, &info);
        const RECT r = ControlRect(control);
        SelectGuard select(source.get(), bitmap);
        const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        ::GdiAlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, source.get(), 0, 0, info.bmWidth,
                        info.bmHeight, blend);
    };
    for (size_t i = 0; i < images_.size(); ++i) picture(images_[i], pictures_[i].get());
    picture(image2_, image2Picture_.get());

    // Captions: one line each, transparent, black but for the red "推荐：".
    SelectGuard font(dc, frame_.Font());
    ::SetBkMode(dc, TRANSPARENT);
    auto caption = [&](HWND control, COLORREF colour) {
        if (!control) return;
        wchar_t text[128] = {};
        const int length = ::GetWindowTextW(control, text, 128);
        const RECT r = ControlRect(control);
        ::SetTextColor(dc, colour);
        ::TextOutW(dc, r.left, r.top, text, length);
    };
    for (HWND label : labels_) caption(label, RGB(0, 0, 0));
    caption(label1_, RGB(0, 0, 0));
    caption(label18_, RGB(255, 0, 0));
    for (HWND link : links_) caption(link, RGB(0, 0, 0));
}

// ---- controls

LRESULT CALLBACK FrmMain::ControlProc(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &FrmMain::ControlProc, kControlSubclassId);
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    return reinterpret_cast<FrmMain*>(data)->OnControlMessage(control, msg, wp, lp);
}

LRESULT FrmMain::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT adopted = 0;
    if (frame::SkinnedFrame::HandleAdopted(control, msg, wp, lp, &adopted)) return adopted;
    const int id = ::GetDlgCtrlID(control);
    const bool clickable = IsCellImage(id) || IsCellLabel(id) || IsLink(id);
    switch (msg) {
        case WM_SETCURSOR:
            if (!clickable) break;
            ::SetCursor(hand_);
            return TRUE;
        case WM_MOUSEMOVE:
            // ImageN_MouseMove: the highlight follows the pictures only.
            if (IsCellImage(id)) HighlightCell(static_cast<size_t>(id - kImageId));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            // LabelN_MouseDown: any button on a caption moves the highlight.
            if (IsCellLabel(id)) HighlightCell(static_cast<size_t>(id - kLabelId));
            if ((msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) && clickable) {
                pressed_ = control;
                ::SetCapture(control);
            }
            return 0;
        case WM_LBUTTONUP: {
            // A click: pressed and released on the same control.
            const bool wasPressed = pressed_ == control;
            pressed_ = nullptr;
            if (::GetCapture() == control) ::ReleaseCapture();
            RECT r{};
            ::GetClientRect(control, &r);
            const POINT at{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (wasPressed && ::PtInRect(&r, at)) ControlClicked(id);
            return 0;
        }
        case WM_CAPTURECHANGED:
            if (pressed_ == control) pressed_ = nullptr;
            break;
        default:
            break;
    }
    return ::DefSubclassProc(control, msg, wp, lp);
}

void FrmMain::ControlClicked(int id) {
    if (IsCellImage(id)) {
        RunCell(static_cast<size_t>(id - kImageId));
    } else if (IsCellLabel(id)) {
        RunCell(static_cast<size_t>(id - kLabelId));
    } else if (IsLink(id)) {
        const auto links = launcher::RecommendedLinks();
        commands::OpenWebPage(hwnd(), links[static_cast<size_t>(id - kLinkId)].address);
    }
}

HWND FrmMain::Label3() const {
    const auto cells = launcher::Cells();
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].command == launcher::Command::ToggleCdTray) return labels_[i];
    }
    return nullptr;
}

void FrmMain::RunCell(size_t index) {
    const auto cells = launcher::Cells();
    if (index >= cells.size()) return;
    using launcher::Command;
    HWND owner = hwnd();
    switch (cells[index].command) {
        case Command::OpenMyComputer: commands::OpenMyComputer(owner); break;
        case Command::OpenWebNavigation: commands::OpenWebNavigation(owner); break;
        case Command::ShowWebSearch: ShowWindowNormal(WindowKind::wlss); break;
        case Command::ControlPanel: commands::RunCommandLine("control.exe", 1); break;
        case Command::TaskManager: commands::RunCommandLine("taskmgr.exe", 1); break;
        case Command::EmptyRecycleBin: Qkhsz::EmptyRecycleBinRequest(); break;
        case Command::ToggleCdTray:
            if (HWND label = Label3()) {
                RECT area = ControlRect(label);
                commands::ToggleCdTray(label);
                FitLabelToText(label);
                const RECT now = ControlRect(label);
                ::UnionRect(&area, &area, &now);
                frame_.Redraw(&area);
            }
            break;
        case Command::ShowWallpaper: ShowWindowNormal(WindowKind::ghzm); break;
        case Command::AddRemovePrograms: commands::RunCommandLine("control.exe appwiz.cpl", 2); break;
        case Command::ShowAboutBox: commands::ShowAboutBox(owner, icon_.get()); break;
        case Command::SearchDriveC: commands::SearchDriveC(owner); break;
        case Command::ShowColourPicker: ShowWindowNormal(WindowKind::Form3); break;
        case Command::StartCalculator: commands::StartCalculator(owner); break;
        case Command::SystemProperties: commands::RunCommandLine("control.exe sysdm.cpl", 2); break;
        case Command::MonitorOff: commands::MonitorOff(owner); break;
        case Command::ExploreDriveC: commands::ExploreDriveC(owner); break;
        case Command::DateAndTime:
            commands::RunCommandLine("rundll32.exe shell32.dll,Control_RunDLL timedate.cpl", 1);
            break;
        case Command::StartNotepad: commands::StartNotepad(owner); break;
        case Command::DisplayProperties: commands::RunCommandLine("control.exe desk.cpl", 2); break;
        case Command::PowerMenu:
            if (Yindao* yindao = TheYindao()) {
                POINT at{};
                ::GetCursorPos(&at);
                yindao->PopupMenu(yindao->gjj(), at, owner);
            }
            break;
    }
}

// ---- frame

void FrmMain::OnCaptionButtonRelease(int index) {
    switch (index) {
        case 0:
            ::ShowWindow(hwnd(), SW_MINIMIZE);
            break;
        case 1:
            if (::IsIconic(hwnd()) || ::IsZoomed(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
            break;
        case 2:
            ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
        default:
            break;
    }
}

void FrmMain::Form_QueryUnload() {
    SavePlacement(hwnd());
    ForgetLiveWindow(WindowKind::frmMain, hwnd());
}

LRESULT FrmMain::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            RegisterLiveWindow(WindowKind::frmMain, hwnd());
            frame_.Attach(hwnd(), *this, kCaption);
            CreateControls();
            ::SetTimer(hwnd(), kTimer1, 1000, nullptr);
            return 0;
        case WM_TIMER:
            if (wp == kTimer1) Timer1_Timer();
            return 0;
        case WM_CLOSE:
            Form_QueryUnload();
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kTimer1);
            return 0;
        default:
            break;
    }
    LRESULT result = 0;
    if (frame_.Handle(msg, wp, lp, &result)) return result;
    return Default(msg, wp, lp);
}

void FrmMain::OnWindowGone(HWND gone) {
    ForgetLiveWindow(WindowKind::frmMain, gone);
    frame_.Detach();
    for (auto& p : pictures_) p.reset();
    image2Picture_.reset();
    icon_.reset();
    measure_.reset();
    images_ = {};
    labels_ = {};
    links_ = {};
    label1_ = label18_ = image2_ = nullptr;
    pressed_ = nullptr;
}

}  // namespace velmora
