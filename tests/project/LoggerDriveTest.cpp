#include "project/LoggerDrive.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

TEST(FindLoggerDrive, ListsTheVolumesHoldingTheLoggerFolder)
{
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "orn-media-XXXXXX").string();
    const fs::path root = ::mkdtemp(pattern.data());
    fs::create_directories(root / "media/LOGGER/Zelko4626/123");
    fs::create_directories(root / "media/USBSTICK/photos");
    fs::create_directories(root / "media/OTHER/zelko4626"); // the folder name is exact
    fs::create_directories(root / "mnt/backup/Zelko4626");
    std::ofstream(root / "mnt/file");

    std::vector<CString> folders{"stale"};
    FindLoggerDrive({CString((root / "media").string()), CString((root / "absent").string()),
                     CString((root / "mnt").string())},
                    folders);
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0], CString((root / "media/LOGGER/Zelko4626").string() + "/"));
    EXPECT_EQ(folders[1], CString((root / "mnt/backup/Zelko4626").string() + "/"));

    FindLoggerDrive({CString((root / "absent").string())}, folders);
    EXPECT_TRUE(folders.empty());
    fs::remove_all(root);
}

TEST(FindLoggerDrive, LooksInTheUsersRemovableMediaFolders)
{
    const std::vector<CString> folders = GetVolumeMountFolders();
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.back(), "/mnt");
    if (folders.size() == 3) {
        EXPECT_EQ(folders[0].Left(7), "/media/");
        EXPECT_EQ(folders[1].Left(11), "/run/media/");
    }
}
