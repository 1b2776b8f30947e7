#include <gtest/gtest.h>

#include "ProjectTestUtil.h"

TEST(BookmarkTest, TypeTable)
{
    EXPECT_EQ(BookmarkTypeToStudyView(7), 2);
    EXPECT_EQ(BookmarkTypeToStudyView(25), -1);
    EXPECT_EQ(FindBookmarkType(-1), nullptr);
    CBookmark bookmark;
    EXPECT_EQ(bookmark.GetType(), kNoBookmarkType);
    EXPECT_STREQ(bookmark.GetTypeName(), "");
    EXPECT_EQ(bookmark.GetPresentation(), 0);
    EXPECT_EQ(bookmark.GetViewSettings(), nullptr);
    bookmark.SetType(15);
    EXPECT_STREQ(bookmark.GetTypeName(), "LoadStudySummaryTimeRangeTable");
    EXPECT_EQ(bookmark.GetPresentation(), SBookmarkType::kTimeRangeTable);
    EXPECT_TRUE(bookmark.IsLoadStudy());
    bookmark.SetType(13);
    EXPECT_FALSE(bookmark.IsLoadStudy());
    // The calendar views have no time-range table.
    for (const SBookmarkType& row : kBookmarkTypes)
    {
        EXPECT_TRUE((row.studyView != 2 && row.studyView != 6) || row.presentation != SBookmarkType::kTimeRangeTable)
            << row.name;
    }
}

TEST(BookmarkTest, ViewTextGoesToItsOwnStudyView)
{
    CProjectSettings source;
    const CBasicViewSettings demand = MakeFullViewSettings(1);
    source.SetViewSettings(1, &demand);
    CProjectSettings project;
    CBookmark& bookmark = project.AddBookmark(4, "b", "b.png", CHighTime(1), &source, nullptr);
    bookmark.SetViewText(2, "range");
    bookmark.SetViewText(0, "table");
    bookmark.SetViewText(3, "ignored");
    const auto* own = dynamic_cast<const CBasicViewSettings*>(bookmark.GetViewSettings());
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->m_toolbarEdit.TimeRangeTable, "range");
    EXPECT_EQ(own->m_toolbarEdit.Table, "table");
    EXPECT_EQ(own->m_toolbarEdit.Graph, demand.m_toolbarEdit.Graph);
    // The source keeps its own settings.
    EXPECT_EQ(dynamic_cast<const CBasicViewSettings*>(source.GetViewSettings(1))->m_toolbarEdit.Table,
              demand.m_toolbarEdit.Table);
}

TEST(BookmarkTest, UsesSessionByStudyTypeAndPresentation)
{
    CProjectSettings project;
    CMeasurementSettings& energy = project.AddMeasurement("e", "e");
    energy.SetStudyType(1);
    CMeasurementSettings& unset = project.AddMeasurement("u", "u");
    CMeasurementSettings& load = project.AddMeasurement("l", "l");
    load.SetStudyType(2);
    CUserViewSettings user;
    user.Rebuild(&project);

    CBookmark overview;
    overview.SetType(14);
    EXPECT_FALSE(overview.UsesSession(0, energy));
    EXPECT_FALSE(overview.UsesSession(2, load));
    overview.SetUserViewSettings(&user);
    EXPECT_TRUE(overview.UsesSession(2, load));
    EXPECT_FALSE(overview.UsesSession(1, unset));

    CProjectSettings source;
    CBasicViewSettings summary = MakeFullViewSettings(0);
    summary.m_sessions = {false, true, false, false};
    source.SetViewSettings(0, &summary);
    CBookmark& graph = project.AddBookmark(2, "g", "g.png", CHighTime(), &source, nullptr);
    EXPECT_TRUE(graph.UsesSession(1, unset));
    EXPECT_FALSE(graph.UsesSession(0, energy));
    EXPECT_FALSE(graph.UsesSession(1, load));
    EXPECT_FALSE(graph.UsesSession(4, energy));

    graph.RemoveSession(0);
    EXPECT_TRUE(graph.UsesSession(0, energy));

    CBookmark untyped;
    EXPECT_FALSE(untyped.UsesSession(0, energy));
}
