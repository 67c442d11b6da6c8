#include "wallpaper/wallpaper_changer.h"

#include <commctrl.h>

#include <algorithm>

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

// The option buttons, the labels that carry their captions, and the choice
// each makes.
struct OptionChoice {
    int option;
    int caption;
    void (*choose)(ChangerController&);
};
constexpr OptionChoice kOptionChoices[] = {
    {kTimedOption, kTimedCaption, [](ChangerController& c) { c.ChooseMode(ChangeMode::Timed); }},
    {kImmediateOption, kImmediateCaption, [](ChangerController& c) { c.ChooseMode(ChangeMode::Immediate); }},
    {kSequentialOption, kSequentialCaption, [](ChangerController& c) { c.ChooseOrder(Order::Sequential); }},
    {kRandomOption, kRandomCaption, [](ChangerController& c) { c.ChooseOrder(Order::Random); }},
    {kTileOption, kTileCaption, [](ChangerController& c) { c.ChoosePosition(Position::Tile); }},
    {kStretchOption, kStretchCaption, [](ChangerController& c) { c.ChoosePosition(Position::Stretch); }},
    {kCentreOption, kCentreCaption, [](ChangerController& c) { c.ChoosePosition(Position::Centre); }},
    {kFillOption, kFillCaption, [](ChangerController& c) { c.ChoosePosition(Position::Fill); }},
    {kFitOption, kFitCaption, [](ChangerController& c) { c.ChoosePosition(Position::Fit); }},
};

bool IsClick(int code) { return code == BN_CLICKED || code == STN_CLICKED || code == STN_DBLCLK; }

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
    // A real static control with its text; the window's face draws it.
    HWND label = MakeControl(WC_STATICW, text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, id, x, y, w, h);
    frame::SkinnedFrame::AdoptControl(label);
    if (id != kFilePathLabel) {
        faceLabels_.push_back(label);
        PlaceControl(places_.back());  // now as a label
    }
    return label;
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
    // In the design's order, which is the order of the tab key.
    CreateListAndPreview();
    CreateOrderAndPosition();
    CreateModeGroup();
    CreateButtonsAndFileLabels();
    // At design: timed, sequential, centred.
    SetChecked(Control(kTimedOption), true);
    SetChecked(Control(kSequentialOption), true);
    SetChecked(Control(kCentreOption), true);
}

void WallpaperChanger::CreateListAndPreview() {
    const Group& g = kWindow;
    MakeLabel(kListHeading, L"已有图片", g.X(1560), g.Y(480), W(720), H(180));
    MakeControl(WC_LISTBOXW, L"", WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                kPictureList, g.X(360), g.Y(720), W(3135), H(3630));
    MakeLabel(kPreviewHeading, L"缩略图", g.X(4440), g.Y(480), W(540), H(180));
    HWND preview = MakeControl(WC_STATICW, L"", SS_NOTIFY, kPreview, g.X(3600), g.Y(720), W(2160), H(1530));
    frame::SkinnedFrame::AdoptControl(preview);
    MakeControl(WC_BUTTONW, kButtonCaptions[2], BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP,
                kButtonFirst + static_cast<int>(ChangerButton::ViewFullSize), g.X(6360), g.Y(1080), W(615), H(615));

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
    MakeControl(WC_BUTTONW, L"更换顺序", BS_GROUPBOX, kOrderGroup, o.X(0), o.Y(0), W(3855), H(525));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, kSequentialOption, o.X(720), o.Y(180), kBox,
                kBox);
    MakeLabel(kSequentialCaption, L"顺序更换", o.X(1080), o.Y(240));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, kRandomOption, o.X(2160), o.Y(180), kBox, kBox);
    MakeLabel(kRandomCaption, L"随机更换", o.X(2520), o.Y(240));

    MakeControl(WC_BUTTONW, L"显示位置", BS_GROUPBOX, kPositionGroup, p.X(0), p.Y(0), W(3855), H(525));
    // Five choices across the group's 3855 twips, 740 apart.
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, kTileOption, p.X(120), p.Y(190), kBox, kBox);
    MakeLabel(kTileCaption, L"平铺", p.X(420), p.Y(280));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, kStretchOption, p.X(860), p.Y(190), kBox, kBox);
    MakeLabel(kStretchCaption, L"拉伸", p.X(1160), p.Y(280));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, kCentreOption, p.X(1600), p.Y(190), kBox, kBox);
    MakeLabel(kCentreCaption, L"居中", p.X(1900), p.Y(280));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, kFillOption, p.X(2340), p.Y(190), kBox, kBox);
    MakeLabel(kFillCaption, L"填充", p.X(2640), p.Y(280));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, kFitOption, p.X(3080), p.Y(190), kBox, kBox);
    MakeLabel(kFitCaption, L"适应", p.X(3380), p.Y(280));
}

