// Notice of files coming into or leaving a folder, without a thread: the
// watch is a handle the message loop waits on beside its messages, signalled
// when a name in the folder changes (added, removed, renamed) or a file's
// attributes do (a file hidden or shown).
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace velmora {

class FolderWatch {
public:
    // Starts watching the folder; false when it cannot be watched (it does
    // not exist). A watch already running is replaced.
    bool Start(const std::wstring& folder);
    void Stop() { handle_.reset(); }
    bool Running() const { return static_cast<bool>(handle_); }
    // What the message loop waits on; nullptr when nothing is watched.
    HANDLE Handle() const { return handle_ ? handle_.get() : nullptr; }
    // Whether a change was noticed and not yet taken; taking it lets the
    // watch notice the next one.
    bool TakeChange();

private:
    UniqueChangeNotification handle_;
};

}  // namespace velmora
