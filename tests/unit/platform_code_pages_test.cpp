// Which flags a conversion into a code page may be given.
#include <gtest/gtest.h>

#include "platform/code_pages.h"

namespace velmora {
namespace {

TEST(CodePages, GbkTakesTheNoLookAlikeFlagAndReportsDefaultUse) {
    EXPECT_FALSE(RejectsConversionFlags(936));
    EXPECT_EQ(StrictConversionFlags(936), kNoBestFitChars);
    EXPECT_TRUE(ReportsDefaultCharUse(936));
    EXPECT_EQ(StrictConversionFlags(1252), kNoBestFitChars);
}

TEST(CodePages, Utf8AsTheAnsiCodePageIsGivenNoFlagsAndNoDefaultReport) {
    EXPECT_TRUE(RejectsConversionFlags(65001));
    EXPECT_EQ(StrictConversionFlags(65001), 0u);
    EXPECT_FALSE(ReportsDefaultCharUse(65001));
    EXPECT_EQ(StrictConversionFlags(65000), 0u) << "UTF-7";
    EXPECT_FALSE(ReportsDefaultCharUse(65000));
}

TEST(CodePages, TheOtherFlaglessPagesAreTheIso2022IsciiAndSymbolOnes) {
    for (unsigned page : {42u, 50220u, 50221u, 50222u, 50225u, 50227u, 50229u, 57002u, 57011u}) {
        EXPECT_EQ(StrictConversionFlags(page), 0u) << page;
        EXPECT_TRUE(ReportsDefaultCharUse(page)) << page;
    }
    for (unsigned page : {50000u, 50230u, 57001u, 57012u, 54936u, 950u}) {
        EXPECT_EQ(StrictConversionFlags(page), kNoBestFitChars) << page;
    }
}

}  // namespace
}  // namespace velmora
