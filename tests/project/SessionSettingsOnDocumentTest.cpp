#include "DialogTestSupport.h"
#include "DocProjectFixture.h"

#include "platform/storage/StorageStream.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/ProjectManagerSettings.h"

#include <cstdlib>

namespace
{
class SessionSettingsOnDocumentTest : public DialogTest
{
protected:
    static void PickTime(CEnergyCostsDlg& page, CECDateTimeCtrl& picker, int minutes)
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
        header.code = DTN_DATETIMECHANGE;
        page.SendMessage(WM_NOTIFY, header.idFrom, LPARAM(&header));
    }
    static void LeaveEdit(CWnd& page, CWnd& edit, const CString& text)
    {
        edit.SetWindowText(text);
        page.SendMessage(WM_COMMAND, MAKEWPARAM(edit.GetDlgCtrlID(), EN_KILLFOCUS), LPARAM(edit.m_hWnd));
    }
    static std::string ReadProjectXml(const CString& path)
    {
        CZcaArchive archive;
        EXPECT_TRUE(archive.Open(path));
        std::unique_ptr<CStorageStream> stream;
        EXPECT_TRUE(archive.OpenStream(CZcaArchive::kProjectStreamName, EStorageAccess::Read, stream));
        std::string text(std::size_t(stream->GetLength()), '\0');
        std::size_t read = 0;
        stream->Read(text.data(), text.size(), read);
        return text;
    }

    DocProjectFixture m_project;
};
} // namespace

TEST_F(SessionSettingsOnDocumentTest, TariffEditedInTheDialogIsReadBackFromProjectXml)
{
    CEnergyCosts edited;
    {
        CRecDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(m_project.ProjectPath()));
        const CMeasurementConfig& config = doc.GetDataSet(0)->GetMeasurementConfig();
        SProjectManagerDataSetEntry entry;
        CEditAuxSettingsDlg dialog(&doc, &entry, &config, 0, false);
        const auto previous = CDialog::SetModalDriver([&](CDialog& d) {
            auto& dlg = static_cast<CEditAuxSettingsDlg&>(d);
            ASSERT_TRUE(dlg.IsEnergyStudy());
            dlg.ShowPage(1);
            CEnergyCostsDlg& page = *dlg.GetCostPage();
            LeaveEdit(page, *page.GetDlgItem(CEnergyCostsDlg::kCurrencyEdit), "EUR");
            LeaveEdit(page, *page.GetDlgItem(CEnergyCostsDlg::kBasicFwdEdit), "0.2");
            LeaveEdit(page, *page.GetDlgItem(CEnergyCostsDlg::kBasicRevEdit), "0.05");
            page.SendMessage(WM_COMMAND, MAKEWPARAM(CEnergyCostsDlg::kAddRatioButton, BN_CLICKED), 0);
            LeaveEdit(page, *page.GetGroup(0).fwdEdit, "0.35");
            PickTime(page, *page.GetGroup(0).rows[0].start, 480);
            PickTime(page, *page.GetGroup(0).rows[0].end, 720);
            CWnd& add = *page.GetGroup(0).addInterval;
            page.SendMessage(WM_COMMAND, MAKEWPARAM(add.GetDlgCtrlID(), BN_CLICKED), LPARAM(add.m_hWnd));
            PickTime(page, *page.GetGroup(0).rows[1].start, 1320);
            PickTime(page, *page.GetGroup(0).rows[1].end, 360);
            dlg.GetDlgItem(IDOK)->SetFocus();
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        });
        const INT_PTR result = dialog.DoModal();
        CDialog::SetModalDriver(previous);
        ASSERT_EQ(result, IDOK);
        dialog.StoreSettings(entry);
        edited = entry.energyCosts;
        ASSERT_EQ(edited.GetRatioCount(), 1);

        CProjectManagerSettings manager;
        manager.SetPresent(true);
        manager.m_dataSets.push_back(entry);
        doc.GetProjectSettings()->SetViewSettings(CViewSettings::kProjectManagerViewId, &manager);
        doc.SaveProject();
        doc.OnCloseDocument();
    }

    const std::string xml = ReadProjectXml(m_project.ProjectPath());
    EXPECT_NE(xml.find("<energyCosts currency=\"EUR\" costFwd=\"0.2\" costRev=\"0.05\">"), std::string::npos) << xml;
    EXPECT_NE(xml.find("<interval start=\"1320\" end=\"360\"/>"), std::string::npos) << xml;

    CRecDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(m_project.ProjectPath()));
    const auto* manager = dynamic_cast<const CProjectManagerSettings*>(
        reopened.GetProjectSettings()->GetViewSettings(CViewSettings::kProjectManagerViewId));
    ASSERT_TRUE(manager);
    ASSERT_TRUE(manager->GetDataSetEntry(0));
    EXPECT_EQ(manager->GetDataSetEntry(0)->energyCosts, edited);
    const SRatioData& ratio = edited.GetRatio(0);
    EXPECT_FLOAT_EQ(ratio.costFwd, 0.35f);
    EXPECT_EQ(ratio.GetInterval(0), (SRatioInterval{480, 720}));
    EXPECT_EQ(ratio.GetInterval(1), (SRatioInterval{1320, 360}));
    EXPECT_EQ(reopened.GetUserViewSettings()->GetSession(0)->energyCosts, edited);
    reopened.OnCloseDocument();
}

