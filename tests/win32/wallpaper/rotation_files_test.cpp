// The rotation's files when they misbehave: a history another program holds
// open, a wallpaper the system refuses, and a picture folder that is made
// after the start, removed, made again or replaced by another of its name.
#include "wallpaper/changer_fixture.h"

namespace velmora {
namespace {

using namespace std::chrono_literals;
using testing::ProgramFolder;
using testing::PumpWithWatch;
using testing::ReadBytes;
using testing::WriteBytes;
using wallpaper::WallpaperRotation;

class RotationFiles : public testing::Changer {
protected:
    void Pictures(std::initializer_list<int> numbers) {
        for (int i : numbers) program_.AddPicture(std::to_wstring(i) + L".bmp", 10 + i, 5);
    }
    int Shown() const { return program_.BitmapSize().cx; }
    static std::string History(std::initializer_list<const char*> names) {
        return wallpaper::EncodeHistory({names.begin(), names.end()});
    }
    std::string HistoryFile() const { return ReadBytes(rotation_.HistoryPath()); }
    // Holds the file open without sharing, as another program may.
    static UniqueFile Lock(const std::wstring& path) {
        return UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }
    bool ListedWithin2s(const std::vector<std::string>& names) {
        return PumpWithWatch(rotation_, [&] { return rotation_.Names() == names; }, 2s);
    }
};

TEST_F(RotationFiles, AHistoryHeldOpenElsewhereIsNeverWrittenOverAndIsMergedOnceFree) {
    Pictures({1, 2, 3});
    WriteBytes(rotation_.HistoryPath(), History({"3.bmp", "1.bmp"}));
    UniqueFile lock = Lock(rotation_.HistoryPath());
    ASSERT_TRUE(lock);
    ASSERT_TRUE(rotation_.Next());  // 1.bmp
    ASSERT_TRUE(rotation_.Next());  // 2.bmp
    ASSERT_TRUE(rotation_.Previous()) << "walks back through what this run learnt";
    EXPECT_EQ(Shown(), 11);
    ASSERT_TRUE(rotation_.Next());
    lock.reset();
    EXPECT_EQ(HistoryFile(), History({"3.bmp", "1.bmp"})) << "untouched while held";
    ASSERT_TRUE(rotation_.Next());  // 3.bmp
    EXPECT_EQ(HistoryFile(), History({"3.bmp", "1.bmp", "2.bmp", "3.bmp"}));
}

TEST_F(RotationFiles, AWallpaperTheSystemRefusesIsNotRecorded) {
    Pictures({1, 2});
    ASSERT_TRUE(rotation_.Next());
    effects_.SetWallpaperAccepted(false);
    EXPECT_FALSE(rotation_.Next());
    EXPECT_FALSE(rotation_.Previous()) << "nothing to go back to";
    EXPECT_EQ(HistoryFile(), History({"1.bmp"}));
}

TEST_F(RotationFiles, TheFolderIsFollowedByItsPathMadeRemovedMadeAgainAndReplaced) {
    ProgramFolder::RemoveTree(program_.Pic());
    EXPECT_TRUE(rotation_.Names().empty());
    // Made after the start, and filled.
    ASSERT_TRUE(::CreateDirectoryW(program_.Pic().c_str(), nullptr));
    Pictures({1});
    EXPECT_TRUE(ListedWithin2s({"1.bmp"})) << "made after the start";
    // Removed, and made again.
    ProgramFolder::RemoveTree(program_.Pic());
    EXPECT_TRUE(ListedWithin2s({})) << "removed";
    ASSERT_TRUE(::CreateDirectoryW(program_.Pic().c_str(), nullptr));
    Pictures({2});
    EXPECT_TRUE(ListedWithin2s({"2.bmp"})) << "made again";
    // Moved away, as to the recycle bin, and replaced by another.
    const std::wstring away = program_.path() + L"\\pic-gone";
    ASSERT_TRUE(::MoveFileW(program_.Pic().c_str(), away.c_str()));
    ASSERT_TRUE(::CreateDirectoryW(program_.Pic().c_str(), nullptr));
    Pictures({3});
    EXPECT_TRUE(ListedWithin2s({"3.bmp"})) << "replaced";
    program_.AddPicture(L"4.bmp", 14, 5);
    EXPECT_TRUE(ListedWithin2s({"3.bmp", "4.bmp"})) << "the new folder is the one watched";
    ProgramFolder::RemoveTree(away);
    // Deleted for good: the watch lets go of it at once (a folder stays,
    // its name taken, while a handle to it is open), and the next picture
    // comes from the new one within two seconds.
    ProgramFolder::RemoveTree(program_.Pic());
    ASSERT_TRUE(PumpWithWatch(rotation_, [&] { return ::CreateDirectoryW(program_.Pic().c_str(), nullptr); }, 2s));
    Pictures({5});
    EXPECT_TRUE(PumpWithWatch(rotation_, [&] { return rotation_.Next() && Shown() == 15; }, 2s));
}

TEST_F(RotationFiles, AWatchOnAMissingFolderWaitsWithoutSpinning) {
    ProgramFolder::RemoveTree(program_.Pic());
    EXPECT_TRUE(rotation_.Names().empty());
    // Nothing changes: the loop sleeps through the time instead of waking
    // again and again.
    int wakes = 0;
    const auto end = std::chrono::steady_clock::now() + 300ms;
    while (std::chrono::steady_clock::now() < end) {
        const FolderWatch::Handles watch = rotation_.WatchHandles();
        ASSERT_EQ(watch.count, 1u) << "the parent alone";
        if (::WaitForMultipleObjects(watch.count, watch.items, FALSE, 100) == WAIT_OBJECT_0) {
            ++wakes;
            rotation_.OnFolderSignalled();
        }
    }
    EXPECT_EQ(wakes, 0);
}

}  // namespace
}  // namespace velmora
