// The pinyin initials of the panel's captions, for picking a cell by typing:
// "jsq" is 计算器, "gbjsj" 关闭计算机. Each character of a caption gives the
// first letter of its reading; a table in this file holds the characters
// the captions use, so that nothing depends on a pinyin library at run time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmora::launcher {

// The initials of a UTF-8 caption, lower case: one letter per Chinese
// character, ASCII letters and digits as they are (lower-cased), other
// ASCII (the "/" of 添加/删除程序) left out. nullopt when the caption holds a
// character the table does not know.
std::optional<std::string> PinyinInitials(std::string_view caption);

}  // namespace velmora::launcher
