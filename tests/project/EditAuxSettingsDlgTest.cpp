#include "DialogTestSupport.h"

#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/WindowTheme.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/EnergyCostsDlg.h"
#include "project/ProjectManagerSettings.h"
#include "support/MessageBoxRecorder.h"

#include <functional>

namespace
{
using Dlg = CEditAuxSettingsDlg;

class EditAuxSettingsDlgTest : public DialogTest
{
protected:
    // Runs the dialog modally; the check runs on the open dialog, which then ends with Cancel
    // unless the check ends it itself.
    INT_PTR Run(Dlg& dialog, const std::function<void(Dlg&)>& check, bool endsItself = false)
    {
        const auto previous = CDialog::SetModalDriver([&](CDialog& d) {
            auto& dlg = static_cast<Dlg&>(d);
            check(dlg);
            if (!endsItself)
                dlg.EndDialog(IDCANCEL);
        });
        const INT_PTR result = dialog.DoModal();
        CDialog::SetModalDriver(previous);
        return result;
    }
    static CString TextOf(CWnd& dlg, UINT id)
    {
        CString text;
        dlg.GetDlgItemText(int(id), text);
        return text;
    }
    static void ClickRadio(Dlg& dlg, UINT id)
    {
        dlg.CheckRadioButton(int(Dlg::kUseLoggedRadio), int(Dlg::kCorrectionRadio), int(id));
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(dlg.GetDlgItem(int(id))->m_hWnd));
    }
    static void PickTab(Dlg& dlg, int index)
    {
        auto* tabs = dynamic_cast<CTabCtrl*>(dlg.GetDlgItem(int(Dlg::kTabControl)));
        ASSERT_TRUE(tabs);
        tabs->SetCurSel(index);
        NMHDR header{};
        header.hwndFrom = tabs->m_hWnd;
        header.idFrom = Dlg::kTabControl;
        header.code = TCN_SELCHANGE;
        dlg.SendMessage(WM_NOTIFY, Dlg::kTabControl, LPARAM(&header));
    }
    static int TopOf(Dlg& dlg, UINT id)
    {
        CRect r;
        dlg.GetDlgItem(int(id))->GetWindowRect(&r);
        dlg.ScreenToClient(&r);
        return r.top;
    }
    static void PressEnter(CWnd& box)
    {
        box.SendMessage(WM_KEYDOWN, VK_RETURN, 0);
        box.SendMessage(WM_KEYUP, VK_RETURN, 0);
    }
    static int FocusId()
    {
        CWnd* focus = CWnd::GetFocus();
        return focus ? focus->GetDlgCtrlID() : -1;
    }
    static int TabCount(Dlg& dlg)
    {
        return dynamic_cast<CTabCtrl*>(dlg.GetDlgItem(int(Dlg::kTabControl)))->GetItemCount();
    }

    SProjectManagerDataSetEntry m_entry;
};

SConfigValues EnergyValues()
{
    SConfigValues v;
    v.studyType = 1;
    v.forwardCost = 0.5f;
    v.gain[0] = 2.0f;
    v.offset[0] = 1.0f;
    v.unit[0] = "mV";
    v.unit[1] = "A";
    return v;
}
} // namespace

TEST_F(EditAuxSettingsDlgTest, SessionWithoutConfigurationShowsDefaultsAndOnlyTheAuxPage)
{
    Dlg dialog(nullptr, &m_entry, nullptr, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        EXPECT_EQ(TabCount(dlg), 1);
        EXPECT_EQ(TextOf(dlg, Dlg::kGainEdit[0]), "1");
        EXPECT_EQ(TextOf(dlg, Dlg::kOffsetEdit[1]), "0");
        EXPECT_EQ(TextOf(dlg, Dlg::kLoggedUnit[0]), "");
        EXPECT_FALSE(dlg.IsEnergyStudy());
        EXPECT_EQ(dlg.GetLoggedGain(0), 1.0);
        EXPECT_EQ(dlg.GetLoggedOffset(1), 0.0);
        const int radioTop = TopOf(dlg, Dlg::kUseLoggedRadio);
        dlg.ShowPage(1); // refused: not an energy study
        EXPECT_EQ(dlg.GetShownPage(), 0);
        EXPECT_EQ(TopOf(dlg, Dlg::kUseLoggedRadio), radioTop);
        EXPECT_FALSE(dlg.GetCostPage()->IsWindowVisible());
    });
}

