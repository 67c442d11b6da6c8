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

std::string Gbk(std::string_view utf8) { return ToCodePage(utf8, kGbkCodePage); }

}  // namespace

std::string ProfileFile::Read(std::string_view key) {
    std::string file;
    if (ReadFileBytes(path_, kMaxProfileBytes, file) != FileRead::Ok) return {};
    const std::optional<std::string> raw = profile::Lookup(file, Gbk(kProfileSection), Gbk(key));
    if (!raw) return {};
    return FromCodePage(profile::ClipReadValue(*raw), kGbkCodePage);
}

bool ProfileFile::Write(std::string_view key, std::string_view value) {
    std::string file;
    // A file that exists but cannot be read is left alone rather than
    // replaced by one holding only this key.
    const FileRead read = ReadFileBytes(path_, kMaxProfileBytes, file);
    if (read == FileRead::Failed || read == FileRead::TooLarge) return false;
    const std::string updated =
        profile::Update(file, Gbk(kProfileSection), Gbk(key), Gbk(profile::ClipWriteValue(value)));
    if (updated == file) return true;
    // One instance runs at a time, so one fixed name serves; a copy left by
    // a crash is simply overwritten by the next write.
    return ReplaceFile(ExistingSpelling(path_), L".tmp",
                       [&](HANDLE f) { return WriteAll(f, updated.data(), updated.size()); }, true);
}

}  // namespace velmora
