#include "wallpaper/ghzm.h"

#include <commctrl.h>

#include <chrono>
#include <cstdlib>
#include <optional>
#include <random>

#include "app/resource.h"
#include "frame/frame_layout.h"
#include "launcher/frm_main.h"
#include "platform/app_dir.h"
#include "platform/effects.h"
#include "platform/message_box.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "settings/placement.h"
#include "settings/profile.h"
#include "settings/profile_codec.h"
#include "shell/app_windows.h"
#include "tools/see.h"
#include "wallpaper/picture_library.h"
#include "wallpaper/wallpaper_apply.h"

namespace velmora {

namespace {

constexpr UINT_PTR kControlSubclassId = 0x4748;
constexpr COLORREF kBackground = RGB(248, 248, 248);

// Texts of the window.
constexpr wchar_t kUpdateMessage[] = L"更新图片需要关闭更换桌面功能，请重新打开！";
constexpr wchar_t kReloadMessage[] = L"需要更新图片，请重新打开更换桌面功能！";
constexpr wchar_t kNoPictureMessage[] = L"请选择要浏览的图片！";
constexpr wchar_t kNotSavedMessage[] =
    L"无法保存桌面图片 wallpaper.bmp，桌面没有更换。\n请检查程序所在的文件夹是否可以写入。";

constexpr const wchar_t* kCommandCaptions[7] = {L"增加图片", L"更新图片", L"查看大图", L"开始更换",
                                                L"关闭/隐藏", L"停止更换", L"立即更换"};
constexpr const wchar_t* kChoices[] = {L"整点", L"每半点", L"每一刻钟", L"每5分", L"自定义"};

std::unique_ptr<Ghzm>& Slot() {
    static std::unique_ptr<Ghzm> changer;
    return changer;
}

double ClockSeededRandom() {
    // Reseeded from the clock at every pick.
    std::mt19937_64 generator(
        static_cast<uint64_t>(std::chrono::high_resolution_clock::now().time_since_epoch().count()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}
Ghzm::RandomSource g_random = &ClockSeededRandom;

int PxX(double twips) { return frame::TwipsToPixels(twips, TwipsPerPixelX()); }
int PxY(double twips) { return frame::TwipsToPixels(twips, TwipsPerPixelY()); }

// The option buttons and the labels that carry their captions.
struct OptionLabel {
    int option;  // OptionN
    int label;   // LabelN
};
constexpr OptionLabel kOptionLabels[] = {{1, 12}, {3, 13}, {4, 6}, {5, 8}, {6, 9}, {7, 10}, {8, 11}};

int OptionId(int number) {
    if (number == 1) return Ghzm::kOption1Id;
    if (number == 3) return Ghzm::kOption3Id;
    return Ghzm::kOption4Id + (number - 4);
}

std::optional<double> ProfileNumber(std::string_view key) {
    const std::string text = ProfileRead(kProfileSection, key);
    if (text.empty()) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0') return std::nullopt;
    return value;
}

}  // namespace

void Ghzm::SetRandomSource(RandomSource source) { g_random = source ? source : &ClockSeededRandom; }

Ghzm* Ghzm::Live() {
    Ghzm* changer = Slot().get();
    return changer && changer->hwnd() ? changer : nullptr;
}

Ghzm& Ghzm::Instance() {
    if (Ghzm* live = Live()) return *live;
    Slot() = std::make_unique<Ghzm>();
    Slot()->Create();
    return *Slot();
}

bool Ghzm::Create() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&init);
    RegisterOnce(0, static_cast<HICON>(::LoadImageW(AppInstance(), MAKEINTRESOURCEW(IDI_VELMORA), IMAGE_ICON, 0, 0,
                                                    LR_DEFAULTSIZE | LR_SHARED)));
    background_.reset(::CreateSolidBrush(kBackground));
    if (!CreateWin(WS_EX_APPWINDOW | WS_EX_CONTROLPARENT, kCaption, frame::kSkinnedStyle, 0, 0, 520, 373)) {
        return false;
    }
    Form_Load();
    return true;
}

// ---- controls

HWND Ghzm::MakeControl(const wchar_t* cls, const std::wstring& text, DWORD style, int id, int left, int top,
                       int width, int height) {
    HWND control = ::CreateWindowExW(WS_EX_NOPARENTNOTIFY, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, left, top,
                                     width, height, hwnd(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                     AppInstance(), nullptr);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(frame_.Font()), FALSE);
    ::SetWindowSubclass(control, &Ghzm::ControlProc, kControlSubclassId, reinterpret_cast<DWORD_PTR>(this));
    return control;
}

HWND Ghzm::MakeLabel(int id, const std::wstring& text, int left, int top, int width, int height) {
    // A real static control with its text, drawn on the window's face.
    HWND label = MakeControl(WC_STATICW, text, SS_LEFT | SS_NOPREFIX | SS_NOTIFY, id, left, top, width, height);
    if (width == 0) FitLabelToText(label);
    return label;
}

void Ghzm::CreateControls() {
    // Places in twips inside their containers, as the window was designed.
    struct Group {
        double left, top;
    };
    const Group window{0, 0}, order{3600, 2280}, position{3600, 2820}, mode{3600, 3375};
    auto x = [](const Group& g, double twips) { return PxX(g.left + twips); };
    auto y = [](const Group& g, double twips) { return PxY(g.top + twips); };
    auto w = [](double twips) { return PxX(twips); };
    auto h = [](double twips) { return PxY(twips); };
    const int box = 14;  // an option button or check box without caption

    MakeLabel(kLabel7Id + 0, L"已有图片", x(window, 1560), y(window, 480), w(720), h(180));
    MakeControl(WC_LISTBOXW, L"", WS_VSCROLL | WS_BORDER | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, kList1Id,
                x(window, 360), y(window, 720), w(3135), h(3630));
    MakeLabel(kLabel7Id + 1, L"缩略图", x(window, 4440), y(window, 480), w(540), h(180));
    HWND image3 = MakeControl(WC_STATICW, L"", SS_NOTIFY, kImage3Id, x(window, 3600), y(window, 720), w(2160), h(1530));
    MakeControl(WC_BUTTONW, kCommandCaptions[2], BS_PUSHBUTTON | BS_MULTILINE | WS_TABSTOP, kCommand1Id + 2,
                x(window, 6360), y(window, 1080), w(615), h(615));

    MakeControl(WC_BUTTONW, L"更换顺序", BS_GROUPBOX, kGroupId + 0, x(window, order.left), y(window, order.top),
                w(3855), h(525));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, OptionId(4), x(order, 720), y(order, 180), box,
                box);
    MakeLabel(kLabelId + 6, L"顺序更换", x(order, 1080), y(order, 240));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, OptionId(5), x(order, 2160), y(order, 180), box, box);
    MakeLabel(kLabelId + 8, L"随机更换", x(order, 2520), y(order, 240));

    MakeControl(WC_BUTTONW, L"显示位置", BS_GROUPBOX, kGroupId + 1, x(window, position.left), y(window, position.top),
                w(3855), h(525));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, OptionId(6), x(position, 360),
                y(position, 190), box, box);
    MakeLabel(kLabelId + 9, L"平铺", x(position, 720), y(position, 280));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, OptionId(7), x(position, 1560), y(position, 190), box, box);
    MakeLabel(kLabelId + 10, L"拉伸", x(position, 1920), y(position, 280));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, OptionId(8), x(position, 2760), y(position, 190), box, box);
    MakeLabel(kLabelId + 11, L"居中", x(position, 3120), y(position, 280));

    MakeControl(WC_BUTTONW, L"选择更换方式", BS_GROUPBOX, kGroupId + 2, x(window, mode.left), y(window, mode.top),
                w(3840), h(1680));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON | WS_TABSTOP | WS_GROUP, kOption1Id, x(mode, 240), y(mode, 200), box,
                box);
    MakeLabel(kLabelId + 12, L"定时更换", x(mode, 600), y(mode, 240));
    MakeControl(WC_BUTTONW, L"", BS_RADIOBUTTON, kOption3Id, x(mode, 1800), y(mode, 200), box, box);
    MakeLabel(kLabelId + 13, L"立即更换", x(mode, 2160), y(mode, 240));
    Show(MakeLabel(kLabelId + 3, L"更换时间", x(mode, 120), y(mode, 650), w(720), h(180)), false);
    HWND combo = MakeControl(WC_COMBOBOXW, L"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                             kCombo1Id, x(mode, 840), y(mode, 600), w(975), 200);
    for (const wchar_t* choice : kChoices) ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice));
    ::SetWindowTextW(combo, kChoices[0]);
    Show(combo, false);
    Show(MakeControl(WC_EDITW, L"30", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, kText1Id, x(mode, 1920), y(mode, 600),
                     w(495), h(270)),
         false);
    Show(MakeLabel(kLabelId + 5, L"秒", x(mode, 2520), y(mode, 645), w(180), h(180)), false);
    MakeLabel(kLabelId + 4, L"", x(mode, 240), y(mode, 960));
    MakeControl(WC_BUTTONW, L"软件启动 自动执行桌面更换功能", BS_AUTOCHECKBOX | WS_TABSTOP, kCheck1Id, x(mode, 120),
                y(mode, 1420), box, box);
    MakeLabel(kLabelId + 14, L"软件启动 自动执行桌面更换功能", x(mode, 360), y(mode, 1440));

    const int commandPlaces[7][4] = {{2040, 4560, 1215, 375},  {480, 4560, 1215, 375},  {},
                                     {3720, 4320, 1095, 375},  {10080, 4320, 1215, 375}, {5040, 4320, 1095, 375},
                                     {6240, 4320, 1095, 375}};
    for (int i : {3, 5, 6, 4, 1, 0}) {
        const auto& p = commandPlaces[i];
        MakeControl(WC_BUTTONW, kCommandCaptions[i], BS_PUSHBUTTON | WS_TABSTOP, kCommand1Id + i, x(window, p[0]),
                    y(window, p[1]), w(p[2]), h(p[3]));
    }
    MakeLabel(kLabelId + 1, L"", x(window, 360), y(window, 5040));
    MakeLabel(kLabelId + 2, L"", x(window, 360), y(window, 5220), w(4770), h(405));
    MakeControl(WC_LISTBOXW, L"", WS_BORDER | LBS_NOINTEGRALHEIGHT, kFile1Id, x(window, 10080), y(window, 3600), w(975),
                h(630));

    // At design: timed, sequential, centred; the check box clear.
    Select(Option(1), true);
    Select(Option(4), true);
    Select(Option(8), true);

    // The thumbnail's tooltip.
    tooltip_ = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(), nullptr, AppInstance(), nullptr);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(image3);
    tool.lpszText = const_cast<wchar_t*>(L"双击鼠标可以浏览全图");
    ::SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND Ghzm::Option(int number) const { return Control(OptionId(number)); }

