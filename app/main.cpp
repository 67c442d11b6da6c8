// Velmora: desktop companion living in the notification area.
#include <windows.h>

#include "app/application.h"
#include "platform/effects.h"
#include "platform/files.h"
#include "platform/system_services.h"
#include "shell/auto_start.h"

#ifdef VELMORA_RECORDING_BUILD
namespace {

// The recording build, made for the end-to-end tests from the same sources:
// with this variable naming a log file at start, the program writes there
// what it would do to the system instead of doing it. The shipped program
// has no such switch.
constexpr wchar_t kEffectsLogVariable[] = L"VELMORA_EFFECTS_LOG";

std::wstring EffectsLogFromEnvironment() {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableW(kEffectsLogVariable, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return {};
    return path;
}

}  // namespace
#endif

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything loads a library: libraries, and those they load in
    // turn, come from the system folder only, never from beside the program
    // (a download folder, a USB stick).
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    using namespace velmora;
    Win32SystemEffects system;
#ifdef VELMORA_RECORDING_BUILD
    const std::wstring effectsLog = EffectsLogFromEnvironment();
    RecordingEffects recorder{effectsLog};
    SystemEffects& effects = effectsLog.empty() ? static_cast<SystemEffects&>(system) : recorder;
#else
    SystemEffects& effects = system;
#endif

    MessageBoxPrompter prompts;
    SystemClock clock;
    SystemTicks ticks;
    ClockSeededRandom random;
    ScreenPixelReader pixels;
    SystemRunKeys runKeys;
    Application app(
        {effects, prompts, clock, ticks, random, pixels, runKeys, ExecutableDirectory(), ::GetCommandLineW()});
    if (!app.Start()) return 0;
    return app.RunMessageLoop();
}
