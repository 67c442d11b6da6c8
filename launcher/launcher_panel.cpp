#include "launcher/launcher_panel.h"

#include <commctrl.h>
#include <imm.h>

#include <string>
#include <utility>

#include "launcher/cell_initials.h"
#include "launcher/clock_line.h"
#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/subclass.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "resources/ids.h"
#include "settings/placement.h"

namespace velmora {

namespace {

// The highlight: a light grey field with a darker rim and round corners.
constexpr COLORREF kHighlightFill = RGB(0xE0, 0xE0, 0xE0);
constexpr COLORREF kHighlightRim = RGB(0xC0, 0xC0, 0xC0);
constexpr int kHighlightCorner = 12;

constexpr COLORREF kCaptionColour = RGB(0, 0, 0);
constexpr COLORREF kRecommendColour = RGB(255, 0, 0);
constexpr wchar_t kRecommendText[] = L"推荐：";

constexpr UINT kClockInterval = 1000;

// Bit 30 of a key message's flags: the key was already down (auto-repeat).
constexpr LPARAM kKeyWasDown = 1 << 30;

bool InRange(int id, int first, std::size_t count) { return id >= first && id < first + static_cast<int>(count); }

// A picture stretched over its control's place, blended by its alpha.
void PaintBitmap(HDC dc, HDC scratch, HWND control, HBITMAP bitmap) {
    if (!control || !bitmap) return;
    const RECT r = ChildRect(control);
    if (!::RectVisible(dc, &r)) return;
    BITMAP info{};
    ::GetObjectW(bitmap, sizeof info, &info);
    SelectGuard select(scratch, bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    ::GdiAlphaBlend(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, scratch, 0, 0, info.bmWidth,
                    info.bmHeight, blend);
}

// A caption's text on one line at its control's place, on no background.
void PaintText(HDC dc, HWND control, COLORREF colour) {
    if (!control) return;
    const RECT r = ChildRect(control);
    if (!::RectVisible(dc, &r)) return;  // outside what is being composed
    const std::wstring text = WindowText(control);
    ::SetTextColor(dc, colour);
    ::TextOutW(dc, r.left, r.top, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

// ---- creation and load

LauncherPanel::LauncherPanel(Services services) : services_(std::move(services)) {
    const auto cells = launcher::Cells();
    for (std::size_t i = 0; i < cells.size() && i < kCellCount; ++i) {
        if (cells[i].action == Action::ToggleCdTray) cdTrayCell_ = i;
    }
}

LauncherPanel::~LauncherPanel() {
    // While the whole object exists: the window's last messages reach it.
    if (hwnd()) ::DestroyWindow(hwnd());
}

std::unique_ptr<LauncherPanel> LauncherPanel::Create(Services services) {
    std::unique_ptr<LauncherPanel> panel(new LauncherPanel(std::move(services)));
    if (!panel->CreateWindowAndLoad()) return nullptr;
    return panel;
}

void LauncherPanel::PrepareToOpen() {
    // The common controls are left to the opening itself: a program that
    // stays in the tray never needs them in memory.
    RegisterClassOnce(0, ::LoadIconW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA)));
    const int dpi = SystemDpi();
    HandCursor(dpi);
    frame::SkinnedFrame::PrepareArt(dpi);
    for (int i = 0; i < IDB_CELL_COUNT; ++i) PrepareBitmapResource(IDB_CELL_FIRST + i, static_cast<unsigned>(dpi));
    PrepareBitmapResource(IDB_PANEL_TITLE, static_cast<unsigned>(dpi));
}

bool LauncherPanel::CreateWindowAndLoad() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&init);
    PrepareToOpen();  // done already, unless the panel opens at once
    // On the taskbar while open, so that a minimised panel can be brought
    // back from there as well as from the tray. The frame pins the size at
    // the window's own DPI once it exists.
    if (!CreateWindowOf(WS_EX_APPWINDOW, kTitle, frame::kSkinnedStyle, 0, 0, PixelsX(frame::kFixedWidthTwips),
                        PixelsY(frame::kFixedHeightTwips))) {
        return false;
    }
    Load();
    return hwnd() != nullptr;
}

void LauncherPanel::Load() {
    RestorePlacement(hwnd());
    ShowTime();  // the line is filled before the timer's first tick
    highlight_.cell = kCellCount;
    const int parked = frame_.Scaled(launcher::kHighlightParked);
    MoveHighlight({parked, parked}, true);
}

void LauncherPanel::CreateControls() {
    // Made at their places at the panel's DPI: moving forty-odd controls
    // after making them would cost the opening as much again.
    LoadForDpi();
    const auto cells = launcher::Cells();
    for (std::size_t i = 0; i < cells.size() && i < kCellCount; ++i) {
        const launcher::Cell& c = cells[i];
        const int offset = static_cast<int>(i);
        controls_.cellButtons[i] = MakeCellButton(kCellPictureId + offset, CellCaptionText(i), CellPictureRect(c));
        controls_.cellCaptions[i] =
            MakeLabel(kCellCaptionId + offset, CellCaptionText(i), {c.captionLeft, c.captionTop});
    }
    controls_.titlePicture = MakePicture(kTitlePictureId, TitlePictureRect(), false);
    controls_.clock = MakeLabel(kClockLabelId, L"", {launcher::kClockLeft, launcher::kBottomLineTop});
    controls_.recommend = MakeLabel(kRecommendLabelId, kRecommendText, {launcher::kRecommendLeft, launcher::kBottomLineTop});
    for (std::size_t i = 0; i < kLinkCount; ++i) {
        controls_.links[i] = MakeLabel(kLinkId + static_cast<int>(i), Widen(web::kRecommended[i].caption),
                                       {launcher::kLinkLefts[i], launcher::kBottomLineTop});
    }
}

void LauncherPanel::LoadForDpi() {
    const auto dpi = static_cast<unsigned>(frame_.Dpi());
    for (std::size_t i = 0; i < kCellCount; ++i) {
        cellBitmaps_[i] = LoadBitmapResource(IDB_CELL_FIRST + static_cast<int>(i), dpi);
    }
    titleBitmap_ = LoadBitmapResource(IDB_PANEL_TITLE, dpi);
    highlightPen_.reset(::CreatePen(PS_SOLID, frame_.Scaled(1), kHighlightRim));
    highlightBrush_.reset(::CreateSolidBrush(kHighlightFill));
}

DesignRect LauncherPanel::CellPictureRect(const launcher::Cell& c) const {
    return ScaleDesign(DesignRect{c.pictureLeft, c.pictureTop, c.pictureWidth, c.pictureHeight}, frame_.Dpi());
}

DesignRect LauncherPanel::TitlePictureRect() const {
    return ScaleDesign(DesignRect{launcher::kTitlePictureLeft, launcher::kTitlePictureTop,
                                  launcher::kTitlePictureSize, launcher::kTitlePictureSize},
                       frame_.Dpi());
}

DesignRect LauncherPanel::LabelRect(const std::wstring& text, POINT designTopLeft) const {
    // A label sits at its design place and is as large as its text.
    const SIZE size = frame_.LabelSize(text);
    return {frame_.Scaled(designTopLeft.x), frame_.Scaled(designTopLeft.y), size.cx, size.cy};
}

void LauncherPanel::PlaceControls() {
    const auto place = [](HWND control, const DesignRect& r) {
        ::SetWindowPos(control, nullptr, r.x, r.y, r.w, r.h, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    const auto label = [&](HWND control, POINT designTopLeft) {
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(frame_.Font()), FALSE);
        place(control, LabelRect(WindowText(control), designTopLeft));
    };
    const auto cells = launcher::Cells();
    for (std::size_t i = 0; i < cells.size() && i < kCellCount; ++i) {
        place(controls_.cellButtons[i], CellPictureRect(cells[i]));
        label(controls_.cellCaptions[i], {cells[i].captionLeft, cells[i].captionTop});
    }
    place(controls_.titlePicture, TitlePictureRect());
    label(controls_.clock, {launcher::kClockLeft, launcher::kBottomLineTop});
    label(controls_.recommend, {launcher::kRecommendLeft, launcher::kBottomLineTop});
    for (std::size_t i = 0; i < kLinkCount; ++i) label(controls_.links[i], {launcher::kLinkLefts[i], launcher::kBottomLineTop});
}

void LauncherPanel::AfterDpiChange(int) {
    LoadForDpi();
    PlaceControls();
    icon_.reset();
    // The highlight goes back onto its cell at the new scale.
    if (highlight_.cell < kCellCount) {
        const launcher::Cell& c = launcher::Cells()[highlight_.cell];
        highlight_.at = {frame_.Scaled(c.highlightLeft), frame_.Scaled(c.highlightTop)};
    } else {
        highlight_.at = {frame_.Scaled(launcher::kHighlightParked), frame_.Scaled(launcher::kHighlightParked)};
    }
}

HWND LauncherPanel::MakeLabel(int id, const std::wstring& text, POINT designTopLeft) {
    // A real static control with its text, sized to it; the panel draws the
    // letters on its face, so that the skin and the highlight show around
    // them.
    const DesignRect r = LabelRect(text, designTopLeft);
    HWND label =
        CreateChild(hwnd(), WC_STATICW, text, WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, r.x, r.y, r.w, r.h, id);
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(frame_.Font()), FALSE);
    SubclassControl<&LauncherPanel::OnControlMessage>(label, this);
    return label;
}

HWND LauncherPanel::MakeCellButton(int id, const std::wstring& caption, const DesignRect& r) {
    // A push button named by the cell's caption, which screen readers and
    // automation find and press; the panel draws its picture on the face,
    // and its mouse is the panel's, as a picture's is.
    HWND button =
        CreateChild(hwnd(), WC_BUTTONW, caption, WS_VISIBLE | BS_OWNERDRAW | BS_NOTIFY, r.x, r.y, r.w, r.h, id);
    SubclassControl<&LauncherPanel::OnControlMessage>(button, this);
    return button;
}

HWND LauncherPanel::MakePicture(int id, const DesignRect& r, bool clickable) {
    // Without SS_NOTIFY the mouse passes through to the panel beneath.
    HWND picture = CreateChild(hwnd(), WC_STATICW, L"", WS_VISIBLE | SS_OWNERDRAW | (clickable ? SS_NOTIFY : 0), r.x,
                               r.y, r.w, r.h, id);
    SubclassControl<&LauncherPanel::OnControlMessage>(picture, this);
    return picture;
}

HICON LauncherPanel::Icon() const {
    if (!icon_ && hwnd()) icon_ = LoadIconResource(IDI_VELMORA, MetricAt(SM_CXICON, frame_.Dpi()));
    return icon_.get();
}

std::wstring LauncherPanel::CellCaptionText(std::size_t cell) const {
    if (cell == cdTrayCell_) return cdTrayOpen_ ? kCloseCdCaption : kOpenCdCaption;
    return Widen(launcher::Cells()[cell].caption);
}

void LauncherPanel::SetCaption(HWND label, const std::wstring& text) {
    if (!label) return;
    RECT area = ChildRect(label);
    ::SetWindowTextW(label, text.c_str());
    const SIZE size = frame_.LabelSize(text);
    ::SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT now = ChildRect(label);
    ::UnionRect(&area, &area, &now);
    frame_.Redraw(&area);
}

// ---- clock and CD tray

void LauncherPanel::ShowTime() { SetCaption(controls_.clock, Widen(clock::ClockLine(services_.clock.Now()))); }

void LauncherPanel::ToggleCdTray() {
    cdTrayOpen_ = !cdTrayOpen_;
    // The caption first: it changes whatever the drive answers.
    SetCaption(CdTrayCaption(), CellCaptionText(cdTrayCell_));
    ::SetWindowTextW(CellButton(cdTrayCell_), CellCaptionText(cdTrayCell_).c_str());
    services_.commands.SetCdDoor(cdTrayOpen_);
}

// ---- highlight

RECT LauncherPanel::HighlightRect() const {
    return {highlight_.at.x, highlight_.at.y, highlight_.at.x + frame_.Scaled(launcher::kHighlightWidth),
            highlight_.at.y + frame_.Scaled(launcher::kHighlightHeight)};
}

void LauncherPanel::MoveHighlight(POINT to, bool visible) {
    if (to.x == highlight_.at.x && to.y == highlight_.at.y && visible == highlight_.visible) return;
    const RECT before = HighlightRect();
    const bool wasVisible = highlight_.visible;
    highlight_.at = to;
    highlight_.visible = visible;
    if (wasVisible) frame_.Redraw(&before);
    if (visible) {
        const RECT after = HighlightRect();
        frame_.Redraw(&after);
    }
}

void LauncherPanel::HighlightCell(std::size_t cell) {
    const auto cells = launcher::Cells();
    if (cell >= cells.size()) return;
    highlight_.cell = cell;
    MoveHighlight({frame_.Scaled(cells[cell].highlightLeft), frame_.Scaled(cells[cell].highlightTop)}, true);
}

void LauncherPanel::HighlightCellByKey(std::optional<std::size_t> cell) {
    if (!cell || *cell >= kCellCount) return;
    HighlightCell(*cell);
    // A screen reader follows the keyboard's highlight: it announces the
    // cell's button as if it had the focus.
    ::NotifyWinEvent(EVENT_OBJECT_FOCUS, controls_.cellButtons[*cell], OBJID_CLIENT, CHILDID_SELF);
}

std::optional<std::size_t> LauncherPanel::HighlightedCell() const {
    if (!highlight_.visible || highlight_.cell >= kCellCount) return std::nullopt;
    return highlight_.cell;
}

void LauncherPanel::OnInteriorMouseMove() { MoveHighlight(highlight_.at, false); }

// ---- painting

void LauncherPanel::PaintOverSkin(HDC dc) {
    // The highlight lies above the skin and beneath the pictures and captions.
    PaintHighlight(dc);
    PaintCellBorders(dc);
    PaintPictures(dc);
    PaintCaptions(dc);
}

void LauncherPanel::PaintHighlight(HDC dc) const {
    if (!highlight_.visible) return;
    const RECT r = HighlightRect();
    if (frame_.HighContrast()) {
        ::FillRect(dc, &r, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        return;
    }
    SelectGuard pen(dc, highlightPen_.get());
    SelectGuard brush(dc, highlightBrush_.get());
    const int corner = frame_.Scaled(kHighlightCorner);
    ::RoundRect(dc, r.left, r.top, r.right, r.bottom, corner, corner);
}

void LauncherPanel::PaintCellBorders(HDC dc) const {
    // In a high-contrast theme every cell keeps a visible edge of the
    // theme's text colour, as the theme's own buttons do.
    if (!frame_.HighContrast()) return;
    const int gap = frame_.Scaled(2);
    for (HWND cell : controls_.cellButtons) {
        RECT r = ChildRect(cell);
        ::InflateRect(&r, gap, gap);
        ::FrameRect(dc, &r, ::GetSysColorBrush(COLOR_WINDOWTEXT));
    }
}

void LauncherPanel::PaintPictures(HDC dc) const {
    UniqueMemoryDc scratch(::CreateCompatibleDC(dc));
    for (std::size_t i = 0; i < kCellCount; ++i) {
        PaintBitmap(dc, scratch.get(), controls_.cellButtons[i], cellBitmaps_[i].get());
    }
    PaintBitmap(dc, scratch.get(), controls_.titlePicture, titleBitmap_.get());
}

void LauncherPanel::PaintCaptions(HDC dc) const {
    SelectGuard font(dc, frame_.Font());
    ::SetBkMode(dc, TRANSPARENT);
    const bool system = frame_.HighContrast();
    const COLORREF text = system ? ::GetSysColor(COLOR_WINDOWTEXT) : kCaptionColour;
    const COLORREF onHighlight = system ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : kCaptionColour;
    const std::optional<std::size_t> lit = HighlightedCell();
    for (std::size_t i = 0; i < kCellCount; ++i) PaintText(dc, controls_.cellCaptions[i], lit == i ? onHighlight : text);
    PaintText(dc, controls_.clock, text);
    PaintText(dc, controls_.recommend, system ? ::GetSysColor(COLOR_HOTLIGHT) : kRecommendColour);
    for (HWND link : controls_.links) PaintText(dc, link, system ? ::GetSysColor(COLOR_HOTLIGHT) : kCaptionColour);
}

// ---- the controls' mouse

LauncherPanel::Role LauncherPanel::RoleOf(int controlId) {
    using Kind = Role::Kind;
    if (InRange(controlId, kCellPictureId, kCellCount)) {
        return {Kind::CellPicture, static_cast<std::size_t>(controlId - kCellPictureId)};
    }
    if (InRange(controlId, kCellCaptionId, kCellCount)) {
        return {Kind::CellCaption, static_cast<std::size_t>(controlId - kCellCaptionId)};
    }
    if (InRange(controlId, kLinkId, kLinkCount)) return {Kind::Link, static_cast<std::size_t>(controlId - kLinkId)};
    return {};
}

LRESULT LauncherPanel::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT adopted = 0;
    if (frame::SkinnedFrame::HandleAdopted(control, msg, wp, lp, &adopted)) return adopted;
    const Role role = RoleOf(::GetDlgCtrlID(control));
    const bool clickable = role.kind != Role::Kind::Text;
    switch (msg) {
        case WM_SETCURSOR:
            if (!clickable) break;
            ::SetCursor(HandCursor(WindowDpi(hwnd())));
            return TRUE;
        case WM_MOUSEMOVE:
            // The highlight follows the mouse over the pictures only.
            if (role.kind == Role::Kind::CellPicture) HighlightCell(role.index);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            // Any button pressed on a caption brings the highlight there.
            if (role.kind == Role::Kind::CellCaption) HighlightCell(role.index);
            if (clickable) clicks_.Handle(control, msg, lp);
            return 0;
        case WM_LBUTTONUP:
            // Last: the action may take the panel away.
            if (clicks_.Handle(control, msg, lp)) OnClick(role);
            return 0;
        case WM_CAPTURECHANGED:
            clicks_.Handle(control, msg, lp);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(control, msg, wp, lp);
}

void LauncherPanel::OnClick(Role role) {
    switch (role.kind) {
        case Role::Kind::CellPicture:
        case Role::Kind::CellCaption:
            RunCell(role.index);
            break;
        case Role::Kind::Link:
            services_.commands.OpenWebPage(hwnd(), web::kRecommended[role.index].address);
            break;
        case Role::Kind::Text:
            break;
    }
}

void LauncherPanel::RunCell(std::size_t cell, bool byKey) {
    if (cell >= kCellCount) return;
    // A menu the cell brings opens below it when the keyboard ran it.
    menuAnchor_.reset();
    if (byKey) {
        const RECT r = HighlightRect();
        POINT below{r.left, r.bottom};
        if (::ClientToScreen(hwnd(), &below)) menuAnchor_ = below;
    }
    // A copy: the action may end the panel, and this object with it.
    const std::function<void(Action)> run = services_.run;
    if (run) run(launcher::Cells()[cell].action);
}

// ---- the keyboard

bool LauncherPanel::OnKeyDown(WPARAM key, LPARAM flags) {
    const auto step = [this](launcher::Arrow arrow) {
        typed_.Clear();
        HighlightCellByKey(launcher::StepInGrid(HighlightedCell(), arrow));
    };
    switch (key) {
        case VK_LEFT: step(launcher::Arrow::Left); return true;
        case VK_RIGHT: step(launcher::Arrow::Right); return true;
        case VK_UP: step(launcher::Arrow::Up); return true;
        case VK_DOWN: step(launcher::Arrow::Down); return true;
        case VK_RETURN:
        case VK_SPACE:
            // A key held down runs the cell once, not once per repeat.
            if (flags & kKeyWasDown) return true;
            typed_.Clear();
            if (const std::optional<std::size_t> cell = HighlightedCell()) RunCell(*cell, true);
            return true;
        case VK_ESCAPE:
            OnCaptionButtonRelease(frame::CaptionButton::Close);
            return true;
        default:
            return false;
    }
}

void LauncherPanel::OnTypedCharacter(wchar_t typed) {
    if (!launcher::IsSelectingLetter(typed)) return;
    const std::string_view prefix = typed_.Add(static_cast<char>(typed), services_.ticks.Milliseconds());
    // The captions as the panel shows them: the CD cell answers to the way
    // it offers to move the tray.
    std::array<std::string, kCellCount> initials;
    for (std::size_t i = 0; i < kCellCount; ++i) {
        initials[i] = launcher::PinyinInitials(Narrow(CellCaptionText(i))).value_or("");
    }
    // No match leaves the highlight where it was.
    HighlightCellByKey(launcher::FirstCellStartingWith(initials, prefix));
}

// ---- frame and window

void LauncherPanel::OnCaptionButtonRelease(frame::CaptionButton button) {
    switch (button) {
        case frame::CaptionButton::Minimise:
            ::ShowWindow(hwnd(), SW_MINIMIZE);
            break;
        case frame::CaptionButton::Restore:
            if (::IsIconic(hwnd()) || ::IsZoomed(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
            break;
        case frame::CaptionButton::Close:
            ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
    }
}

LRESULT LauncherPanel::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            frame_.Attach(hwnd(), *this, kTitle);
            CreateControls();
            // Letters pick cells here; an input method would take them for
            // composing Chinese text, and the panel has no text to enter.
            ::ImmAssociateContextEx(hwnd(), nullptr, 0);
            return 0;
        case WM_SHOWWINDOW:
            // The clock ticks only where it can be read.
            if (wp) {
                ShowTime();
                ::SetTimer(hwnd(), static_cast<UINT_PTR>(TimerId::Clock), kClockInterval, nullptr);
            } else {
                ::KillTimer(hwnd(), static_cast<UINT_PTR>(TimerId::Clock));
            }
            break;
        case WM_ACTIVATE:
            // Active, the panel takes the keys itself: its controls are
            // pictures and labels that never hold the focus.
            if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) ::SetFocus(hwnd());
            return 0;
        case WM_KEYDOWN:
            if (OnKeyDown(wp, lp)) return 0;
            break;
        case WM_CHAR:
            OnTypedCharacter(static_cast<wchar_t>(wp));
            return 0;
        case WM_TIMER:
            if (wp == static_cast<WPARAM>(TimerId::Clock)) ShowTime();
            return 0;
        case WM_CLOSE:
            // Every close is let through; where it was is kept for next time.
            SavePlacement(hwnd());
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), static_cast<UINT_PTR>(TimerId::Clock));
            return 0;
        default:
            break;
    }
    LRESULT result = 0;
    if (frame_.Handle(msg, wp, lp, &result)) return result;
    return Default(msg, wp, lp);
}

void LauncherPanel::OnWindowGone() {
    frame_.Detach();
    for (auto& bitmap : cellBitmaps_) bitmap.reset();
    titleBitmap_.reset();
    highlightPen_.reset();
    highlightBrush_.reset();
    icon_.reset();
    controls_ = {};
}

}  // namespace velmora
