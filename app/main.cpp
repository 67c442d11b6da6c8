// Velmora: desktop companion living in the notification area.
#include <windows.h>

#include "app/application.h"
#include "platform/effects.h"
#include "platform/files.h"
#include "platform/system_services.h"
#include "shell/auto_start.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace velmora;
    Win32SystemEffects system;
    // The end-to-end tests read what the program would do to the system
    // from a log instead of letting it happen.
    const std::wstring effectsLog = EffectsLogFromEnvironment();
    RecordingEffects recorder{effectsLog};
    SystemEffects& effects = effectsLog.empty() ? static_cast<SystemEffects&>(system) : recorder;

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
