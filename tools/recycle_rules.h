// Rules of the recycle-bin emptier (清空回收站, qkhsz) that need no window:
// the option flags its three check boxes make, and what its load step does
// with the program's command line.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora::recycle {

// The platform's own values for SHEmptyRecycleBin.
inline constexpr std::uint32_t kNoConfirmation = 1;  // SHERB_NOCONFIRMATION
inline constexpr std::uint32_t kNoProgressUi = 2;    // SHERB_NOPROGRESSUI
inline constexpr std::uint32_t kNoSound = 4;         // SHERB_NOSOUND

// Check-box values as the controls hold them: 0 clear, 1 ticked, 2 greyed.
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGreyed = 2;

// The flags from the values of chkNoConf, chkNoProgress and chkNoSound.
// Only a ticked box (1) counts; a greyed one adds nothing.
std::uint32_t ComposeFlags(int noConfirmation, int noProgress, int noSound);

// The arguments of a full command line (as GetCommandLine hands it over):
// what follows the program name, blanks after the name skipped. The name
// ends at its closing quote when it starts with one, else at the first
// blank.
std::string_view CommandLineArguments(std::string_view commandLine);

// What the emptier's load step does with the arguments.
struct CommandLineAction {
    enum Kind {
        None,           // no arguments: the window stays loaded
        Close,          // anything else: the window closes without emptying
        EmptyAndClose,  // a number 0..7: empty with it as the flags, then close
    } kind = None;
    std::uint32_t flags = 0;  // for EmptyAndClose
    friend bool operator==(const CommandLineAction&, const CommandLineAction&) = default;
};

// A decimal number (sign, digits, fraction, exponent) converts to the
// nearest whole number, halves to the even neighbour; 0..7 empties with it.
// Blanks around the number are ignored, and arguments of nothing but blanks
// count as none: a launcher that leaves a blank after the program name has
// not asked for anything.
CommandLineAction ActOnCommandLine(std::string_view arguments);

}  // namespace velmora::recycle
