#include "platform/framework/StringTable.h"
#include "datamodel/VarnError.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

class VarnErrorTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(CStringTable::Instance().LoadLanguage("ENG")); }
    CMessageBoxRecorder m_boxes;
};

TEST_F(VarnErrorTest, ShowsTheCodesTextWithTheArgument)
{
    ShowVarnError(20, "/data/p.zca");
    ShowVarnError(20);
    ShowVarnError(46);
    ASSERT_EQ(m_boxes.Boxes().size(), 3u);
    EXPECT_EQ(m_boxes.Boxes()[0].text, "File can not be opened: /data/p.zca.");
    EXPECT_EQ(m_boxes.Boxes()[0].type, MB_ICONEXCLAMATION);
    EXPECT_EQ(m_boxes.Boxes()[1].text, "File can not be opened: .");
    EXPECT_EQ(m_boxes.Boxes()[2].text, "Failed to create the arrays to hold data for this view.");
}

TEST_F(VarnErrorTest, MissingTextFallsBackToTheGenericTextOfTheRange)
{
    const std::pair<int, unsigned> cases[] = {{3, 5690}, {19, 5690}, {39, 5691}, {40, 5692}, {59, 5692}, {60, 5693}, {68, 5693}, {-4, 5690}};
    for (const auto& [code, id] : cases) {
        CString expected;
        ASSERT_TRUE(expected.LoadString(id));
        expected.Format(CString(expected), code);
        ShowVarnError(code, "ignored");
        EXPECT_EQ(m_boxes.Boxes().back().text, expected) << code;
        EXPECT_EQ(m_boxes.Boxes().back().type, MB_ICONEXCLAMATION);
    }
}

TEST_F(VarnErrorTest, TextWithForeignConversionsIsShownUnformatted)
{
    CStringTable::Instance().Set(5501, "Bad %d and %s");
    ShowVarnError(1, "x");
    EXPECT_EQ(m_boxes.Boxes().back().text, "Bad %d and %s");
}