TEST_F(EditAuxSettingsDlgTest, TabsSwitchBetweenTheAuxAndTheCostPage)
{
    const CMeasurementConfig config = MakeConfig(EnergyValues());
    Dlg dialog(nullptr, &m_entry, &config, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        EXPECT_EQ(TabCount(dlg), 2);
        EXPECT_EQ(TextOf(dlg, Dlg::kLoggedUnit[0]), "mV");
        EXPECT_EQ(dlg.GetLoggedGain(0), 2.0);
        EXPECT_EQ(dlg.GetLoggedOffset(0), 1.0);
        // Not overridden: the user's values start at 1, 0 and the logged unit.
        EXPECT_EQ(TextOf(dlg, Dlg::kGainEdit[0]), "1");
        EXPECT_EQ(TextOf(dlg, Dlg::kUnitEdit[1]), "A");
        const int radioTop = TopOf(dlg, Dlg::kUseLoggedRadio);
        const int okTop = TopOf(dlg, IDOK);
        const int markerTop = TopOf(dlg, Dlg::kPage0Marker);
        RenderWindow(dlg, "session-settings-aux");

        PickTab(dlg, 1);
        EXPECT_EQ(dlg.GetShownPage(), 1);
        EXPECT_TRUE(dlg.GetCostPage()->IsWindowVisible());
        // The marker of page 1 took the place of page 0's; the aux controls left the view.
        EXPECT_EQ(TopOf(dlg, Dlg::kPage1Marker), markerTop);
        EXPECT_LT(TopOf(dlg, Dlg::kUseLoggedRadio), 0);
        EXPECT_EQ(TopOf(dlg, IDOK), okTop);
        RenderWindow(dlg, "session-settings-costs");

        PickTab(dlg, 0);
        EXPECT_EQ(dlg.GetShownPage(), 0);
        EXPECT_FALSE(dlg.GetCostPage()->IsWindowVisible());
        EXPECT_EQ(TopOf(dlg, Dlg::kUseLoggedRadio), radioTop);
    });
}

TEST_F(EditAuxSettingsDlgTest, CostsOnlyShowsTheCostPageAlone)
{
    const CMeasurementConfig config = MakeConfig(EnergyValues());
    Dlg dialog(nullptr, &m_entry, &config, 0, true);
    Run(dialog, [&](Dlg& dlg) {
        EXPECT_EQ(TabCount(dlg), 1);
        EXPECT_EQ(dlg.GetShownPage(), 1);
        EXPECT_TRUE(dlg.GetCostPage()->IsWindowVisible());
        // The tab control is drawn without a visual-style theme.
        EXPECT_EQ(GetWindowTheme(dlg.GetDlgItem(int(Dlg::kTabControl))->m_hWnd), nullptr);
    });
}

TEST_F(EditAuxSettingsDlgTest, CorrectionRadioEnablesTheEditsAndTheCorrectedValues)
{
    const CMeasurementConfig config = MakeConfig(EnergyValues());
    Dlg dialog(nullptr, &m_entry, &config, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        EXPECT_FALSE(dlg.UsesCorrection());
        EXPECT_FALSE(dlg.GetDlgItem(int(Dlg::kGainEdit[0]))->IsWindowEnabled());
        for (UINT id : {Dlg::kCorrectedMax[0], Dlg::kCorrectedMin[1], Dlg::kCorrectedUnit[0], Dlg::kCorrectedUnit[1]})
            EXPECT_EQ(TextOf(dlg, id), "---") << id;

        ClickRadio(dlg, Dlg::kCorrectionRadio);
        EXPECT_TRUE(dlg.UsesCorrection());
        for (UINT id : {Dlg::kGainEdit[0], Dlg::kGainEdit[1], Dlg::kOffsetEdit[0], Dlg::kOffsetEdit[1],
                        Dlg::kUnitEdit[0], Dlg::kUnitEdit[1]})
            EXPECT_TRUE(dlg.GetDlgItem(int(id))->IsWindowEnabled()) << id;
        EXPECT_EQ(TextOf(dlg, Dlg::kCorrectedUnit[0]), "mV");
        // No recorded values: the statistics are NaN and show as empty text.
        EXPECT_EQ(TextOf(dlg, Dlg::kCorrectedMax[0]), "");
        EXPECT_EQ(TextOf(dlg, Dlg::kLoggedMax[1]), "");

        ClickRadio(dlg, Dlg::kUseLoggedRadio);
        EXPECT_FALSE(dlg.UsesCorrection());
        EXPECT_FALSE(dlg.GetDlgItem(int(Dlg::kUnitEdit[1]))->IsWindowEnabled());
        EXPECT_EQ(TextOf(dlg, Dlg::kCorrectedUnit[1]), "---");
    });
}

