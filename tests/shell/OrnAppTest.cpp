#include "project/AppFolders.h"
#include "project/BuildInfo.h"
#include "shell/OrnApp.h"
#include "datamodel/RegionPrefs.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <fstream>

class OrnAppTest : public ::testing::Test
{
protected:
    CTempXdgHome m_home;
    COrnApp& m_app = COrnApp::Instance();
};

TEST_F(OrnAppTest, ProfileIsNamedAfterTheApplication)
{
    EXPECT_EQ(m_app.GetProfile().GetFilePath(), m_home.ConfigHome() / "Zelko Power Quality" / "Zelko Ampelon.ini");
}

TEST_F(OrnAppTest, CalculationValidRatioIsAPercentageOfTheProfile)
{
    EXPECT_DOUBLE_EQ(m_app.GetCalculationValidRatio(), 0.95);
    m_app.GetProfile().WriteProfileInt("Settings", "CalculationValidRatio", 80);
    EXPECT_DOUBLE_EQ(m_app.GetCalculationValidRatio(), 0.8);
    m_app.GetProfile().WriteProfileInt("Settings", "CalculationValidRatio", 250);
    EXPECT_DOUBLE_EQ(m_app.GetCalculationValidRatio(), 1.0);
    m_app.GetProfile().WriteProfileInt("Settings", "CalculationValidRatio", -5);
    EXPECT_DOUBLE_EQ(m_app.GetCalculationValidRatio(), 0.0);
}

TEST_F(OrnAppTest, VersionAndBuildStampComeFromTheBuild)
{
    const CString full = m_app.GetAppVersion(false);
    const CString shortForm = m_app.GetAppVersion(true);
    ASSERT_NE(full, "???");
    EXPECT_EQ(full.Left(shortForm.GetLength()), shortForm);
    EXPECT_EQ(shortForm.Find('.'), shortForm.ReverseFind('.'));
    EXPECT_NE(shortForm.Find('.'), -1);
    EXPECT_FALSE(GetBuildStamp().IsEmpty());
}

TEST_F(OrnAppTest, DownloadFolderIsCreatedInTheDataFolder)
{
    const CString folder = GetDownloadFolder();
    EXPECT_EQ(folder.str(), (m_home.DataHome() / "Zelko Power Quality" / "Zelko Ampelon" / "Download").string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(folder.str()));
    EXPECT_EQ(GetDownloadFolder(), folder);

    const auto installation = m_home.Root() / "installation.ini";
    std::ofstream(installation) << "[Settings]\nDataDir=" << (m_home.Root() / "shared").string() << "\n";
    m_app.GetProfile().SetInstallationFile(installation);
    EXPECT_EQ(GetAppDataFolder().str(), (m_home.Root() / "shared").string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(GetDownloadFolder().str()));
    m_app.GetProfile().SetInstallationFile(m_home.Root() / "absent.ini");
}

TEST_F(OrnAppTest, PhaseNamesFollowTheRegionFlag)
{
    std::array<CString, 5> names;
    CRegionPrefs::LoadPhaseNames(names);
    EXPECT_EQ(names, (std::array<CString, 5>{"A", "B", "C", "N", "G"}));
    m_app.GetProfile().WriteProfileInt("prefs", CRegionPrefs::kPhaseNamingEntry, 1);
    CRegionPrefs::LoadPhaseNames(names);
    EXPECT_EQ(names, (std::array<CString, 5>{"L1", "L2", "L3", "N", "G"}));
}
