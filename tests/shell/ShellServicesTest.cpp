// The smaller services of the application shell: command line, recent files, the shipped
// sample, the log copy and the settings other parts read.
#include "platform/framework/Logging.h"
#include "shell/LogFileViewer.h"
#include "shell/OrnApp.h"
#include "shell/OrnCommandLineInfo.h"
#include "shell/RecentFileList.h"
#include "shell/SampleFiles.h"
#include "support/TempXdgHome.h"

#include <glog/logging.h>
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

TEST(OrnCommandLineInfo, NamesAFileToOpenUnlessStartedForUSB)
{
    COrnCommandLineInfo plain;
    plain.Parse({"--Restart", "/data/Project.ZCA", "-unknown"});
    EXPECT_EQ(CString("/data/Project.ZCA"), plain.GetFileName());
    EXPECT_TRUE(plain.IsRestart());
    EXPECT_FALSE(plain.IsUsbStart());

    COrnCommandLineInfo usb;
    usb.Parse({"/data/session.zlg", "usb"});
    EXPECT_TRUE(usb.GetFileName().IsEmpty());
    EXPECT_TRUE(usb.IsUsbStart());

    COrnCommandLineInfo other;
    other.Parse({"/data/notes.txt"});
    EXPECT_TRUE(other.GetFileName().IsEmpty());

    // The recent-file list and the title keep the path whole, wherever the program started.
    COrnCommandLineInfo relative;
    relative.Parse({"sessions/../day.zlg"});
    EXPECT_EQ((std::filesystem::current_path() / "day.zlg").string(), relative.GetFileName().str());
}

TEST(RecentFileList, KeepsTheFourNewestOnceEach)
{
    CTempXdgHome home;
    CProfile& profile = COrnApp::Instance().GetProfile();
    CRecentFileList list(profile, CRecentFileList::kRecentFiles, 4);
    for (const char* path : {"/a.zca", "/b.zca", "/c.zca", "/d.zca", "/b.zca", "/e.zca"})
        list.Add(path);
    const std::vector<CString> expected{"/e.zca", "/b.zca", "/d.zca", "/c.zca"};
    EXPECT_EQ(expected, list.GetFiles());
    EXPECT_EQ(CString("/e.zca"), profile.GetProfileString("Recent File List", "File1"));

    CRecentFileList reread(profile, CRecentFileList::kRecentFiles, 4);
    reread.ReadList();
    EXPECT_EQ(expected, reread.GetFiles());
    reread.Remove(3);
    reread.Remove(7);
    EXPECT_EQ(3u, reread.GetFiles().size());
    EXPECT_EQ(CString(), profile.GetProfileString("Recent File List", "File4", ""));
}

TEST(SampleFiles, CopiesTheSampleOnlyWhenTheShippedFileIsNewer)
{
    CTempXdgHome home;
    const auto source = home.Root() / "sample.zlg";
    const auto folder = home.Root() / "Download";
    std::filesystem::create_directories(folder);
    std::ofstream(source) << "first";
    EXPECT_TRUE(CopySampleIfNewer(source, folder));
    EXPECT_FALSE(CopySampleIfNewer(source, folder));

    // The user's copy is not overwritten by an older shipped file...
    std::ofstream(folder / "sample.zlg") << "user";
    EXPECT_FALSE(CopySampleIfNewer(source, folder));
    // ...but a newer one replaces it.
    std::ofstream(source) << "second";
    std::filesystem::last_write_time(source, std::filesystem::last_write_time(folder / "sample.zlg") + std::chrono::seconds(5));
    EXPECT_TRUE(CopySampleIfNewer(source, folder));
    std::ifstream in(folder / "sample.zlg");
    std::string text;
    in >> text;
    EXPECT_EQ("second", text);
    EXPECT_FALSE(CopySampleIfNewer(home.Root() / "absent.zlg", folder));
    // An empty copy, as a copy cut short by a full disk once left, is made again.
    std::ofstream(folder / "sample.zlg", std::ios::trunc).close();
    EXPECT_TRUE(CopySampleIfNewer(source, folder));
    EXPECT_EQ(std::filesystem::file_size(folder / "sample.zlg"), 6u);
}

TEST(LogFileViewer, OpensACopyOfTheCurrentLogNamedAfterTheProcess)
{
    CTempXdgHome home;
    EXPECT_EQ(ELogFileResult::kNoLog, OpenLogFileCopy([](const CString&) { return true; }));
    ASSERT_TRUE(InitLogging(home.Root() / "Logs"));
    LOG(INFO) << "a line for the viewer";
    CString opened;
    const ELogFileResult result = OpenLogFileCopy([&](const CString& path) {
        opened = path;
        return true;
    });
    const ELogFileResult withoutViewer = OpenLogFileCopy([](const CString&) { return false; });
    ShutdownLogging();
    ASSERT_EQ(ELogFileResult::kOpened, result);
    EXPECT_EQ(ELogFileResult::kNoViewer, withoutViewer);
    EXPECT_EQ((std::filesystem::temp_directory_path() / ("kem_log_" + std::to_string(::getpid()) + ".txt")).string(), opened.str());
    std::ifstream in(opened.str());
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(std::string::npos, text.find("a line for the viewer"));
    std::filesystem::remove(opened.str());
}

TEST(OrnAppSettings, DefaultsAndStoredForms)
{
    CTempXdgHome home;
    COrnApp& app = COrnApp::Instance();
    EXPECT_EQ(-1, app.GetExportDlgDataSource());
    EXPECT_EQ(-1, app.GetExportDlgSerieTotal());
    EXPECT_EQ(CString("-100"), app.GetExportDlgTrendState());
    EXPECT_EQ(CString("-100"), app.GetExportDlgDemandState());
    EXPECT_EQ(CString(";"), app.GetCsvExportSeparator());
    EXPECT_FALSE(app.IsCsvExportUseUTC());
    EXPECT_FALSE(app.IsCsvExportTimeZoneOfDataSet());
    EXPECT_TRUE(app.IsCsvExportUseLocale());
    EXPECT_EQ(1, app.GetReportOutputFormat());

    app.SetExportDlgSerieMax(3);
    app.SetExportDlgTrendState("1,0,1");
    EXPECT_EQ(3, app.GetExportDlgSerieMax());
    EXPECT_EQ(CString("1,0,1"), app.GetExportDlgTrendState());
    app.GetProfile().WriteProfileInt("Settings", "CsvExportUseUTC", 2);
    EXPECT_FALSE(app.IsCsvExportUseUTC());
    EXPECT_TRUE(app.IsCsvExportTimeZoneOfDataSet());

    app.SetLastAddDataPath("/data/sessions/one.zlg");
    app.SetLastAddDataPath("");
    EXPECT_EQ(CString("/data/sessions"), app.GetLastAddDataPath());
}
