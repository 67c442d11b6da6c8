// The picture folder and the wallpaper under Wine: which files the list
// shows, and the bitmap, the "Win.ini" entries and the wallpaper setter in
// their order, through the recorder and once for real in this prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/effects.h"
#include "platform/picture.h"
#include "platform/text.h"
#include "support/test_support.h"
#include "wallpaper/picture_folder.h"
#include "wallpaper/program_folder.h"
#include "wallpaper/wallpaper_setter.h"

namespace velmora::wallpaper {
namespace {

using velmora::testing::ProgramFolder;
using velmora::testing::ReadBytes;
using velmora::testing::WriteBytes;

class WallpaperFiles : public ::testing::Test {
protected:
    ProgramFolder program_;
    PictureFolder folder_{program_.path()};
    RecordingEffects recorder_;
};

TEST_F(WallpaperFiles, PathsSitBesideTheProgram) {
    EXPECT_EQ(folder_.Folder(), program_.Pic());
    EXPECT_EQ(folder_.PicturePath("海边.jpg"), program_.Pic() + L"\\海边.jpg");
    EXPECT_EQ(folder_.WallpaperBitmapPath(), program_.Bitmap());
}

TEST_F(WallpaperFiles, ListsPlainFilesByNameWithoutHiddenSystemOrFolders) {
    EXPECT_TRUE(folder_.ListPictures().empty());
    for (const wchar_t* name : {L"b.jpg", L"A.bmp", L"Thumbs.db", L"desktop.ini", L"readme.txt", L"海边.jpg", L"c.GIF"}) {
        WriteBytes(program_.InPic(name), "x");
    }
    ::SetFileAttributesW(program_.InPic(L"Thumbs.db").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    ::SetFileAttributesW(program_.InPic(L"desktop.ini").c_str(), FILE_ATTRIBUTE_HIDDEN);
    ::SetFileAttributesW(program_.InPic(L"c.GIF").c_str(), FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(::CreateDirectoryW(program_.InPic(L"old").c_str(), nullptr));
    const std::vector<std::string> expected = {"A.bmp", "b.jpg", "c.GIF", "readme.txt", "海边.jpg"};
    EXPECT_EQ(folder_.ListPictures(), expected);

    ProgramFolder::RemoveTree(program_.Pic());
    EXPECT_TRUE(folder_.ListPictures().empty());  // no pic folder at all
}

TEST_F(WallpaperFiles, ApplyWritesTheBitmapThenWinIniThenSetsTheWallpaper) {
    program_.AddPicture(L"海边.bmp", 64, 48);
    const std::string library = ReadBytes(program_.InPic(L"海边.bmp"));
    const auto picture = LoadPicture(program_.InPic(L"海边.bmp"));
    ASSERT_TRUE(picture);

    const std::string path = Narrow(program_.Bitmap());
    const struct {
        Position position;
        const char* tile;
        const char* style;
    } cases[] = {{Position::Stretch, "0", "2"}, {Position::Tile, "1", "0"}, {Position::Centre, "0", "0"}};
    std::string firstBitmap;
    for (const auto& c : cases) {
        recorder_.Clear();
        ASSERT_TRUE(ApplyAsWallpaper(recorder_, *picture, program_.Bitmap(), c.position));
        const std::vector<std::string> expected = {
            "WritePrivateProfileString(\"Desktop\", \"Wallpaper\", \"" + path + "\", \"Win.ini\")",
            std::string("WritePrivateProfileString(\"Desktop\", \"TileWallpaper\", \"") + c.tile + "\", \"Win.ini\")",
            std::string("WritePrivateProfileString(\"Desktop\", \"WallpaperStyle\", \"") + c.style + "\", \"Win.ini\")",
            "SetDeskWallpaper(\"" + path + "\", 1)",
        };
        EXPECT_EQ(recorder_.Calls(), expected);
        EXPECT_EQ(program_.BitmapSize().cx, 64);
        const std::string bitmap = ReadBytes(program_.Bitmap());
        if (firstBitmap.empty()) firstBitmap = bitmap;
        EXPECT_EQ(bitmap, firstBitmap);  // applying again rewrites the same bytes
    }
    EXPECT_EQ(ReadBytes(program_.InPic(L"海边.bmp")), library);  // the library file is not touched
}

TEST_F(WallpaperFiles, NothingReachesTheSystemWhenTheBitmapCannotBeWritten) {
    program_.AddPicture(L"a.bmp", 8, 8);
    const auto picture = LoadPicture(program_.InPic(L"a.bmp"));
    ASSERT_TRUE(picture);
    WriteBytes(program_.Bitmap(), "old");
    ::SetFileAttributesW(program_.Bitmap().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ApplyAsWallpaper(recorder_, *picture, program_.Bitmap(), Position::Tile));
    EXPECT_TRUE(recorder_.Calls().empty());
    EXPECT_EQ(ReadBytes(program_.Bitmap()), "old");
    ::SetFileAttributesW(program_.Bitmap().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(ApplyAsWallpaper(recorder_, Picture(), program_.Bitmap(), Position::Tile));  // no preview
    EXPECT_TRUE(recorder_.Calls().empty());
}

TEST_F(WallpaperFiles, TheRealSetterReachesWinIniInThisPrefix) {
    program_.AddPicture(L"a.bmp", 8, 8);
    const auto picture = LoadPicture(program_.InPic(L"a.bmp"));
    ASSERT_TRUE(picture);
    Win32SystemEffects system;
    ASSERT_TRUE(ApplyAsWallpaper(system, *picture, program_.Bitmap(), Position::Stretch));
    char value[MAX_PATH] = {};
    ::GetProfileStringA("Desktop", "WallpaperStyle", "", value, MAX_PATH);
    EXPECT_STREQ(value, "2");
    ::GetProfileStringA("Desktop", "Wallpaper", "", value, MAX_PATH);
    EXPECT_EQ(FromCodePage(value, CP_ACP), Narrow(program_.Bitmap()));
    ApplyAsWallpaper(system, *picture, program_.Bitmap(), Position::Centre);
}

}  // namespace
}  // namespace velmora::wallpaper
