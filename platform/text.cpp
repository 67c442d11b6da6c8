#include "platform/text.h"

#include <windows.h>

#include "platform/code_pages.h"

namespace velmora {

namespace {

std::wstring ToWide(std::string_view bytes, unsigned codePage) {
    if (bytes.empty()) return {};
    const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), n);
    return out;
}

std::string FromWide(std::wstring_view text, unsigned codePage) {
    if (text.empty()) return {};
    const int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return ToWide(utf8, CP_UTF8); }
std::string Narrow(std::wstring_view utf16) { return FromWide(utf16, CP_UTF8); }

std::string ToCodePage(std::string_view utf8, unsigned codePage) { return FromWide(Widen(utf8), codePage); }
std::string FromCodePage(std::string_view bytes, unsigned codePage) { return Narrow(ToWide(bytes, codePage)); }

std::optional<std::string> SpellInCodePage(std::wstring_view text, unsigned codePage, NarrowingCall convert) {
    if (text.empty()) return std::string();
    if (!convert) convert = &::WideCharToMultiByte;
    // UTF-8 and its kind refuse the flag and the report; they need neither.
    const DWORD flags = StrictConversionFlags(codePage);
    BOOL usedDefault = FALSE;
    BOOL* report = ReportsDefaultCharUse(codePage) ? &usedDefault : nullptr;
    const int length = static_cast<int>(text.size());
    const int n = convert(codePage, flags, text.data(), length, nullptr, 0, nullptr, report);
    if (n <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<size_t>(n), '\0');
    if (convert(codePage, flags, text.data(), length, out.data(), n, nullptr, report) != n ||
        usedDefault) {
        return std::nullopt;
    }
    return out;
}

bool FitsAnsiCodePage(std::wstring_view text) { return SpellInCodePage(text, ::GetACP()).has_value(); }

}  // namespace velmora
