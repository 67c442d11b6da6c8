#include "settings/profile.h"

#include <windows.h>

#include <optional>

#include "platform/app_dir.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/profile_codec.h"

namespace velmora {

namespace {

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes) {
    UniqueFile f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) {
        const DWORD err = ::GetLastError();
        return (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) ? ReadResult::Missing
                                                                              : ReadResult::Failed;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(f.get(), &size) || size.QuadPart > 16 * 1024 * 1024) return ReadResult::Failed;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() && (!::ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
                           got != bytes.size())) {
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

// The file's name as it exists on disk ("VLMR.ini" stays "VLMR.ini"), so a
// replacement keeps the user's spelling.
std::wstring ExistingSpelling(const std::wstring& path) {
    WIN32_FIND_DATAW fd{};
    UniqueFind find(::FindFirstFileW(path.c_str(), &fd));
    if (!find) return path;
    const auto slash = path.find_last_of(L'\\');
    return path.substr(0, slash + 1) + fd.cFileName;
}

bool ReplaceWithContent(const std::wstring& path, const std::string& bytes) {
    const std::wstring target = ExistingSpelling(path);
    // One instance runs at a time, so one fixed name serves; a copy left by
    // a crash is simply overwritten by the next write.
    const std::wstring temp = target + L".tmp";
    {
        UniqueFile f(::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                   nullptr));
        if (!f) return false;
        DWORD written = 0;
        const bool ok = ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size() && ::FlushFileBuffers(f.get());
        if (!ok) {
            f.reset();
            ::DeleteFileW(temp.c_str());
            return false;
        }
    }
    if (!::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace

std::wstring ProfilePath() { return AppDirectory() + L"\\vlmr.INI"; }

std::string ProfileRead(std::string_view section, std::string_view key) {
    std::string file;
    if (ReadWholeFile(ProfilePath(), file) != ReadResult::Ok) return {};
    const std::optional<std::string> raw =
        profile::Lookup(file, ToCodePage(section, kGbkCodePage), ToCodePage(key, kGbkCodePage));
    if (!raw) return {};
    return FromCodePage(profile::ClipReadValue(*raw), kGbkCodePage);
}

bool ProfileWrite(std::string_view section, std::string_view key, std::string_view value) {
    const std::wstring path = ProfilePath();
    std::string file;
    // A file that exists but cannot be read is left alone rather than
    // replaced by one holding only this key.
    if (ReadWholeFile(path, file) == ReadResult::Failed) return false;
    const std::string updated =
        profile::Update(file, ToCodePage(section, kGbkCodePage), ToCodePage(key, kGbkCodePage),
                        ToCodePage(profile::ClipWriteValue(value), kGbkCodePage));
    if (updated == file) return true;
    return ReplaceWithContent(path, updated);
}

}  // namespace velmora
