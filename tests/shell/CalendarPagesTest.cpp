// The Calendar and Load pages, the View menu and the page frames of the assembled program, driven
// as a user drives them: clicks at what the user sees, the View menu, bookmarks.
#include "AssembledProgram.h"

#include "mainview/StudyLayouts.h"
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "shell/MainFrame.h"
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"
#include "study/CalendarTableViewDialogBar.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int kEnergyCalendar = 2;
constexpr int kLoadCalendar = 6;
constexpr int kEnergyCalendarTable = 11;
constexpr int kLoadCalendarTable = 28;

CCalendarTableViewDialogBar& OptionsBar(CCalendarTableView& table)
{
    return *table.GetOptionsBar();
}

// A click on the bar's option button, at its centre.
void ClickOption(CCalendarTableView& table, UINT id)
{
    CWnd* button = OptionsBar(table).GetDlgItem(int(id));
    ASSERT_NE(button, nullptr) << id;
    CAssembledProgram::ClickAtCentre(*button);
}

// Which View menu items show enabled when the user opens the menu.
std::vector<UINT> EnabledViewItems(CAssembledProgram& program)
{
    std::vector<UINT> enabled;
    const CMenu::TrackDriver previous = CMenu::SetTrackDriver([&](CMenu& menu) -> UINT {
        for (const CMenu::Item& item : menu.Items())
            if (item.id != 0 && !(menu.GetMenuState(item.id, MF_BYCOMMAND) & MF_GRAYED))
                enabled.push_back(item.id);
        return 0;
    });
    program.MainFrame().GetMenuStrip().OpenMenu(1);
    CMenu::SetTrackDriver(previous);
    return enabled;
}

TEST(CalendarPagesTest, CalendarOptionsAreChosenByClickingThem)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("options", CAssembledProgram::StandardSessions())));
    ASSERT_TRUE(program.ShowStudyPage(kEnergyCalendar));
    auto* table = program.Section<CCalendarTableView>(kEnergyCalendarTable);
    ASSERT_NE(table, nullptr);
    CCalendarTableViewDialogBar& bar = OptionsBar(*table);

    ClickOption(*table, CalendarBar::kFirstParameter + 6); // "Volts [V]"
    ClickOption(*table, CalendarBar::kFirstChannel + 1);   // "B"
    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarDay);
    EXPECT_EQ(table->GetGranularity(), kCalendarDay);
    EXPECT_EQ(bar.GetCheckedGranularity(), kCalendarDay);
    // Each group keeps its own choice, one button checked in each.
    EXPECT_EQ(bar.GetCheckedParameter(), 6);
    EXPECT_EQ(bar.GetCheckedChannel(), 1);
    const std::pair<UINT, int> groups[] = {{CalendarBar::kFirstParameter, CalendarBar::kParameters},
                                           {CalendarBar::kFirstChannel, CalendarBar::kChannels},
                                           {CalendarBar::kFirstGranularity, CalendarBar::kGranularities}};
    for (const auto& [first, count] : groups) {
        int checked = 0;
        for (int i = 0; i < count; ++i)
            checked += bar.IsDlgButtonChecked(int(first) + i) == BST_CHECKED ? 1 : 0;
        EXPECT_EQ(checked, 1) << first;
    }
    ASSERT_NE(table->GetSessionList().BinsOf(0), nullptr);
    EXPECT_EQ(table->GetSessionList().BinsOf(0)->granularity, kCalendarDay);

    ClickOption(*table, CalendarBar::kFirstGranularity + kCalendarWeek);
    ClickOption(*table, CalendarBar::kFirstParameter + 7); // "Current [A]"
    EXPECT_EQ(table->GetGranularity(), kCalendarWeek);
    EXPECT_EQ(bar.GetCheckedParameter(), 7);
    const CBasicViewSettings& settings = program.Section<CCalendarGraphView>(12)->GetSettings();
    EXPECT_EQ(settings.m_calendarViewGranularity, kCalendarWeek);
    EXPECT_EQ(settings.m_calendarViewParameter, 7);
    EXPECT_EQ(settings.m_calendarViewChannel, 1);

    // The Load calendar's bar alike.
    ASSERT_TRUE(program.ShowStudyPage(kLoadCalendar));
    auto* load = program.Section<CCalendarTableView>(kLoadCalendarTable);
    ASSERT_NE(load, nullptr);
    ClickOption(*load, CalendarBar::kFirstParameter + 2); // "THD-A [%]"
    ClickOption(*load, CalendarBar::kFirstGranularity + kCalendarDay);
    EXPECT_EQ(load->GetGranularity(), kCalendarDay);
    EXPECT_EQ(OptionsBar(*load).GetCheckedParameter(), 2);
}

