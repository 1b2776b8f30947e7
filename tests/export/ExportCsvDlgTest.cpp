#include "export/ExportCsvDlg.h"
#include "export/ExportTestSupport.h"
#include "project/DialogTestSupport.h"

#include <functional>

namespace {

class ExportCsvDlgTest : public DialogTest
{
protected:
    // Runs the dialog modally; the driver acts and then the dialog is canceled, unless the driver
    // ends it itself.
    INT_PTR Run(CExportCsvDlg& dialog, const std::function<void(CExportCsvDlg&, CTreeCtrl&)>& driver,
                bool endsItself = false)
    {
        const auto previous = CDialog::SetModalDriver([&](CDialog& d) {
            auto& dlg = static_cast<CExportCsvDlg&>(d);
            auto* tree = dynamic_cast<CTreeCtrl*>(dlg.GetDlgItem(CExportCsvDlg::kQuantityTree));
            ASSERT_NE(nullptr, tree);
            driver(dlg, *tree);
            if (!endsItself)
                dlg.EndDialog(IDCANCEL);
        });
        const INT_PTR result = dialog.DoModal();
        CDialog::SetModalDriver(previous);
        return result;
    }

    // Items in display order.
    static std::vector<HTREEITEM> Items(const CTreeCtrl& tree)
    {
        std::vector<HTREEITEM> items;
        std::function<void(HTREEITEM)> walk = [&](HTREEITEM item) {
            for (; item; item = tree.GetNextSiblingItem(item)) {
                items.push_back(item);
                walk(tree.GetChildItem(item));
            }
        };
        walk(tree.GetRootItem());
        return items;
    }
    static HTREEITEM Find(const CTreeCtrl& tree, int data)
    {
        for (HTREEITEM item : Items(tree))
            if (int(std::intptr_t(tree.GetItemData(item))) == data)
                return item;
        return nullptr;
    }
    // The data of the checked items, in display order.
    static std::vector<int> Checked(const CTreeCtrl& tree)
    {
        std::vector<int> data;
        for (HTREEITEM item : Items(tree))
            if (tree.GetCheck(item))
                data.push_back(int(std::intptr_t(tree.GetItemData(item))));
        return data;
    }
    // Clicks the item's check box with the mouse, as a user does.
    static void ClickCheckBox(CTreeCtrl& tree, HTREEITEM item)
    {
        tree.SelectItem(item); // scrolls it into view
        CRect row;
        ASSERT_TRUE(tree.GetItemRect(item, &row, FALSE));
        const int y = row.CenterPoint().y;
        for (int x = row.left; x < row.right; ++x) {
            UINT flags = 0;
            if (tree.HitTest(CPoint(x, y), &flags) == item && (flags & TVHT_ONITEMSTATEICON)) {
                tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x + 2, y));
                tree.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(x + 2, y));
                CFrameworkApp::PumpWaitingMessages();
                return;
            }
        }
        ADD_FAILURE() << "no check box on " << tree.GetItemText(item).str();
    }
    static void PressSpaceOn(CTreeCtrl& tree, HTREEITEM item)
    {
        tree.SelectItem(item);
        tree.SendMessage(WM_KEYDOWN, VK_SPACE);
        tree.SendMessage(WM_KEYUP, VK_SPACE);
        CFrameworkApp::PumpWaitingMessages();
    }
    static void Click(CExportCsvDlg& dlg, UINT id)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(dlg.GetDlgItem(int(id))->m_hWnd));
    }
    static CString Profile(const char* name)
    {
        return CProfile::Instance().GetProfileString("Settings", name, "<none>");
    }
    static void SetProfile(const char* name, const char* value)
    {
        CProfile::Instance().WriteProfileString("Settings", name, value);
    }

    CTempXdgHome m_home;
};

const std::vector<int> kTrendItems = {-1, 0, 1, 29, 30, 2, -2, 5, 20, -3, 7, 22, -4, 6, 21, -5, 8, 9, -6, 41, 48, 49, 43, 42, 53};
const std::vector<int> kDemandItems = {-1, 0, 1, -2, 41, 48, 49, 43, 42};