TEST_F(SessionSettingsOnDocumentTest, CorrectedRangeOfTheRecordedAuxValuesFollowsTheEdits)
{
    CRecDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(m_project.ProjectPath()));
    const CMeasurementConfig& config = doc.GetDataSet(0)->GetMeasurementConfig();
    SProjectManagerDataSetEntry entry;
    entry.AuxOverride = true;
    entry.auxData[0] = {TRUE, 2.0f, 1.0f, "x"};
    CEditAuxSettingsDlg dialog(&doc, &entry, &config, 0, false);
    const auto previous = CDialog::SetModalDriver([&](CDialog& d) {
        auto& dlg = static_cast<CEditAuxSettingsDlg&>(d);
        auto number = [&](UINT id) {
            CString text;
            dlg.GetDlgItemText(int(id), text);
            return std::strtod(text.GetString(), nullptr);
        };
        auto unitOf = [&](UINT id) {
            CString text;
            dlg.GetDlgItemText(int(id), text);
            const int space = text.Find(' ');
            return space < 0 ? CString() : text.Mid(space + 1);
        };
        const double loggedMax = number(CEditAuxSettingsDlg::kLoggedMax[0]);
        const double loggedMin = number(CEditAuxSettingsDlg::kLoggedMin[0]);
        EXPECT_LT(loggedMin, loggedMax);
        EXPECT_EQ(unitOf(CEditAuxSettingsDlg::kLoggedMax[0]), "V");
        EXPECT_NEAR(number(CEditAuxSettingsDlg::kCorrectedMax[0]), loggedMax * 2 + 1, 1e-3);
        EXPECT_NEAR(number(CEditAuxSettingsDlg::kCorrectedMin[0]), loggedMin * 2 + 1, 1e-3);
        EXPECT_EQ(unitOf(CEditAuxSettingsDlg::kCorrectedMax[0]), "x");

        // Entering another box takes the new gain and offset.
        dlg.GetDlgItem(int(CEditAuxSettingsDlg::kGainEdit[0]))->SetFocus();
        dlg.SetDlgItemText(int(CEditAuxSettingsDlg::kGainEdit[0]), "-3");
        dlg.SetDlgItemText(int(CEditAuxSettingsDlg::kOffsetEdit[0]), "0.5");
        dlg.GetDlgItem(int(CEditAuxSettingsDlg::kUnitEdit[1]))->SetFocus();
        EXPECT_NEAR(number(CEditAuxSettingsDlg::kCorrectedMax[0]), -3 * loggedMax + 0.5, 1e-3);
        EXPECT_NEAR(number(CEditAuxSettingsDlg::kCorrectedMin[0]), -3 * loggedMin + 0.5, 1e-3);

        // A valid entry shows at once, while its box keeps the focus; while the text is one the
        // box refuses (the start of a number, the other decimal convention, a number with letters
        // after it), the channel's corrected values show nothing, never a value of part of it.
        CWnd* gain = dlg.GetDlgItem(int(CEditAuxSettingsDlg::kGainEdit[0]));
        gain->SetFocus();
        dlg.SetDlgItemText(int(CEditAuxSettingsDlg::kGainEdit[0]), "4");
        EXPECT_NEAR(number(CEditAuxSettingsDlg::kCorrectedMax[0]), 4 * loggedMax + 0.5, 1e-3);
        for (const char* refused : {"-", "2,5", "3abc"}) {
            dlg.SetDlgItemText(int(CEditAuxSettingsDlg::kGainEdit[0]), refused);
            for (UINT id : {CEditAuxSettingsDlg::kCorrectedMax[0], CEditAuxSettingsDlg::kCorrectedMin[0]}) {
                CString shown;
                dlg.GetDlgItemText(int(id), shown);
                EXPECT_EQ(shown, "") << refused;
            }
        }
        dlg.SetDlgItemText(int(CEditAuxSettingsDlg::kUnitEdit[0]), "mA");
        dlg.SetDlgItemText(int(CEditAuxSettingsDlg::kGainEdit[0]), "4");
        EXPECT_NEAR(number(CEditAuxSettingsDlg::kCorrectedMax[0]), 4 * loggedMax + 0.5, 1e-3);
        EXPECT_EQ(unitOf(CEditAuxSettingsDlg::kCorrectedMax[0]), "mA");
        EXPECT_EQ(CWnd::GetFocus(), gain);
        d.EndDialog(IDCANCEL);
    });
    dialog.DoModal();
    CDialog::SetModalDriver(previous);
    doc.OnCloseDocument();
}
