// The date and time picker pair on the graph options bar, the demand-period choices and the
// X-axis label step of a one-hour range.
#include "platform/chart/PlotAxis.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/WindowStyles.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/DemandPeriodChoices.h"
#include "study/XAxisTimeLabels.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/WindowTesting.h"
#include "support/MessageBoxRecorder.h"
#include "support/ScopedTimeZone.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

namespace {

const std::vector<int> kAllChoices = {0, 1, 2, 3, 4, 5, 6, 7, 8};

class DateTimePickerPairTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_window.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 400, 800), nullptr, 0));
        ASSERT_TRUE(m_bar.CreateBar(&m_window, kGraphOptionsTemplate));
    }
    void TearDown() override
    {
        m_bar.DestroyWindow();
        m_window.DestroyWindow();
    }

    void Init(const CHighTime& begin, const CHighTime& end)
    {
        m_pair.Init(&m_bar, CHighTime(2050, 1, 1, 0, 0, 0), CHighTime(1990, 1, 1, 0, 0, 0), begin, end,
                    GraphBar::kTimeRangePickers, false, kAllChoices, 0);
    }
    // The user sets one of the four pickers; the pair hears which side changed.
    void Pick(UINT id, const CHighTime& time)
    {
        SYSTEMTIME st{};
        ASSERT_TRUE(time.GetAsSystemTime(st));
        static_cast<CDateTimeCtrl*>(m_bar.GetDlgItem(int(id)))->SetTime(&st);
        const auto& pickers = GraphBar::kTimeRangePickers;
        m_pair.OnPickerChanged(id == pickers.beginDate || id == pickers.beginTime);
    }
    void Choose(int choice)
    {
        auto* list = static_cast<CComboBox*>(m_bar.GetDlgItem(int(GraphBar::kTimeRangePickers.intervalList)));
        list->SetCurSel(choice);
        m_pair.OnChoiceChanged();
    }
    CComboBox& List() { return *static_cast<CComboBox*>(m_bar.GetDlgItem(int(GraphBar::kTimeRangePickers.intervalList))); }

    // The pickers show the dates in the user's short-date picture, here M/d/yyyy.
    CScopedUserLocale m_locale{CUserLocale::EnUs()};
    CWnd m_window;
    CBasicGraphViewDialogBar m_bar;
    CDateTimePickerControls m_pair;
};

TEST_F(DateTimePickerPairTest, ChoicesAlignTheBeginToTheirUnit)
{
    // Wednesday 4 March 2026, 14:35.
    Init(CHighTime(2026, 3, 4, 14, 35, 0), CHighTime(2026, 3, 4, 16, 0, 0));
    CHighTime begin, end;
    Choose(6); // 1 day
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 4, 0, 0, 0));
    EXPECT_EQ(end, CHighTime(2026, 3, 5, 0, 0, 0));
    Choose(8); // 1 week: back to Monday
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 2, 0, 0, 0));
    EXPECT_EQ(end, CHighTime(2026, 3, 9, 0, 0, 0));
    // On a Sunday the week starts the next Monday.
    m_pair.SetRange(CHighTime(2026, 3, 8, 10, 0, 0), CHighTime(2026, 3, 8, 11, 0, 0));
    Choose(8);
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 9, 0, 0, 0));
    // Hours go to the start of their hour; minutes keep the begin.
    m_pair.SetRange(CHighTime(2026, 3, 4, 14, 35, 10), CHighTime(2026, 3, 4, 15, 0, 0));
    Choose(4);
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 4, 14, 0, 0));
    EXPECT_EQ(end, CHighTime(2026, 3, 4, 15, 0, 0));
    m_pair.SetRange(CHighTime(2026, 3, 4, 14, 35, 10), CHighTime(2026, 3, 4, 15, 0, 0));
    Choose(0);
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 4, 14, 35, 10));
    EXPECT_EQ(end, CHighTime(2026, 3, 4, 14, 45, 10));
}

