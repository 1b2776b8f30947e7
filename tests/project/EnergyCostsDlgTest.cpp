#include "DialogTestSupport.h"

#include "datamodel/ValueFormatter.h"
#include "platform/framework/windows/CButton.h"
#include "project/EnergyCostsDlg.h"
#include "support/MessageBoxRecorder.h"

namespace
{
class EnergyCostsDlgTest : public DialogTest
{
protected:
    std::unique_ptr<CEnergyCostsDlg> Open(const CEnergyCosts& costs, const CMeasurementConfig* config = nullptr)
    {
        auto page = std::make_unique<CEnergyCostsDlg>(costs, config, m_formatter, m_host.get());
        EXPECT_TRUE(page->m_hWnd);
        page->MoveWindow(0, 0, 440, 300);
        page->ShowWindow(SW_SHOW);
        return page;
    }
    static void Click(CEnergyCostsDlg& page, CWnd& button)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(button.GetDlgCtrlID(), BN_CLICKED), LPARAM(button.m_hWnd));
    }
    static void LeaveEdit(CEnergyCostsDlg& page, CWnd& edit, const CString& text)
    {
        edit.SetWindowText(text);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(edit.GetDlgCtrlID(), EN_KILLFOCUS), LPARAM(edit.m_hWnd));
    }
    static void PickTime(CEnergyCostsDlg& page, CECDateTimeCtrl& picker, int minutes, UINT code = DTN_DATETIMECHANGE)
    {
        SYSTEMTIME st{};
        st.wYear = 2000;
        st.wMonth = 1;
        st.wDay = 1;
        st.wHour = WORD(minutes / 60);
        st.wMinute = WORD(minutes % 60);
        picker.SetTime(&st);
        NMHDR header{};
        header.hwndFrom = picker.m_hWnd;
        header.idFrom = UINT_PTR(picker.GetDlgCtrlID());
        header.code = code;
        page.SendMessage(WM_NOTIFY, header.idFrom, LPARAM(&header));
    }
    static CString TextOf(CWnd& wnd)
    {
        CString text;
        wnd.GetWindowText(text);
        return text;
    }
    static int TopOf(CEnergyCostsDlg& page, CWnd& wnd)
    {
        CRect r;
        wnd.GetWindowRect(&r);
        page.ScreenToClient(&r);
        return r.top;
    }
    // How many pixels of a control, as the page shows it, have the colour (within the little
    // shading the control's style may lay over its background).
    static int CountPixels(CEnergyCostsDlg& page, CWnd& control, COLORREF color)
    {
        const auto near = [color](COLORREF c) {
            return std::abs(GetRValue(c) - GetRValue(color)) <= 4 && std::abs(GetGValue(c) - GetGValue(color)) <= 4 &&
                   std::abs(GetBValue(c) - GetBValue(color)) <= 4;
        };
        CFrameworkApp::PumpWaitingMessages();
        CRect client;
        page.GetClientRect(&client);
        CDC memory;
        memory.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
        CBitmap* old = memory.SelectObject(&bitmap);
        page.PrintWindow(&memory);
        CRect r;
        control.GetWindowRect(&r);
        page.ScreenToClient(&r);
        int count = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                count += near(memory.GetPixel(x, y)) ? 1 : 0;
        memory.SelectObject(old);
        return count;
    }
    static CEnergyCosts Tariff(std::initializer_list<SRatioData> ratios)
    {
        CEnergyCosts costs;
        costs.SetEnabled(true);
        costs.SetCurrency("EUR");
        costs.SetCostFwd(0.25f);
        costs.SetCostRev(0.125f);
        for (const SRatioData& r : ratios)
            costs.AddRatio(r);
        return costs;
    }

    std::unique_ptr<CWnd> m_host = MakeHostWindow(460, 320);
    CValueFormatter m_formatter;
};
} // namespace

TEST_F(EnergyCostsDlgTest, DisabledTariffStartsFromLocaleCurrencyAndConfiguredForwardCost)
{
    SConfigValues values;
    values.forwardCost = 0.5f;
    const CMeasurementConfig config = MakeConfig(values);
    auto page = Open(CEnergyCosts(), &config);
    const CEnergyCosts& costs = page->GetEnergyCosts();
    EXPECT_TRUE(costs.IsEnabled());
    EXPECT_EQ(costs.GetCurrency(), "$");
    EXPECT_FLOAT_EQ(costs.GetCostFwd(), 0.5f);
    EXPECT_FLOAT_EQ(costs.GetCostRev(), 0.0f);
    EXPECT_EQ(TextOf(*page->GetDlgItem(CEnergyCostsDlg::kBasicFwdEdit)), "0.5");
    EXPECT_EQ(TextOf(*page->GetDlgItem(CEnergyCostsDlg::kCurrencyEdit)), "$");
    EXPECT_EQ(page->GetGroupCount(), 0);

    // Without configuration the forward cost starts at 0.
    auto bare = Open(CEnergyCosts());
    EXPECT_FLOAT_EQ(bare->GetEnergyCosts().GetCostFwd(), 0.0f);
}

