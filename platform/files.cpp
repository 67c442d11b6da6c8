#include "platform/files.h"

#include <algorithm>

#include "platform/handles.h"
#include "platform/long_paths.h"

namespace velmora {

std::wstring ExecutableDirectory() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    const auto slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

namespace {

UniqueFile OpenForReading(const std::wstring& path, DWORD flags) {
    return UniqueFile(::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    flags, nullptr));
}

FileRead OpenFailure() {
    const DWORD err = ::GetLastError();
    return (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) ? FileRead::Missing : FileRead::Failed;
}

// Fills bytes[from, size) from the file's current position.
bool ReadInto(HANDLE file, std::string& bytes, size_t from) {
    for (size_t done = from; done < bytes.size();) {
        DWORD got = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        if (!::ReadFile(file, bytes.data() + done, want, &got, nullptr) || got == 0) return false;
        done += got;
    }
    return true;
}

}  // namespace

FileRead ReadFileAfterHead(const std::wstring& path, std::uint64_t maxBytes, std::size_t headBytes,
                           const std::function<bool(std::string_view head, std::uint64_t size)>& accept,
                           std::string& bytes) {
    UniqueFile f = OpenForReading(path, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!f) return OpenFailure();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(f.get(), &size) || size.QuadPart < 0) return FileRead::Failed;
    const auto total = static_cast<std::uint64_t>(size.QuadPart);
    if (total > maxBytes) return FileRead::TooLarge;
    bytes.assign(static_cast<size_t>(std::min<std::uint64_t>(total, headBytes)), '\0');
    if (!ReadInto(f.get(), bytes, 0)) return FileRead::Failed;
    if (accept && !accept(bytes, total)) return FileRead::Refused;
    const size_t head = bytes.size();
    bytes.resize(static_cast<size_t>(total));
    return ReadInto(f.get(), bytes, head) ? FileRead::Ok : FileRead::Failed;
}

FileRead ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes, std::string& bytes) {
    UniqueFile f = OpenForReading(path, FILE_FLAG_SEQUENTIAL_SCAN);
    if (!f) return OpenFailure();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(f.get(), &size) || size.QuadPart < 0) return FileRead::Failed;
    if (static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return FileRead::TooLarge;
    bytes.assign(static_cast<size_t>(size.QuadPart), '\0');
    return ReadInto(f.get(), bytes, 0) ? FileRead::Ok : FileRead::Failed;
}

std::string ReadFileStart(const std::wstring& path, std::size_t count) {
    UniqueFile f(::CreateFileW(ExtendedLengthPath(path).c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return {};
    std::string bytes(count, '\0');
    DWORD got = 0;
    if (!::ReadFile(f.get(), bytes.data(), static_cast<DWORD>(count), &got, nullptr)) return {};
    bytes.resize(got);
    return bytes;
}

bool WriteAll(HANDLE file, const void* data, std::size_t size) {
    DWORD wrote = 0;
    return ::WriteFile(file, data, static_cast<DWORD>(size), &wrote, nullptr) && wrote == size;
}

bool ReplaceFile(const std::wstring& path, const std::wstring& suffix, const std::function<bool(HANDLE)>& write,
                 bool durable) {
    // A file the user made read-only is not replaced, as the system's own
    // writers refuse it: it stays byte for byte. (Windows refuses the move
    // below for it; Wine would not.)
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
    const std::wstring temporary = path + suffix;
    bool written = false;
    {
        UniqueFile f(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
        if (!f) return false;
        written = write(f.get()) && (!durable || ::FlushFileBuffers(f.get()));
    }
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | (durable ? MOVEFILE_WRITE_THROUGH : 0);
    if (!written || !::MoveFileExW(temporary.c_str(), path.c_str(), flags)) {
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace velmora