TEST_F(DateTimePickerPairTest, APickerTypedOrSteppedGivesThatTimeAndRefusesWhatIsNoDate)
{
    m_window.ShowWindow(SW_SHOW);
    CWnd& beginTime = *m_bar.GetDlgItem(int(GraphBar::kTimeRangePickers.beginTime));
    CWnd& beginDate = *m_bar.GetDlgItem(int(GraphBar::kTimeRangePickers.beginDate));
    // Typed from the picker's first field on, as "h:mm:ss tt" and "M/d/yyyy" read.
    const auto type = [](CWnd& picker, const char* keys) {
        picker.SetFocus();
        SimulateKey(picker, VK_HOME);
        for (const char* key = keys; *key; ++key)
            SimulateKey(picker, *key == '/' ? 0xBF : UINT(*key));
        SimulateKey(picker, VK_RETURN);
    };
    CHighTime begin, end;
    // Typed digit by digit, 14:59 stays 14:59 (no field is carried into the next).
    Init(CHighTime(2026, 3, 4, 14, 0, 0), CHighTime(2026, 3, 4, 15, 0, 0));
    type(beginTime, "25900P");
    m_pair.OnPickerChanged(true);
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 4, 14, 59, 0));
    // Its seconds stepped down from 00 give the second before: 14:58:59.
    Init(CHighTime(2026, 3, 4, 14, 59, 0), CHighTime(2026, 3, 4, 15, 59, 0));
    type(beginTime, "25900P");
    SimulateKey(beginTime, VK_HOME);
    for (int i = 0; i < 5; ++i) // "2:59:" before the seconds
        SimulateKey(beginTime, VK_RIGHT);
    SimulateKey(beginTime, VK_DOWN);
    m_pair.OnPickerChanged(true);
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 4, 14, 58, 59));
    EXPECT_EQ(end - begin, CHighTimeSpan(0, 1, 0, 0)); // the individual length is kept

    // A date typed with its separators; one not in the calendar or outside the limits is
    // refused with a message, and the picker keeps its date.
    type(beginDate, "02/15/2024");
    m_pair.OnPickerChanged(true);
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2024, 2, 15, 14, 58, 59));
    for (const char* bad : {"02302024", "13012024", "01011985"}) {
        CMessageBoxRecorder boxes;
        type(beginDate, bad);
        CFrameworkApp::PumpWaitingMessages();
        SYSTEMTIME shown{};
        static_cast<CDateTimeCtrl&>(beginDate).GetTime(&shown);
        EXPECT_EQ(CHighTime(shown.wYear, shown.wMonth, shown.wDay, 0, 0, 0), CHighTime(2024, 2, 15, 0, 0, 0)) << bad;
        ASSERT_EQ(boxes.Boxes().size(), 1u) << bad;
        EXPECT_EQ(boxes.Boxes()[0].text, std::string(bad) == "01011985"
                                             ? "01/01/1985 is outside the dates this field takes.\nPlease enter a date from 1/1/1990 to 1/1/2050."
                                             : CString(std::string(bad).substr(0, 2) + "/" + std::string(bad).substr(2, 2) + "/" +
                                                       std::string(bad).substr(4) + " is not a date.\nPlease enter a date that is in the calendar."));
    }
    // What is typed after a refusal starts at the first field again: the whole date is taken.
    for (const char key : std::string("03012024"))
        SimulateKey(beginDate, UINT(key));
    SimulateKey(beginDate, VK_RETURN);
    m_pair.OnPickerChanged(true);
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2024, 3, 1, 14, 58, 59));
}

// A time picker keeps a day of its own (1 January 2000): a zone that skips that day's
// midnight must not move the time it shows off the one the pair holds.
TEST_F(DateTimePickerPairTest, PickersShowTheHeldTimeWhereTheZoneSkipsAnHour)
{
    // Summer time starts at midnight on 1 January, or on the first Sunday of November
    // (4 November 2018).
    for (const char* zone : {"XST3XDT,J1/0,J300/0", "XST3XDT,M11.1.0/0,M2.3.0/0"}) {
        ScopedTimeZone skipping(zone);
        Init(CHighTime(2018, 11, 3, 12, 0, 0), CHighTime(2018, 11, 3, 13, 0, 0));
        Pick(GraphBar::kTimeRangePickers.beginTime, CHighTime(2018, 11, 3, 0, 30, 0));
        Pick(GraphBar::kTimeRangePickers.beginDate, CHighTime(2018, 11, 4, 0, 30, 0));
        CHighTime begin, end;
        m_pair.GetRange(begin, end);
        SYSTEMTIME held{}, date{}, time{};
        ASSERT_TRUE(begin.GetAsSystemTime(held));
        static_cast<CDateTimeCtrl*>(m_bar.GetDlgItem(int(GraphBar::kTimeRangePickers.beginDate)))->GetTime(&date);
        static_cast<CDateTimeCtrl*>(m_bar.GetDlgItem(int(GraphBar::kTimeRangePickers.beginTime)))->GetTime(&time);
        EXPECT_EQ(CHighTime(date.wYear, date.wMonth, date.wDay, time.wHour, time.wMinute, time.wSecond), begin) << zone;
        EXPECT_EQ(time.wHour * 60 + time.wMinute, held.wHour * 60 + held.wMinute) << zone;
    }
}

TEST_F(DateTimePickerPairTest, ChangesBeyondTheLimitsAreUndoneAndEditingTheEndMakesTheLengthIndividual)
{
    Init(CHighTime(2026, 3, 4, 12, 0, 0), CHighTime(2026, 3, 4, 13, 0, 0));
    Pick(GraphBar::kTimeRangePickers.beginDate, CHighTime(2051, 3, 4, 12, 0, 0));
    CHighTime begin, end;
    m_pair.GetRange(begin, end);
    EXPECT_EQ(begin, CHighTime(2026, 3, 4, 12, 0, 0));
    SYSTEMTIME shown{};
    static_cast<CDateTimeCtrl*>(m_bar.GetDlgItem(int(GraphBar::kTimeRangePickers.beginDate)))->GetTime(&shown);
    EXPECT_EQ(shown.wYear, 2026); // the picker reverted
    Pick(GraphBar::kTimeRangePickers.endDate, CHighTime(1980, 3, 4, 12, 0, 0));
    m_pair.GetRange(begin, end);
    EXPECT_EQ(end, CHighTime(2026, 3, 4, 13, 0, 0));

    Choose(4);
    Pick(GraphBar::kTimeRangePickers.endTime, CHighTime(2026, 3, 4, 15, 30, 0));
    EXPECT_EQ(m_pair.GetChoice(), 9);
    // The list's last item is the new duration, selected.
    EXPECT_EQ(List().GetCount(), 10);
    EXPECT_EQ(List().GetCurSel(), 9);
    CString text;
    List().GetLBText(9, text);
    EXPECT_EQ(text, CString("3h 30m 0s"));
}