TEST_F(EditAuxSettingsDlgTest, BadOrZeroGainsAndNumbersOutOfRangeAreRefusedWithTheRange)
{
    m_entry.AuxOverride = true;
    Dlg dialog(nullptr, &m_entry, nullptr, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        struct Case
        {
            UINT id;
            const char* text;
            bool accepted;
            const char* prompt = "";
        };
        constexpr const char* kGainRange = "Please enter a number from -100,000 to 100,000";
        constexpr const char* kOffsetRange = "Please enter a number from -1,000,000 to 1,000,000.";
        const Case cases[] = {
            {Dlg::kGainEdit[0], "0", false, "The value cannot be 0.\nPlease enter a number from -100,000 to 100,000 other than 0."},
            {Dlg::kGainEdit[1], "abc", false, "\"abc\" is not a number.\nPlease enter a number from -100,000 to 100,000."},
            {Dlg::kGainEdit[0], "inf", false, kGainRange},
            {Dlg::kOffsetEdit[0], "nan", false, kOffsetRange},
            {Dlg::kOffsetEdit[1], "99999999999", false, "99999999999 is out of range.\nPlease enter a number from -1,000,000 to 1,000,000."},
            {Dlg::kGainEdit[0], "1e-50", false, "The value cannot be 1e-50."}, // 0 as the gain keeps it
            {Dlg::kGainEdit[1], "2,5", false, "\"2,5\" is not a number."},
            {Dlg::kGainEdit[1], "2.5", true},
            {Dlg::kOffsetEdit[0], "0", true},
            {Dlg::kOffsetEdit[1], "-1,000,000", true},
        };
        for (const Case& c : cases)
        {
            CMessageBoxRecorder boxes;
            const CString before = TextOf(dlg, c.id);
            dlg.SetDlgItemText(int(c.id), c.text);
            EXPECT_EQ(dlg.UpdateData(TRUE) != FALSE, c.accepted) << c.text;
            if (c.accepted)
                EXPECT_TRUE(boxes.Boxes().empty()) << c.text;
            else
            {
                ASSERT_EQ(boxes.Boxes().size(), 1u) << c.text;
                EXPECT_NE(boxes.Boxes()[0].text.str().find(c.prompt), std::string::npos) << boxes.Boxes()[0].text.str();
                EXPECT_EQ(FocusId(), int(c.id)) << c.text;
                dlg.SetDlgItemText(int(c.id), before);
            }
        }
        EXPECT_DOUBLE_EQ(dlg.GetGain(1), 2.5);
        EXPECT_DOUBLE_EQ(dlg.GetOffset(1), -1000000.0);
    });
}

TEST_F(EditAuxSettingsDlgTest, EnterMovesToTheNextBoxAndNeverClosesTheDialog)
{
    m_entry.AuxOverride = true;
    Dlg dialog(nullptr, &m_entry, nullptr, 0, false);
    bool stillOpen = false;
    const INT_PTR result = Run(dialog, [&](Dlg& dlg) {
        CWnd* last = dlg.GetDlgItem(int(Dlg::kUnitEdit[1]));
        last->SetFocus();
        ASSERT_EQ(FocusId(), int(Dlg::kUnitEdit[1]));
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); // the dialog's share of Enter
        PressEnter(*last);
        EXPECT_EQ(FocusId(), int(Dlg::kGainEdit[0]));
        PressEnter(*dlg.GetDlgItem(int(Dlg::kGainEdit[0])));
        EXPECT_EQ(FocusId(), int(Dlg::kOffsetEdit[0]));
        PressEnter(*dlg.GetDlgItem(int(Dlg::kUnitEdit[0])));
        EXPECT_EQ(FocusId(), int(Dlg::kGainEdit[1]));
        stillOpen = dlg.IsWindowVisible() != FALSE;
        dlg.GetDlgItem(IDOK)->SetFocus();
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }, true);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, IDOK);

    // Enter in a price confirms the dialog with the price typed, as in the other dialogs.
    const CMeasurementConfig config = MakeConfig(EnergyValues());
    Dlg priced(nullptr, &m_entry, &config, 0, false);
    const INT_PTR confirmed = Run(priced, [&](Dlg& dlg) {
        PickTab(dlg, 1);
        CWnd* price = dlg.GetCostPage()->GetDlgItem(int(CEnergyCostsDlg::kBasicFwdEdit));
        ASSERT_NE(price, nullptr);
        price->SetFocus();
        price->SetWindowText("0.4");
        SimulateKey(*price, VK_RETURN);
        // Ends a dialog that Enter left open (once its loop runs).
        dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }, true);
    EXPECT_EQ(confirmed, IDOK);
    SProjectManagerDataSetEntry stored;
    priced.StoreSettings(stored);
    EXPECT_FLOAT_EQ(stored.energyCosts.GetCostFwd(), 0.4f);

    // A price refused as Enter confirms is told and keeps the dialog open with the ratio just
    // added, the focus in the price, which shows the one it had selected for the next one.
    Dlg costs(nullptr, &m_entry, &config, 0, true);
    CMessageBoxRecorder boxes;
    bool keptOpen = false;
    EXPECT_EQ(IDCANCEL, Run(costs, [&](Dlg& dlg) {
        CEnergyCostsDlg& page = *dlg.GetCostPage();
        page.AddRatio();
        CWnd* price = page.GetDlgItem(int(CEnergyCostsDlg::kBasicFwdEdit));
        price->SetFocus();
        price->SetWindowText("abc");
        SimulateKey(*price, VK_RETURN);
        DWORD start = 1, end = 0;
        price->SendMessage(EM_GETSEL, WPARAM(&start), LPARAM(&end));
        keptOpen = CWnd::GetFocus() == price && page.GetGroupCount() == 1 && start == 0 && end == 3 &&
                   TextOf(page, CEnergyCostsDlg::kBasicFwdEdit) == "0.5";
        dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }, true));
    EXPECT_TRUE(keptOpen);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "\"abc\" is not a number.\nPlease enter a number from -100,000 to 100,000.");
}

