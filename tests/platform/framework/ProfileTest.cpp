#include "platform/framework/IniFile.h"
#include "platform/framework/Profile.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <thread>

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

TEST(CIniFile, KeepsAnyTextThroughSerializing)
{
    CIniFile ini;
    const std::string awkward[] = {"two\nlines\r\n", "  padded  ", "a=b", "back\\slash\\", "[not a section]", ";not a comment", "", "\t"};
    int n = 0;
    for (const auto& text : awkward)
        ini.Set("Odd]Section", "key=" + std::to_string(n++), text);
    ini.Set("Second", " spaced key ", "x");

    CIniFile again;
    again.Parse(ini.Serialize());
    n = 0;
    for (const auto& text : awkward)
        EXPECT_EQ(again.Get("Odd]Section", "key=" + std::to_string(n++)), text);
    EXPECT_EQ(again.Get("second", " SPACED KEY "), "x");
    EXPECT_EQ(again.Entries("Odd]Section").size(), std::size(awkward));
}

TEST(CIniFile, ReadsHandWrittenFiles)
{
    CIniFile ini;
    ini.Parse("; comment\r\n[Settings]\r\n  Name = Some Value \r\nbroken line\r\n# another\r\n[Settings]\r\nCount=3\r\n");
    EXPECT_EQ(ini.Get("SETTINGS", "name"), "Some Value");
    EXPECT_EQ(ini.Get("Settings", "Count"), "3");
    EXPECT_EQ(ini.Entries("Settings").size(), 2u);
    EXPECT_FALSE(ini.Get("Settings", "broken line"));
}

class ProfileTest : public ::testing::Test
{
protected:
    CTempXdgHome m_home;
    CProfile m_profile{"Zelko Power Quality", "Zelko Ampelon"};
};

TEST_F(ProfileTest, LivesInTheUserConfigurationFolder)
{
    EXPECT_EQ(m_profile.GetFilePath(), m_home.ConfigHome() / "Zelko Power Quality" / "Zelko Ampelon.ini");
    const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("XDG_CONFIG_HOME", "relative/not/allowed", 1);
    ::setenv("HOME", m_home.Root().c_str(), 1);
    EXPECT_EQ(m_profile.GetFilePath(), m_home.Root() / ".config" / "Zelko Power Quality" / "Zelko Ampelon.ini");
    ::setenv("HOME", oldHome.c_str(), 1);
}

TEST_F(ProfileTest, ValuesSurviveInTheFile)
{
    const BYTE placement[] = {0x2C, 0x00, 0xFF, 0x7F, 0x80};
    ASSERT_TRUE(m_profile.WriteProfileString("Settings", "LastAddDataPath", "/home/u/My Data\nsecond line"));
    ASSERT_TRUE(m_profile.WriteProfileInt("Settings", "CalculationValidRatio", -42));
    ASSERT_TRUE(m_profile.WriteProfileBinary("AppWindowPlacement", "Placement", placement, sizeof placement));
    ASSERT_TRUE(m_profile.WriteProfileString("LogFileList", "File1", "/tmp/a.log"));

    // A second object reads only what reached the disk.
    CProfile reader("Zelko Power Quality", "Zelko Ampelon");
    EXPECT_EQ(reader.GetProfileString("Settings", "LastAddDataPath"), "/home/u/My Data\nsecond line");
    EXPECT_EQ(reader.GetProfileInt("settings", "calculationvalidratio", 0), -42);
    std::vector<BYTE> bytes;
    ASSERT_TRUE(reader.GetProfileBinary("AppWindowPlacement", "Placement", bytes));
    EXPECT_EQ(bytes, std::vector<BYTE>(std::begin(placement), std::end(placement)));
    EXPECT_EQ(reader.GetProfileEntries("LogFileList"), std::vector<CString>{"File1"});

    const std::string text = ReadFile(m_profile.GetFilePath());
    EXPECT_NE(text.find("[Settings]\nLastAddDataPath=/home/u/My Data\\nsecond line\nCalculationValidRatio=-42\n"), std::string::npos) << text;
}

TEST_F(ProfileTest, MissingOrMalformedValuesGiveTheDefault)
{
    EXPECT_EQ(m_profile.GetProfileString("Settings", "Nothing", "fallback"), "fallback");
    EXPECT_EQ(m_profile.GetProfileString("Settings", "Nothing"), "");
    EXPECT_EQ(m_profile.GetProfileInt("Settings", "Nothing", 7), 7);
    m_profile.WriteProfileString("Settings", "Ratio", "95%");
    m_profile.WriteProfileString("Settings", "Huge", "99999999999");
    m_profile.WriteProfileString("Settings", "Odd", "ABC");
    EXPECT_EQ(m_profile.GetProfileInt("Settings", "Ratio", 7), 7);
    EXPECT_EQ(m_profile.GetProfileInt("Settings", "Huge", 7), 7);
    std::vector<BYTE> bytes{1};
    EXPECT_FALSE(m_profile.GetProfileBinary("Settings", "Odd", bytes));
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(m_profile.GetProfileBinary("Settings", "Nothing", bytes));
}