TEST_F(EnergyCostsDlgTest, OversizedTariffIsCutTo24RatiosOf24Intervals)
{
    CEnergyCosts costs = Tariff({});
    SRatioData big;
    for (int k = 0; k < 30; ++k)
        big.AddInterval({k, k + 1});
    for (int i = 0; i < 26; ++i)
        costs.AddRatio(big);
    auto page = Open(costs);
    ASSERT_EQ(page->GetEnergyCosts().GetRatioCount(), 24);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(23).GetIntervalCount(), 24);
    EXPECT_EQ(page->GetGroup(23).rows.size(), 24u);
    EXPECT_FALSE(page->GetDlgItem(CEnergyCostsDlg::kAddRatioButton)->IsWindowEnabled());
    EXPECT_FALSE(page->GetGroup(0).addInterval->IsWindowEnabled());
}

TEST_F(EnergyCostsDlgTest, RatiosAndIntervalsAreAddedAndRemovedUpTo24Each)
{
    auto page = Open(Tariff({}));
    CWnd* addRatio = page->GetDlgItem(CEnergyCostsDlg::kAddRatioButton);
    for (int i = 0; i < 24; ++i)
    {
        EXPECT_TRUE(addRatio->IsWindowEnabled()) << i;
        Click(*page, *addRatio);
    }
    EXPECT_EQ(page->GetEnergyCosts().GetRatioCount(), 24);
    EXPECT_FALSE(addRatio->IsWindowEnabled());
    Click(*page, *addRatio); // a disabled button that still reports a click adds nothing
    EXPECT_EQ(page->GetEnergyCosts().GetRatioCount(), 24);
    const SRatioData& added = page->GetEnergyCosts().GetRatio(5);
    EXPECT_EQ(added.costFwd, 0.0f);
    ASSERT_EQ(added.GetIntervalCount(), 1);
    EXPECT_EQ(added.GetInterval(0), (SRatioInterval{0, 0}));

    Click(*page, *page->GetGroup(10).removeRatio);
    EXPECT_EQ(page->GetEnergyCosts().GetRatioCount(), 23);
    EXPECT_TRUE(addRatio->IsWindowEnabled());

    // Intervals of the first group; the later groups move down by one row each time.
    const int secondTop = TopOf(*page, *page->GetGroup(1).groupBox);
    for (int k = 1; k < 24; ++k)
        Click(*page, *page->GetGroup(0).addInterval);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(0).GetIntervalCount(), 24);
    EXPECT_FALSE(page->GetGroup(0).addInterval->IsWindowEnabled());
    EXPECT_EQ(TopOf(*page, *page->GetGroup(1).groupBox), secondTop + 23 * page->GetRowPitch());

    Click(*page, *page->GetGroup(0).rows[3].remove);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(0).GetIntervalCount(), 23);
    EXPECT_TRUE(page->GetGroup(0).addInterval->IsWindowEnabled());
    EXPECT_EQ(TopOf(*page, *page->GetGroup(1).groupBox), secondTop + 22 * page->GetRowPitch());
    // The rows below the removed one moved up into its place.
    EXPECT_EQ(TopOf(*page, *page->GetGroup(0).rows[3].start),
              TopOf(*page, *page->GetGroup(0).rows[2].start) + page->GetRowPitch());
}

TEST_F(EnergyCostsDlgTest, RemovingTheFirstOfThreeRatiosRetitlesAndMovesTheOthers)
{
    auto page = Open(Tariff({{1.0f, 0.0f, {{0, 60}}}, {2.0f, 0.0f, {{60, 120}}}, {3.0f, 0.0f, {{120, 180}}}}));
    const int firstTop = TopOf(*page, *page->GetGroup(0).groupBox);
    EXPECT_EQ(TextOf(*page->GetGroup(2).groupBox), "Ratio 3 energy costs");
    Click(*page, *page->GetGroup(0).removeRatio);
    ASSERT_EQ(page->GetGroupCount(), 2);
    EXPECT_EQ(TextOf(*page->GetGroup(1).groupBox), "Ratio 2 energy costs");
    EXPECT_EQ(TopOf(*page, *page->GetGroup(0).groupBox), firstTop);
    EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetRatio(1).costFwd, 3.0f);
    EXPECT_EQ(TextOf(*page->GetGroup(1).fwdEdit), "3");
}

