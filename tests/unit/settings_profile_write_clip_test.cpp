// What a write stores when the value is not well-formed UTF-8: a lead byte
// must not carry a line break, a NUL or the next key along with it.
#include <gtest/gtest.h>

#include <string>

#include "settings/profile_codec.h"

namespace velmora::profile {
namespace {

TEST(ProfileClipWriteMalformed, ALeadByteDoesNotSwallowALineBreak) {
    EXPECT_EQ(ClipWriteValue("30\xE4\nqhzm=1"), "30\xE4");
    EXPECT_EQ(ClipWriteValue("\xF1\r\n[Velmora]"), "\xF1");
    EXPECT_EQ(ClipWriteValue(std::string("\xFE\x7F\0\0", 4)), "\xFE\x7F");
    EXPECT_EQ(ClipWriteValue("\xD1H\xDFq"), "\xD1H\xDFq");
}

TEST(ProfileClipWriteMalformed, AStoredValueStaysOneKey) {
    const std::string file = Update("", "Velmora", "zdy", ClipWriteValue("5\xE0\n[Velmora]\nqhzm=1"));
    EXPECT_EQ(Lookup(file, "Velmora", "zdy"), "5\xE0");
    EXPECT_EQ(Lookup(file, "Velmora", "qhzm"), std::nullopt);
}

TEST(ProfileClipWriteMalformed, StrayLeadBytesCountAsOneCharacterEach) {
    const std::string strays(200, '\xE4');
    EXPECT_EQ(ClipWriteValue(strays), std::string(128, '\xE4'));
    EXPECT_EQ(ClipWriteValue("\xE4\xB8\xAD\xE4x"), "\xE4\xB8\xAD\xE4x");  // 中, a stray lead, x
}

}  // namespace
}  // namespace velmora::profile
