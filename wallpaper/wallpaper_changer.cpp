#include "wallpaper/wallpaper_changer.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>

#include "platform/controls.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "resources/ids.h"
#include "settings/placement.h"
#include "wallpaper/picture_list_box.h"

namespace velmora {

using namespace changer_control;
using wallpaper::ChangeMode;
using wallpaper::ChangerController;
using wallpaper::ChangerSettings;
using wallpaper::ControlStates;
using wallpaper::Order;
using wallpaper::Position;
using wallpaper::Schedule;

namespace {

constexpr COLORREF kBackground = RGB(248, 248, 248);
// The design's outer size; the frame pins it to 7800 x 5600 twips at once,
// so the controls placed beyond that (关闭/隐藏) lie outside the window.
constexpr int kDesignWidth = 520;
constexpr int kDesignHeight = 373;
constexpr double kBox = 14 * 15;  // an option button or check box without caption, in twips

constexpr const wchar_t* kButtonCaptions[7] = {L"增加图片", L"更新图片", L"查看大图", L"开始更换",
                                               L"关闭/隐藏", L"停止更换", L"立即更换"};

// A container's place in the window, in twips; the controls inside are
// placed relative to it. Every place here is twips of the window.
struct Group {
    double left, top;
    double X(double twips) const { return left + twips; }
    double Y(double twips) const { return top + twips; }
};
constexpr Group kWindow{0, 0}, kOrderPlace{3600, 2280}, kPositionPlace{3600, 2820}, kModePlace{3600, 3375};
constexpr double W(double twips) { return twips; }
constexpr double H(double twips) { return twips; }

// The option buttons, the labels that carry their captions, the choice
// each makes and when it is the one made.
struct OptionChoice {
    int option;
    int caption;
    void (*choose)(ChangerController&);
    bool (*chosen)(const ChangerSettings&, const ControlStates&);
};
constexpr OptionChoice kOptionChoices[] = {
    {kTimedOption, kTimedCaption, [](ChangerController& c) { c.ChooseMode(ChangeMode::Timed); },
     [](const ChangerSettings&, const ControlStates& s) { return s.timedSelected; }},
    {kImmediateOption, kImmediateCaption, [](ChangerController& c) { c.ChooseMode(ChangeMode::Immediate); },
     [](const ChangerSettings&, const ControlStates& s) { return !s.timedSelected; }},
    {kSequentialOption, kSequentialCaption, [](ChangerController& c) { c.ChooseOrder(Order::Sequential); },
     [](const ChangerSettings& s, const ControlStates&) { return s.order == Order::Sequential; }},
    {kRandomOption, kRandomCaption, [](ChangerController& c) { c.ChooseOrder(Order::Random); },
     [](const ChangerSettings& s, const ControlStates&) { return s.order == Order::Random; }},
    {kTileOption, kTileCaption, [](ChangerController& c) { c.ChoosePosition(Position::Tile); },
     [](const ChangerSettings& s, const ControlStates&) { return s.position == Position::Tile; }},
    {kStretchOption, kStretchCaption, [](ChangerController& c) { c.ChoosePosition(Position::Stretch); },
     [](const ChangerSettings& s, const ControlStates&) { return s.position == Position::Stretch; }},
    {kCentreOption, kCentreCaption, [](ChangerController& c) { c.ChoosePosition(Position::Centre); },
     [](const ChangerSettings& s, const ControlStates&) { return s.position == Position::Centre; }},
    {kFillOption, kFillCaption, [](ChangerController& c) { c.ChoosePosition(Position::Fill); },
     [](const ChangerSettings& s, const ControlStates&) { return s.position == Position::Fill; }},
    {kFitOption, kFitCaption, [](ChangerController& c) { c.ChoosePosition(Position::Fit); },
     [](const ChangerSettings& s, const ControlStates&) { return s.position == Position::Fit; }},
};

// The check boxes and the labels that carry their captions.
struct BoxAndCaption {
    int box;
    int caption;
};
constexpr BoxAndCaption kCheckBoxCaptions[] = {{kStartWithProgramBox, kStartWithProgramCaption},
                                               {kPicturePerMonitorBox, kPicturePerMonitorCaption}};

// A box-wide option button or check box and the label beside it, found by
// either of the two; nullopt for any other control.
std::optional<BoxAndCaption> BoxAndCaptionOf(int id) {
    for (const OptionChoice& choice : kOptionChoices) {
        if (choice.option == id || choice.caption == id) return BoxAndCaption{choice.option, choice.caption};
    }
    for (const BoxAndCaption& check : kCheckBoxCaptions) {
        if (check.box == id || check.caption == id) return check;
    }
    return std::nullopt;
}

// The label beside a box; 0 for any other control.
int CaptionOf(int box) {
    const std::optional<BoxAndCaption> pair = BoxAndCaptionOf(box);
    return pair && pair->box == box ? pair->caption : 0;
}

// The box whose caption a label carries; 0 for any other control.
int BoxOf(int caption) {
    const std::optional<BoxAndCaption> pair = BoxAndCaptionOf(caption);
    return pair && pair->caption == caption ? pair->box : 0;
}

// The boxes notify their focus, so a double click on one comes as one
// notification of its own.
bool IsClick(int code) {
    return code == BN_CLICKED || code == BN_DOUBLECLICKED || code == STN_CLICKED || code == STN_DBLCLK;
}

}  // namespace

std::unique_ptr<WallpaperChanger> WallpaperChanger::Create(Services services) {
    std::unique_ptr<WallpaperChanger> changer(new WallpaperChanger(std::move(services)));
    if (!changer->CreateWindowAndControls()) return nullptr;
    changer->Load();
    return changer;
}

WallpaperChanger::WallpaperChanger(Services services)
    : services_(std::move(services)), controller_(*this, services_) {}

WallpaperChanger::~WallpaperChanger() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool WallpaperChanger::CreateWindowAndControls() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    // A shared icon: the system keeps it for the whole run.
    RegisterClassOnce(0, static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, 0,
                                                         0, LR_DEFAULTSIZE | LR_SHARED)));
    background_.reset(::CreateSolidBrush(kBackground));
    return CreateWindowOf(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kTitle, frame::kSkinnedStyle, 0, 0, kDesignWidth,
                          kDesignHeight);
}

