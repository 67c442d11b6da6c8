#include "app/application.h"

#include "commands/web_pages.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "tools/recycle_bin.h"
#include "tools/recycle_rules.h"

namespace velmora {

namespace {

constexpr wchar_t kViewerFailureText[] = L"无法打开这张图片，它可能已被删除或不是图片文件：\n";

}  // namespace

Application::Application(AppServices services)
    : services_(std::move(services)),
      profile_(services_.directory + L"\\" + kProfileFileName),
      commands_(services_.effects, services_.prompts, later_),
      startAtLogon_(profile_, services_.prompts, services_.runKeys, services_.directory),
      panel_(later_, [this] { return MakePanel(); }),
      changer_(later_, [this] { return MakeChanger(); }),
      search_(later_, [this] { return SearchBox::Create({services_.effects, services_.prompts, profile_}); }),
      picker_(later_,
              [this] {
                  return ColourPicker::Create({services_.pixels, tray_ ? tray_->hwnd() : nullptr, copiedColours_});
              }),
      viewer_(later_, [this] { return PictureViewer::Create({viewerPath_, tray_ ? tray_->hwnd() : nullptr}); }) {}

Application::~Application() {
    // Windows go before the objects they belong to, and the tray host, the
    // owner of the tool windows, last.
    viewer_.Destroy();
    picker_.Destroy();
    search_.Destroy();
    changer_.Destroy();
    panel_.Destroy();
    tray_.reset();
}

std::unique_ptr<LauncherPanel> Application::MakePanel() {
    return LauncherPanel::Create({commands_, services_.clock, services_.ticks, [this](Action a) { Run(a); }});
}

std::unique_ptr<WallpaperChanger> Application::MakeChanger() {
    WallpaperChanger::Services s{services_.effects, services_.prompts, profile_, services_.clock, services_.random,
                                 services_.directory,
                                 [this]() -> std::optional<TwipsRect> {
                                     if (HWND panel = panel_.LiveWindow()) return WindowTwipsRect(panel);
                                     return std::nullopt;
                                 },
                                 [this](const std::wstring& path) { OpenViewer(path); }};
    return WallpaperChanger::Create(std::move(s));
}

bool Application::Start() {
    // A second start ends here, before it touches the tray, the profile or
    // the registry, and without telling the first one.
    instance_.emplace(services_.instanceName);
    if (!instance_->claimed()) return false;
    tray_ = std::make_unique<TrayHost>([this](Action a) { Run(a); });
    if (!tray_->Create()) return false;
    tray_->ShowIcon();
    // Timed wallpaper changing from the start: the changer is loaded but
    // not shown.
    if (ReadSwitch(profile_, "qhzm")) {
        if (WallpaperChanger* changer = changer_.Ensure()) changer->StartTimedChanging();
    }
    // The Run-key entry and the check mark of 开机自动启动 follow the profile.
    tray_->SetStartAtLogonCheck(startAtLogon_.Sync());
    return true;
}

int Application::RunMessageLoop() {
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Tab and the arrow keys move between the controls of a window that
        // holds a form of them (the wallpaper changer).
        HWND active = ::GetActiveWindow();
        if (active && (::GetWindowLongPtrW(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
            ::IsDialogMessageW(active, &msg)) {
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

HWND Application::PanelWindow() {
    LauncherPanel* panel = panel_.Ensure();
    return panel ? panel->hwnd() : nullptr;
}

void Application::OpenViewer(const std::wstring& path) {
    // Each look opens the picture afresh in a new viewer; with nothing
    // previewed there is nothing to open.
    viewer_.Close();
    viewer_.Destroy();
    if (path.empty()) return;
    viewerPath_ = path;
    if (!viewer_.ShowNormal()) {
        services_.prompts.Show(changer_.LiveWindow(), kViewerFailureText + path, L" Velmora ",
                               MB_OK | MB_ICONINFORMATION);
    }
}

void Application::Run(Action action) {
    switch (action) {
        case Action::None: break;
        case Action::ShowPanel: panel_.ShowNormal(); break;
        case Action::OpenMyComputer: commands_.OpenMyComputer(PanelWindow()); break;
        case Action::ExploreDriveC: commands_.ExploreDriveC(PanelWindow()); break;
        case Action::SearchDriveC: commands_.SearchDriveC(PanelWindow()); break;
        case Action::EmptyRecycleBin:
            EmptyRecycleBin(services_.effects, tray_ ? tray_->hwnd() : nullptr,
                            recycle::CommandLineArguments(Narrow(services_.commandLine)));
            break;
        case Action::MonitorOff: commands_.MonitorOff(PanelWindow()); break;
        case Action::LogOff: LogOff(); break;
        case Action::ShutDown: commands_.ShutDown(); break;
        case Action::Restart: commands_.Restart(); break;
        case Action::OpenWebNavigation: commands_.OpenWebNavigation(PanelWindow()); break;
        case Action::ShowSearchBox: search_.ShowNormal(); break;
        case Action::ToggleStartAtLogon: tray_->SetStartAtLogonCheck(startAtLogon_.Toggle(tray_->hwnd())); break;
        case Action::OpenSnapToolPage: commands_.OpenWebPage(PanelWindow(), web::kRecommended[0].address); break;
        case Action::OpenNotesPage: commands_.OpenWebPage(PanelWindow(), web::kRecommended[1].address); break;
        case Action::OpenShredderPage: commands_.OpenWebPage(PanelWindow(), web::kRecommended[2].address); break;
        case Action::CheckForNewVersion: commands_.OpenWebPage(tray_->hwnd(), web::kDownloadPageAddress); break;
        case Action::ShowAboutBox: {
            HWND owner = PanelWindow();
            commands_.ShowAboutBox(owner, panel_.Live() ? panel_.Live()->Icon() : nullptr);
            break;
        }
        case Action::ExitProgram: ExitProgram(); break;
        case Action::OpenControlPanel: commands_.OpenControlPanel(); break;
        case Action::OpenTaskManager: commands_.OpenTaskManager(); break;
        case Action::ToggleCdTray:
            if (LauncherPanel* panel = panel_.Live()) panel->ToggleCdTray();
            break;
        case Action::ShowWallpaperChanger: changer_.ShowNormal(); break;
        case Action::OpenAddRemovePrograms: commands_.OpenAddRemovePrograms(); break;
        case Action::ShowColourPicker: picker_.ShowNormal(); break;
        case Action::StartCalculator: commands_.StartCalculator(PanelWindow()); break;
        case Action::OpenSystemProperties: commands_.OpenSystemProperties(); break;
        case Action::OpenDateAndTime: commands_.OpenDateAndTime(); break;
        case Action::StartNotepad: commands_.StartNotepad(PanelWindow()); break;
        case Action::OpenDisplayProperties: commands_.OpenDisplayProperties(); break;
        case Action::ShowPowerMenu: {
            POINT at{};
            ::GetCursorPos(&at);
            tray_->PopupPowerMenu(at, PanelWindow());
            break;
        }
    }
}

void Application::LogOff() {
    commands_.LogOff();
    // The session is ending: the shell goes away with its notification area,
    // so the icon is left to it, and no window saves anything on the way out.
    if (TrayIcon* icon = tray_->Icon()) icon->LeaveToShell();
    ended_ = true;
    ::PostQuitMessage(0);
}

void Application::ExitProgram() {
    if (exiting_) return;
    exiting_ = true;
    // In this order; each window's close logic runs (the panel and the
    // changer save their placement).
    changer_.Close();
    viewer_.Close();
    picker_.Close();
    panel_.Close();
    if (tray_ && tray_->hwnd()) ::DestroyWindow(tray_->hwnd());  // removes the icon with it
    search_.Close();
    ended_ = true;
    ::PostQuitMessage(0);
}

}  // namespace velmora
