#include "platform/folder_watch.h"

namespace velmora {

bool FolderWatch::Start(const std::wstring& folder) {
    handle_.reset(::FindFirstChangeNotificationW(folder.c_str(), FALSE,
                                                 FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_ATTRIBUTES));
    return Running();
}

bool FolderWatch::TakeChange() {
    if (!handle_ || ::WaitForSingleObject(handle_.get(), 0) != WAIT_OBJECT_0) return false;
    // The folder itself gone (deleted, renamed): a fresh start next time.
    if (!::FindNextChangeNotification(handle_.get())) handle_.reset();
    return true;
}

}  // namespace velmora
