#include "project/ScreenshotFolder.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"
#include "support/ScopedTimeZone.h"

namespace {

void Touch(const CTempFolder& folder, const std::string& relative)
{
    WriteFileBytes(folder.Root() / relative, {0});
}

} // namespace

TEST(ScanScreenshotFolder, ListsLoggersInNameOrderAndSkipsHiddenFolders)
{
    CTempFolder root;
    Touch(root, "123/screenshots/screenshot-b.png");
    Touch(root, "123/screenshots/screenshot-a.PNG");
    Touch(root, "123/screenshots/notes.txt");
    Touch(root, "045/screenshots/one.png");
    Touch(root, ".cache/screenshots/hidden.png");
    Touch(root, "999/sessions/x.zlg");
    Touch(root, "stray.png");
    std::filesystem::create_directories(root.Root() / "045/screenshots/folder.png");

    std::vector<SScreenshotFileEntry> entries{{"old", "old", "old"}};
    ScanScreenshotFolder(CString(root.Root().string() + "/"), entries);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].fileName, "one.png");
    EXPECT_EQ(entries[0].subFolder, "045");
    EXPECT_EQ(entries[0].fullPath, CString(root.Root().string() + "/045/screenshots/one.png"));
    EXPECT_EQ(entries[1].fileName, "screenshot-a.PNG");
    EXPECT_EQ(entries[2].fileName, "screenshot-b.png");
    EXPECT_EQ(entries[2].subFolder, "123");

    ScanScreenshotFolder(CString(root.Root().string() + "/absent"), entries);
    EXPECT_TRUE(entries.empty());
}

TEST(ReadScreenshotInfoFromLoggerFolders, TakesTheSerialNumberFromTheLoggerFolder)
{
    ScopedTimeZone zone("UTC0");
    CTempFolder root;
    Touch(root, "vol/Zelko4626/A1B2/screenshots/screenshot-2020-01-02 030405.png");
    const std::vector<CString> loggers{CString(root.Root().string() + "/vol/Zelko4626/")};

    CImageSettings image;
    image.serialNumber = "before";
    ReadScreenshotInfoFromLoggerFolders(
        CString(root.Root().string() + "/vol/Zelko4626/A1B2/SCREENSHOTS/screenshot-2020-01-02 030405.png"), loggers,
        image);
    EXPECT_EQ(image.serialNumber, "A1B2");
    EXPECT_EQ(image.instrument, "Zelko4626");
    EXPECT_EQ(image.imageTime.GetTicks(), CHighTime(2020, 1, 2, 3, 4, 5).GetTicks());

    CImageSettings elsewhere;
    elsewhere.serialNumber = "before";
    ReadScreenshotInfoFromLoggerFolders("/tmp/screenshot-x.png", loggers, elsewhere);
    EXPECT_EQ(elsewhere.serialNumber, "before");
    EXPECT_EQ(elsewhere.instrument, "Zelko4626");
    EXPECT_EQ(elsewhere.imageTime.GetStatus(), CHighTime::null);
}