TEST(CalendarPagesTest, EnergiesOfferTheChannelsTheSessionsHold)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("energies", CAssembledProgram::StandardSessions())));
    ASSERT_TRUE(program.ShowStudyPage(kEnergyCalendar));
    auto* table = program.Section<CCalendarTableView>(kEnergyCalendarTable);
    ASSERT_NE(table, nullptr);
    CCalendarTableViewDialogBar& bar = OptionsBar(*table);
    // Total active energy, per phase and in all: an average each, which the sessions hold.
    ClickOption(*table, CalendarBar::kFirstParameter + 0);
    for (int k = 0; k < CalendarBar::kChannels; ++k)
        EXPECT_TRUE(bar.GetDlgItem(int(CalendarBar::kFirstChannel) + k)->IsWindowEnabled()) << k;
    ClickOption(*table, CalendarBar::kFirstChannel + 3); // "Total"
    EXPECT_EQ(program.Section<CCalendarGraphView>(12)->GetSettings().m_calendarViewChannel, 3);
    // Energy forward: its one series, under "Total".
    ClickOption(*table, CalendarBar::kFirstParameter + 1);
    EXPECT_TRUE(bar.GetDlgItem(int(CalendarBar::kFirstChannel) + 3)->IsWindowEnabled());
    EXPECT_FALSE(bar.GetDlgItem(int(CalendarBar::kFirstChannel) + 0)->IsWindowEnabled());
    EXPECT_EQ(bar.GetCheckedChannel(), 3);
}

TEST(CalendarPagesTest, EveryStudyViewIsMadeFromATemplateThatExists)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("templates", CAssembledProgram::StandardSessions())));
    for (int viewId : {0, 1, 2, 3, 4, 5, 6, 8})
        ASSERT_TRUE(program.ShowStudyPage(viewId)) << viewId;
    for (const std::string& line : program.Complaints())
        EXPECT_EQ(line.find("Dialog template"), std::string::npos) << line;
}

TEST(CalendarPagesTest, TheCalendarTableKeepsItsDataButtonsHiddenAndInert)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("hidden", CAssembledProgram::StandardSessions())));
    for (int viewId : {kEnergyCalendar, kLoadCalendar}) {
        ASSERT_TRUE(program.ShowStudyPage(viewId));
        const int entry = viewId == kEnergyCalendar ? kEnergyCalendarTable : kLoadCalendarTable;
        auto* frame = dynamic_cast<CSplitFrame*>(program.MainView().GetLayout().GetObject(entry)->GetWnd());
        ASSERT_NE(frame, nullptr);
        for (UINT command : {33052u, 33053u}) {
            EXPECT_EQ(program.FindToolBarButton(command), nullptr) << command;
            // What the toolbar would send, were the button there.
            frame->SendMessage(WM_COMMAND, command, 0);
            CFrameworkApp::PumpWaitingMessages();
        }
    }
    EXPECT_TRUE(program.Boxes().empty());
}

