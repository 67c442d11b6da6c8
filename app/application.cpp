#include "app/application.h"

#include "commands/web_pages.h"
#include "platform/text.h"
#include "platform/twips.h"
#include "settings/placement.h"
#include "tools/recycle_bin.h"
#include "tools/recycle_rules.h"

namespace velmora {

namespace {

constexpr wchar_t kViewerFailureText[] = L"无法打开这张图片，它可能已被删除或不是图片文件：\n";
// A second start hands its verb over and ends within a second.
constexpr DWORD kForwardTimeoutMs = 800;
// Verbs that wait for a message box, at most; a key held down adds no more.
constexpr size_t kMaxWaitingVerbs = 8;
// A change of monitors comes as a burst of messages; the wallpaper is
// rendered once they have been quiet this long, well within two seconds.
constexpr unsigned kLayoutSettleMs = 400;

}  // namespace

Application::Application(AppServices services)
    : services_(std::move(services)),
      prompts_(services_.prompts, [this] { PostWaitingVerbs(); }),
      profile_(services_.directory + L"\\" + kProfileFileName),
      commands_(services_.effects, prompts_, later_),
      startAtLogon_(profile_, prompts_, services_.runKeys, services_.directory),
      rotation_({services_.effects, profile_, services_.random, later_, services_.directory, services_.monitors}),
      schedule_(rotation_, profile_, services_.clock),
      panel_(later_, [this] { return MakePanel(); }),
      changer_(later_, [this] { return MakeChanger(); }),
      search_(later_, [this] { return SearchBox::Create({services_.effects, prompts_, profile_}); }),
      picker_(later_,
              [this] {
                  return ColourPicker::Create({services_.pixels, tray_ ? tray_->hwnd() : nullptr, copiedColours_});
              }),
      viewer_(later_, [this] { return PictureViewer::Create({viewerPath_, tray_ ? tray_->hwnd() : nullptr}); }) {
    // Once the panel has been open, the next one waits made and hidden:
    // reopening it from the tray then only shows it. Until the first
    // opening nothing of it is in memory.
    panel_.KeepSpare(true);
}

Application::~Application() {
    if (pendingRender_) later_.Cancel(pendingRender_);
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
    WallpaperChanger::Services s{rotation_, schedule_, services_.effects, prompts_, profile_, services_.clock,
                                 [this]() -> std::optional<TwipsRect> {
                                     if (HWND panel = panel_.LiveWindow()) return WindowTwipsRect(panel);
                                     return std::nullopt;
                                 },
                                 [this](const std::wstring& path) { OpenViewer(path); }};
    return WallpaperChanger::Create(std::move(s));
}

std::string Application::Arguments() const {
    const std::string line = Narrow(services_.commandLine);
    return std::string(recycle::CommandLineArguments(line));
}

bool Application::Start() {
    // A second start ends here, before it touches the tray or writes the
    // profile; of the registry it may only take away the stuck start-up
    // entry. Only a verb is handed to the first copy; a plain second start
    // does not tell it.
    const Verb verb = VerbOfArguments(Arguments());
    instance_.emplace(services_.instanceName);
    if (!instance_->claimed()) {
        // The remedy the stuck-entry message offers works while a copy runs.
        startAtLogon_.ClearStuckEntry();
        if (verb != Verb::None) TrayHost::ForwardVerb(verb, kForwardTimeoutMs);
        return false;
    }
    tray_ = std::make_unique<TrayHost>([this](Action a) { Run(a); }, [this](Verb v) { RunVerb(v); });
    // Logging off or shutting down ends the process without closing any
    // window: what the windows keep when closed is kept now.
    tray_->OnSessionEnd([this] { SaveOpenPlacements(); });
    tray_->OnDisplayChange([this](bool resumed) { OnDisplayChange(resumed); });
    if (!tray_->Create()) return false;
    // Run as administrator, the copy still hears a plain start's verbs and
    // the shell's announcement of a new taskbar.
    ::ChangeWindowMessageFilterEx(tray_->hwnd(), WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    ::ChangeWindowMessageFilterEx(tray_->hwnd(), ::RegisterWindowMessageW(L"TaskbarCreated"), MSGFLT_ALLOW, nullptr);
    tray_->ShowIcon();
    // The wallpaper hot keys, unless the profile turns them off, and the
    // panel's key the profile names; keys that another program holds are
    // done without.
    tray_->RegisterHotKeys(HotKeysWanted(profile_), PanelKeyWanted(profile_));
    // Timed wallpaper changing from the start, by the program's own
    // schedule: no window is created for it.
    if (ReadSwitch(profile_, "qhzm")) {
        const std::string refusal = schedule_.StartFromProfile();
        if (!refusal.empty()) prompts_.Show(tray_->hwnd(), Widen(refusal), L" Velmora ", MB_OK | MB_ICONINFORMATION);
    }
    // The Run-key entry and the check mark of 开机自动启动 follow the profile.
    tray_->SetStartAtLogonCheck(startAtLogon_.Sync(tray_->hwnd()));
    // A verb on the command line of the first start: done once it is up.
    RunVerb(verb);
    later_.Post([] { LauncherPanel::PrepareToOpen(); });
    return true;
}

int Application::RunMessageLoop() {
    for (;;) {
        // Beside its messages the loop waits on the picture folder's watch,
        // so that the program needs no thread of its own to notice pictures
        // coming and going. Modal loops (message boxes, menus) do not: what
        // changed is taken once they end.
        const FolderWatch::Handles watch = rotation_.WatchHandles();
        const DWORD woke =
            ::MsgWaitForMultipleObjectsEx(watch.count, watch.items, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woke < WAIT_OBJECT_0 + watch.count) rotation_.OnFolderSignalled();
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return static_cast<int>(msg.wParam);
            // Tab and the arrow keys move between the controls of a window
            // that holds a form of them (the wallpaper changer).
            HWND active = ::GetActiveWindow();
            if (active && (::GetWindowLongPtrW(active, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
                ::IsDialogMessageW(active, &msg)) {
                continue;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void Application::RunVerb(Verb verb) {
    // Never inside the call that brought it (a second start waits on it),
    // and in the order they came.
    if (verb == Verb::None || ended_ || verbs_.size() >= kMaxWaitingVerbs) return;
    verbs_.push_back(verb);
    PostWaitingVerbs();
}

void Application::PostWaitingVerbs() {
    if (verbsPosted_ || verbs_.empty()) return;
    verbsPosted_ = true;
    later_.Post([this] {
        verbsPosted_ = false;
        RunWaitingVerbs();
    });
}

void Application::RunWaitingVerbs() {
    // A message box up: the verbs wait for it (the prompter posts them again
    // when it has gone).
    while (!verbs_.empty() && !prompts_.Open() && !ended_) {
        const Verb verb = verbs_.front();
        verbs_.pop_front();
        if (verb == Verb::NextWallpaper) rotation_.Next();
        if (verb == Verb::PreviousWallpaper) rotation_.Previous();
        if (verb == Verb::NextOnPointerMonitor) {
            POINT at{};
            ::GetCursorPos(&at);
            rotation_.NextOnMonitor(wallpaper::MonitorAt(rotation_.Monitors(), at));
        }
        if (verb == Verb::ShowPanel) panel_.ShowNormal();
        if (verb == Verb::TogglePanel) TogglePanel();
    }
}

void Application::OnDisplayChange(bool resumed) {
    if (resumed) schedule_.OnResume();
    if (pendingRender_) later_.Cancel(pendingRender_);
    pendingRender_ = later_.After(kLayoutSettleMs, [this] {
        pendingRender_ = 0;
        rotation_.RenderAgain();
    });
}

void Application::TogglePanel() {
    // In front: closed as its close button closes it. Anywhere else (behind
    // another window, minimised, not made yet): brought forward.
    HWND panel = panel_.LiveWindow();
    if (panel && ::IsWindowVisible(panel) && !::IsIconic(panel) && ::GetForegroundWindow() == panel) {
        panel_.Close();
    } else {
        panel_.ShowNormal();
    }
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
        prompts_.Show(changer_.LiveWindow(), kViewerFailureText + path, L" Velmora ", MB_OK | MB_ICONINFORMATION);
    }
}

void Application::Run(Action action) {
    switch (action) {
        case Action::None: break;
        case Action::ShowPanel: panel_.ShowNormal(); break;
        case Action::OpenMyComputer: commands_.OpenMyComputer(PanelWindow()); break;
        case Action::ExploreDriveC: commands_.ExploreDriveC(PanelWindow()); break;
        case Action::SearchDriveC: commands_.SearchDriveC(PanelWindow()); break;
        case Action::EmptyRecycleBin: {
            // A command line that is a verb is the program's, not the
            // emptier's: for it, no arguments were given.
            const std::string arguments = Arguments();
            EmptyRecycleBin(services_.effects, tray_ ? tray_->hwnd() : nullptr,
                            VerbOfArguments(arguments) == Verb::None ? arguments : std::string());
            break;
        }
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
            prompts_.WhileUp([&] { commands_.ShowAboutBox(owner, panel_.Live() ? panel_.Live()->Icon() : nullptr); });
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
            LauncherPanel* panel = panel_.Live();
            if (const std::optional<POINT> anchor = panel ? panel->MenuAnchor() : std::nullopt) {
                at = *anchor;
            } else {
                ::GetCursorPos(&at);
            }
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

void Application::SaveOpenPlacements() {
    if (ended_) return;  // our own log-off: nothing saves on the way out
    // The order of 退出程序's closes: the changer, then the panel (the
    // record keeps whichever comes last).
    if (WallpaperChanger* changer = changer_.Live()) SavePlacement(changer->hwnd());
    if (LauncherPanel* panel = panel_.Live()) SavePlacement(panel->hwnd());
}

void Application::ExitProgram() {
    if (exiting_) return;
    exiting_ = true;
    panel_.KeepSpare(false);
    // In this order; each window's close logic runs (the panel and the
    // changer save their placement).
    if (WallpaperChanger* changer = changer_.Live()) changer->CloseForGood();
    viewer_.Close();
    picker_.Close();
    panel_.Close();
    if (tray_ && tray_->hwnd()) ::DestroyWindow(tray_->hwnd());  // removes the icon with it
    search_.Close();
    ended_ = true;
    ::PostQuitMessage(0);
}

}  // namespace velmora
