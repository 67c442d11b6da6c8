// The launcher panel: twenty cells of picture and caption, each running one
// action of the program, the highlight under the cell the mouse is on, the
// clock line and the recommended links, all inside the skinned frame.
//
// The keyboard reaches the same cells while the panel is the active window:
// the arrow keys move the highlight through the grid, letters typed in
// quick succession pick a cell by its caption's pinyin initials, Enter or
// Space runs the highlighted cell as a click would, and Esc closes the
// panel as its close button does.
//
// The panel knows no other window: a cell hands its action to `run`, which
// the application answers (showing a tool window, popping up the power
// menu, or calling ToggleCdTray back on the panel).
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>

#include "commands/actions.h"
#include "commands/system_commands.h"
#include "commands/web_pages.h"
#include "frame/skinned_frame.h"
#include "launcher/cell_keys.h"
#include "launcher/cells.h"
#include "platform/click_tracker.h"
#include "platform/handles.h"
#include "platform/services.h"
#include "platform/window.h"

namespace velmora {

class LauncherPanel : public BaseWindow<LauncherPanel>, public frame::FrameHost {
public:
    static constexpr wchar_t kClassName[] = L"Velmora.LauncherPanel";
    static constexpr wchar_t kTitle[] = L"Velmora2.2";

    // Control ids; the end-to-end scripts find the controls by them. Cell
    // i's button (its picture) is kCellPictureId + i and its caption
    // kCellCaptionId + i;
    // recommended link i is kLinkId + i.
    static constexpr int kCellPictureId = 1000;
    static constexpr int kCellCaptionId = 1100;
    static constexpr int kClockLabelId = 1200;
    static constexpr int kTitlePictureId = 1202;
    static constexpr int kRecommendLabelId = 1218;
    static constexpr int kLinkId = 1219;

    static constexpr std::size_t kCellCount = launcher::kColumns * launcher::kRows;
    static constexpr std::size_t kLinkCount = std::size(web::kRecommended);

    enum class TimerId : UINT_PTR {
        Clock = 1,  // rewrites the clock line every second while shown
    };

    struct Services {
        SystemCommands& commands;
        const Clock& clock;
        const TickSource& ticks;          // how far apart typed letters are
        std::function<void(Action)> run;  // a cell's action
    };

    // Creates the window and loads it: placement restored, clock line
    // filled, no cell highlighted. Not shown. nullptr when the window
    // cannot be made.
    static std::unique_ptr<LauncherPanel> Create(Services services);
    // What the first opening would otherwise do first (the window class,
    // the hand pointer, the artwork at the screen's DPI), done while
    // the program is idle: a user double-clicks the icon soon after it
    // appears and waits for nothing but the window.
    static void PrepareToOpen();
    ~LauncherPanel();
    // Loads a panel made earlier and kept hidden again, as Create loaded
    // it: at the place the record holds now, with the clock of now.
    void Reload() { Load(); }

    // Opens the CD tray when the caption offers to open it, closes it
    // otherwise; the caption then offers the other way.
    void ToggleCdTray();
    bool CdTrayOpen() const { return cdTrayOpen_; }
    // The program's 32 x 32 icon (the about box shows it).
    // Made when first asked for: most openings never show it.
    HICON Icon() const;

    // The controls (real Windows controls, found by tests and screen readers).
    // A cell's push button, named by its caption, where its picture shows.
    HWND CellButton(std::size_t cell) const { return cell < kCellCount ? controls_.cellButtons[cell] : nullptr; }
    HWND CellCaption(std::size_t cell) const { return cell < kCellCount ? controls_.cellCaptions[cell] : nullptr; }
    HWND CdTrayCaption() const { return CellCaption(cdTrayCell_); }
    HWND ClockLabel() const { return controls_.clock; }
    HWND RecommendLabel() const { return controls_.recommend; }
    HWND TitlePicture() const { return controls_.titlePicture; }
    HWND Link(std::size_t index) const { return index < kLinkCount ? controls_.links[index] : nullptr; }

