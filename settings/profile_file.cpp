#include "settings/profile_file.h"

#include <windows.h>

#include <optional>

#include "platform/files.h"
#include "platform/handles.h"
#include "platform/text.h"
#include "settings/profile_codec.h"

namespace velmora {

namespace {

// A profile is a few hundred bytes; anything this large is not one of ours.
constexpr std::uint64_t kMaxProfileBytes = 16 * 1024 * 1024;

// The file's name as it exists on disk ("VLMR.ini" stays "VLMR.ini"), so a
// replacement keeps the user's spelling.
std::wstring ExistingSpelling(const std::wstring& path) {
    WIN32_FIND_DATAW fd{};
    UniqueFind find(::FindFirstFileW(path.c_str(), &fd));
    if (!find) return path;
    const auto slash = path.find_last_of(L'\\');
    return path.substr(0, slash + 1) + fd.cFileName;
}

// A UTF-8 text (a key, a value) as a file of that encoding spells it, and
// back.
std::string Spell(const profile::ProfileText& p, std::string_view utf8) {
    return p.encoding == profile::FileEncoding::Gbk ? ToCodePage(utf8, kGbkCodePage) : std::string(utf8);
}
std::string ToUtf8(const profile::ProfileText& p, std::string_view spelled) {
    return p.encoding == profile::FileEncoding::Gbk ? FromCodePage(spelled, kGbkCodePage) : std::string(spelled);
}

// The file a link names, so that a rewrite replaces the file and leaves the
// link; the path itself for a plain file or one that cannot be opened.
std::wstring LinkTarget(const std::wstring& path) {
    UniqueFile f(::CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!f) return path;
    wchar_t target[MAX_PATH * 2] = {};
    const DWORD n = ::GetFinalPathNameByHandleW(f.get(), target, std::size(target), FILE_NAME_NORMALIZED);
    if (n == 0 || n >= std::size(target)) return path;
    std::wstring final(target, n);
    if (final.starts_with(L"\\\\?\\UNC\\")) {
        final = L"\\\\" + final.substr(8);
    } else if (final.starts_with(L"\\\\?\\")) {
        final.erase(0, 4);
    }
    // Only a link leads elsewhere; the same file under another spelling
    // keeps the user's spelling.
    return ::CompareStringOrdinal(final.c_str(), -1, path.c_str(), -1, TRUE) == CSTR_EQUAL ? path : final;
}

}  // namespace

std::string ProfileFile::Read(std::string_view key) {
    for (const auto& [k, v] : sessionOnly_) {
        if (k == key) return profile::ClipReadValue(v, profile::Scan::Utf8);
    }
    std::string bytes;
    if (ReadFileBytes(path_, kMaxProfileBytes, bytes) != FileRead::Ok) return {};
    const std::optional<profile::ProfileText> p = profile::DecodeFile(bytes);
    if (!p) return {};
    const profile::Scan scan = profile::ScanOf(p->encoding);
    const std::optional<std::string> raw = profile::Lookup(p->text, Spell(*p, kProfileSection), Spell(*p, key), scan);
    if (!raw) return {};
    return ToUtf8(*p, profile::ClipReadValue(*raw, scan));
}

bool ProfileFile::Write(std::string_view key, std::string_view value) {
    // What earlier writes could not store goes with this one, in the order
    // they came, so that a profile that was locked for a while misses
    // nothing once it is free.
    std::erase_if(sessionOnly_, [&](const auto& kept) { return kept.first == key; });
    sessionOnly_.emplace_back(std::string(key), profile::ClipWriteValue(value));
    if (WriteToFile(sessionOnly_)) {
        sessionOnly_.clear();
        return true;
    }
    // Not kept in the file (a read-only profile, a full disk, a file held
    // open elsewhere): the value still holds while the program runs, as the
    // user chose it.
    return false;
}

bool ProfileFile::WriteToFile(const Changes& changes) {
    std::string bytes;
    // A file that exists but cannot be read now is left alone rather than
    // replaced by one holding only these keys.
    const FileRead read = ReadFileBytes(path_, kMaxProfileBytes, bytes);
    if (read == FileRead::Failed || read == FileRead::TooLarge) return false;
    // Nor is one whose bytes are not what its mark says: it could not be
    // written back as it was.
    std::optional<profile::ProfileText> p = profile::DecodeFile(bytes);
    if (!p) return false;
    std::string updated = p->text;
    for (const auto& [key, value] : changes) {
        updated = profile::Update(updated, Spell(*p, kProfileSection), Spell(*p, key), Spell(*p, value),
                                  profile::ScanOf(p->encoding));
    }
    if (updated == p->text) return true;
    p->text = std::move(updated);
    const std::string encoded = profile::EncodeFile(*p);
    // One instance runs at a time, so one fixed name serves; a copy left by
    // a crash is simply overwritten by the next write. A read-only profile
    // is refused there, as the system's own profile writer refuses it.
    const std::wstring target = LinkTarget(ExistingSpelling(path_));
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (!ReplaceFile(target, L".tmp", [&](HANDLE f) { return WriteAll(f, encoded.data(), encoded.size()); }, true)) {
        return false;
    }
    // The new file takes the old one's hidden and system marks.
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & kKept)) {
        ::SetFileAttributesW(target.c_str(), (attributes & kKept) | FILE_ATTRIBUTE_ARCHIVE);
    }
    return true;
}

}  // namespace velmora
