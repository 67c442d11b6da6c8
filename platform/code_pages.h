// What WideCharToMultiByte may be asked for a given code page. Some code
// pages turn down every flag (and UTF-8 and UTF-7 also the "default
// character used" report): asked with them, the conversion fails outright
// and hands back nothing. Windows with "UTF-8 for worldwide language
// support" has 65001 as its ANSI code page, so CP_ACP may be one of them.
#pragma once

namespace velmora {

// WC_NO_BEST_FIT_CHARS: no look-alike in place of a missing character.
inline constexpr unsigned long kNoBestFitChars = 0x400;

// Whether the conversion fails when given any flag but 0 for this page.
bool RejectsConversionFlags(unsigned codePage);

// The flags for a conversion that must not swap in look-alikes: none where
// the code page turns flags down.
unsigned long StrictConversionFlags(unsigned codePage);

// Whether the conversion may be asked if it used the default character
// (UTF-8 and UTF-7 refuse; they spell every character anyway).
bool ReportsDefaultCharUse(unsigned codePage);

}  // namespace velmora