    // Where the highlight lies (client pixels at the panel's DPI) and
    // whether it shows.
    POINT HighlightPosition() const { return highlight_.at; }
    bool HighlightVisible() const { return highlight_.visible; }
    // The cell the visible highlight lies on; nullopt when none.
    std::optional<std::size_t> HighlightedCell() const;
    // Where a menu the last cell run brings opens (screen): below the cell
    // when Enter or Space ran it; nullopt when a click did (at the pointer).
    std::optional<POINT> MenuAnchor() const { return menuAnchor_; }
    frame::SkinnedFrame& Frame() { return frame_; }

    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp);
    void OnWindowGone();

    // frame::FrameHost
    void OnInteriorMouseMove() override;
    void OnCaptionButtonRelease(frame::CaptionButton button) override;
    void PaintOverSkin(HDC dc) override;
    void AfterDpiChange(int dpi) override;

private:
    struct Controls {
        std::array<HWND, kCellCount> cellButtons{};
        std::array<HWND, kCellCount> cellCaptions{};
        std::array<HWND, kLinkCount> links{};
        HWND clock = nullptr;
        HWND recommend = nullptr;
        HWND titlePicture = nullptr;
    };
    struct Highlight {
        POINT at{launcher::kHighlightParked, launcher::kHighlightParked};
        bool visible = true;
        std::size_t cell = kCellCount;  // the cell it was last put on; kCellCount when parked
    };
    // What a control is to the panel, told by its id.
    struct Role {
        enum class Kind { CellPicture, CellCaption, Link, Text } kind = Kind::Text;
        std::size_t index = 0;
    };

    explicit LauncherPanel(Services services);
    bool CreateWindowAndLoad();
    void Load();
    void CreateControls();
    void LoadForDpi();
    void PlaceControls();
    // Places at the panel's DPI, in client pixels.
    DesignRect CellPictureRect(const launcher::Cell& cell) const;
    DesignRect TitlePictureRect() const;
    DesignRect LabelRect(const std::wstring& text, POINT designTopLeft) const;
    HWND MakeLabel(int id, const std::wstring& text, POINT designTopLeft);
    HWND MakePicture(int id, const DesignRect& place, bool clickable);
    HWND MakeCellButton(int id, const std::wstring& caption, const DesignRect& place);
    std::wstring CellCaptionText(std::size_t cell) const;
    void SetCaption(HWND label, const std::wstring& text);
    void ShowTime();

    void MoveHighlight(POINT to, bool visible);
    void HighlightCell(std::size_t cell);
    void HighlightCellByKey(std::optional<std::size_t> cell);
    RECT HighlightRect() const;

    static Role RoleOf(int controlId);
    LRESULT OnControlMessage(HWND control, UINT msg, WPARAM wp, LPARAM lp);
    void OnClick(Role role);
    void RunCell(std::size_t cell, bool byKey = false);

    bool OnKeyDown(WPARAM key, LPARAM flags);
    void OnTypedCharacter(wchar_t typed);

    void PaintHighlight(HDC dc) const;
    void PaintCellBorders(HDC dc) const;
    void PaintPictures(HDC dc) const;
    void PaintCaptions(HDC dc) const;

    Services services_;
    std::size_t cdTrayCell_ = kCellCount;  // the cell whose action is Action::ToggleCdTray
    bool cdTrayOpen_ = false;              // last told to open the tray: the caption offers to close it
    Highlight highlight_;
    std::optional<POINT> menuAnchor_;
    launcher::TypedPrefix typed_;
    ClickTracker clicks_;
    frame::SkinnedFrame frame_;
    Controls controls_;
    std::array<UniqueBitmap, kCellCount> cellBitmaps_;
    UniqueBitmap titleBitmap_;
    UniqueGdiObject highlightPen_;
    UniqueGdiObject highlightBrush_;
    mutable UniqueIcon icon_;  // at the panel's DPI; dropped when it changes
};

}  // namespace velmora