std::wstring Ghzm::Text(HWND control) const {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    return text;
}

void Ghzm::FitLabelToText(HWND label) {
    if (!measure_) measure_.reset(::CreateCompatibleDC(nullptr));
    HDC dc = measure_.get();
    SelectGuard font(dc, frame_.Font());
    const std::wstring text = Text(label);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SetWindowPos(label, nullptr, 0, 0, extent.cx > 0 ? extent.cx : 1, metrics.tmHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT Ghzm::ControlRect(HWND control) const {
    RECT r{};
    ::GetWindowRect(control, &r);
    ::MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Ghzm::RedrawControl(HWND control) {
    const RECT r = ControlRect(control);
    frame_.Redraw(&r);
}

void Ghzm::SetLabel(HWND label, const std::wstring& text) {
    if (Text(label) == text) return;
    RECT area = ControlRect(label);
    ::SetWindowTextW(label, text.c_str());
    if (label != Label(2)) FitLabelToText(label);
    const RECT now = ControlRect(label);
    ::UnionRect(&area, &area, &now);
    frame_.Redraw(&area);
}

void Ghzm::Show(HWND control, bool shown) {
    // The control's own flag: IsWindowVisible is false for every control of
    // a hidden window.
    const bool now = (::GetWindowLongPtrW(control, GWL_STYLE) & WS_VISIBLE) != 0;
    if (!control || now == shown) return;
    ::ShowWindow(control, shown ? SW_SHOWNA : SW_HIDE);
    RedrawControl(control);  // face-drawn labels disappear with the face
}

void Ghzm::Select(HWND option, bool selected) {
    ::SendMessageW(option, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Ghzm::Selected(int number) const {
    return ::SendMessageW(Option(number), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Ghzm::SetButtons(bool start, bool stop, bool now) {
    Enable(Command1(3), start);
    Enable(Command1(5), stop);
    Enable(Command1(6), now);
}

void Ghzm::ShowIntervalControls(bool shown) {
    Show(Text1(), shown);
    Show(Label(5), shown);
}

std::wstring Ghzm::ChoiceText() const { return Text(Combo1()); }

wallpaper::Position Ghzm::SelectedPosition() const {
    if (Selected(6)) return wallpaper::Position::Tile;
    if (Selected(7)) return wallpaper::Position::Stretch;
    return wallpaper::Position::Centre;
}

void Ghzm::Info(const std::wstring& text, const std::wstring& title) {
    ShowMessage(hwnd(), text, title, MB_OK | MB_ICONINFORMATION);
}

// ---- load

void Ghzm::Form_Load() {
    loading_ = true;
    RestorePlacement(hwnd());
    sxtp();

    // Lined up with the panel's right edge and top; reading the panel's
    // place creates it, hidden, when it does not exist yet.
    HWND panel = FrmMain::Instance().hwnd();
    if (panel) {
        const double left = WindowTwips(panel, TwipsField::Left) + WindowTwips(panel, TwipsField::Width) -
                            WindowTwips(hwnd(), TwipsField::Width);
        SetWindowTwips(hwnd(), TwipsField::Left, left);
        SetWindowTwips(hwnd(), TwipsField::Top, WindowTwips(panel, TwipsField::Top));
    }

    const auto qhzm = ProfileNumber("qhzm");
    ::SendMessageW(Check1(), BM_SETCHECK, qhzm && *qhzm == 1 ? BST_CHECKED : BST_UNCHECKED, 0);

    const auto xz = ProfileNumber("xz");
    if (xz && *xz == 1) {
        SetButtons(true, true, false);
        Enable(Check1(), true);
        Select(Option(1), true);
        Select(Option(3), false);
        Show(Label(3), true);
        Show(Combo1(), true);
    } else if (xz && *xz == 3) {
        Enable(Check1(), false);
        Select(Option(1), false);
        Select(Option(3), true);
        Show(Combo1(), false);
        Show(Label(3), false);
        ShowIntervalControls(false);
        SetButtons(false, false, true);
    }

    // A profile without a schedule keeps the design's "整点" and "30", so
    // that a first start offers a schedule that works.
    const std::string sj = ProfileRead(kProfileSection, "sj");
    if (!sj.empty()) ::SetWindowTextW(Combo1(), Widen(sj).c_str());
    const std::string zdy = ProfileRead(kProfileSection, "zdy");
    if (!zdy.empty()) ::SetWindowTextW(Text1(), Widen(zdy).c_str());
    if (xz && *xz == 1) ShowIntervalControls(ChoiceText() == L"自定义");

    const auto sx = ProfileNumber("sx");
    if (sx && (*sx == 1 || *sx == 2)) {
        Select(Option(4), *sx == 1);
        Select(Option(5), *sx == 2);
    }
    const auto wz = ProfileNumber("wz");
    if (wz && (*wz == 1 || *wz == 2 || *wz == 3)) {
        Select(Option(6), *wz == 1);
        Select(Option(7), *wz == 2);
        Select(Option(8), *wz == 3);
    }
    loading_ = false;
}

// ---- picture library

int Ghzm::ListCount() const { return static_cast<int>(::SendMessageW(List1(), LB_GETCOUNT, 0, 0)); }

int Ghzm::ListSelection() const { return static_cast<int>(::SendMessageW(List1(), LB_GETCURSEL, 0, 0)); }

std::string Ghzm::ListEntry(int index) const {
    const LRESULT length = ::SendMessageW(List1(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(List1(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

void Ghzm::sxtp() {
    HWND list = List1();
    HWND file1 = Control(kFile1Id);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(file1, LB_RESETCONTENT, 0, 0);
    for (const std::string& name : wallpaper::ListPictureFolder()) {
        const std::wstring wide = Widen(name);
        ::SendMessageW(file1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
    }
    if (ListCount() > 0) {
        // A first entry that is no picture leaves the thumbnail empty; the
        // list is rebuilt at every resize, where a message would only nag.
        if (!PreviewEntry(0)) ClearPreview();
    } else {
        ClearPreview();
    }
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

bool Ghzm::PreviewEntry(int index) {
    const std::string name = ListEntry(index);
    if (name.empty()) return false;
    const std::wstring path = wallpaper::PicturePath(name);
    std::optional<wallpaper::Picture> picture = wallpaper::LoadPicture(path);
    if (!picture) return false;
    preview_ = std::move(*picture);
    RedrawControl(Control(kImage3Id));
    const std::string utf8Path = Narrow(path);
    SetLabel(Label(1), Widen(wallpaper::Label1Text(utf8Path)));
    SetLabel(Label(2), Widen(wallpaper::Label2Text(utf8Path)));
    return true;
}

void Ghzm::ClearPreview() {
    if (!preview_) return;
    preview_ = wallpaper::Picture();
    RedrawControl(Control(kImage3Id));
}

void Ghzm::List1_Click() {
    const int selection = ListSelection();
    if (selection < 0) return;
    if (!PreviewEntry(selection)) {
        Info(kReloadMessage);
        ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
    }
}

void Ghzm::Image3_Click() {
    CloseIfOpen(WindowKind::see);
    if (!Text(Label(2)).empty()) See::Open();
}

// ---- wallpaper

void Ghzm::weizi() { wallpaper::weizi(SelectedPosition()); }

bool Ghzm::ApplyPreviewAsWallpaper() {
    if (!preview_) return false;
    return wallpaper::ApplyPreviewAsWallpaper(preview_, SelectedPosition());
}

// ---- buttons and options

void Ghzm::Command1_Click(int index) {
    switch (index) {
        case 0: {  // 增加图片
            Effects().ShellExecuteA(hwnd(), "open", Narrow(wallpaper::PictureFolder()), "", Narrow(AppDirectory()),
                                    SW_SHOWNORMAL);
            ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
        }
        case 1:  // 更新图片
            Info(kUpdateMessage);
            ::SendMessageW(hwnd(), WM_CLOSE, 0, 0);
            break;
        case 2:  // 查看大图
            Image3_Click();
            break;
        case 3:  // 开始更换
            StartSchedule(true);
            break;
        case 4:  // 关闭/隐藏
            ::ShowWindow(hwnd(), SW_HIDE);
            break;
        case 5:  // 停止更换
            StopSchedule();
            break;
        case 6:  // 立即更换
            if (!preview_) {
                Info(kNoPictureMessage, L"Velmora ");
            } else if (!ApplyPreviewAsWallpaper()) {
                Info(kNotSavedMessage);
            }
            break;
        default:
            break;
    }
}

void Ghzm::Option1_Click() {
    Select(Option(1), true);
    Select(Option(3), false);
    Show(Label(3), true);
    Show(Combo1(), true);
    Enable(Check1(), true);
    ShowIntervalControls(ChoiceText() == L"自定义");
    ProfileWrite(kProfileSection, "xz", "1");
    std::wstring status = Text(Label(4));
    const size_t first = status.find_first_not_of(L' ');
    status = first == std::wstring::npos ? std::wstring() : status.substr(first, status.find_last_not_of(L' ') - first + 1);
    if (status.empty()) {
        SetButtons(true, true, false);
    } else if (status.size() > 1) {
        SetButtons(false, true, false);
    }
}

void Ghzm::Option3_Click() {
    Select(Option(1), false);
    Select(Option(3), true);
    Show(Label(3), false);
    Show(Combo1(), false);
    ShowIntervalControls(false);
    Enable(Check1(), false);
    ProfileWrite(kProfileSection, "xz", "3");
    SetButtons(false, false, true);
}

void Ghzm::Option4_Click() {
    Select(Option(4), true);
    Select(Option(5), false);
    ProfileWrite(kProfileSection, "sx", "1");
}

void Ghzm::Option5_Click() {
    Select(Option(4), false);
    Select(Option(5), true);
    ProfileWrite(kProfileSection, "sx", "2");
}

void Ghzm::Option6_Click() {
    Select(Option(6), true);
    Select(Option(7), false);
    Select(Option(8), false);
    ProfileWrite(kProfileSection, "wz", "1");
}

void Ghzm::Option7_Click() {
    Select(Option(6), false);
    Select(Option(7), true);
    Select(Option(8), false);
    ProfileWrite(kProfileSection, "wz", "2");
}

void Ghzm::Option8_Click() {
    Select(Option(6), false);
    Select(Option(7), false);
    Select(Option(8), true);
    ProfileWrite(kProfileSection, "wz", "3");
}

void Ghzm::Combo1_Click() {
    // At the selection change the box's text is not yet the new item.
    HWND combo = Combo1();
    const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
    std::wstring chosen = ChoiceText();
    if (index != CB_ERR) {
        const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        chosen.assign(static_cast<size_t>(length) + 1, L'\0');
        ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(chosen.data()));
        chosen.resize(static_cast<size_t>(length));
    }
    ProfileWrite(kProfileSection, "sj", Narrow(chosen));
    ShowIntervalControls(chosen == L"自定义");
    SetTimer1(false);
    SetTimer2(false);
}

void Ghzm::Check1_Click() {
    const bool checked = ::SendMessageW(Check1(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    ProfileWrite(kProfileSection, "qhzm", checked ? "1" : "0");
}

// ---- scheduler

void Ghzm::SetTimer1(bool on) {
    if (on) {
        ::SetTimer(hwnd(), kTimer1, 1000, nullptr);
    } else {
        ::KillTimer(hwnd(), kTimer1);
    }
    timer1On_ = on;
}

void Ghzm::SetTimer2(bool on, UINT period) {
    if (on) {
        ::SetTimer(hwnd(), kTimer2, period, nullptr);
        timer2Period_ = period;
    } else {
        ::KillTimer(hwnd(), kTimer2);
    }
    timer2On_ = on;
}

void Ghzm::ghzmm() { StartSchedule(false); }

void Ghzm::StartSchedule(bool fromButton) {
    const std::wstring choice = ChoiceText();
    const std::wstring intervalText = Text(Text1());
    if (choice != L"自定义") {
        if (fromButton) Info(choice + L"  更换桌面！    ");
        if (!hwnd()) return;
        SetLabel(Label(4), Widen(wallpaper::ClockStatusText(Narrow(choice))));
        Enable(Combo1(), false);
        changeClock_.Reset();
        SetTimer1(true);
        SetTimer2(false);
    } else {
        const wallpaper::IntervalValue interval = wallpaper::ParseInterval(Narrow(intervalText));
        if (interval.error != wallpaper::IntervalError::None) {
            Info(Widen(wallpaper::IntervalRefusalText(interval.error, fromButton)));
            return;
        }
        SetLabel(Label(4), Widen(wallpaper::IntervalStatusText(Narrow(intervalText))));
        Show(Label(5), true);
        if (fromButton) Info(L"每隔" + intervalText + L"秒  开始定时更换桌面！");
        if (!hwnd()) return;
        SetTimer1(false);
        SetTimer2(true, static_cast<UINT>(interval.seconds) * 1000);
    }
    SetButtons(false, true, false);
    ProfileWrite(kProfileSection, "zdy", Narrow(intervalText));
    ProfileWrite(kProfileSection, "gh", "1");
}

void Ghzm::StopSchedule() {
    SetLabel(Label(4), L"");
    Enable(Combo1(), true);
    SetTimer1(false);
    SetTimer2(false);
    SetButtons(true, true, false);
    ProfileWrite(kProfileSection, "gh", "0");
}

void Ghzm::Timer1_Timer(const wallpaper::LocalTime& now) {
    if (ListCount() == 0) {
        SetTimer1(false);
        return;
    }
    const std::wstring choice = ChoiceText();
    SetLabel(Label(4), Widen(wallpaper::ClockStatusText(Narrow(choice))));
    if (changeClock_.Tick(Narrow(choice), now)) RotateWallpaper();
}

void Ghzm::Timer2_Timer() {
    if (ListCount() == 0) {
        SetTimer2(false);
        return;
    }
    SetTimer1(false);
    RotateWallpaper();
}

void Ghzm::AdvanceSelection() {
    const int next = wallpaper::AdvanceSelection(ListSelection(), ListCount());
    ::SendMessageW(List1(), LB_SETCURSEL, static_cast<WPARAM>(next), 0);
}

void Ghzm::RotateWallpaper() {
    const int count = ListCount();
    if (count == 0) return;
    bool loaded = false;
    if (Selected(4)) {
        // Sequential: the next entry is selected and previewed. A picture
        // that cannot be read is a failed step like any other, not a
        // reason to stop an unattended schedule with a message.
        AdvanceSelection();
        loaded = PreviewEntry(ListSelection());
    } else {
        // Random: any entry, the same one possibly twice; the selection and
        // the file labels stay as they are.
        const int index = wallpaper::RandomIndex(count, g_random());
        std::optional<wallpaper::Picture> picture = wallpaper::LoadPicture(wallpaper::PicturePath(ListEntry(index)));
        if (picture) {
            preview_ = std::move(*picture);
            RedrawControl(Control(kImage3Id));
            loaded = true;
        }
    }
    if (!loaded || !ApplyPreviewAsWallpaper()) {
        // The wallpaper stays and the timer tries again at the next change.
        // In random order the list moves one entry on; in sequential order
        // the step has moved it already, so the next change takes the
        // picture after the one that failed.
        if (!Selected(4)) AdvanceSelection();
    }
}

// ---- frame

void Ghzm::OnCaptionButtonRelease(int index) {
    switch (index) {
        case 0:
            ::ShowWindow(hwnd(), SW_MINIMIZE);
            break;
        case 1:
            if (::IsIconic(hwnd()) || ::IsZoomed(hwnd())) ::ShowWindow(hwnd(), SW_RESTORE);
            break;
        case 2:
            // The close button only hides the changer: a schedule goes on.
            ::ShowWindow(hwnd(), SW_HIDE);
            break;
        default:
            break;
    }
}

void Ghzm::AfterResize() {
    // The load rebuilds the list itself, once its placement is restored.
    if (!loading_) sxtp();
}

void Ghzm::PaintOverSkin(HDC dc) {
    // The thumbnail, stretched to its box, in a thin frame.
    const RECT image = ControlRect(Control(kImage3Id));
    {
        UniqueGdiObject pen(::CreatePen(PS_SOLID, 1, RGB(0xC8, 0xCD, 0xD4)));
        SelectGuard usePen(dc, pen.get());
        SelectGuard noFill(dc, ::GetStockObject(NULL_BRUSH));
        ::Rectangle(dc, image.left - 1, image.top - 1, image.right + 1, image.bottom + 1);
    }
    if (preview_) preview_.Draw(dc, image);

    // Labels: one line each but the path, which may take two.
    SelectGuard font(dc, frame_.Font());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    auto draw = [&](HWND label, UINT format) {
        if (!label || !(::GetWindowLongPtrW(label, GWL_STYLE) & WS_VISIBLE)) return;
        const std::wstring text = Text(label);
        RECT r = ControlRect(label);
        ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, format | DT_NOPREFIX);
    };
    for (int n : {1, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14}) draw(Label(n), DT_SINGLELINE | DT_LEFT);
    draw(Label(2), DT_WORDBREAK | DT_EDITCONTROL | DT_LEFT);
    draw(Control(kLabel7Id + 0), DT_SINGLELINE | DT_LEFT);
    draw(Control(kLabel7Id + 1), DT_SINGLELINE | DT_LEFT);
}

// ---- messages

LRESULT CALLBACK Ghzm::ControlProc(HWND control, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_NCDESTROY) {
        ::RemoveWindowSubclass(control, &Ghzm::ControlProc, kControlSubclassId);
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    return reinterpret_cast<Ghzm*>(data)->OnControlMessage(control, msg, wp, lp);
}

LRESULT Ghzm::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    wchar_t cls[16] = {};
    ::GetClassNameW(control, cls, 16);
    const bool faceDrawn = ::lstrcmpiW(cls, WC_STATICW) == 0;
    if (faceDrawn) {
        LRESULT adopted = 0;
        if (frame::SkinnedFrame::HandleAdopted(control, msg, wp, lp, &adopted)) return adopted;
    }
    return ::DefSubclassProc(control, msg, wp, lp);
}

void Ghzm::OnCommand(int id, int code) {
    if (id >= kCommand1Id && id < kCommand1Id + 7) {
        if (code == BN_CLICKED) Command1_Click(id - kCommand1Id);
        return;
    }
    if (id == kList1Id) {
        if (code == LBN_SELCHANGE) List1_Click();
        return;
    }
    if (id == kImage3Id) {
        if (code == STN_CLICKED || code == STN_DBLCLK) Image3_Click();
        return;
    }
    if (id == kCombo1Id) {
        if (code == CBN_SELCHANGE) Combo1_Click();
        return;
    }
    if (id == kCheck1Id) {
        if (code == BN_CLICKED) Check1_Click();
        return;
    }
    // An option button, or the label that carries its caption.
    int option = 0;
    for (const OptionLabel& pair : kOptionLabels) {
        if (id == OptionId(pair.option) || id == kLabelId + pair.label) option = pair.option;
    }
    if (id == kLabelId + 14 && (code == STN_CLICKED || code == STN_DBLCLK) && ::IsWindowEnabled(Check1())) {
        ::SendMessageW(Check1(), BM_CLICK, 0, 0);  // the box's caption ticks it, as users expect
        return;
    }
    if (option == 0) return;
    if (code != BN_CLICKED && code != STN_CLICKED && code != STN_DBLCLK) return;
    if (!::IsWindowEnabled(Option(option))) return;
    switch (option) {
        case 1: Option1_Click(); break;
        case 3: Option3_Click(); break;
        case 4: Option4_Click(); break;
        case 5: Option5_Click(); break;
        case 6: Option6_Click(); break;
        case 7: Option7_Click(); break;
        case 8: Option8_Click(); break;
        default: break;
    }
}

void Ghzm::Form_QueryUnload() {
    SavePlacement(hwnd());
    ForgetLiveWindow(WindowKind::ghzm, hwnd());
}

LRESULT Ghzm::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            RegisterLiveWindow(WindowKind::ghzm, hwnd());
            frame_.Attach(hwnd(), *this, kCaption);
            frame_.SetControlsPaintThemselves(true);
            CreateControls();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            HDC dc = reinterpret_cast<HDC>(wp);
            ::SetBkColor(dc, kBackground);
            return reinterpret_cast<LRESULT>(background_.get());
        }
        case WM_TIMER:
            if (wp == kTimer1 && timer1On_) {
                SYSTEMTIME now{};
                ::GetLocalTime(&now);
                Timer1_Timer({now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond});
            } else if (wp == kTimer2 && timer2On_) {
                Timer2_Timer();
            }
            return 0;
        case WM_CLOSE:
            Form_QueryUnload();
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            SetTimer1(false);
            SetTimer2(false);
            return 0;
        default:
            break;
    }
    LRESULT result = 0;
    if (frame_.Handle(msg, wp, lp, &result)) return result;
    return Default(msg, wp, lp);
}

void Ghzm::OnWindowGone(HWND gone) {
    ForgetLiveWindow(WindowKind::ghzm, gone);
    ForgetWindowTwips(gone);
    frame_.Detach();
    preview_ = wallpaper::Picture();
    measure_.reset();
    tooltip_ = nullptr;
    timer1On_ = timer2On_ = false;
}

}  // namespace velmora
