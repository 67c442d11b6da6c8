// Libraries the program loads at first use instead of at start-up.
//
// mingw's linker has no delay-loaded imports, so platform/lazy_imports.cpp
// plays the import library for the functions start-up does not need
// (common controls, COM, the picture decoders, MCI) and for the shell's,
// which must come from the system folder with all it loads: it
// defines the names the import libraries would define, and the first call
// of a function loads its library and finds it. Callers write the plain
// Windows calls and know nothing of this.
#pragma once

#include <windows.h>

namespace velmora {

class LazyLibrary {
public:
    // `systemOnly`: looked for in the system folder only. Common controls
    // are looked for by the default search, so that the manifest's choice
    // of version 6 applies; the program narrows that search to the system
    // folder at its start.
    constexpr LazyLibrary(const wchar_t* name, bool systemOnly) : name_(name), systemOnly_(systemOnly) {}

    // The function's address, loading the library the first time; null
    // when either cannot be found.
    FARPROC Find(const char* function);

private:
    const wchar_t* name_;
    bool systemOnly_;
    // Kept until the process ends, as an imported library would be: code
    // and window procedures of the library may still run while the
    // program's own objects are being destroyed.
    HMODULE module_ = nullptr;
};

}  // namespace velmora