TEST_F(ProfileTest, NullValueRemovesAnEntryAndNullEntryTheSection)
{
    m_profile.WriteProfileString("instances", "1", "100");
    m_profile.WriteProfileString("instances", "2", "200");
    m_profile.WriteProfileString("Settings", "Keep", "yes");
    m_profile.WriteProfileString("instances", "1", nullptr);
    EXPECT_EQ(m_profile.GetProfileEntries("instances"), std::vector<CString>{"2"});
    m_profile.WriteProfileString("instances", nullptr, nullptr);
    EXPECT_TRUE(m_profile.GetProfileEntries("instances").empty());
    EXPECT_EQ(m_profile.GetProfileString("Settings", "Keep"), "yes");
}

TEST_F(ProfileTest, InstancesSeeEachOthersWritesAndLoseNone)
{
    CProfile other("Zelko Power Quality", "Zelko Ampelon");
    m_profile.WriteProfileInt("instances", "first", 1);
    EXPECT_EQ(other.GetProfileInt("instances", "first", 0), 1);
    other.WriteProfileInt("instances", "first", 2);
    EXPECT_EQ(m_profile.GetProfileInt("instances", "first", 0), 2);

    // Two writers side by side: every value of both arrives.
    constexpr int kWrites = 40;
    auto writer = [](CProfile& profile, const char* prefix) {
        for (int i = 0; i < kWrites; ++i)
            profile.WriteProfileInt("RecentDownloadFileList", (prefix + std::to_string(i)).c_str(), i);
    };
    std::thread a(writer, std::ref(m_profile), "a");
    std::thread b(writer, std::ref(other), "b");
    a.join();
    b.join();
    CProfile reader("Zelko Power Quality", "Zelko Ampelon");
    EXPECT_EQ(reader.GetProfileEntries("RecentDownloadFileList").size(), std::size_t(2 * kWrites));
}

TEST_F(ProfileTest, ReadersNeverSeeAHalfWrittenFile)
{
    m_profile.WriteProfileString("Settings", "Sentinel", "present");
    std::atomic<bool> done = false;
    std::atomic<int> torn = 0;
    std::thread reader([&] {
        while (!done) {
            CIniFile ini;
            if (ini.Load(m_profile.GetFilePath()) && ini.Get("Settings", "Sentinel") != "present")
                ++torn;
        }
    });
    for (int i = 0; i < 60; ++i)
        m_profile.WriteProfileString("Settings", ("Filler" + std::to_string(i)).c_str(), std::string(2000, 'x').c_str());
    done = true;
    reader.join();
    EXPECT_EQ(torn, 0);
    // No temporary file is left beside the profile.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_profile.GetFilePath().parent_path()))
        files += entry.path().extension() == ".ini" || entry.path().extension() == ".lock" ? 0 : 1;
    EXPECT_EQ(files, 0);
}

TEST_F(ProfileTest, InstallationValuesAreReadOnlyBesideTheProgram)
{
    const auto file = m_home.Root() / "installation.ini";
    std::ofstream(file) << "[Settings]\nDataDir=/opt/data\nSamples=3\n[Manuals]\nLogger=/opt/manual.pdf\n";
    m_profile.SetInstallationFile(file);
    EXPECT_EQ(m_profile.GetInstallationString("Settings", "DataDir"), "/opt/data");
    EXPECT_EQ(m_profile.GetInstallationInt("Settings", "Samples", 0), 3);
    EXPECT_EQ(m_profile.GetInstallationString("Manuals", "Logger"), "/opt/manual.pdf");
    EXPECT_EQ(m_profile.GetInstallationString("Samples", "None", "dflt"), "dflt");
    EXPECT_EQ(m_profile.GetProfileString("Settings", "DataDir"), "");
    m_profile.SetInstallationFile(m_home.Root() / "absent.ini");
    EXPECT_EQ(m_profile.GetInstallationInt("Settings", "Samples", -1), -1);
}

TEST_F(ProfileTest, AWriteThatCannotReachTheDiskFailsAndIsNotSeen)
{
    const auto blocker = m_home.Root() / "blocker";
    std::ofstream(blocker) << "a file where the folder should be";
    ::setenv("XDG_CONFIG_HOME", blocker.c_str(), 1);
    EXPECT_FALSE(m_profile.WriteProfileString("Settings", "Lost", "value"));
    EXPECT_EQ(m_profile.GetProfileString("Settings", "Lost", "none"), "none");
}
