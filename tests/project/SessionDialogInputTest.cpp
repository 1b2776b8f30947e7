// Both session dialogs work with the mouse as they do with the keyboard: a click at the centre
// of every control, delivered as the window system delivers it (to the top-level window, which
// hands it to whatever lies there), reaches that control; the wheel scrolls the cost page. Keys
// are delivered to the focus window as the window system does.
#include "DialogTestSupport.h"

#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/WindowTesting.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/EnergyCostsDlg.h"
#include "project/ProjectManagerSettings.h"

#include "support/MessageBoxRecorder.h"

#include <string_view>

namespace
{
using Dlg = CEditAuxSettingsDlg;
constexpr int kLeftOpen = 99;

// A click at a point of the screen, delivered to the top-level window that shows the control.
void ClickAt(CWnd& anyChild, CPoint screen)
{
    SimulateScreenMouse(anyChild, WM_LBUTTONDOWN, screen);
    SimulateScreenMouse(anyChild, WM_LBUTTONUP, screen);
    CFrameworkApp::PumpWaitingMessages();
}

CPoint CentreOf(CWnd& control)
{
    CRect r;
    control.GetWindowRect(&r);
    return r.CenterPoint();
}

// Clicks the control's centre; true when the focus went to it, as it does for every control
// that takes input.
bool ClickTakesFocus(CWnd& control)
{
    ClickAt(control, CentreOf(control));
    return CWnd::GetFocus() == &control || (CWnd::GetFocus() && CWnd::GetFocus()->GetParent() == &control);
}

void WheelAt(CWnd& anyChild, CPoint screen, int steps)
{
    SimulateScreenWheel(anyChild, screen, WHEEL_DELTA * steps);
    CFrameworkApp::PumpWaitingMessages();
}

void KeyDown(CWnd& window, UINT virtualKey)
{
    SimulateKeyDown(window, virtualKey);
    CFrameworkApp::PumpWaitingMessages();
}

void KeyUp(CWnd& window, UINT virtualKey)
{
    SimulateKeyUp(window, virtualKey);
    CFrameworkApp::PumpWaitingMessages();
}

// Digits and capital letters, each pressed and released.
void TypeText(CWnd& window, std::string_view text)
{
    for (const char c : text)
    {
        KeyDown(window, UINT(c));
        KeyUp(window, UINT(c));
    }
}

class SessionDialogInputTest : public DialogTest
{
protected:
    // The dialog, noting that Cancel reached it.
    class CWatchedDlg : public Dlg
    {
    public:
        using Dlg::Dlg;
        bool cancelled = false;
        bool confirmed = false;

    protected:
        void OnCancel() override
        {
            cancelled = true;
            Dlg::OnCancel();
        }
        void OnOK() override
        {
            confirmed = true;
            Dlg::OnOK();
        }
    };

    INT_PTR Run(CWatchedDlg& dialog, const std::function<void(Dlg&)>& check)
    {
        // A dialog the check left open ends here.
        const auto previous = CDialog::SetModalDriver([&](CDialog& d) {
            check(static_cast<Dlg&>(d));
            if (!dialog.cancelled)
                d.EndDialog(kLeftOpen);
        });
        const INT_PTR result = dialog.DoModal();
        CDialog::SetModalDriver(previous);
        return result;
    }

    SProjectManagerDataSetEntry m_entry;
};

CMeasurementConfig EnergyConfig()
{
    SConfigValues v;
    v.studyType = 1;
    v.forwardCost = 0.5f;
    return MakeConfig(v);
}
} // namespace

