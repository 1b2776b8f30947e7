#include <gtest/gtest.h>

#include "support/LogCapture.h"
#include "ProjectTestUtil.h"
#include "XmlTestUtil.h"

namespace
{
std::string Export(const CUserViewSettings& settings)
{
    XmlDocument doc;
    XmlNode* root = XmlAppendElement(doc, doc, "root");
    settings.ExportToXml("viewSettings", doc, *root);
    return PrintCompact(*root->first_node());
}
} // namespace

TEST(UserViewSettingsTest, RebuildFromTheProject)
{
    CProjectSettings project;
    for (int i = 0; i < 3; ++i)
        project.AddMeasurement("f", CString::Formatted("s%d", i)).SetStudyType(WORD(i));
    CUserViewSettings settings;
    settings.Rebuild(&project);
    settings.Rebuild(&project);
    ASSERT_EQ(settings.GetSessionCount(), 3);
    for (int i = 0; i < 3; ++i)
    {
        const SUserSessionSettings* record = settings.GetSession(i);
        EXPECT_EQ(record->name, "");
        EXPECT_EQ(record->studyType, unsigned(i));
        EXPECT_FALSE(record->energyCosts.IsEnabled());
        EXPECT_EQ(record->costsChangeCount, 2u);
    }
    EXPECT_EQ(settings.GetSession(3), nullptr);
    EXPECT_EQ(settings.FindSession("s2"), 2);

    // With project-manager entries: taken over; the change count grows only when the tariff changed.
    const CProjectManagerSettings manager = MakeFullProjectManager();
    project.AddMeasurement("f", "s3");
    project.SetViewSettings(9, &manager);
    settings.Rebuild(&project);
    settings.Rebuild(&project);
    const SUserSessionSettings* first = settings.GetSession(0);
    EXPECT_EQ(first->name, "Session 0");
    EXPECT_TRUE(first->auxOverride);
    EXPECT_EQ(first->aux[0], manager.m_dataSets[0].auxData[0]);
    EXPECT_EQ(first->energyCosts, manager.m_dataSets[0].energyCosts);
    EXPECT_EQ(first->costsChangeCount, 3u);
    // Entry 3 has no tariff, as the new record had none.
    EXPECT_EQ(settings.GetSession(3)->costsChangeCount, 0u);

    project.RemoveMeasurement(3);
    settings.Rebuild(&project);
    EXPECT_EQ(settings.GetSessionCount(), 3);
    settings.Rebuild(nullptr);
    EXPECT_EQ(settings.GetSessionCount(), 0);
}

TEST(UserViewSettingsTest, AuxScalingNeedsBothOverrideFlags)
{
    SUserSessionSettings record;
    record.aux[0] = {TRUE, 2.0f, 1.0f, "V"};
    record.aux[1] = {FALSE, 3.0f, 4.0f, "A"};
    float gain = 0, offset = 0;
    record.GetAuxScaling(51, gain, offset);
    EXPECT_EQ(gain, 1.0f);
    record.auxOverride = true;
    record.GetAuxScaling(51, gain, offset);
    EXPECT_EQ(gain, 2.0f);
    EXPECT_EQ(offset, 1.0f);
    record.GetAuxScaling(52, gain, offset);
    EXPECT_EQ(gain, 1.0f);
    EXPECT_EQ(offset, 0.0f);
    EXPECT_THROW(record.GetAux(2), std::out_of_range);
}

TEST(UserViewSettingsTest, WritingSessions)
{
    CProjectSettings project;
    project.AddMeasurement("f", "s<0>");
    CUserViewSettings settings;
    settings.Rebuild(&project);
    EXPECT_EQ(Export(settings),
              "<viewSettings><session name=\"\" streamName=\"s&lt;0&gt;\" studyType=\"0\" auxOverride=\"0\"/></viewSettings>");

    SUserSessionSettings& record = *settings.GetSession(0);
    record.auxOverride = true;
    record.aux[1] = {TRUE, 0.5f, -2.0f, "\xC2\xB0" "C"};
    record.energyCosts.SetEnabled(true);
    EXPECT_EQ(Export(settings),
              "<viewSettings><session name=\"\" streamName=\"s&lt;0&gt;\" studyType=\"0\" auxOverride=\"1\">"
              "<auxData index=\"1\" ratio=\"0.5\" offset=\"-2\" unit=\"\xC2\xB0" "C\"/><energyCosts currency=\"\"/>"
              "</session></viewSettings>");

    const ParsedXml xml(Export(settings));
    CUserViewSettings read;
    ASSERT_TRUE(read.ImportFromXml(xml.Root()));
    ASSERT_EQ(read.GetSessionCount(), 1);
    EXPECT_EQ(read.GetSession(0)->aux, record.aux);
    EXPECT_EQ(read.GetSession(0)->energyCosts, record.energyCosts);
    EXPECT_EQ(read.GetSession(0)->aux[0], SAuxChannelSettings());
}

TEST(UserViewSettingsTest, ReadingFailures)
{
    CUserViewSettings none;
    EXPECT_TRUE(none.ImportFromXml(nullptr));

    CLogCapture log;
    const ParsedXml note("<viewSettings><session name=\"a\" streamName=\"s\" studyType=\"1\"/><note/>"
                         "<session name=\"b\"/></viewSettings>");
    CUserViewSettings wrong;
    EXPECT_FALSE(wrong.ImportFromXml(note.Root()));
    EXPECT_TRUE(log.Contains("CUserViewSettings::ImportFromXml - WARNING: wrong node note"));
    EXPECT_EQ(wrong.GetSessionCount(), 1);

    const ParsedXml partial("<viewSettings><session name=\"a\"/></viewSettings>");
    CUserViewSettings read;
    EXPECT_TRUE(read.ImportFromXml(partial.Root()));
    EXPECT_TRUE(log.Contains("SUserSessionSettings::ImportFromXml - WARNING: missing attribute streamName"));
    EXPECT_TRUE(log.Contains("SUserSessionSettings::ImportFromXml - WARNING: missing attribute studyType"));
    EXPECT_EQ(read.GetSession(0)->streamName, "");
    EXPECT_EQ(read.FindSession("a"), -1);

    const char* failing[] = {
        "<viewSettings><session streamName=\"s\"/></viewSettings>",
        "<viewSettings><session name=\"a\"><auxData index=\"2\" ratio=\"1\" offset=\"0\" unit=\"\"/></session></viewSettings>",
        "<viewSettings><session name=\"a\"><auxData index=\"0\" ratio=\"1\" unit=\"\"/></session></viewSettings>",
        "<viewSettings><session name=\"a\"><energyCosts/></session></viewSettings>",
    };
    for (const char* text : failing)
    {
        const ParsedXml xml(text);
        CUserViewSettings settings;
        EXPECT_FALSE(settings.ImportFromXml(xml.Root())) << text;
        EXPECT_EQ(settings.GetSessionCount(), 0);
    }
    EXPECT_TRUE(log.Contains("CUserViewSettings::ImportFromXml - WARNING: fails to parse node session"));
    EXPECT_TRUE(log.Contains("SUserSessionSettings::ImportFromXml - WARNING: fails to parse node auxData"));
    EXPECT_TRUE(log.Contains("SUserSessionSettings::ImportFromXml - WARNING: fails to parse node energyCosts"));
    EXPECT_TRUE(log.Contains("CProjectManagerSettings::ImportAuxSetting - WARNING: missing attribute offset"));
}
