// 网络搜索: the floating web-search box. A cartoon mushroom that changes
// colour every 1.5 seconds stands on a strip of grass holding the keyword
// field, the 搜 button and a red ball that closes the box. The window has no
// frame, and everything pure white in it is keyed out, so only the pictures
// and controls show on the desktop. A right click on the grass or the
// mushroom chooses the search engine, kept in the profile.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "platform/click_tracker.h"
#include "platform/handles.h"
#include "platform/window.h"
#include "tools/search_address.h"

namespace velmora {

class Prompter;
class SettingsStore;
class SystemEffects;

// Which of the five mushrooms show. All five stand stacked until the first
// tick; from then on one at a time, cycling 1, 2, 3, 0: the fifth (dark
// red) is hidden at the first tick and never comes back.
struct MushroomCycle {
    static constexpr int kCount = 5;
    int shown = 0;
    bool allStanding = true;

    void Advance() {
        allStanding = false;
        shown = shown + 1 == 4 ? 0 : shown + 1;
    }
    bool Shows(int index) const { return allStanding || index == shown; }
};

class SearchBox : public BaseWindow<SearchBox> {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.SearchBox";
    static constexpr wchar_t kTitle[] = L"网络搜索";
    enum Timer : UINT_PTR { kMushroomTimer = 1 };
    static constexpr UINT kMushroomInterval = 1500;  // ms

    struct Services {
        SystemEffects& effects;
        Prompter& prompts;
        SettingsStore& settings;  // the chosen engine, under search::kEngineKey
    };

    // The window and its controls, loaded (centred, keyed, the mushrooms
    // standing) but not shown; nullptr when it cannot be made.
    static std::unique_ptr<SearchBox> Create(Services services);
    explicit SearchBox(Services services) : services_(services) {}
    ~SearchBox();

    HWND Mushroom(int index) const { return mushrooms_[index]; }
    HWND GrassStrip() const { return strip_; }
    HWND KeywordField() const { return field_; }
    HWND SearchButton() const { return button_; }
    HWND CloseBall() const { return ball_; }
    HWND ToolTip() const { return tip_.get(); }
    const MushroomCycle& Mushrooms() const { return cycle_; }
    search::Engine Engine() const { return engine_; }
    // The engine menu of a right click, opened at `at` (screen).
    void ShowEngineMenu(POINT at);
    // The engine menu from the keyboard (Alt+Down, F4), under the field.
    void ShowEngineMenuBelowField();

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone();
    // Messages of the grass strip and of the controls on it and beside it.
    LRESULT OnStripMessage(HWND strip, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);

private:
    bool Load();
    void CreateControls();
    void CreateMushrooms();
    void CreateStripControls();
    void LoadForDpi();
    void Layout();  // the window's size and every control's place at dpi_
    void OnDpiChanged(WPARAM wp, LPARAM lp);
    // Opens the results page for the keyword, or asks for one.
    void Search();
    void NextMushroom();
    void PaintGrass(HDC dc, const RECT& area);  // area in the strip's coordinates
    void PaintGrassUnder(HDC dc, HWND control);
    void PaintMushrooms(HDC dc);
    void DrawSearchButton(const DRAWITEMSTRUCT& item);
    void DrawItem(const DRAWITEMSTRUCT& item);
    LRESULT ControlColour(HDC dc, HWND control);
    LRESULT OnFieldMessage(HWND field, UINT msg, WPARAM wp, LPARAM lp);
    void FrameField(HWND field);
    LRESULT OnBallMessage(HWND ball, UINT msg, WPARAM wp, LPARAM lp);

    Services services_;
    int dpi_ = kDesignDpi;  // the DPI the box is laid out at
    UniqueWindow owner_;  // hidden: keeps the box off every taskbar
    std::array<HWND, MushroomCycle::kCount> mushrooms_{};
    HWND strip_ = nullptr;
    HWND field_ = nullptr;
    HWND button_ = nullptr;
    HWND ball_ = nullptr;
    UniqueWindow tip_;    // owned by the box, let go when the box goes
    std::array<UniqueBitmap, MushroomCycle::kCount> mushroomPictures_;
    UniqueBitmap grass_;
    UniqueIcon ballIcon_;
    UniqueGdiObject fieldFont_;   // 宋体 10.5 pt
    UniqueGdiObject buttonFont_;  // 宋体 9 pt
    UniqueGdiObject fieldBrush_;
    UniqueGdiObject whiteBrush_;
    MushroomCycle cycle_;
    search::Engine engine_ = search::Engine::Baidu;
    ClickTracker ballClick_;
};

}  // namespace velmora
