#include "wallpaper/picture_list.h"

#include <gtest/gtest.h>

namespace velmora::wallpaper {
namespace {

TEST(PictureListing, ListsEveryPlainFileInNameOrderWithoutRegardToCase) {
    const std::vector<FolderEntry> folder = {
        {"b.jpg", 0x20},                                // archive
        {"Thumbs.db", kAttributeHidden | kAttributeSystem},
        {"A.bmp", 0x1},                                 // read-only
        {"desktop.ini", kAttributeHidden},
        {"boot.sys", kAttributeSystem},
        {"old", kAttributeDirectory},
        {"", 0x80},
        {"readme.txt", 0x80},                           // listed: any file, picture or not
        {"a.png", 0x80},                                 // folds to "a.png", after "a.bmp"
        {"C.GIF", 0x20},
        {"海边.jpg", 0x20},
    };
    const std::vector<std::string> expected = {"A.bmp", "a.png", "b.jpg", "C.GIF", "readme.txt", "海边.jpg"};
    EXPECT_EQ(ListingOrder(folder), expected);
}

TEST(PictureListing, NamesDifferingOnlyInCaseKeepOneOrderWhateverTheInput) {
    const std::vector<FolderEntry> one = {{"sea.JPG", 0}, {"Sea.jpg", 0}, {"sea.jpg", 0}};
    const std::vector<FolderEntry> other = {{"sea.jpg", 0}, {"sea.JPG", 0}, {"Sea.jpg", 0}};
    EXPECT_EQ(ListingOrder(one), ListingOrder(other));
    EXPECT_EQ(ListingOrder(one).size(), 3u);
}

TEST(PictureListing, EmptyOrAllHiddenFolderGivesNothing) {
    EXPECT_TRUE(ListingOrder({}).empty());
    EXPECT_TRUE(ListingOrder({{"Thumbs.db", kAttributeHidden}, {"sub", kAttributeDirectory | 0x1}}).empty());
}

TEST(StripPath, KeepsTheTextAfterTheLastBackslash) {
    EXPECT_EQ(StripPath("C:\\x\\pic\\sea.jpg"), "sea.jpg");
    EXPECT_EQ(StripPath("sea.jpg"), "sea.jpg");
    EXPECT_EQ(StripPath("C:\\x\\pic\\"), "");
    EXPECT_EQ(StripPath("\\sea.jpg"), "sea.jpg");
    EXPECT_EQ(StripPath(""), "");
    EXPECT_EQ(StripPath("D:\\图片\\海边 日落.jpg"), "海边 日落.jpg");
    EXPECT_EQ(StripPath("C:/x/pic/sea.jpg"), "C:/x/pic/sea.jpg");  // only backslashes separate
}

TEST(FileLabels, NameThePictureAndGiveItsPathAfterASixCharacterPrefix) {
    const std::string path = "C:\\Velmora\\pic\\A.bmp";
    EXPECT_EQ(FileNameLabelText(path), "文件名：A.bmp");
    EXPECT_EQ(FilePathLabelText(path), "文件路径： C:\\Velmora\\pic\\A.bmp");
}

}  // namespace
}  // namespace velmora::wallpaper
