// The imports start-up does without, bound at first call (see
// platform/lazy_library.h).
//
// For each function two names are defined, as an import library would:
// __imp_NAME, the pointer a call through a dllimport declaration reads, and
// NAME, a stub that jumps through it, for declarations without dllimport.
// The pointer starts at a typed thunk that finds the real function once and
// calls it; should a library be missing, the call fails as the function
// itself reports failure.
#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <olectl.h>
#include <shellapi.h>
#include <wincodec.h>

#include "platform/lazy_library.h"

namespace velmora {

FARPROC LazyLibrary::Find(const char* function) {
    if (!module_) module_ = ::LoadLibraryExW(name_, nullptr, systemOnly_ ? LOAD_LIBRARY_SEARCH_SYSTEM32 : 0);
    return module_ ? ::GetProcAddress(module_, function) : nullptr;
}

namespace {

LazyLibrary commonControls{L"comctl32.dll", false};
LazyLibrary com{L"ole32.dll", true};
LazyLibrary automation{L"oleaut32.dll", true};
LazyLibrary imaging{L"windowscodecs.dll", true};
LazyLibrary multimedia{L"winmm.dll", true};
// The shell too, though the tray icon needs it at once: imported, it would
// be loaded before the program could narrow the library search, and the
// libraries it brings in after it (under Wine shlwapi, then shcore) would
// be looked for beside the program first.
LazyLibrary shell{L"shell32.dll", true};

template <LazyLibrary& Library, const char* Name, auto Failure, typename F>
struct Thunk;

template <LazyLibrary& Library, const char* Name, auto Failure, typename R, typename... Args>
struct Thunk<Library, Name, Failure, R (*)(Args...)> {
    static R WINAPI Call(Args... args) {
        using Function = R(WINAPI*)(Args...);
        static const auto real = reinterpret_cast<Function>(reinterpret_cast<void*>(Library.Find(Name)));
        return real ? real(args...) : static_cast<R>(Failure);
    }
};

}  // namespace

}  // namespace velmora

// One function of a lazily loaded library; `failure` is what the call
// returns when the library or the function is missing. The compiler puts
// top-level asm ahead of everything else in the file, and names the section
// of each function and variable after it, so the stubs' ".text" leaves
// nothing else in the wrong place.
#define VELMORA_LAZY_IMPORT(library, function, failure)                                                        \
    namespace velmora {                                                                                        \
    namespace {                                                                                                \
    constexpr char k##function[] = #function;                                                                  \
    }                                                                                                          \
    }                                                                                                          \
    extern "C" decltype(&function) velmora_imp_##function asm("__imp_" #function);                             \
    decltype(&function) velmora_imp_##function =                                                              \
        &velmora::Thunk<velmora::library, velmora::k##function, failure, decltype(&function)>::Call;          \
    asm(".text\n.globl " #function "\n.p2align 4\n" #function ":\n\tjmp *__imp_" #function "(%rip)\n")

VELMORA_LAZY_IMPORT(commonControls, InitCommonControlsEx, FALSE);
VELMORA_LAZY_IMPORT(commonControls, SetWindowSubclass, FALSE);
VELMORA_LAZY_IMPORT(commonControls, RemoveWindowSubclass, FALSE);
VELMORA_LAZY_IMPORT(commonControls, DefSubclassProc, 0);
VELMORA_LAZY_IMPORT(com, CoInitializeEx, E_FAIL);
VELMORA_LAZY_IMPORT(com, CoCreateInstance, REGDB_E_CLASSNOTREG);
VELMORA_LAZY_IMPORT(com, CreateStreamOnHGlobal, E_OUTOFMEMORY);
VELMORA_LAZY_IMPORT(automation, OleLoadPicture, E_FAIL);
VELMORA_LAZY_IMPORT(imaging, WICConvertBitmapSource, E_FAIL);
VELMORA_LAZY_IMPORT(multimedia, mciSendStringA, MCIERR_CANNOT_LOAD_DRIVER);
VELMORA_LAZY_IMPORT(shell, Shell_NotifyIconW, FALSE);
VELMORA_LAZY_IMPORT(shell, ShellExecuteA, nullptr);
VELMORA_LAZY_IMPORT(shell, ShellExecuteW, nullptr);
VELMORA_LAZY_IMPORT(shell, ShellAboutA, FALSE);
VELMORA_LAZY_IMPORT(shell, SHEmptyRecycleBinA, E_FAIL);
