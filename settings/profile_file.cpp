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

// The profile's text as the codec scans it: GBK bytes as they are, the
// text after a byte-order mark as UTF-8.
struct ProfileText {
    profile::FileEncoding encoding = profile::FileEncoding::Gbk;
    std::string text;

    profile::Scan scan() const {
        return encoding == profile::FileEncoding::Gbk ? profile::Scan::Gbk : profile::Scan::Utf8;
    }
    // A UTF-8 text (a key, a value) as this text spells it.
    std::string Spell(std::string_view utf8) const {
        return encoding == profile::FileEncoding::Gbk ? ToCodePage(utf8, kGbkCodePage) : std::string(utf8);
    }
    std::string ToUtf8(std::string_view spelled) const {
        return encoding == profile::FileEncoding::Gbk ? FromCodePage(spelled, kGbkCodePage) : std::string(spelled);
    }
};

ProfileText Decode(std::string_view bytes) {
    ProfileText p{profile::DetectEncoding(bytes), {}};
    bytes.remove_prefix(profile::ByteOrderMark(p.encoding).size());
    if (p.encoding == profile::FileEncoding::Utf16Le) {
        p.text = Narrow(std::wstring_view(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
    } else {
        p.text = std::string(bytes);
    }
    return p;
}

std::string Encode(const ProfileText& p) {
    std::string bytes(profile::ByteOrderMark(p.encoding));
    if (p.encoding == profile::FileEncoding::Utf16Le) {
        const std::wstring wide = Widen(p.text);
        bytes.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    } else {
        bytes += p.text;
    }
    return bytes;
}

}  // namespace

std::string ProfileFile::Read(std::string_view key) {
    if (const auto kept = sessionOnly_.find(key); kept != sessionOnly_.end()) return kept->second;
    std::string bytes;
    if (ReadFileBytes(path_, kMaxProfileBytes, bytes) != FileRead::Ok) return {};
    const ProfileText p = Decode(bytes);
    const std::optional<std::string> raw = profile::Lookup(p.text, p.Spell(kProfileSection), p.Spell(key), p.scan());
    if (!raw) return {};
    return p.ToUtf8(profile::ClipReadValue(*raw, p.scan()));
}

bool ProfileFile::Write(std::string_view key, std::string_view value) {
    if (WriteToFile(key, value)) {
        sessionOnly_.erase(std::string(key));
        return true;
    }
    // Not kept in the file (a read-only profile, a full disk): the value
    // still holds while the program runs, as the user chose it.
    const std::string stored = profile::ClipWriteValue(value);
    sessionOnly_[std::string(key)] = profile::ClipReadValue(stored, profile::Scan::Utf8);
    return false;
}

bool ProfileFile::WriteToFile(std::string_view key, std::string_view value) {
    std::string bytes;
    // A file that exists but cannot be read is left alone rather than
    // replaced by one holding only this key.
    const FileRead read = ReadFileBytes(path_, kMaxProfileBytes, bytes);
    if (read == FileRead::Failed || read == FileRead::TooLarge) return false;
    ProfileText p = Decode(bytes);
    const std::string updated = profile::Update(p.text, p.Spell(kProfileSection), p.Spell(key),
                                                p.Spell(profile::ClipWriteValue(value)), p.scan());
    if (updated == p.text) return true;
    p.text = updated;
    const std::string encoded = Encode(p);
    // One instance runs at a time, so one fixed name serves; a copy left by
    // a crash is simply overwritten by the next write. A read-only profile
    // is refused there, as the system's own profile writer refuses it.
    return ReplaceFile(ExistingSpelling(path_), L".tmp",
                       [&](HANDLE f) { return WriteAll(f, encoded.data(), encoded.size()); }, true);
}

}  // namespace velmora
