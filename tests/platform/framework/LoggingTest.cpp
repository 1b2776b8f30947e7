#include "platform/framework/Logging.h"
#include "support/TempXdgHome.h"

#include <glog/logging.h>
#include <gtest/gtest.h>

#include <fstream>

TEST(Logging, EverySeverityGoesIntoOneFile)
{
    CTempXdgHome home;
    const auto folder = home.Root() / "log";
    EXPECT_EQ(GetLogFileName(), "");
    ASSERT_TRUE(InitLogging(folder));
    EXPECT_FALSE(InitLogging(folder));
    LOG(INFO) << "info line";
    LOG(WARNING) << "warning line";
    LOG(ERROR) << "error line";
    const CString name = GetLogFileName();
    ASSERT_FALSE(name.IsEmpty());
    EXPECT_EQ(std::filesystem::path(name.str()).parent_path(), folder);
    EXPECT_EQ(std::filesystem::path(name.str()).filename().string().rfind("Kem_", 0), 0u);

    std::ifstream in(name.str());
    const std::string text((std::istreambuf_iterator<char>(in)), {});
    for (const char* line : {"info line", "warning line", "error line"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder))
        ++files;
    EXPECT_EQ(files, 1);

    ShutdownLogging();
    EXPECT_EQ(GetLogFileName(), "");
}
