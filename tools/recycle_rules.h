// Rules of emptying the recycle bins that need no window: the flags a
// request empties with, and what the program's command line asks for.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora::recycle {

// The platform's own values for SHEmptyRecycleBin.
inline constexpr std::uint32_t kNoConfirmation = 1;  // SHERB_NOCONFIRMATION
inline constexpr std::uint32_t kNoProgressUi = 2;    // SHERB_NOPROGRESSUI
inline constexpr std::uint32_t kNoSound = 4;         // SHERB_NOSOUND
// A plain request empties silently: no question, no progress, no sound.
inline constexpr std::uint32_t kSilentFlags = kNoConfirmation | kNoProgressUi | kNoSound;

// The arguments of a full command line (as GetCommandLine hands it over):
// what follows the program name, blanks after the name skipped. The name
// ends at its closing quote when it starts with one, else at the first
// blank.
std::string_view CommandLineArguments(std::string_view commandLine);

// The flags an emptying request uses, given the program's command-line
// arguments; nullopt when it empties nothing.
// - No arguments (or nothing but blanks): kSilentFlags. A launcher that
//   leaves a blank after the program name has not asked for anything.
// - A decimal number (sign, digits, fraction, exponent; blanks around it
//   ignored) that converts to a whole number from 0 to 7, halves to the
//   even neighbour: that number.
// - Anything else: nullopt.
std::optional<std::uint32_t> EmptyingFlags(std::string_view arguments);

}  // namespace velmora::recycle
