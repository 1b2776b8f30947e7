#include "report/FileExtension.h"

#include <gtest/gtest.h>

TEST(FileExtension, TakesTheDotOfTheFileNameOnly)
{
    CString ext;
    GetFileExtension("/home/u/projects/site.zca", ext);
    EXPECT_EQ(ext, ".zca");
    GetFileExtension("C:\\data\\week.one\\session.ZLG", ext);
    EXPECT_EQ(ext, ".ZLG");
    GetFileExtension("/home/u/dir.with.dots/report", ext);
    EXPECT_EQ(ext, "");
    GetFileExtension("archive.tar.gz", ext);
    EXPECT_EQ(ext, ".gz");
    GetFileExtension("", ext);
    EXPECT_EQ(ext, "");
}
