// A picture of the Demand page of a project with two sessions from the session writer (a feeder
// that draws and returns energy, with a tariff chosen for its costs, and a short session that
// only returns energy), with the time range on and both table sections expanded, for a person
// to look at: run with --gtest_also_run_disabled_tests; it is written to ORN_RENDER_DIR (/tmp
// when unset).
#include "MainViewFixture.h"
#include "mainview/StudyTabsEnabled.h"

#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/FileDialogService.h"
#include "project/RecDoc.h"
#include "study/BasicGraphView.h"
#include "study/DemandTableViews.h"
#include "support/MessageBoxRecorder.h"
#include "support/SessionWriter.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"
#include "support/WindowPicture.h"

namespace {

CSplitFrame* FrameAt(CMainView& view, int entry)
{
    const TVisualObject* object = view.GetLayout().GetObject(entry);
    return object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
}

} // namespace

TEST(RenderDemandPageTest, DISABLED_TheDemandPageOfTwoSessions)
{
    CFrameworkApp::EnsureInitialized();
    CStringTable::Instance().LoadLanguage("ENG");
    CTempXdgHome home;
    CTempFolder folder;
    CMessageBoxRecorder boxes;
    CProgressThread::SetDialogFactory([] { return std::make_unique<CRecordingProgressDialog>(); });
    std::string answer;
    const FileDialogHandler previous = SetFileDialogHandler([&](const SFileDialogRequest&, CString& path) {
        path = answer;
        return true;
    });
    SSessionSpec returning;
    returning.averagingSeconds = 300;
    returning.demandSeconds = 300;
    returning.trendRecords = 60;
    returning.gapStart = -1;
    returning.drawsEnergy = false;
    returning.returnedPower = 1500.0;
    returning.name = u"Rooftop";
    ASSERT_TRUE(WriteBytesToFile(folder.Path("rooftop.zlg"), CSessionWriter(returning).BuildFile()));
    answer = folder.Path("rooftop.zca");
    {
        CRecDoc maker;
        ASSERT_TRUE(maker.OnOpenDocument(CString(folder.Path("rooftop.zlg"))));
    }
    SSessionSpec feeder;
    feeder.returnedPower = 2000.0;
    ASSERT_TRUE(WriteBytesToFile(folder.Path("feeder.zlg"), CSessionWriter(feeder).BuildFile()));
    answer = folder.Path("project.zca");
    CRecDoc document;
    ASSERT_TRUE(document.OnOpenDocument(CString(folder.Path("feeder.zlg"))));
    ASSERT_EQ(document.ImportSession(CString(folder.Path("rooftop.zca")), 0), 0);
    CEnergyCosts tariff;
    tariff.SetEnabled(true);
    tariff.SetCurrency("EUR");
    tariff.SetCostFwd(0.30f);
    tariff.SetCostRev(0.08f);
    tariff.AddRatio({0.20f, 0.05f, {{22 * 60, 6 * 60}}});
    document.GetUserViewSettings()->GetSession(0)->energyCosts = tariff;

    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1400, 1000),
                                nullptr, 0));
    {
        SViewCreateContext context;
        context.document = &document;
        CMainView view;
        ASSERT_TRUE(view.Create(&window, nullptr, context));
        UpdateStudyTabsEnabled(view.GetLayout(), &document);
        dynamic_cast<TTabWnd*>(view.GetRootWindow())->SetActiveTab(1);
        view.SetCurrentViewId(1);
        view.BuildStudyLayout(context);
        CSplitFrame* graphFrame = FrameAt(view, 9);
        ASSERT_NE(graphFrame, nullptr);
        auto* graph = dynamic_cast<CBasicGraphView*>(graphFrame->GetView());
        ASSERT_NE(graph, nullptr);
        // The feeder's costs at its tariff, as a click on "advanced" would choose.
        ASSERT_GE(graph->GetSettings().m_costTables.size(), 1u);
        graph->GetSettings().m_costTables[0].isAdvanced = true;
        if (CWnd* check = graphFrame->GetDialogBar() ? graphFrame->GetDialogBar()->GetDlgItem(1093) : nullptr)
            check->SendMessage(BM_SETCHECK, BST_CHECKED);
        graph->SendMessage(WM_COMMAND, MAKEWPARAM(1093, BN_CLICKED), 0);
        CFrameworkApp::PumpWaitingMessages();
        for (int entry : {8, 10}) {
            CSplitFrame* frame = FrameAt(view, entry);
            ASSERT_NE(frame, nullptr);
            if (frame->IsSectionCollapsed())
                frame->ToggleSection(1);
            auto* table = dynamic_cast<CDemandTableView*>(frame->GetView());
            ASSERT_NE(table, nullptr);
            table->SendMessage(WM_DEMAND_COST_CHOICE, 0, 0);
        }
        CFrameworkApp::PumpWaitingMessages();
        SavePicture(window, "demand-page");
        view.GetFramework().Destroy();
    }
    window.DestroyWindow();
    SetFileDialogHandler(previous);
    CProgressThread::SetDialogFactory({});
}