void WallpaperChanger::Load() {
    RestorePlacement(hwnd());
    // The list is read here, once: resizing the window does not read it again.
    controller_.Load();
    LineUpWithPanel();
}

void WallpaperChanger::LineUpWithPanel() {
    // Right edge and top lined up with the panel's. Without a panel the
    // restored placement stays: it is where a panel would open.
    const std::optional<TwipsRect> panel = services_.panelPlace ? services_.panelPlace() : std::nullopt;
    if (!panel) return;
    SetWindowTwips(hwnd(), TwipsField::Left, panel->left + panel->width - WindowTwips(hwnd(), TwipsField::Width));
    SetWindowTwips(hwnd(), TwipsField::Top, panel->top);
}

// ---- controls

HWND WallpaperChanger::MakeControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id, double x,
                                   double y, double w, double h) {
    HWND control = CreateChild(hwnd(), cls, text, WS_VISIBLE | style, 0, 0, 0, 0, id);
    places_.push_back({control, x, y, w, h});
    PlaceControl(places_.back());
    return control;
}

HWND WallpaperChanger::MakeLabel(int id, const std::wstring& text, double x, double y, double w, double h) {
    // A real static control with its text; the window's face draws it. Each
    // label starts a group of its own: the arrow keys step through the
    // controls of a group and must never land on a label.
    HWND label = MakeControl(WC_STATICW, text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY | WS_GROUP, id, x, y, w, h);
    frame::SkinnedFrame::AdoptControl(label);
    if (id != kFilePathLabel) {
        faceLabels_.push_back(label);
        PlaceControl(places_.back());  // now as a label
    }
    return label;
}