// Each option of both calendars' bars shows its whole label, at the screen's device ratio (the
// test runs at ratio 1 and, in a process of its own, at ratio 2).
TEST(CalendarPagesTest, EveryCalendarOptionShowsItsWholeLabel)
{
    CAssembledProgram program;
    ASSERT_TRUE(program.Start(program.MakeProject("labels", CAssembledProgram::StandardSessions())));
    for (int viewId : {kEnergyCalendar, kLoadCalendar}) {
        ASSERT_TRUE(program.ShowStudyPage(viewId));
        auto* table = program.Section<CCalendarTableView>(viewId == kEnergyCalendar ? kEnergyCalendarTable : kLoadCalendarTable);
        ASSERT_NE(table, nullptr);
        CCalendarTableViewDialogBar& bar = OptionsBar(*table);
        CRect barRect;
        bar.GetWindowRect(&barRect);
        int shown = 0;
        for (CWnd* child = bar.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
            auto* button = static_cast<CButton*>(child);
            if (!child->IsWindowVisible() || child->GetDlgCtrlID() < 0 || button->GetButtonStyle() == BS_GROUPBOX)
                continue;
            CString text;
            child->GetWindowText(text);
            SIZE ideal;
            if (!button->GetIdealSize(&ideal))
                continue;
            CRect rect;
            child->GetWindowRect(&rect);
            EXPECT_GE(rect.Width(), ideal.cx) << text.GetString();
            EXPECT_LE(rect.right, barRect.right) << text.GetString();
            ++shown;
        }
        EXPECT_EQ(shown, viewId == kEnergyCalendar ? 15 : 11);
    }
}

TEST(CalendarPagesTest, TheViewMenuOpensOnlyWhatTheTabsOpen)
{
    using Frame = CMainFrame;
    CAssembledProgram program;
    const auto sessions = CAssembledProgram::StandardSessions();
    ASSERT_TRUE(program.Start(program.MakeProject("energy", {sessions[0], sessions[1]})));
    TTabWnd& tabs = program.Tabs();
    // Energy sessions only: no Load Study, never Advanced.
    std::vector<UINT> enabled = EnabledViewItems(program);
    std::sort(enabled.begin(), enabled.end());
    EXPECT_EQ(enabled, (std::vector<UINT>{Frame::ID_VIEW_PROJECT_MANAGER, Frame::ID_VIEW_ENERGY_STUDY, Frame::ID_VIEW_REPORT}));
    for (int tab = 0; tab < tabs.GetTabCount(); ++tab) {
        const UINT command = std::array{Frame::ID_VIEW_PROJECT_MANAGER, Frame::ID_VIEW_ENERGY_STUDY, Frame::ID_VIEW_LOAD_STUDY,
                                        Frame::ID_VIEW_ADVANCED, Frame::ID_VIEW_REPORT}[std::size_t(tab)];
        EXPECT_EQ(tabs.IsTabEnabled(tab), std::count(enabled.begin(), enabled.end(), command) == 1) << tab;
    }
    program.MenuCommand(Frame::ID_VIEW_LOAD_STUDY);
    EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kProjectManagerTab);
    EXPECT_EQ(program.MainView().GetLayout().GetObject(SMainViewLayout::kFirstLoadSection), nullptr);
    program.MenuCommand(Frame::ID_VIEW_ADVANCED);
    EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kProjectManagerTab);
    program.MenuCommand(Frame::ID_VIEW_ENERGY_STUDY);
    EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kEnergyTab);

    // Without sessions the project manager is all there is to show.
    program.MenuCommand(Frame::ID_VIEW_PROJECT_MANAGER);
    while (program.Document().GetMeasurementCount() > 0)
        ASSERT_EQ(program.Document().DeleteSession(0), 0);
    EXPECT_EQ(EnabledViewItems(program), (std::vector<UINT>{Frame::ID_VIEW_PROJECT_MANAGER}));
    for (UINT command : {Frame::ID_VIEW_ENERGY_STUDY, Frame::ID_VIEW_LOAD_STUDY, Frame::ID_VIEW_ADVANCED, Frame::ID_VIEW_REPORT}) {
        program.MenuCommand(command);
        EXPECT_EQ(tabs.GetActiveTab(), CAssembledProgram::kProjectManagerTab) << command;
    }
}

} // namespace
