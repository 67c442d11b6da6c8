// Notice of files coming into or leaving a folder, without a thread: the
// watch is a pair of handles the message loop waits on beside its messages.
// One is signalled when a name in the folder changes (added, removed,
// renamed) or a file's attributes do (a file hidden or shown); the other,
// on the folder's parent, when a folder there comes or goes. So the folder
// is followed by its path: made after the start, removed, made again, moved
// away (to the recycle bin) and replaced by another of the same name.
#pragma once

#include <windows.h>

#include <string>

#include "platform/handles.h"

namespace velmora {

class FolderWatch {
public:
    // Starts watching the folder, or, while it is missing, for it; false
    // when not even its parent can be watched. A watch already running is
    // replaced.
    bool Start(const std::wstring& folder);
    void Stop();
    bool Running() const { return static_cast<bool>(parent_); }
    // What the message loop waits on: `count` handles, none when nothing is
    // watched.
    struct Handles {
        HANDLE items[2] = {};
        DWORD count = 0;
    };
    Handles WaitHandles() const;
    // Whether a change was noticed and not yet taken; taking it lets the
    // watch notice the next one.
    bool TakeChange();

private:
    void WatchFolder();

    std::wstring folder_;
    UniqueChangeNotification folderWatch_;
    UniqueChangeNotification parent_;
};

}  // namespace velmora