TEST_F(DateTimePickerPairTest, ARangeIsAChoiceByItsLengthOrItsCalendarDays)
{
    ScopedTimeZone zone(kCentralEuropeZone);
    const double noon = CHighTime(2026, 3, 4, 12, 0, 0).GetAsDate();
    EXPECT_TRUE(CDateTimePickerControls::IsChoiceRange(6, noon, noon + 1.0));
    EXPECT_TRUE(CDateTimePickerControls::IsChoiceRange(0, noon, noon + 10.0 / 1440.0 + 1e-9));
    EXPECT_FALSE(CDateTimePickerControls::IsChoiceRange(0, noon, noon + 11.0 / 1440.0));
    EXPECT_FALSE(CDateTimePickerControls::IsChoiceRange(9, noon, noon));
    // The Sunday the clocks go forward has 23 hours: a day from its midnight or any time before
    // the change, none from after it; 24 hours across the change are no day.
    const double spring = CHighTime(2026, 3, 29, 0, 0, 0).GetAsDate();
    EXPECT_TRUE(CDateTimePickerControls::IsChoiceRange(6, spring, spring + 23.0 / 24.0));
    EXPECT_TRUE(CDateTimePickerControls::IsChoiceRange(6, spring - 0.5, spring - 0.5 + 23.0 / 24.0));
    EXPECT_FALSE(CDateTimePickerControls::IsChoiceRange(6, spring, spring + 1.0));
    EXPECT_FALSE(CDateTimePickerControls::IsChoiceRange(6, noon, noon + 23.0 / 24.0));
    EXPECT_TRUE(CDateTimePickerControls::IsChoiceRange(8, spring - 2.0, spring + 5.0 - 1.0 / 24.0));
    EXPECT_FALSE(CDateTimePickerControls::IsChoiceRange(8, spring - 2.0, spring + 5.0));
    EXPECT_FALSE(CDateTimePickerControls::IsChoiceRange(4, noon, noon + 2.0 / 24.0));
}

TEST(DemandPeriodChoicesTest, BlocksOfferTheMultiplesOfTheCommonInterval)
{
    // 5 and 15 minutes: base 900 s.
    auto choices = BuildDemandPeriodChoices({300, 900}, {600});
    std::vector<DWORD> values;
    for (const auto& choice : choices)
        values.push_back(choice.value);
    const DWORD t = kTrendDemandFlag;
    EXPECT_EQ(values, (std::vector<DWORD>{900, 1800, 3600, 0, 600 + t, 1200 + t, 1800 + t, 3600 + t, t}));
    EXPECT_EQ(choices[0].text, CString("demand 15"));
    EXPECT_EQ(choices[3].text, CString("demand as logged"));
    EXPECT_EQ(choices[4].text, CString("trend 10"));
    // 7 and 10 minutes: base 4200 s, no standard period fits.
    choices = BuildDemandPeriodChoices({420, 600}, {});
    ASSERT_EQ(choices.size(), 3u);
    EXPECT_EQ(choices[0].value, 0u);
    EXPECT_EQ(choices[1].text, CString("demand shortest common interval"));
    EXPECT_EQ(choices[1].value, 4200u);
    EXPECT_EQ(choices[2].value, kTrendDemandFlag); // trend block: "as logged" only
    EXPECT_TRUE(IsStandardDemandPeriod(1200));
    EXPECT_FALSE(IsStandardDemandPeriod(4200));
}

TEST(XAxisLabelStepTest, OneHourOnSixHundredPixelsTakesTheTwentyMinuteStep)
{
    CPlotXAxis axis("XAxis0");
    const double start = CHighTime(2026, 3, 2, 10, 0, 0).GetAsDate();
    axis.SetMinSpan(start, 1.0 / 24.0);
    SXAxisLabelRequest request;
    request.availableWidth = 600;
    request.labelWidth = 100;
    request.timeFormat = "%H:%M";
    int parity = 0;
    request.parity = &parity;
    BuildXAxisTimeLabels(axis, request);
    std::vector<double> labelled;
    for (const SPlotAxisLabel& label : axis.GetLabels())
        if (!label.text.IsEmpty())
            labelled.push_back(label.value);
    ASSERT_GE(labelled.size(), 3u);
    for (std::size_t i = 1; i < labelled.size(); ++i)
        EXPECT_NEAR((labelled[i] - labelled[i - 1]) * 1440.0, 20.0, 1e-6);
}

} // namespace
