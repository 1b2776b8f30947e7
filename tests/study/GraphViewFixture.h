#pragma once
// A minimal concrete graph view (voltage per phase in row 0, the power factor total in row 1,
// active power total in row 2) inside a split frame with the graph toolbar and the options bar,
// two recording table views, and projects of one to five sessions from the session writer.
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/RecDoc.h"
#include "study/BasicGraphView.h"
#include "study/GraphViewDialogBars.h"
#include "study/RecTrendToIOComp.h"
#include "study/SetupPlot.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"
#include "views/SplitFrame.h"
#include "views/ToolBarBuilders.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

inline constexpr DWORD kVoltageQuantity = 0;
inline constexpr DWORD kPowerFactorQuantity = 8;
inline constexpr DWORD kActivePowerQuantity = 5;

class CTestGraphView : public CBasicGraphView
{
public:
    explicit CTestGraphView(int studyType = 1)
        : CBasicGraphView(studyType == 2 ? 5 : 0, studyType == 2 ? 16 : 2, studyType)
    {
    }
    CTestGraphView(int studyType, int settingsKind, int viewKind) : CBasicGraphView(settingsKind, viewKind, studyType) {}
    static const SRuntimeClass& Class()
    {
        static const SRuntimeClass runtimeClass{"CTestGraphView", &CMyFormView::Class(), &CreateWindowObject<CTestGraphView>, nullptr};
        return runtimeClass;
    }

    void InitDataItems() override
    {
        m_dataItems = {{kVoltageQuantity, 3, 0, 0, false, false},
                       {kPowerFactorQuantity, 4, 1, 1, false, false},
                       {kActivePowerQuantity, 4, 2, 2, false, false}};
    }
    bool IsItemShown(DWORD quantity, int slot) const override
    {
        const int row = quantity == kVoltageQuantity ? 0 : quantity == kPowerFactorQuantity ? 1 : 2;
        return GetSettings().m_channels[std::size_t(row)][std::size_t(slot)];
    }
    CString GetDataItemName(const SDataItem& item, int slot) const override
    {
        CString name;
        if (item.quantity == kVoltageQuantity)
            name.Format("V%d", slot + 1);
        else
            name = item.quantity == kPowerFactorQuantity ? "PF" : "P";
        return name;
    }
    void ConfigurePlot() override
    {
        SetupPlot(*GetPlotControl(), PlotSetup::kEnergySummaryOptions);
        const DWORD quantities[] = {kVoltageQuantity, kPowerFactorQuantity, kActivePowerQuantity};
        const UINT titles[] = {0, 0, 0};
        GetDataToIOComp()->SetYAxes(3, quantities, titles, nullptr);
        GetDataToIOComp()->SetAxisTitle(0, "Voltage [V]");
        GetDataToIOComp()->SetAxisTitle(1, "PF");
        GetDataToIOComp()->SetAxisTitle(2, "P [kW]");
    }
    // Phase A of the voltage besides the base's default (the total, which voltage lacks).
    void SetDefaultSettings() override
    {
        CBasicGraphView::SetDefaultSettings();
        GetSettings().m_channels[0][0] = true;
    }
    void UpdateTimeRangeSection() override { ++timeRangeSectionUpdates; }
    void StartWorkingHoursRetry() { StartTimer(kWorkingHoursTimer); }

    int timeRangeSectionUpdates = 0;
};

class CLoadTestGraphView : public CTestGraphView
{
public:
    CLoadTestGraphView() : CTestGraphView(2) {}
    static const SRuntimeClass& Class()
    {
        static const SRuntimeClass runtimeClass{"CLoadTestGraphView", &CMyFormView::Class(),
                                                &CreateWindowObject<CLoadTestGraphView>, nullptr};
        return runtimeClass;
    }
};

// The demand study's identity (settings kind 1, view kind 5) on the same data items.
class CDemandTestGraphView : public CTestGraphView
{
public:
    CDemandTestGraphView() : CTestGraphView(1, 1, 5) {}
    static const SRuntimeClass& Class()
    {
        static const SRuntimeClass runtimeClass{"CDemandTestGraphView", &CMyFormView::Class(),
                                                &CreateWindowObject<CDemandTestGraphView>, nullptr};
        return runtimeClass;
    }
    void OnDemandSourceChanged(bool useTrendData) override { demandSources.push_back(useTrendData); }
    std::vector<bool> demandSources;
};

// A table view that records the refill requests it receives.
class CRecordingTableView : public CMyFormView
{
public:
    CRecordingTableView() { m_bAutoDelete = false; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_TABLE_REFILL) {
            refills.push_back(wParam);
            return 0;
        }
        return CMyFormView::WindowProc(message, wParam, lParam);
    }
    std::vector<WPARAM> refills;
};

class GraphViewFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
        m_previousDialog = SetFileDialogHandler([this](const SFileDialogRequest&, CString& path) {
            path = m_dialogAnswer;
            return true;
        });
    }
    void TearDown() override
    {
        CloseView();
        if (m_document)
            m_document->OnCloseDocument();
        m_document.reset();
        m_window.DestroyWindow();
        SetFileDialogHandler(std::move(m_previousDialog));
        CProgressThread::SetDialogFactory({});
        CFrameworkApp::PumpWaitingMessages();
    }

    static SSessionSpec Spec(WORD studyType = 1, DWORD averaging = 600, int records = 144)
    {
        SSessionSpec recording;
        recording.studyType = studyType;
        recording.averagingSeconds = averaging;
        recording.trendRecords = records;
        return recording;
    }

    CString MakeProject(const std::string& name, const SSessionSpec& recording)
    {
        const std::string session = m_folder.Path(name + ".zlg");
        EXPECT_TRUE(WriteBytesToFile(session, CSessionWriter(recording).BuildFile()));
        m_dialogAnswer = m_folder.Path(name + ".zca");
        CRecDoc doc;
        EXPECT_TRUE(doc.OnOpenDocument(session));
        doc.OnCloseDocument();
        return m_dialogAnswer;
    }

    // A project of the sessions, in this order.
    void OpenProject(const std::vector<SSessionSpec>& specs)
    {
        const CString path = MakeProject("project", specs.front());
        for (std::size_t i = 1; i < specs.size(); ++i)
            m_sources.push_back(MakeProject("source" + std::to_string(i), specs[i]));
        m_document = std::make_unique<CRecDoc>();
        ASSERT_TRUE(m_document->OnOpenDocument(path));
        for (const CString& source : m_sources)
            ASSERT_EQ(m_document->ImportSession(source, 0), 0);
    }

    void OpenView(const SRuntimeClass& viewClass = CTestGraphView::Class(),
                  std::unique_ptr<CBasicGraphViewDialogBar> bar = std::make_unique<CSummaryGraphViewDialogBar>())
    {
        if (!m_window.GetSafeHwnd()) {
            ASSERT_TRUE(m_window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                                          CRect(0, 0, 1200, 760), nullptr, 0));
        }
        SViewCreateContext context;
        context.document = m_document.get();
        m_frame = new CSplitFrame(&viewClass);
        ASSERT_TRUE(m_frame->CreateFrame(&m_window, CRect(0, 0, 1200, 700), 1, context));
        ASSERT_NE(AddGraphSectionToolBar(*m_frame, 10057, false), nullptr);
        ASSERT_TRUE(m_frame->AddDialogBar(std::move(bar), kGraphOptionsTemplate));
        m_view = dynamic_cast<CBasicGraphView*>(m_frame->GetView());
        ASSERT_NE(m_view, nullptr);
        m_bar = dynamic_cast<CBasicGraphViewDialogBar*>(m_frame->GetDialogBar());
        ASSERT_NE(m_bar, nullptr);
        m_table = std::make_unique<CRecordingTableView>();
        m_timeRangeTable = std::make_unique<CRecordingTableView>();
        ASSERT_TRUE(m_table->CreateView(&m_window, 2, nullptr));
        ASSERT_TRUE(m_timeRangeTable->CreateView(&m_window, 3, nullptr));
        m_view->SetDialogBar(m_bar);
        m_view->SetTableViews(m_table.get(), m_timeRangeTable.get());
        m_view->SendMessage(WM_INITIALUPDATE);
    }

    void CloseView()
    {
        if (m_frame && m_frame->GetSafeHwnd())
            m_frame->DestroyWindow();
        m_frame = nullptr;
        m_view = nullptr;
        m_table.reset();
        m_timeRangeTable.reset();
    }

    CTestGraphView& View() { return *dynamic_cast<CTestGraphView*>(m_view); }
    CiPlotX& Chart() { return *m_view->GetPlotControl(); }
    // The user's click on a control of the dialog bar (a check box changes first).
    void Click(UINT id)
    {
        if (CWnd* control = m_bar->GetDlgItem(int(id)); control && (control->GetStyle() & BS_TYPEMASK) == BS_AUTOCHECKBOX)
            control->SendMessage(BM_SETCHECK, control->SendMessage(BM_GETCHECK) ? BST_UNCHECKED : BST_CHECKED);
        m_view->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    }
    void Command(UINT id) { m_view->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    int VisibleChannels() const
    {
        int count = 0;
        for (int i = 0; i < m_view->GetPlotControl()->GetChannelCount(); ++i)
            count += m_view->GetPlotControl()->GetChannel(i)->IsVisible() ? 1 : 0;
        return count;
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    FileDialogHandler m_previousDialog;
    CString m_dialogAnswer;
    std::vector<CString> m_sources;
    std::unique_ptr<CRecDoc> m_document;
    CWnd m_window;
    CSplitFrame* m_frame = nullptr; // deletes itself with its window
    CBasicGraphView* m_view = nullptr;
    CBasicGraphViewDialogBar* m_bar = nullptr;
    std::unique_ptr<CRecordingTableView> m_table;
    std::unique_ptr<CRecordingTableView> m_timeRangeTable;
};