TEST_F(EnergyCostsDlgTest, OnlyTheLaterOfTwoOverlappingIntervalsIsMarked)
{
    // 08:00-12:00 in the first ratio; 10:00-14:00 comes in the second ratio, then in the first.
    auto page = Open(Tariff({{1.0f, 0.0f, {{480, 720}, {900, 960}}}, {2.0f, 0.0f, {{1000, 1010}}}}));
    auto marked = [&](int r, int k) {
        const auto& row = page->GetGroup(r).rows[std::size_t(k)];
        EXPECT_EQ(row.overlapMarker->IsWindowVisible() != FALSE, row.start->IsInvalid());
        EXPECT_EQ(row.start->IsInvalid(), row.end->IsInvalid());
        return row.start->IsInvalid();
    };
    EXPECT_FALSE(marked(0, 0));
    EXPECT_FALSE(marked(1, 0));

    PickTime(*page, *page->GetGroup(1).rows[0].start, 600);
    PickTime(*page, *page->GetGroup(1).rows[0].end, 840, NM_KILLFOCUS);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(1).GetInterval(0), (SRatioInterval{600, 840}));
    EXPECT_FALSE(marked(0, 0));
    EXPECT_TRUE(marked(1, 0));
    EXPECT_EQ(page->GetGroup(1).rows[0].start->GetBackgroundColor(), RGB(255, 192, 192));
    EXPECT_EQ(page->GetGroup(0).rows[0].start->GetBackgroundColor(), GetSysColor(COLOR_WINDOW));
    page->MoveWindow(0, 0, 440, page->GetContentHeight());
    RenderWindow(*page, "energy-costs-overlap");
    // Shown (the whole page in view): most of a marked picker is pink, none of an unmarked one.
    CECDateTimeCtrl& markedPicker = *page->GetGroup(1).rows[0].end;
    CRect pickerRect;
    markedPicker.GetClientRect(&pickerRect);
    EXPECT_GT(CountPixels(*page, markedPicker, CECDateTimeCtrl::kInvalidColor), pickerRect.Width() * pickerRect.Height() / 3);
    EXPECT_EQ(CountPixels(*page, *page->GetGroup(0).rows[0].end, CECDateTimeCtrl::kInvalidColor), 0);

    // The same in one ratio: its second interval now overlaps its first.
    PickTime(*page, *page->GetGroup(0).rows[1].start, 600);
    PickTime(*page, *page->GetGroup(0).rows[1].end, 840, NM_KILLFOCUS);
    EXPECT_FALSE(marked(0, 0));
    EXPECT_TRUE(marked(0, 1));
    EXPECT_TRUE(marked(1, 0));

    // Removing the first interval clears the marks that depended on it only.
    Click(*page, *page->GetGroup(0).rows[0].remove);
    EXPECT_FALSE(marked(0, 0));
    EXPECT_TRUE(marked(1, 0));
}

TEST_F(EnergyCostsDlgTest, CostEditsTakeOnlyWholeNumbersInTheRangeAndShowTheStoredValueOtherwise)
{
    auto page = Open(Tariff({{1.5f, 0.5f, {{0, 60}}}}));
    CWnd& basicFwd = *page->GetDlgItem(CEnergyCostsDlg::kBasicFwdEdit);
    CWnd& ratioFwd = *page->GetGroup(0).fwdEdit;
    CWnd& ratioRev = *page->GetGroup(0).revEdit;
    // Each refused text is told once, after the edit is left, with the range to keep to.
    const CString range = "Please enter a number from -100,000 to 100,000.";
    for (const char* bad : {"abc", "12x", "", "inf", "nan", "1e39", "1,5", "100000.5"})
    {
        CMessageBoxRecorder boxes;
        LeaveEdit(*page, basicFwd, bad);
        LeaveEdit(*page, ratioFwd, bad);
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetCostFwd(), 0.25f) << bad;
        EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetRatio(0).costFwd, 1.5f) << bad;
        EXPECT_EQ(TextOf(basicFwd), "0.25") << bad;
        EXPECT_EQ(TextOf(ratioFwd), "1.5") << bad;
        ASSERT_EQ(boxes.Boxes().size(), 1u) << bad;
        const std::string told = boxes.Boxes()[0].text.str();
        EXPECT_NE(told.find(std::string(bad) == "100000.5" || std::string(bad) == "1e39" ? "is out of range" : "is not a number"),
                  std::string::npos) << told;
        EXPECT_NE(told.find(range.str()), std::string::npos) << told;
    }
    LeaveEdit(*page, basicFwd, " 0.1234567 ");
    LeaveEdit(*page, ratioRev, "-2");
    EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetCostFwd(), 0.1234567f);
    EXPECT_EQ(TextOf(basicFwd), "0.123457");
    EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetRatio(0).costRev, -2.0f);
    EXPECT_EQ(TextOf(ratioRev), "-2");
    LeaveEdit(*page, basicFwd, "-100,000");
    EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetCostFwd(), -100000.0f);
    LeaveEdit(*page, *page->GetDlgItem(CEnergyCostsDlg::kCurrencyEdit), "CHF");
    EXPECT_EQ(page->GetEnergyCosts().GetCurrency(), "CHF");
}