TEST_F(EditAuxSettingsDlgTest, EnteringABoxRecomputesTheCorrectedValuesOrReturnsTheFocus)
{
    m_entry.AuxOverride = true;
    Dlg dialog(nullptr, &m_entry, nullptr, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        CWnd* unit = dlg.GetDlgItem(int(Dlg::kUnitEdit[0]));
        unit->SetFocus();
        unit->SetWindowText("kWh");
        dlg.GetDlgItem(int(Dlg::kGainEdit[1]))->SetFocus();
        EXPECT_EQ(TextOf(dlg, Dlg::kCorrectedUnit[0]), "kWh");

        CMessageBoxRecorder boxes;
        CWnd* gain = dlg.GetDlgItem(int(Dlg::kGainEdit[1]));
        gain->SetWindowText("0");
        dlg.GetDlgItem(int(Dlg::kOffsetEdit[1]))->SetFocus();
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(FocusId(), int(Dlg::kGainEdit[1]));
    });
}

TEST_F(EditAuxSettingsDlgTest, StoreSettingsFlagsOnlyChangedChannelsAndTakesTheTariff)
{
    const CMeasurementConfig config = MakeConfig(EnergyValues());
    m_entry.AuxOverride = false;
    Dlg dialog(nullptr, &m_entry, &config, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        ClickRadio(dlg, Dlg::kCorrectionRadio);
        dlg.SetDlgItemText(int(Dlg::kOffsetEdit[1]), "0.25");
        ASSERT_TRUE(dlg.UpdateData(TRUE));
    });
    SProjectManagerDataSetEntry stored;
    dialog.StoreSettings(stored);
    EXPECT_TRUE(stored.AuxOverride);
    // Aux1 keeps gain 1, offset 0 and the logged unit: not overridden even with correction on.
    EXPECT_FALSE(stored.auxData[0].overrideFlag);
    EXPECT_EQ(stored.auxData[0].unit, "mV");
    EXPECT_TRUE(stored.auxData[1].overrideFlag);
    EXPECT_FLOAT_EQ(stored.auxData[1].offset, 0.25f);
    EXPECT_TRUE(stored.energyCosts.IsEnabled());
    EXPECT_FLOAT_EQ(stored.energyCosts.GetCostFwd(), 0.5f);

    // A Load study keeps no tariff.
    SConfigValues load = EnergyValues();
    load.studyType = 2;
    const CMeasurementConfig loadConfig = MakeConfig(load);
    SProjectManagerDataSetEntry withCosts;
    withCosts.energyCosts.SetEnabled(true);
    Dlg loadDialog(nullptr, &withCosts, &loadConfig, 0, false);
    Run(loadDialog, [](Dlg&) {});
    loadDialog.StoreSettings(withCosts);
    EXPECT_FALSE(withCosts.energyCosts.IsEnabled());
}