HWND WallpaperChanger::MakeButton(ChangerButton button, DWORD style, double x, double y, double w, double h) {
    const int index = static_cast<int>(button);
    return MakeControl(WC_BUTTONW, kButtonCaptions[index], BS_PUSHBUTTON | WS_TABSTOP | style, kButtonFirst + index,
                       x, y, w, h);
}

void WallpaperChanger::MakeOptionGroup(std::initializer_list<BoxPlace> options) {
    // The captions first, then the options one after another: the arrow
    // keys move through the options alone. The tab stop is the chosen one's
    // (ShowOption).
    for (const BoxPlace& o : options) MakeLabel(o.caption, o.text, o.captionLeft, o.captionTop);
    DWORD group = WS_GROUP;
    for (const BoxPlace& o : options) {
        // Its own caption names it to a screen reader; its width hides it.
        MakeControl(WC_BUTTONW, o.text, BS_RADIOBUTTON | BS_NOTIFY | group, o.box, o.left, o.top, kBox, kBox);
        group = 0;
    }
}

void WallpaperChanger::MakeCheckBox(const BoxPlace& place) {
    MakeLabel(place.caption, place.text, place.captionLeft, place.captionTop);
    // As an option button: named by its own caption, which its width hides.
    MakeControl(WC_BUTTONW, place.text, BS_CHECKBOX | BS_NOTIFY | WS_TABSTOP | WS_GROUP, place.box, place.left,
                place.top, kBox, kBox);
}

