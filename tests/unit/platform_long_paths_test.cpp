#include "platform/long_paths.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

TEST(ExtendedLengthPath, PrefixesOnlyFullPathsFromTheOldLimitOn) {
    const std::wstring tail(250, L'x');
    const std::wstring deep = L"C:\\图片 한글\\pic\\" + tail + L".jpg";
    ASSERT_GE(deep.size(), kShortPathLimit);
    EXPECT_EQ(ExtendedLengthPath(deep), L"\\\\?\\" + deep);
    EXPECT_EQ(ExtendedLengthPath(L"d:/pictures/" + tail), L"\\\\?\\d:\\pictures\\" + tail);
    EXPECT_EQ(ExtendedLengthPath(L"\\\\server\\share\\" + tail), L"\\\\?\\UNC\\server\\share\\" + tail);

    const std::wstring shortPath = L"C:\\Velmora\\pic\\a.jpg";
    EXPECT_EQ(ExtendedLengthPath(shortPath), shortPath);
    const std::wstring limitLess(kShortPathLimit - 4, L'y');
    EXPECT_EQ(ExtendedLengthPath(L"C:\\" + limitLess), L"C:\\" + limitLess);  // 259 characters
    EXPECT_EQ(ExtendedLengthPath(L"C:\\" + limitLess + L"z"), L"\\\\?\\C:\\" + limitLess + L"z");
    // Relative paths and ones with a prefix of their own stay as they are.
    for (const std::wstring& path : {L"pic\\" + tail, L"\\\\?\\C:\\" + tail, L"\\\\.\\pipe\\" + tail, L"C:" + tail}) {
        EXPECT_EQ(ExtendedLengthPath(path), path);
    }
    EXPECT_EQ(ExtendedLengthPath(L""), L"");
}

}  // namespace
}  // namespace velmora