TEST_F(ExportCsvDlgTest, AnEmptyProfileOpensOnTrendDataWithEverythingChosen)
{
    CExportCsvDlg dialog;
    const INT_PTR result = Run(dialog, [](CExportCsvDlg& dlg, CTreeCtrl& tree) {
        EXPECT_EQ(CString("Select exported data"), [&] { CString t; dlg.GetWindowText(t); return t; }());
        EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kTrendRadio));
        EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kDemandRadio));
        EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kSemicolonRadio));
        EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kTabRadio));
        for (UINT id : {CExportCsvDlg::kMinCheck, CExportCsvDlg::kMaxCheck, CExportCsvDlg::kAvgCheck, CExportCsvDlg::kTotalCheck})
            EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(int(id))) << id;
        EXPECT_EQ(kTrendItems, Checked(tree));
        EXPECT_EQ(CString("Non-active Power (full bandwidth)"), tree.GetItemText(Find(tree, 7)));
        EXPECT_EQ(Find(tree, -3), tree.GetParentItem(Find(tree, 7)));
        for (HTREEITEM item : Items(tree)) {
            if (tree.ItemHasChildren(item)) {
                EXPECT_TRUE(tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) << tree.GetItemText(item).str();
            }
        }
        RenderWindow(dlg, "export-csv-dialog");
    });
    EXPECT_EQ(IDCANCEL, result);
    // Cancel saves nothing.
    EXPECT_EQ(CString("<none>"), Profile("ExportDlgTrendState"));
    EXPECT_EQ(CString("<none>"), Profile("ExportDlgDataSource"));
}

TEST_F(ExportCsvDlgTest, CheckBoxesCarryTheirChildrenButNotTheirParents)
{
    CExportCsvDlg dialog;
    const INT_PTR result = Run(dialog, [](CExportCsvDlg& dlg, CTreeCtrl& tree) {
        ClickCheckBox(tree, tree.GetRootItem());
        EXPECT_TRUE(Checked(tree).empty());
        ClickCheckBox(tree, Find(tree, -6)); // the "Active Energy" group
        EXPECT_EQ((std::vector<int>{-6, 41, 48, 49}), Checked(tree));
        ClickCheckBox(tree, Find(tree, 48));
        EXPECT_EQ((std::vector<int>{-6, 41, 49}), Checked(tree));
        PressSpaceOn(tree, Find(tree, 53)); // "Aux" by the keyboard
        EXPECT_EQ((std::vector<int>{-6, 41, 49, 53}), Checked(tree));
        Click(dlg, CExportCsvDlg::kTabRadio);
        EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kSemicolonRadio));
        dlg.CheckDlgButton(CExportCsvDlg::kAvgCheck, BST_UNCHECKED);
        RenderWindow(dlg, "export-csv-dialog-choices");
        Click(dlg, IDOK);
    }, true);
    ASSERT_EQ(IDOK, result);
    EXPECT_EQ((std::vector<int>{41, 49, 51, 52}), dialog.GetQuantities());
    EXPECT_EQ("\t", dialog.GetSeparator());
    EXPECT_TRUE(dialog.IsTrend());
    EXPECT_FALSE(dialog.IsAvg());
    EXPECT_TRUE(dialog.IsMin() && dialog.IsMax() && dialog.IsTotal());
    EXPECT_EQ(CString("-6,41,49,53"), Profile("ExportDlgTrendState"));
    EXPECT_EQ(CString("-100"), Profile("ExportDlgDemandState"));
    EXPECT_EQ(CString("0"), Profile("ExportDlgDataSource"));
    EXPECT_EQ(CString("1"), Profile("ExportDlgSeparator"));
    EXPECT_EQ(CString("0"), Profile("ExportDlgSerieAvg"));
    EXPECT_EQ(CString("1"), Profile("ExportDlgSerieMin"));
}

TEST_F(ExportCsvDlgTest, EachSourceKeepsItsOwnMarksWhileTheDialogIsOpen)
{
    CExportCsvDlg dialog;
    const INT_PTR result = Run(dialog, [](CExportCsvDlg& dlg, CTreeCtrl& tree) {
        ClickCheckBox(tree, Find(tree, 0));
        // A check posted just before the tree is refilled finds its item gone and does nothing.
        dlg.PostMessage(CExportCsvDlg::WM_TREE_CHECK_CHANGED, 0, LPARAM(Find(tree, -1)));
        Click(dlg, CExportCsvDlg::kDemandRadio);
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kDemandRadio));
        EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kTrendRadio));
        EXPECT_EQ(kDemandItems, Checked(tree));
        ClickCheckBox(tree, Find(tree, 1));
        Click(dlg, CExportCsvDlg::kTrendRadio);
        EXPECT_EQ(25u, Items(tree).size());
        EXPECT_FALSE(tree.GetCheck(Find(tree, 0)));
        Click(dlg, CExportCsvDlg::kDemandRadio);
        EXPECT_FALSE(tree.GetCheck(Find(tree, 1)));
        Click(dlg, IDOK);
    }, true);
    ASSERT_EQ(IDOK, result);
    EXPECT_FALSE(dialog.IsTrend());
    EXPECT_EQ((std::vector<int>{0, 41, 42, 43, 48, 49}), dialog.GetQuantities());
    EXPECT_EQ(CString("-6,-5,-4,-3,-2,-1,1,2,5,6,7,8,9,20,21,22,29,30,41,42,43,48,49,53"), Profile("ExportDlgTrendState"));
    EXPECT_EQ(CString("-2,-1,0,41,42,43,48,49"), Profile("ExportDlgDemandState"));
    EXPECT_EQ(CString("1"), Profile("ExportDlgDataSource"));
}

