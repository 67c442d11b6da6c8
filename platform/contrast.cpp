#include "platform/contrast.h"

#include <windows.h>

#include <cwchar>

namespace velmora {

namespace {

// "Flags" of the high-contrast settings: decimal text, HCF_ bits.
bool StoredFlagOn() {
    wchar_t text[16] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Control Panel\\Accessibility\\HighContrast", L"Flags", RRF_RT_REG_SZ,
                       nullptr, text, &size) != ERROR_SUCCESS) {
        return false;
    }
    return (std::wcstoul(text, nullptr, 10) & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool HighContrastOn() {
    HIGHCONTRASTW settings{};
    settings.cbSize = sizeof settings;
    if (::SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof settings, &settings, 0) &&
        (settings.dwFlags & HCF_HIGHCONTRASTON)) {
        return true;
    }
    return StoredFlagOn();
}

}  // namespace velmora
