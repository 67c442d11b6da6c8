// Files: the program's own folder, whole-file reads with a size limit, and
// replacing a file so that a crash leaves the old one or the new one, never
// half of one.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// The folder of the running executable, without a trailing separator: the
// profile file, the picture folder and the wallpaper bitmap live there.
std::wstring ExecutableDirectory();

enum class FileRead { Ok, Missing, Failed, TooLarge, Refused };

// Reads the whole file into `bytes` when it holds at most `maxBytes`. This
// and ReadFileStart open paths of any length.
FileRead ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes, std::string& bytes);

// ReadFileBytes in two steps through one handle: first the file's first
// `headBytes` (all of it when shorter), which `accept` judges with the
// file's size; only when it accepts is the rest read. Refused, with only the
// head in `bytes`, when it does not: a file of hundreds of megabytes that
// its header already rules out is never read whole.
FileRead ReadFileAfterHead(const std::wstring& path, std::uint64_t maxBytes, std::size_t headBytes,
                           const std::function<bool(std::string_view head, std::uint64_t size)>& accept,
                           std::string& bytes);

// The first `count` bytes of the file (fewer when it is shorter); empty when
// it cannot be read.
std::string ReadFileStart(const std::wstring& path, std::size_t count);

// Writes a new file beside `path` (its name + `suffix`) through `write` and
// moves it over `path`; `durable` also flushes it to disk first (settings,
// small and precious; not a wallpaper bitmap that is rewritten anyway).
// False, with `path` untouched and the new file removed, when anything fails
// or `path` is read-only.
bool ReplaceFile(const std::wstring& path, const std::wstring& suffix, const std::function<bool(HANDLE)>& write,
                 bool durable);

// WriteFile of all `size` bytes.
bool WriteAll(HANDLE file, const void* data, std::size_t size);

}  // namespace velmora
