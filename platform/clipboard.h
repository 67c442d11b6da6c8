// Text onto the clipboard.
#pragma once

#include <windows.h>

#include <string_view>

namespace velmora {

// Puts `text` on the clipboard as Unicode text, owned by `owner`. Another
// program may hold the clipboard open for a moment (a clipboard manager
// reading what was just copied): the copy tries again a few times, for
// about a tenth of a second at most, so the window stays responsive, and
// then gives up. True when the text is on the clipboard.
bool CopyTextToClipboard(HWND owner, std::wstring_view text);

}  // namespace velmora