TEST_F(ExportCsvDlgTest, StoredChoicesComeBack)
{
    SetProfile("ExportDlgTrendState", "5,,20");
    SetProfile("ExportDlgDemandState", "-2,-6");
    SetProfile("ExportDlgSeparator", "7");
    SetProfile("ExportDlgSerieMax", "0");
    CExportCsvDlg dialog;
    Run(dialog, [](CExportCsvDlg& dlg, CTreeCtrl& tree) {
        EXPECT_EQ((std::vector<int>{5, 20}), Checked(tree));
        EXPECT_EQ(BST_CHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kSemicolonRadio));
        EXPECT_EQ(BST_UNCHECKED, dlg.IsDlgButtonChecked(CExportCsvDlg::kMaxCheck));
        Click(dlg, CExportCsvDlg::kDemandRadio);
        EXPECT_EQ((std::vector<int>{-2}), Checked(tree));
        Click(dlg, IDOK);
    }, true);
    // Only a group item checked: nothing to export but times and periods.
    EXPECT_TRUE(dialog.GetQuantities().empty());
    EXPECT_EQ(";", dialog.GetSeparator());
}

TEST_F(ExportCsvDlgTest, StateTextsParseLeniently)
{
    EXPECT_EQ((std::vector<int>{5, 20}), CExportCsvDlg::ParseState("20,,5"));
    EXPECT_EQ((std::vector<int>{-100}), CExportCsvDlg::ParseState("-100"));
    // A token that is no number selects nothing (it once read as 0, the "Voltage" item).
    EXPECT_EQ((std::vector<int>{41}), CExportCsvDlg::ParseState("abc,41,7x,"));
    EXPECT_EQ((std::vector<int>{-3, 2}), CExportCsvDlg::ParseState(",2, -3 ,99999999999"));
    EXPECT_TRUE(CExportCsvDlg::ParseState("").empty());
    EXPECT_EQ(CString("-6,41,53"), CExportCsvDlg::FormatState({-6, 41, 53}));
    EXPECT_EQ((std::vector<int>{0, 41, 51, 52}), CExportCsvDlg::QuantitiesOfState({-6, -1, 0, 41, 53}));

    SetProfile("ExportDlgTrendState", "x,5");
    CExportCsvDlg dialog;
    Run(dialog, [](CExportCsvDlg&, CTreeCtrl& tree) { EXPECT_EQ((std::vector<int>{5}), Checked(tree)); });
}

TEST_F(ExportCsvDlgTest, TheTreeCannotBeCollapsed)
{
    CExportCsvDlg dialog;
    Run(dialog, [](CExportCsvDlg&, CTreeCtrl& tree) {
        const HTREEITEM group = Find(tree, -2);
        tree.SelectItem(group);
        tree.SendMessage(WM_KEYDOWN, VK_LEFT);
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_TRUE(tree.GetItemState(group, TVIS_EXPANDED) & TVIS_EXPANDED);
        const HTREEITEM root = tree.GetRootItem();
        tree.SelectItem(root);
        tree.SendMessage(WM_KEYDOWN, VK_LEFT);
        CRect row;
        ASSERT_TRUE(tree.GetItemRect(root, &row, FALSE));
        tree.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(row.left + 40, row.CenterPoint().y));
        CFrameworkApp::PumpWaitingMessages();
        EXPECT_TRUE(tree.GetItemState(root, TVIS_EXPANDED) & TVIS_EXPANDED);
        EXPECT_EQ(25u, Items(tree).size());
    });
}

} // namespace