void WallpaperChanger::PlaceControl(const Place& place) {
    // Edges, not sizes, converted: controls side by side stay so.
    const int dpi = frame_.Dpi();
    const int left = TwipsToPixelsAt(place.left, dpi), top = TwipsToPixelsAt(place.top, dpi);
    SIZE size{TwipsToPixelsAt(place.left + place.width, dpi) - left, TwipsToPixelsAt(place.top + place.height, dpi) - top};
    // A label without a size is one line as long as its text; one with a
    // size is never smaller than its line, whatever the font at this DPI.
    if (std::find(faceLabels_.begin(), faceLabels_.end(), place.control) != faceLabels_.end() ||
        place.width == 0) {
        const SIZE text = frame_.LabelSize(WindowText(place.control));
        size = place.width == 0 ? text : SIZE{std::max(size.cx, text.cx), std::max(size.cy, text.cy)};
    } else if (::GetDlgCtrlID(place.control) == kScheduleBox) {
        // Wide enough for its longest schedule beside the drop-down arrow,
        // whose width the system sets at each DPI.
        for (int i = 0; i < wallpaper::kScheduleCount; ++i) {
            const SIZE text = frame_.LabelSize(Widen(wallpaper::ScheduleCaption(static_cast<Schedule>(i))));
            size.cx = std::max<LONG>(size.cx, text.cx + MetricAt(SM_CXVSCROLL, dpi) + frame_.Scaled(8));
        }
    } else if (::GetDlgCtrlID(place.control) == kFilePathLabel) {
        // The path takes up to two lines: room for both at this font.
        size.cy = std::max<LONG>(size.cy, 2 * frame_.LabelSize(L"").cy);
    }
    ::SendMessageW(place.control, WM_SETFONT, reinterpret_cast<WPARAM>(frame_.Font()), FALSE);
    ::SetWindowPos(place.control, nullptr, left, top, size.cx, size.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

void WallpaperChanger::AfterDpiChange(int) {
    for (const Place& place : places_) PlaceControl(place);
}

void WallpaperChanger::CreateControls() {
    // Creation order is the order of the tab key: the list with the buttons
    // under it, then the right column from the thumbnail down, then the
    // last row; 关闭/隐藏, beyond the visible area, last.
    CreateListAndItsButtons();
    CreatePreview();
    CreateOrderAndPosition();
    CreateModeGroup();
    CreateLastRow();
}

void WallpaperChanger::CreateListAndItsButtons() {
    const Group& g = kWindow;
    // Right before the list: the label a screen reader names it by.
    MakeLabel(kListHeading, L"已有图片", g.X(1560), g.Y(480), W(720), H(180));
    MakeControl(WC_LISTBOXW, L"", WS_VSCROLL | WS_BORDER | WS_TABSTOP | WS_GROUP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                kPictureList, g.X(360), g.Y(720), W(3135), H(3630));
    MakeButton(ChangerButton::UpdatePictures, WS_GROUP, g.X(480), g.Y(4560), W(1215), H(375));
    MakeButton(ChangerButton::AddPictures, 0, g.X(2040), g.Y(4560), W(1215), H(375));
}

void WallpaperChanger::CreatePreview() {
    const Group& g = kWindow;
    MakeLabel(kPreviewHeading, L"缩略图", g.X(4440), g.Y(480), W(540), H(180));
    HWND preview = MakeControl(WC_STATICW, L"", SS_NOTIFY, kPreview, g.X(3600), g.Y(720), W(2160), H(1530));
    frame::SkinnedFrame::AdoptControl(preview);
    MakeButton(ChangerButton::ViewFullSize, BS_MULTILINE | WS_GROUP, g.X(6360), g.Y(1080), W(615), H(615));

    // The thumbnail's tooltip: a window owned by the changer, gone with it.
    HWND tooltip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                     CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, AppInstance(),
                                     nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(preview);
    tool.lpszText = const_cast<wchar_t*>(L"双击鼠标可以浏览全图");
    ::SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void WallpaperChanger::CreateOrderAndPosition() {
    const Group &o = kOrderPlace, &p = kPositionPlace;
    MakeControl(WC_BUTTONW, L"更换顺序", BS_GROUPBOX | WS_GROUP, kOrderGroup, o.X(0), o.Y(0), W(3855), H(525));
    MakeOptionGroup({{kSequentialOption, kSequentialCaption, L"顺序更换", o.X(720), o.Y(180), o.X(1080), o.Y(240)},
                     {kRandomOption, kRandomCaption, L"随机更换", o.X(2160), o.Y(180), o.X(2520), o.Y(240)}});

    MakeControl(WC_BUTTONW, L"显示位置", BS_GROUPBOX | WS_GROUP, kPositionGroup, p.X(0), p.Y(0), W(3855), H(525));
    // Five choices across the group's 3855 twips, 740 apart.
    MakeOptionGroup({{kTileOption, kTileCaption, L"平铺", p.X(120), p.Y(190), p.X(420), p.Y(280)},
                     {kStretchOption, kStretchCaption, L"拉伸", p.X(860), p.Y(190), p.X(1160), p.Y(280)},
                     {kCentreOption, kCentreCaption, L"居中", p.X(1600), p.Y(190), p.X(1900), p.Y(280)},
                     {kFillOption, kFillCaption, L"填充", p.X(2340), p.Y(190), p.X(2640), p.Y(280)},
                     {kFitOption, kFitCaption, L"适应", p.X(3080), p.Y(190), p.X(3380), p.Y(280)}});
}

void WallpaperChanger::CreateModeGroup() {
    const Group& m = kModePlace;
    MakeControl(WC_BUTTONW, L"选择更换方式", BS_GROUPBOX | WS_GROUP, kModeGroup, m.X(0), m.Y(0), W(3840), H(1680));
    MakeOptionGroup({{kTimedOption, kTimedCaption, L"定时更换", m.X(240), m.Y(200), m.X(600), m.Y(240)},
                     {kImmediateOption, kImmediateCaption, L"立即更换", m.X(1800), m.Y(200), m.X(2160), m.Y(240)}});
    ShowControl(MakeLabel(kScheduleLabel, L"更换时间", m.X(120), m.Y(650), W(720), H(180)), false);
    // A list to pick from: a typed schedule would be one that never fires.
    HWND schedule = MakeControl(WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                                kScheduleBox, m.X(840), m.Y(600), W(975), H(3000));
    for (int i = 0; i < wallpaper::kScheduleCount; ++i) {
        const std::wstring caption = Widen(wallpaper::ScheduleCaption(static_cast<Schedule>(i)));
        ::SendMessageW(schedule, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption.c_str()));
    }
    ::SendMessageW(schedule, CB_SETCURSEL, 0, 0);
    ShowControl(schedule, false);
    // The field's name for a screen reader, which takes the label right
    // before a field, shown or not; the "秒" after it is for the eye.
    ShowControl(MakeLabel(kIntervalName, L"更换间隔（秒）", m.X(1920), m.Y(645)), false);
    ShowControl(MakeControl(WC_EDITW, L"30", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kIntervalField, m.X(1920),
                            m.Y(600), W(495), H(270)),
                false);
    ShowControl(MakeLabel(kSecondsLabel, L"秒", m.X(2520), m.Y(645), W(180), H(180)), false);
    MakeLabel(kStatusLabel, L"", m.X(240), m.Y(960));
    const Group& g = kWindow;
    MakeButton(ChangerButton::Start, WS_GROUP, g.X(3720), g.Y(4320), W(1095), H(375));
    MakeButton(ChangerButton::Stop, 0, g.X(5040), g.Y(4320), W(1095), H(375));
    MakeButton(ChangerButton::ChangeNow, 0, g.X(6240), g.Y(4320), W(1095), H(375));
    MakeCheckBox({kStartWithProgramBox, kStartWithProgramCaption, L"软件启动 自动执行桌面更换功能", m.X(120),
                  m.Y(1420), m.X(360), m.Y(1440)});
}

void WallpaperChanger::CreateLastRow() {
    const Group& g = kWindow;
    MakeLabel(kFileNameLabel, L"", g.X(360), g.Y(5040));
    MakeLabel(kFilePathLabel, L"", g.X(360), g.Y(5220), W(4770), H(405));
    MakeCheckBox({kPicturePerMonitorBox, kPicturePerMonitorCaption, L"每个显示器不同图片", g.X(5280), g.Y(5300),
                  g.X(5520), g.Y(5310)});
    // Beyond the pinned width: reached by the tab key alone, after everything seen.
    MakeButton(ChangerButton::Hide, WS_GROUP, g.X(10080), g.Y(4320), W(1215), H(375));
}

void WallpaperChanger::RedrawControl(HWND control) {
    const RECT r = ChildRect(control);
    frame_.Redraw(&r);
}

void WallpaperChanger::SetLabel(HWND label, const std::wstring& text) {
    if (WindowText(label) == text) return;
    RECT area = ChildRect(label);
    ::SetWindowTextW(label, text.c_str());
    if (::GetDlgCtrlID(label) != kFilePathLabel) {
        // One line, sized to its text; the path keeps its box and wraps.
        const SIZE size = frame_.LabelSize(text);
        ::SetWindowPos(label, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    const RECT now = ChildRect(label);
    ::UnionRect(&area, &area, &now);
    frame_.Redraw(&area);
}

void WallpaperChanger::ShowControl(HWND control, bool shown) {
    // Face-drawn labels come and go with the face.
    if (ShowOwnFlag(control, shown)) RedrawControl(control);
}

// ---- what the controller shows

void WallpaperChanger::ShowPictureNames(const std::vector<std::string>& names) {
    // Filled again while the window is open (the folder changed): the list
    // stays scrolled where it was.
    wallpaper::FillPictureList(Control(kPictureList), names);
}

void WallpaperChanger::ShowSelection(int index) {
    ::SendMessageW(Control(kPictureList), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void WallpaperChanger::ShowFileLabels(const std::string& fileName, const std::string& filePath) {
    SetLabel(Control(kFileNameLabel), Widen(fileName));
    SetLabel(Control(kFilePathLabel), Widen(filePath));
}

void WallpaperChanger::ShowPreviewChanged() { RedrawControl(Control(kPreview)); }

void WallpaperChanger::ShowControls(const wallpaper::ChangerSettings& settings,
                                    const wallpaper::ControlStates& controls, const std::string& statusText) {
    for (const OptionChoice& choice : kOptionChoices) {
        ShowOption(Control(choice.option), choice.chosen(settings, controls));
    }
    // With one monitor there is nothing to choose, and the box says so.
    const bool severalMonitors = services_.rotation.Monitors().size() > 1;
    SetChecked(Control(kPicturePerMonitorBox), settings.picturePerMonitor && severalMonitors);
    ::EnableWindow(Control(kPicturePerMonitorBox), severalMonitors);
    SetChecked(Control(kStartWithProgramBox), settings.startWithProgram);
    ::EnableWindow(Control(kStartWithProgramBox), controls.startWithProgramEnabled);
    startWithProgramEnabled_ = controls.startWithProgramEnabled;

    HWND schedule = Control(kScheduleBox);
    ::SendMessageW(schedule, CB_SETCURSEL, static_cast<WPARAM>(settings.schedule), 0);
    ::EnableWindow(schedule, controls.scheduleEnabled);
    ShowControl(Control(kScheduleLabel), controls.scheduleShown);
    ShowControl(schedule, controls.scheduleShown);
    HWND interval = Control(kIntervalField);
    // Only when it differs: setting the text reports an edit.
    if (Narrow(WindowText(interval)) != settings.intervalText) {
        ::SetWindowTextW(interval, Widen(settings.intervalText).c_str());
    }
    ShowControl(interval, controls.intervalShown);
    ShowControl(Control(kSecondsLabel), controls.secondsShown);
    SetLabel(Control(kStatusLabel), Widen(statusText));

    ::EnableWindow(Button(ChangerButton::Start), controls.startEnabled);
    ::EnableWindow(Button(ChangerButton::Stop), controls.stopEnabled);
    ::EnableWindow(Button(ChangerButton::ChangeNow), controls.changeNowEnabled);
}

void WallpaperChanger::ShowOption(HWND option, bool chosen) {
    SetChecked(option, chosen);
    // The tab key enters a group of options at the chosen one, as in any
    // dialog; the arrow keys move from there.
    const LONG_PTR style = ::GetWindowLongPtrW(option, GWL_STYLE);
    ::SetWindowLongPtrW(option, GWL_STYLE, chosen ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

void WallpaperChanger::CloseWindow() { CloseForGood(); }

void WallpaperChanger::CloseForGood() {
    if (!hwnd()) return;
    closingForGood_ = true;
    ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
}

// ---- what the user does

void WallpaperChanger::OnButton(ChangerButton button) {
    switch (button) {
        case ChangerButton::AddPictures:
            controller_.AddPictures();
            break;
        case ChangerButton::UpdatePictures:
            controller_.UpdatePictures();
            break;
        case ChangerButton::ViewFullSize:
            controller_.ViewFullSize();
            break;
        case ChangerButton::Start:
            controller_.StartChanging();
            break;
        case ChangerButton::Hide:
            // Hidden, not closed: a running schedule goes on.
            Hide();
            break;
        case ChangerButton::Stop:
            controller_.StopChanging();
            break;
        case ChangerButton::ChangeNow:
            controller_.ChangeNow();
            break;
    }
}

bool WallpaperChanger::OnOptionOrCaption(int id) {
    // An option button, or the label that carries its caption.
    for (const OptionChoice& choice : kOptionChoices) {
        if (id == choice.option || id == choice.caption) {
            choice.choose(controller_);
            return true;
        }
    }
    return false;
}

void WallpaperChanger::FocusBoxOf(int caption) {
    // A click on a caption takes the focus to its box, as a click on a
    // caption drawn by the box itself does.
    const int id = BoxOf(caption);
    HWND box = id ? Control(id) : nullptr;
    if (box && ::IsWindowVisible(box) && ::IsWindowEnabled(box)) ::SetFocus(box);
}

void WallpaperChanger::OnBoxFocus(HWND box, bool gained) {
    RedrawFocusMark(box);
    // An option the arrow keys move to is chosen, as Windows' option buttons
    // report themselves clicked when they take the focus unchosen (Wine's do
    // not). A click chooses it too: choosing twice changes nothing.
    if (gained && !IsChecked(box)) OnOptionOrCaption(::GetDlgCtrlID(box));
}

void WallpaperChanger::OnCommand(int id, int code, HWND control) {
    if (CaptionOf(id) && (code == BN_SETFOCUS || code == BN_KILLFOCUS)) {
        OnBoxFocus(control, code == BN_SETFOCUS);
    } else if (id >= kButtonFirst && id <= kButtonFirst + static_cast<int>(ChangerButton::ChangeNow)) {
        if (code == BN_CLICKED) OnButton(static_cast<ChangerButton>(id - kButtonFirst));
    } else if (id == kPictureList) {
        if (code == LBN_SELCHANGE) {
            controller_.ChoosePicture(static_cast<int>(::SendMessageW(control, LB_GETCURSEL, 0, 0)));
        }
    } else if (id == kPreview) {
        if (code == STN_CLICKED || code == STN_DBLCLK) controller_.ViewFullSize();
    } else if (id == kScheduleBox) {
        const auto index = static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0));
        if (code == CBN_SELCHANGE && index >= 0 && index < wallpaper::kScheduleCount) {
            controller_.ChooseSchedule(static_cast<Schedule>(index));
        }
    } else if (id == kIntervalField) {
        if (code == EN_CHANGE) controller_.EditInterval(Narrow(WindowText(control)));
    } else if (IsClick(code)) {
        OnBoxOrCaptionClick(id);
    }
}

void WallpaperChanger::OnBoxOrCaptionClick(int id) {
    if (id == kPicturePerMonitorBox || id == kPicturePerMonitorCaption) {
        if (::IsWindowEnabled(Control(kPicturePerMonitorBox))) controller_.TogglePicturePerMonitor();
    } else if (id == kStartWithProgramBox || id == kStartWithProgramCaption) {
        // The box's caption ticks it too, as users expect, while it is enabled.
        if (startWithProgramEnabled_) controller_.ToggleStartWithProgram();
    } else {
        OnOptionOrCaption(id);
    }
    FocusBoxOf(id);
}

// ---- the focus mark

HWND WallpaperChanger::FocusMarkLabel() const {
    // Only while the window shows keyboard cues: the keyboard moved the
    // focus, not the mouse.
    if (focusCuesHidden_) return nullptr;
    HWND focus = ::GetFocus();
    const int caption = focus && ::GetParent(focus) == hwnd() ? CaptionOf(::GetDlgCtrlID(focus)) : 0;
    return caption ? Control(caption) : nullptr;
}

RECT WallpaperChanger::FocusMarkRect(HWND label) const {
    RECT r = ChildRect(label);
    ::InflateRect(&r, frame_.Scaled(3), frame_.Scaled(1));
    return r;
}

void WallpaperChanger::OnUiStateChange(int action, int flags) {
    // Kept as told: Wine answers WM_QUERYUISTATE with nothing hidden, whatever
    // it was told. Windows tells every change, and what it made of its own
    // initial state.
    if (!(flags & UISF_HIDEFOCUS)) return;
    if (action == UIS_SET || action == UIS_CLEAR) {
        focusCuesHidden_ = action == UIS_SET;
    } else {
        focusCuesHidden_ = (::SendMessageW(hwnd(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) != 0;
    }
    RedrawFocusMark(::GetFocus());
}

void WallpaperChanger::RedrawFocusMark(HWND box) {
    const int caption = box && ::GetParent(box) == hwnd() ? CaptionOf(::GetDlgCtrlID(box)) : 0;
    if (!caption) return;
    const RECT r = FocusMarkRect(Control(caption));
    frame_.Redraw(&r);
}

// ---- frame and messages

void WallpaperChanger::OnCaptionButtonRelease(frame::CaptionButton button) {
    switch (button) {
        case frame::CaptionButton::Minimise:
            ::ShowWindow(hwnd(), SW_MINIMIZE);
            break;
        case frame::CaptionButton::Restore:
            if (::IsIconic(hwnd()) || ::IsZoomed(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
            break;
        case frame::CaptionButton::Close:
            // The close button only hides the changer: a schedule goes on.
            Hide();
            break;
    }
}

void WallpaperChanger::PaintOverSkin(HDC dc) {
    // The thumbnail, stretched to its box, in a thin frame.
    const RECT image = ChildRect(Control(kPreview));
    {
        UniqueGdiObject pen(::CreatePen(PS_SOLID, frame_.Scaled(1), RGB(0xC8, 0xCD, 0xD4)));
        SelectGuard usePen(dc, pen.get());
        SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, image.left - 1, image.top - 1, image.right + 1, image.bottom + 1);
    }
    if (const Picture& preview = controller_.Preview()) preview.Draw(dc, image);

    // The labels: one line each but the path, which may take two.
    SelectGuard font(dc, frame_.Font());
    ::SetBkMode(dc, TRANSPARENT);
    // In a high-contrast theme, the theme's text on the theme's window.
    ::SetTextColor(dc, frame_.HighContrast() ? ::GetSysColor(COLOR_WINDOWTEXT) : RGB(0, 0, 0));
    auto draw = [&](HWND label, UINT format) {
        if (!HasVisibleFlag(label)) return;
        const std::wstring text = WindowText(label);
        RECT r = ChildRect(label);
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
    };
    for (HWND label : faceLabels_) draw(label, DT_SINGLELINE | DT_LEFT);
    draw(Control(kFilePathLabel), DT_WORDBREAK | DT_EDITCONTROL | DT_LEFT);

    if (HWND label = FocusMarkLabel()) {
        // The system's dotted rectangle inverts what lies under it: it shows
        // on the skin and in any high-contrast theme. A line of the design
        // thick at this DPI.
        RECT r = FocusMarkRect(label);
        for (int i = 0; i < std::max(1, frame_.Scaled(1)); ++i) {
            ::DrawFocusRect(dc, &r);
            ::InflateRect(&r, -1, -1);
        }
    }
}

LRESULT WallpaperChanger::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            frame_.Attach(hwnd(), *this, kTitle);
            frame_.SetControlsPaintThemselves(true);
            CreateControls();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            if (frame_.HighContrast()) {
                ::SetTextColor(reinterpret_cast<HDC>(wp), ::GetSysColor(COLOR_WINDOWTEXT));
                ::SetBkColor(reinterpret_cast<HDC>(wp), ::GetSysColor(COLOR_WINDOW));
                return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
            }
            ::SetBkColor(reinterpret_cast<HDC>(wp), kBackground);
            return reinterpret_cast<LRESULT>(background_.get());
        case WM_SHOWWINDOW:
            // As a dialog does: focus marks hidden when the mouse opened the
            // window, until a key moves the focus (IsDialogMessage shows them).
            if (wp) {
                ::SendMessageW(hwnd(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL),
                               0);
            }
            break;
        case WM_UPDATEUISTATE: {
            // Keyboard cues shown or hidden: the focus mark comes or goes.
            const LRESULT result = Default(msg, wp, lp);
            OnUiStateChange(LOWORD(wp), HIWORD(wp));
            return result;
        }
        case WM_SYSCOMMAND:
            // Alt+F4 and the close of the taskbar's button: as the caption's
            // close button, a hide.
            if ((wp & 0xFFF0) != SC_CLOSE) break;
            Hide();
            return 0;
        case WM_CLOSE:
            // From anyone but the program itself, a hide too. The program's
            // close logic: the placement is kept, then the window goes with
            // its timers.
            if (!closingForGood_) {
                Hide();
                return 0;
            }
            SavePlacement(hwnd());
            ::DestroyWindow(hwnd());
            return 0;
        default:
            break;
    }
    LRESULT result = 0;
    if (frame_.Handle(msg, wp, lp, &result)) return result;
    return Default(msg, wp, lp);
}

void WallpaperChanger::OnWindowGone() {
    // What lives as long as the window goes with it, though this object may
    // stay a little longer.
    frame_.Detach();
    controller_.ReleaseWindowResources();
    background_.reset();
    faceLabels_.clear();
    places_.clear();
}

}  // namespace velmora