TEST_F(EnergyCostsDlgTest, CostEditsReadTheUsersDecimalSeparator)
{
    auto page = Open(Tariff({{1.5f, 0.5f, {{0, 60}}}}));
    CScopedUserLocale german(CUserLocale::DeDe());
    CMessageBoxRecorder boxes;
    LeaveEdit(*page, *page->GetGroup(0).fwdEdit, "0,75");
    EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetRatio(0).costFwd, 0.75f);
    LeaveEdit(*page, *page->GetGroup(0).fwdEdit, "3.5");
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_FLOAT_EQ(page->GetEnergyCosts().GetRatio(0).costFwd, 0.75f);
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(EnergyCostsDlgTest, ScrollingStepsAndRolesStayRightWhenScrolled)
{
    auto page = Open(Tariff({{1.0f, 0.0f, {{0, 60}, {60, 120}}}, {2.0f, 0.0f, {{120, 180}}}}));
    // Ten pixels to scroll: a line is the minimum step of 5 pixels and stops at the end.
    page->MoveWindow(0, 0, 440, page->GetContentHeight() - 10);
    EXPECT_EQ(page->GetScrollPosition(), 0);
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEDOWN, 0));
    EXPECT_EQ(page->GetScrollPosition(), 5);
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0));
    EXPECT_EQ(page->GetScrollPosition(), 10);
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_LINEUP, 0));
    EXPECT_EQ(page->GetScrollPosition(), 5);

    // Scrolled, the controls still find their ratio and row by their place.
    Click(*page, *page->GetGroup(1).addInterval);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(1).GetIntervalCount(), 2);
    Click(*page, *page->GetGroup(0).rows[1].remove);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(0).GetIntervalCount(), 1);
    PickTime(*page, *page->GetGroup(1).rows[1].end, 75);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(1).GetInterval(1).end, 75);

    // A large page has nothing to scroll; the position falls back to the top.
    page->MoveWindow(0, 0, 440, page->GetContentHeight() + 100);
    EXPECT_EQ(page->GetScrollPosition(), 0);
    page->SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40));
    EXPECT_EQ(page->GetScrollPosition(), 0);
}

TEST_F(EnergyCostsDlgTest, PageRendersWithRatioGroups)
{
    auto page = Open(Tariff({{0.3f, 0.1f, {{480, 720}, {1080, 1200}}}, {0.2f, 0.0f, {{0, 360}}}}));
    RenderWindow(*page, "energy-costs-page");
}

TEST_F(EnergyCostsDlgTest, PlusAndMinusButtonsShowTheirBitmaps)
{
    auto page = Open(Tariff({{1.0f, 0.0f, {{0, 60}}}}));
    const CEnergyCostsDlg::SRatioGroup& group = page->GetGroup(0);
    const HBITMAP plus = group.addInterval->GetBitmap();
    const HBITMAP minus = group.removeRatio->GetBitmap();
    ASSERT_NE(plus, nullptr);
    ASSERT_NE(minus, nullptr);
    EXPECT_NE(plus, minus);
    EXPECT_EQ(group.rows[0].remove->GetBitmap(), minus);
    // The "+" has a vertical bar the "-" lacks.
    const int plusInk = CountPixels(*page, *group.addInterval, RGB(0, 0, 0));
    const int minusInk = CountPixels(*page, *group.rows[0].remove, RGB(0, 0, 0));
    EXPECT_GT(minusInk, 0);
    EXPECT_GT(plusInk, minusInk);
    // Roles are found by place, whatever the buttons show.
    Click(*page, *group.addInterval);
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(0).GetIntervalCount(), 2);
}

TEST_F(EnergyCostsDlgTest, LeavingAPickerTakesTheTimeLeftInIt)
{
    auto page = Open(Tariff({{1.0f, 0.0f, {{0, 60}}}}));
    const CEnergyCostsDlg::SIntervalRow& row = page->GetGroup(0).rows[0];
    SYSTEMTIME st{};
    st.wYear = 2000;
    st.wMonth = 1;
    st.wDay = 1;
    st.wHour = 9;
    st.wMinute = 30;
    row.end->SetTime(&st); // a program's change: no notification
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(0).GetInterval(0), (SRatioInterval{0, 60}));
    row.end->SetFocus();
    CFrameworkApp::PumpWaitingMessages();
    page->GetGroup(0).fwdEdit->SetFocus();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(page->GetEnergyCosts().GetRatio(0).GetInterval(0), (SRatioInterval{0, 570}));
}
