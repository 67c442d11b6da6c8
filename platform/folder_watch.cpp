#include "platform/folder_watch.h"

namespace velmora {

namespace {

bool Signalled(const UniqueChangeNotification& h) { return h && ::WaitForSingleObject(h.get(), 0) == WAIT_OBJECT_0; }

std::wstring ParentOf(const std::wstring& folder) {
    const auto slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? L"." : folder.substr(0, slash == 2 && folder[1] == L':' ? 3 : slash);
}

}  // namespace

bool FolderWatch::Start(const std::wstring& folder) {
    folder_ = folder;
    parent_.reset(::FindFirstChangeNotificationW(ParentOf(folder).c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME));
    WatchFolder();
    return Running();
}

void FolderWatch::Stop() {
    folderWatch_.reset();
    parent_.reset();
}

void FolderWatch::WatchFolder() {
    // Nothing to watch for a folder that is missing, or a link that leads
    // round to itself: the parent tells when that changes. The old watch
    // goes first: a folder being deleted stays (and its name stays taken)
    // while any handle to it is open.
    folderWatch_.reset();
    folderWatch_.reset(::FindFirstChangeNotificationW(folder_.c_str(), FALSE,
                                                      FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES));
}

FolderWatch::Handles FolderWatch::WaitHandles() const {
    Handles h;
    for (const UniqueChangeNotification* w : {&folderWatch_, &parent_}) {
        if (*w) h.items[h.count++] = w->get();
    }
    return h;
}

bool FolderWatch::TakeChange() {
    bool changed = false;
    if (Signalled(parent_)) {
        changed = true;
        if (!::FindNextChangeNotification(parent_.get())) parent_.reset();
        // The folder may be new, gone or another one under the same name:
        // a watch on what the path names now. (The old watch would follow
        // the old folder into the recycle bin.)
        WatchFolder();
    }
    if (Signalled(folderWatch_)) {
        changed = true;
        // Watched afresh rather than resumed, so that a folder being deleted
        // is let go of at once. What changes in between is in the listing
        // that follows.
        WatchFolder();
    }
    return changed;
}

}  // namespace velmora