TEST_F(SessionDialogInputTest, EveryControlOfTheAuxPageAnswersAClickAtItsCentre)
{
    const CMeasurementConfig config = EnergyConfig();
    CWatchedDlg dialog(nullptr, &m_entry, &config, 0, false);
    const INT_PTR result = Run(dialog, [&](Dlg& dlg) {
        auto* correction = dynamic_cast<CButton*>(dlg.GetDlgItem(int(Dlg::kCorrectionRadio)));
        auto* logged = dynamic_cast<CButton*>(dlg.GetDlgItem(int(Dlg::kUseLoggedRadio)));
        ASSERT_TRUE(correction && logged);
        EXPECT_TRUE(ClickTakesFocus(*correction));
        EXPECT_EQ(correction->GetCheck(), BST_CHECKED);
        EXPECT_TRUE(dlg.UsesCorrection());
        for (UINT id : {Dlg::kGainEdit[0], Dlg::kOffsetEdit[0], Dlg::kUnitEdit[0], Dlg::kGainEdit[1],
                        Dlg::kOffsetEdit[1], Dlg::kUnitEdit[1]})
            EXPECT_TRUE(ClickTakesFocus(*dlg.GetDlgItem(int(id)))) << id;
        EXPECT_TRUE(ClickTakesFocus(*logged));
        EXPECT_FALSE(dlg.UsesCorrection());
        EXPECT_TRUE(ClickTakesFocus(*dlg.GetDlgItem(IDOK)));
        EXPECT_TRUE(dialog.confirmed);

        // The tabs lie under the page's sunken frame: a click on the second one shows the costs.
        auto* tabs = dynamic_cast<CTabCtrl*>(dlg.GetDlgItem(int(Dlg::kTabControl)));
        ASSERT_TRUE(tabs);
        CRect tab;
        ASSERT_TRUE(tabs->GetItemRect(1, &tab));
        tabs->ClientToScreen(&tab);
        ClickAt(*tabs, tab.CenterPoint());
        EXPECT_EQ(tabs->GetCurSel(), 1);
        EXPECT_EQ(dlg.GetShownPage(), 1);
        ASSERT_TRUE(tabs->GetItemRect(0, &tab));
        tabs->ClientToScreen(&tab);
        ClickAt(*tabs, tab.CenterPoint());
        EXPECT_EQ(dlg.GetShownPage(), 0);

        // Cancel ends the dialog.
        ClickAt(dlg, CentreOf(*dlg.GetDlgItem(IDCANCEL)));
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST_F(SessionDialogInputTest, EveryControlOfTheCostPageAnswersAClickAndTheWheelScrollsIt)
{
    const CMeasurementConfig config = EnergyConfig();
    CWatchedDlg dialog(nullptr, &m_entry, &config, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        dlg.ShowPage(1);
        CEnergyCostsDlg& page = *dlg.GetCostPage();
        for (UINT id : {CEnergyCostsDlg::kCurrencyEdit, CEnergyCostsDlg::kBasicFwdEdit, CEnergyCostsDlg::kBasicRevEdit})
            EXPECT_TRUE(ClickTakesFocus(*page.GetDlgItem(int(id)))) << id;

        // "Add new ratio" adds a group whose controls all answer, inside their group box.
        CWnd& addRatio = *page.GetDlgItem(int(CEnergyCostsDlg::kAddRatioButton));
        EXPECT_TRUE(ClickTakesFocus(addRatio));
        ASSERT_EQ(page.GetGroupCount(), 1);
        EXPECT_TRUE(ClickTakesFocus(*page.GetGroup(0).fwdEdit));
        EXPECT_TRUE(ClickTakesFocus(*page.GetGroup(0).revEdit));
        ASSERT_EQ(page.GetGroup(0).rows.size(), 1u);
        EXPECT_TRUE(ClickTakesFocus(*page.GetGroup(0).addInterval));
        ASSERT_EQ(page.GetGroup(0).rows.size(), 2u);
        EXPECT_TRUE(ClickTakesFocus(*page.GetGroup(0).rows[1].start));
        EXPECT_TRUE(ClickTakesFocus(*page.GetGroup(0).rows[1].end));
        ClickAt(page, CentreOf(*page.GetGroup(0).rows[1].remove));
        EXPECT_EQ(page.GetGroup(0).rows.size(), 1u);

        // Enough groups to scroll: the wheel over the page (over a group box too) moves it.
        ClickAt(addRatio, CentreOf(addRatio));
        ClickAt(addRatio, CentreOf(addRatio));
        ASSERT_EQ(page.GetGroupCount(), 3);
        page.UpdateScrollBar();
        ASSERT_EQ(page.GetScrollPosition(), 0);
        WheelAt(page, CentreOf(*page.GetGroup(0).groupBox), -1);
        EXPECT_GT(page.GetScrollPosition(), 0);
        const int scrolled = page.GetScrollPosition();
        WheelAt(page, CentreOf(*page.GetDlgItem(int(CEnergyCostsDlg::kCurrencyEdit))), 1);
        EXPECT_LT(page.GetScrollPosition(), scrolled);

        // The first group's remove button takes it away.
        page.UpdateScrollBar();
        ClickAt(page, CentreOf(*page.GetGroup(0).removeRatio));
        EXPECT_EQ(page.GetGroupCount(), 2);
        RenderWindow(dlg, "session-settings-costs-clicked");
    });
}

TEST_F(SessionDialogInputTest, AZeroGainIsToldOnceAndOneEnterClosesTheMessage)
{
    m_entry.AuxOverride = true;
    CWatchedDlg dialog(nullptr, &m_entry, nullptr, 0, false);
    Run(dialog, [&](Dlg& dlg) {
        CWnd& gain = *dlg.GetDlgItem(int(Dlg::kGainEdit[0]));
        gain.SetFocus();
        gain.SendMessage(EM_SETSEL, 0, -1);
        TypeText(dlg, "0");
        CMessageBoxRecorder boxes;
        KeyDown(dlg, VK_RETURN);
        KeyUp(dlg, VK_RETURN);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, "The value cannot be 0.\nPlease enter a number from -100,000 to 100,000 other than 0.");
        EXPECT_EQ(CWnd::GetFocus(), &gain);
        // The Enter that closes the message is pressed in the message box; only its release
        // reaches the box, and it is no new Enter.
        KeyUp(dlg, VK_RETURN);
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(CWnd::GetFocus(), &gain);
        // A real Enter moves on once the gain is valid.
        TypeText(dlg, "2");
        KeyDown(dlg, VK_RETURN);
        KeyUp(dlg, VK_RETURN);
        EXPECT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(int(Dlg::kOffsetEdit[0])));
    });
}
