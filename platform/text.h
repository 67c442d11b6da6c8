// The one place where text changes encoding.
//
// Inside the program text is UTF-8 (std::string). Wide Windows calls get
// UTF-16; stored formats that fix a code page (the profile file, GBK) get
// bytes in that code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// Code page of the profile file and of the tray tip: Simplified Chinese, GBK.
inline constexpr unsigned kGbkCodePage = 936;

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// UTF-8 to bytes of the given code page; characters the code page lacks
// become '?'.
std::string ToCodePage(std::string_view utf8, unsigned codePage);
// Bytes of the given code page to UTF-8.
std::string FromCodePage(std::string_view bytes, unsigned codePage);

// WideCharToMultiByte's shape, so that a stand-in can be handed in.
using NarrowingCall = int(__stdcall*)(unsigned codePage, unsigned long flags, const wchar_t* text, int length,
                                      char* out, int outSize, const char* defaultChar, int* usedDefault);

// The text in the given code page, or nullopt where that code page cannot
// spell every character of it (no question mark, no look-alike).
// `convert`: WideCharToMultiByte when null.
std::optional<std::string> SpellInCodePage(std::wstring_view text, unsigned codePage, NarrowingCall convert = nullptr);

// Whether the system's ANSI code page spells every character of the text,
// without a question mark or a look-alike in place of one.
bool FitsAnsiCodePage(std::wstring_view text);

}  // namespace velmora