void WallpaperChanger::CreateModeGroup() {
    const Group& m = kModePlace;
    MakeControl(WC_BUTTONW, L"选择更换方式", BS_GROUPBOX, kModeGroup, m.X(0), m.Y(0), W(3840), H(1680));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, kTimedOption, m.X(240), m.Y(200), kBox, kBox);
    MakeLabel(kTimedCaption, L"定时更换", m.X(600), m.Y(240));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, kImmediateOption, m.X(1800), m.Y(200), kBox, kBox);
    MakeLabel(kImmediateCaption, L"立即更换", m.X(2160), m.Y(240));
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
    ShowControl(MakeControl(WC_EDITW, L"30", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kIntervalField, m.X(1920),
                            m.Y(600), W(495), H(270)),
                false);
    ShowControl(MakeLabel(kSecondsLabel, L"秒", m.X(2520), m.Y(645), W(180), H(180)), false);
    MakeLabel(kStatusLabel, L"", m.X(240), m.Y(960));
    // The box's own caption is hidden by its width; the label beside it shows it.
    MakeControl(WC_BUTTONW, L"软件启动 自动执行桌面更换功能", BS_CHECKBOX | WS_TABSTOP, kStartWithProgramBox,
                m.X(120), m.Y(1420), kBox, kBox);
    MakeLabel(kStartWithProgramCaption, L"软件启动 自动执行桌面更换功能", m.X(360), m.Y(1440));
}

void WallpaperChanger::CreateButtonsAndFileLabels() {
    const Group& g = kWindow;
    struct ButtonPlace {
        ChangerButton button;
        int left, top, width;
    };
    // 关闭/隐藏 at 10080 lies beyond the pinned width, reachable by the tab key.
    constexpr ButtonPlace kPlaces[] = {
        {ChangerButton::Start, 3720, 4320, 1095},       {ChangerButton::Stop, 5040, 4320, 1095},
        {ChangerButton::ChangeNow, 6240, 4320, 1095},   {ChangerButton::Hide, 10080, 4320, 1215},
        {ChangerButton::UpdatePictures, 480, 4560, 1215}, {ChangerButton::AddPictures, 2040, 4560, 1215},
    };
    for (const ButtonPlace& p : kPlaces) {
        const int index = static_cast<int>(p.button);
        MakeControl(WC_BUTTONW, kButtonCaptions[index], BS_PUSHBUTTON | WS_TABSTOP, kButtonFirst + index, g.X(p.left),
                    g.Y(p.top), W(p.width), H(375));
    }
    MakeControl(WC_BUTTONW, L"每个显示器不同图片", BS_CHECKBOX | WS_TABSTOP, kPicturePerMonitorBox, g.X(5280),
                g.Y(5300), kBox, kBox);
    MakeLabel(kPicturePerMonitorCaption, L"每个显示器不同图片", g.X(5520), g.Y(5310));
    MakeLabel(kFileNameLabel, L"", g.X(360), g.Y(5040));
    MakeLabel(kFilePathLabel, L"", g.X(360), g.Y(5220), W(4770), H(405));
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
    SetChecked(Control(kTimedOption), controls.timedSelected);
    SetChecked(Control(kImmediateOption), !controls.timedSelected);
    SetChecked(Control(kSequentialOption), settings.order == Order::Sequential);
    SetChecked(Control(kRandomOption), settings.order == Order::Random);
    SetChecked(Control(kTileOption), settings.position == Position::Tile);
    SetChecked(Control(kStretchOption), settings.position == Position::Stretch);
    SetChecked(Control(kCentreOption), settings.position == Position::Centre);
    SetChecked(Control(kFillOption), settings.position == Position::Fill);
    SetChecked(Control(kFitOption), settings.position == Position::Fit);
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

void WallpaperChanger::OnCommand(int id, int code, HWND control) {
    if (id >= kButtonFirst && id <= kButtonFirst + static_cast<int>(ChangerButton::ChangeNow)) {
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
    } else if (id == kPicturePerMonitorBox || id == kPicturePerMonitorCaption) {
        if (IsClick(code) && ::IsWindowEnabled(Control(kPicturePerMonitorBox))) controller_.TogglePicturePerMonitor();
    } else if (id == kStartWithProgramBox || id == kStartWithProgramCaption) {
        // The box's caption ticks it too, as users expect, while it is enabled.
        if (IsClick(code) && startWithProgramEnabled_) controller_.ToggleStartWithProgram();
    } else if (IsClick(code)) {
        OnOptionOrCaption(id);
    }
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
    ::SetTextColor(dc, RGB(0, 0, 0));
    auto draw = [&](HWND label, UINT format) {
        if (!HasVisibleFlag(label)) return;
        const std::wstring text = WindowText(label);
        RECT r = ChildRect(label);
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
    };
    for (HWND label : faceLabels_) draw(label, DT_SINGLELINE | DT_LEFT);
    draw(Control(kFilePathLabel), DT_WORDBREAK | DT_EDITCONTROL | DT_LEFT);
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
            ::SetBkColor(reinterpret_cast<HDC>(wp), kBackground);
            return reinterpret_cast<LRESULT>(background_.get());
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
