#include "tools/search_box.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/dpi.h"
#include "platform/effects.h"
#include "platform/services.h"
#include "platform/subclass.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "resources/ids.h"
#include "settings/settings_store.h"
#include "tools/search_address.h"
#include "tools/tool_window.h"

namespace velmora {

namespace {

constexpr wchar_t kGrassClass[] = L"Velmora.SearchBox.Grass";
// The message for an empty keyword field, seven blanks included.
constexpr wchar_t kEmptyKeywordText[] = L"请先输入关键字！       ";
constexpr wchar_t kMessageTitle[] = L"Velmora";
constexpr wchar_t kSearchCaption[] = L"搜";
// What a screen reader calls the field and the ball; the label is never shown.
constexpr wchar_t kFieldLabel[] = L"搜索关键字";
constexpr wchar_t kCloseName[] = L"关闭";
constexpr COLORREF kFieldColour = RGB(246, 246, 250);

enum ControlId : int {
    kFirstMushroomId = 200,  // + index
    kStripId = 210,
    kFieldId = 211,
    kButtonId = 212,
    kBallId = 213,
    kFieldLabelId = 214,
};

// Places in twips (15 to a pixel at 96 dots per inch): the field's
// 26.7-pixel height and the button's 10.7-pixel top are 400 and 160 twips.
struct TwipsPlace {
    int left, top, width, height;
};
constexpr int kClientWidth = 327 * 15, kClientHeight = 111 * 15;
constexpr TwipsPlace kMushroomPlace{0, 0, 65 * 15, 66 * 15};
// The strip overhangs the window and is clipped by it.
constexpr TwipsPlace kStripPlace{0, 64 * 15, 329 * 15, 57 * 15};
// Inside the strip.
constexpr TwipsPlace kFieldPlace{8 * 15, 8 * 15, 257 * 15, 400};
constexpr TwipsPlace kButtonPlace{272 * 15, 160, 25 * 15, 25 * 15};
constexpr TwipsPlace kBallPlace{304 * 15, 0, 17 * 15, 17 * 15};

// Made at no size: SearchBox::Layout places every control at the DPI.
HWND MakeControl(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id) {
    return CreateChild(parent, cls, text, WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0, id);
}

void PlaceAt(HWND control, const TwipsPlace& place, int dpi) {
    const int left = TwipsToPixelsAt(place.left, dpi), top = TwipsToPixelsAt(place.top, dpi);
    ::SetWindowPos(control, nullptr, left, top, TwipsToPixelsAt(place.left + place.width, dpi) - left,
                   TwipsToPixelsAt(place.top + place.height, dpi) - top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void RegisterGrassClassOnce() {
    WNDCLASSEXW wc{};
    if (::GetClassInfoExW(AppInstance(), kGrassClass, &wc)) return;
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcW;  // the search box subclasses every strip
    wc.hInstance = AppInstance();
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kGrassClass;
    ::RegisterClassExW(&wc);
}

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
    auto channel = [](BYTE value) { return static_cast<COLOR16>(value << 8); };
    TRIVERTEX v[2] = {
        {r.left, r.top, channel(GetRValue(top)), channel(GetGValue(top)), channel(GetBValue(top)), 0xFF00},
        {r.right, r.bottom, channel(GetRValue(bottom)), channel(GetGValue(bottom)), channel(GetBValue(bottom)),
         0xFF00},
    };
    GRADIENT_RECT g{0, 1};
    ::GdiGradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

// The whole outer area of a control (GetWindowDC), given back at the end.
class FrameDc {
public:
    explicit FrameDc(HWND window) : window_(window), dc_(::GetWindowDC(window)) {}
    ~FrameDc() {
        if (dc_) ::ReleaseDC(window_, dc_);
    }
    FrameDc(const FrameDc&) = delete;
    FrameDc& operator=(const FrameDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace

std::unique_ptr<SearchBox> SearchBox::Create(Services services) {
    auto box = std::make_unique<SearchBox>(services);
    if (!box->Load()) return nullptr;
    return box;
}

SearchBox::~SearchBox() {
    if (hwnd()) ::DestroyWindow(hwnd());
}

bool SearchBox::Load() {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
    RegisterClassOnce();
    RegisterGrassClassOnce();
    engine_ = search::EngineNamed(services_.settings.Read(search::kEngineKey));
    // No frame and no taskbar button. A tool window has none on Windows'
    // own taskbar; a window owned by a hidden one has none on any shell's.
    owner_.reset(::CreateWindowExW(WS_EX_TOOLWINDOW, WC_STATICW, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   AppInstance(), nullptr));
    if (!CreateWindowOf(WS_EX_TOOLWINDOW, kTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0, PixelsX(kClientWidth),
                        PixelsY(kClientHeight), owner_.get())) {
        return false;
    }
    dpi_ = WindowDpi(hwnd());
    CreateControls();
    ::SetTimer(hwnd(), kMushroomTimer, kMushroomInterval, nullptr);
    KeyOutWhite(hwnd());
    CentreOnScreen(hwnd());
    return true;
}

void SearchBox::CreateControls() {
    fieldBrush_.reset(::CreateSolidBrush(kFieldColour));
    whiteBrush_.reset(::CreateSolidBrush(kKeyedOut));
    // The grass strip first: it lies above the mushroom's foot.
    strip_ = MakeControl(hwnd(), kGrassClass, L"", WS_CLIPCHILDREN, kStripId);
    SubclassControl<&SearchBox::OnStripMessage>(strip_, this);
    CreateMushrooms();
    CreateStripControls();
    LoadForDpi();
    Layout();
    tip_ = MakeToolTip(hwnd(), strip_, ball_, L"关闭");
}

void SearchBox::LoadForDpi() {
    const auto dpi = static_cast<unsigned>(dpi_);
    for (int i = 0; i < MushroomCycle::kCount; ++i) {
        mushroomPictures_[i] = LoadBitmapResource(IDB_SEARCH_MUSHROOM_FIRST + i, dpi);
    }
    grass_ = LoadBitmapResource(IDB_SEARCH_GRASS, dpi);
    // The icon at the size it is drawn, not stretched from another.
    ballIcon_ = LoadIconResource(IDI_SEARCH_CLOSE, TwipsToPixelsAt(kBallPlace.width, dpi_));
    fieldFont_ = SongTi(105, false, dpi_);
    buttonFont_ = SongTi(90, false, dpi_);
}

void SearchBox::Layout() {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixelsAt(kClientWidth, dpi_), TwipsToPixelsAt(kClientHeight, dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceAt(strip_, kStripPlace, dpi_);
    for (HWND mushroom : mushrooms_) PlaceAt(mushroom, kMushroomPlace, dpi_);
    PlaceAt(field_, kFieldPlace, dpi_);
    PlaceAt(button_, kButtonPlace, dpi_);
    PlaceAt(ball_, kBallPlace, dpi_);
    ::SendMessageW(field_, WM_SETFONT, reinterpret_cast<WPARAM>(fieldFont_.get()), FALSE);
    const int margin = ScaleDesign(3, dpi_);
    ::SendMessageW(field_, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
    // The field centres its line in its frame (WM_NCCALCSIZE) for the font.
    ::SetWindowPos(field_, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(buttonFont_.get()), FALSE);
}

void SearchBox::OnDpiChanged(WPARAM wp, LPARAM lp) {
    dpi_ = DpiOfChange(wp);
    // The old fonts go once the controls hold the new ones.
    const UniqueGdiObject oldField = std::move(fieldFont_), oldButton = std::move(buttonFont_);
    LoadForDpi();
    Layout();
    MoveToSuggestedRect(hwnd(), lp);
    // The suggestion is for the outer size the system expects; the box's
    // own size at the DPI is what it is drawn for.
    ::SetWindowPos(hwnd(), nullptr, 0, 0, TwipsToPixelsAt(kClientWidth, dpi_), TwipsToPixelsAt(kClientHeight, dpi_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void SearchBox::CreateMushrooms() {
    // Each one created lies beneath the ones before: the last stands on top.
    for (int i = MushroomCycle::kCount - 1; i >= 0; --i) {
        mushrooms_[i] = MakeControl(hwnd(), WC_STATICW, L"", SS_OWNERDRAW | SS_NOTIFY, kFirstMushroomId + i);
        SubclassControl<&SearchBox::OnControlMessage>(mushrooms_[i], this);
    }
}

void SearchBox::CreateStripControls() {
    // Tab order: the field, then the button. The field's frame is drawn by
    // its own non-client painting (WS_BORDER would have the edit control
    // draw it inside the text area). The hidden label just before the field
    // is where accessibility tools look for its name.
    CreateChild(strip_, WC_STATICW, kFieldLabel, SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, kFieldLabelId);
    field_ = MakeControl(strip_, WC_EDITW, L"", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, kFieldId);
    SubclassControl<&SearchBox::OnControlMessage>(field_, this);
    button_ = MakeControl(strip_, WC_BUTTONW, kSearchCaption, BS_PUSHBUTTON | BS_OWNERDRAW | WS_TABSTOP, kButtonId);
    SubclassControl<&SearchBox::OnControlMessage>(button_, this);
    ball_ = MakeControl(strip_, WC_STATICW, kCloseName, SS_OWNERDRAW | SS_NOTIFY, kBallId);
    SubclassControl<&SearchBox::OnControlMessage>(ball_, this);
}

// ---- what the user does

void SearchBox::Search() {
    // The keyword exactly as typed: blanks alone are searched for.
    const std::wstring keyword = WindowText(field_);
    if (keyword.empty()) {
        services_.prompts.Show(hwnd(), kEmptyKeywordText, kMessageTitle, MB_OK | MB_ICONINFORMATION);
        return;
    }
    // A shell failure (no browser, address refused) is not reported.
    services_.effects.ShellExecuteA(hwnd(), "open", search::SearchAddress(Narrow(keyword), engine_), "", "", SW_HIDE);
}

void SearchBox::ShowEngineMenu(POINT at) {
    std::vector<MenuChoice> choices;
    for (const search::EngineInfo& info : search::kEngines) {
        choices.push_back({Widen(info.caption), true, info.engine == engine_, std::nullopt});
    }
    const auto chosen = PopupChoices(hwnd(), at, choices);
    if (!chosen) return;
    engine_ = search::kEngines[*chosen].engine;
    // Kept for the next box; a profile that cannot be written leaves the
    // choice to this one.
    services_.settings.Write(search::kEngineKey, search::kEngines[*chosen].caption);
}

void SearchBox::ShowEngineMenuBelowField() {
    RECT field{};
    ::GetWindowRect(field_, &field);
    ShowEngineMenu({field.left, field.bottom});
    ::SetFocus(field_);
}

void SearchBox::NextMushroom() {
    cycle_.Advance();
    for (int i = 0; i < MushroomCycle::kCount; ++i) ShowOwnFlag(mushrooms_[i], cycle_.Shows(i));
}

// ---- painting

void SearchBox::PaintGrass(HDC dc, const RECT& area) {
    ::FillRect(dc, &area, static_cast<HBRUSH>(whiteBrush_.get()));
    if (!grass_) return;
    // Unscaled from the picture's top-left corner.
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    SelectGuard select(source.get(), grass_.get());
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, source.get(), area.left,
             area.top, SRCCOPY);
}

// The grass behind a control of the strip, in the control's coordinates.
void SearchBox::PaintGrassUnder(HDC dc, HWND control) {
    const RECT inStrip = ChildRect(control);
    POINT old{};
    ::SetViewportOrgEx(dc, -inStrip.left, -inStrip.top, &old);
    PaintGrass(dc, inStrip);
    ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void SearchBox::PaintMushrooms(HDC dc) {
    // Every mushroom control paints the whole stack, so whichever lies on
    // top shows the same picture.
    RECT r{};
    ::GetClientRect(mushrooms_[0], &r);
    ::FillRect(dc, &r, static_cast<HBRUSH>(whiteBrush_.get()));
    UniqueMemoryDc source(::CreateCompatibleDC(dc));
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    for (int i = 0; i < MushroomCycle::kCount; ++i) {
        if (!mushroomPictures_[i] || !cycle_.Shows(i)) continue;
        BITMAP info{};
        ::GetObjectW(mushroomPictures_[i].get(), sizeof info, &info);
        SelectGuard select(source.get(), mushroomPictures_[i].get());
        ::GdiAlphaBlend(dc, 0, 0, r.right, r.bottom, source.get(), 0, 0, info.bmWidth, info.bmHeight, blend);
    }
}

void SearchBox::DrawSearchButton(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const int h = r.bottom - r.top;
    PaintGrassUnder(dc, item.hwndItem);  // round the button's corners
    const bool down = (item.itemState & ODS_SELECTED) != 0;
    const bool focus = (item.itemState & ODS_FOCUS) != 0;
    const int corner = ScaleDesign(8, dpi_), rim = ScaleDesign(1, dpi_);
    UniqueRegion shape(::CreateRoundRectRgn(r.left, r.top, r.right + 1, r.bottom + 1, corner, corner));
    ::SelectClipRgn(dc, shape.get());
    // A glassy blue: light above, a brighter upper half, deeper at the foot.
    // Never pure white, which the window keys out.
    const RECT upper{r.left, r.top, r.right, r.top + h / 2};
    const RECT lower{r.left, r.top + h / 2, r.right, r.bottom};
    if (down) {
        FillGradient(dc, upper, RGB(120, 170, 226), RGB(92, 148, 214));
        FillGradient(dc, lower, RGB(70, 128, 204), RGB(104, 160, 224));
    } else {
        FillGradient(dc, upper, RGB(238, 246, 254), RGB(196, 224, 250));
        FillGradient(dc, lower, RGB(160, 204, 244), RGB(118, 176, 236));
    }
    ::SelectClipRgn(dc, nullptr);
    UniqueGdiObject rimBrush(::CreateSolidBrush(focus ? RGB(22, 74, 150) : RGB(52, 102, 170)));
    ::FrameRgn(dc, shape.get(), static_cast<HBRUSH>(rimBrush.get()), rim, rim);
    if (focus) {
        const int inner = ScaleDesign(6, dpi_);
        UniqueRegion ringShape(::CreateRoundRectRgn(r.left + rim, r.top + rim, r.right, r.bottom, inner, inner));
        UniqueGdiObject ring(::CreateSolidBrush(RGB(250, 214, 96)));
        ::FrameRgn(dc, ringShape.get(), static_cast<HBRUSH>(ring.get()), rim, rim);
    }
    SelectGuard font(dc, buttonFont_.get());
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, down ? RGB(250, 250, 252) : RGB(16, 44, 96));
    RECT text = r;
    if (down) ::OffsetRect(&text, rim, rim);
    ::DrawTextW(dc, kSearchCaption, -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void SearchBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlID >= kFirstMushroomId && item.CtlID < kFirstMushroomId + MushroomCycle::kCount) {
        PaintMushrooms(item.hDC);
    } else if (item.hwndItem == button_) {
        DrawSearchButton(item);
    } else if (item.hwndItem == ball_) {
        PaintGrassUnder(item.hDC, ball_);
        // The ball icon, scaled to fit.
        if (ballIcon_) {
            ::DrawIconEx(item.hDC, 0, 0, ballIcon_.get(), item.rcItem.right, item.rcItem.bottom, 0, nullptr,
                         DI_NORMAL);
        }
    }
}

LRESULT SearchBox::ControlColour(HDC dc, HWND control) {
    if (control == field_) {
        ::SetTextColor(dc, RGB(0, 0, 0));
        ::SetBkColor(dc, kFieldColour);
        return reinterpret_cast<LRESULT>(fieldBrush_.get());
    }
    return reinterpret_cast<LRESULT>(whiteBrush_.get());
}

// ---- the strip and the controls

LRESULT SearchBox::OnStripMessage(HWND strip, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT: {
            PaintScope paint(strip);
            PaintGrass(paint.dc(), paint.dirty());
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            StartWindowMove(hwnd());
            return 0;
        case WM_CONTEXTMENU:
            // A right click on the grass itself brings the engine menu. The
            // button and the ball hand theirs up here and keep having none;
            // the field has its own.
            if (reinterpret_cast<HWND>(wp) == strip) ShowEngineMenu(ContextMenuPoint(lp, strip));
            return 0;
        case WM_COMMAND:
        case WM_DRAWITEM:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            // The strip only holds the controls; the search box answers them.
            return HandleMessage(msg, wp, lp);
        default:
            return ::DefSubclassProc(strip, msg, wp, lp);
    }
}

LRESULT SearchBox::OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp) {
    if (control == field_) return OnFieldMessage(control, msg, wp, lp);
    if (control == ball_) return OnBallMessage(control, msg, wp, lp);
    if (control == button_) {
        if (msg == WM_KEYDOWN && wp == VK_TAB) {
            ::SetFocus(field_);
            return 0;
        }
        if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
            ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            return 0;
        }
        return ::DefSubclassProc(control, msg, wp, lp);
    }
    // A mushroom: the left button moves the window, the right one brings the
    // engine menu (WM_CONTEXTMENU, on its release), the middle one nothing.
    switch (msg) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            StartWindowMove(hwnd());
            return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK:
            return 0;
        case WM_CONTEXTMENU:
            ShowEngineMenu(ContextMenuPoint(lp, control));
            return 0;
        default:
            return ::DefSubclassProc(control, msg, wp, lp);
    }
}

LRESULT SearchBox::OnFieldMessage(HWND field, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_KEYDOWN:
            if (wp == VK_TAB) {
                ::SetFocus(button_);
                return 0;
            }
            if (wp == VK_RETURN) Search();
            if (wp == VK_ESCAPE) ::PostMessageW(hwnd(), WM_CLOSE, 0, 0);
            if (wp == VK_F4) ShowEngineMenuBelowField();
            break;  // the key goes on to the field
        case WM_SYSKEYDOWN:
            // Alt+Down, as on a drop-down list: the engines, for those
            // without a mouse to right-click the grass with.
            if (wp == VK_DOWN) {
                ShowEngineMenuBelowField();
                return 0;
            }
            break;
        case WM_CHAR:
            // Enter, Tab and Esc have done their work as keys; as characters a
            // one-line field would only beep.
            if (wp == L'\r' || wp == L'\t' || wp == 0x1B) return 0;
            break;
        case WM_NCCALCSIZE: {
            // A one-pixel frame, and the line of text in the middle of the
            // field's height.
            RECT& client = wp ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : *reinterpret_cast<RECT*>(lp);
            ::InflateRect(&client, -ScaleDesign(1, dpi_), -ScaleDesign(1, dpi_));
            const int spare = (client.bottom - client.top) - TextSize(static_cast<HFONT>(fieldFont_.get()), L"").cy;
            if (spare > 1) {
                client.top += spare / 2;
                client.bottom -= spare - spare / 2;
            }
            return 0;
        }
        case WM_NCPAINT:
            FrameField(field);
            return 0;
        default:
            break;
    }
    return ::DefSubclassProc(field, msg, wp, lp);
}

// The field's frame, and the band between it and the text in the field's
// own colour.
void SearchBox::FrameField(HWND field) {
    FrameDc dc(field);
    if (!dc.get()) return;
    RECT window{}, client{};
    ::GetWindowRect(field, &window);
    ::GetClientRect(field, &client);
    ::MapWindowPoints(field, nullptr, reinterpret_cast<POINT*>(&client), 2);
    ::OffsetRect(&client, -window.left, -window.top);
    const RECT whole{0, 0, window.right - window.left, window.bottom - window.top};
    ::ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
    ::FillRect(dc.get(), &whole, static_cast<HBRUSH>(fieldBrush_.get()));
    UniqueGdiObject frame(::CreateSolidBrush(RGB(72, 92, 78)));
    // A frame as thick as the one the field's client area leaves room for.
    RECT ring = whole;
    for (int i = 0; i < ScaleDesign(1, dpi_); ++i, ::InflateRect(&ring, -1, -1)) {
        ::FrameRect(dc.get(), &ring, static_cast<HBRUSH>(frame.get()));
    }
}

LRESULT SearchBox::OnBallMessage(HWND ball, UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT result = 0;
    if (HandleClosePicture(ball, msg, lp, ballClick_, hwnd(), &result)) return result;
    return ::DefSubclassProc(ball, msg, wp, lp);
}

LRESULT SearchBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND:
            return TRUE;
        case WM_PAINT: {
            // The white of the window, keyed out.
            PaintScope paint(hwnd());
            ::FillRect(paint.dc(), &paint.dirty(), static_cast<HBRUSH>(whiteBrush_.get()));
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wp) != WA_INACTIVE && field_) ::SetFocus(field_);
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(wp, lp);
            return 0;
        case WM_TIMER:
            if (wp == kMushroomTimer) NextMushroom();
            return 0;
        case WM_DRAWITEM:
            DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
            return TRUE;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ControlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_COMMAND:
            if (reinterpret_cast<HWND>(lp) == button_ && HIWORD(wp) == BN_CLICKED) Search();
            return 0;
        case WM_CLOSE:
            ::DestroyWindow(hwnd());
            return 0;
        case WM_DESTROY:
            ::KillTimer(hwnd(), kMushroomTimer);
            tip_.reset();
            return 0;
        default:
            return Default(msg, wp, lp);
    }
}

void SearchBox::OnWindowGone() {
    mushrooms_ = {};
    strip_ = field_ = button_ = ball_ = nullptr;
    owner_.reset();
    for (auto& picture : mushroomPictures_) picture.reset();
    grass_.reset();
    ballIcon_.reset();
    fieldFont_.reset();
    buttonFont_.reset();
    fieldBrush_.reset();
    whiteBrush_.reset();
}

}  // namespace velmora
