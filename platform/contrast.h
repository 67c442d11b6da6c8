// Whether the user reads the screen in a high-contrast theme, in which
// windows draw in the system's colours instead of their own.
#pragma once

namespace velmora {

// The system's answer; where the system keeps no live answer (Wine), the
// setting it stores the theme's state in.
bool HighContrastOn();

}  // namespace velmora
