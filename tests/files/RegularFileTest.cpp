// Opening the game's files: only regular files, never blocking on a pipe or
// a device, never past the cap of their kind.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/RegularFile.h"

namespace fs = std::filesystem;

namespace {

class RegularFileTest : public ::testing::Test {
protected:
    RegularFileTest()
    {
        std::string pattern = (fs::temp_directory_path() / "files-test-XXXXXX").string();
        dir_ = ::mkdtemp(pattern.data());
    }
    ~RegularFileTest() override { fs::remove_all(dir_); }

    std::string PathOf(const char* name) const { return (dir_ / name).string(); }

    fs::path dir_;
};

TEST_F(RegularFileTest, WhatIsNoRegularFileCountsAsUnreadableAtOnce)
{
    // A pipe with no writer would block an ordinary open for ever.
    ASSERT_EQ(::mkfifo(PathOf("pipe.bmp").c_str(), 0600), 0);
    fs::create_directory(PathOf("folder.bmp"));
    fs::create_symlink("/dev/zero", PathOf("zero.bmp"));
    for (const char* name : {"pipe.bmp", "folder.bmp", "zero.bmp"}) {
        SCOPED_TRACE(name);
        files::RegularFile file(PathOf(name), files::MaxPictureBytes);
        EXPECT_FALSE(file.IsOpen());
        EXPECT_EQ(file.Failure(), files::OpenFailure::NotRegular);
        EXPECT_EQ(file.Reason(), "not a regular file");
    }

    files::RegularFile missing(PathOf("missing.bmp"), files::MaxPictureBytes);
    EXPECT_EQ(missing.Failure(), files::OpenFailure::Missing);
    files::RegularFile underAFile(PathOf("zero.bmp/x"), files::MaxPictureBytes);
    EXPECT_FALSE(underAFile.IsOpen());
}

TEST_F(RegularFileTest, AFileAboveItsCapIsRefusedUnread)
{
    // Sparse: its size costs no disk.
    {
        std::ofstream(PathOf("huge.mid"), std::ios::binary) << "MThd";
    }
    fs::resize_file(PathOf("huge.mid"), files::MaxMusicBytes + 1);
    files::RegularFile file(PathOf("huge.mid"), files::MaxMusicBytes);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Failure(), files::OpenFailure::TooLarge);
    EXPECT_EQ(file.Reason(), "larger than 16 MB");

    fs::resize_file(PathOf("huge.mid"), files::MaxMusicBytes);
    EXPECT_TRUE(files::RegularFile(PathOf("huge.mid"), files::MaxMusicBytes).IsOpen());
}

TEST_F(RegularFileTest, APermissionRefusedGivesTheSystemsReason)
{
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    std::ofstream(PathOf("locked.ini")) << "[S]\n";
    fs::permissions(PathOf("locked.ini"), fs::perms::none);
    files::RegularFile file(PathOf("locked.ini"), files::MaxSettingsBytes);
    EXPECT_EQ(file.Failure(), files::OpenFailure::Unreadable);
    EXPECT_EQ(file.Reason(), "Permission denied");
}

}  // namespace
