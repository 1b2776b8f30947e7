// Pictures of the Summary, Fundamental Power and V/A/Hz/THD pages of the sample project with the
// graph, its time range on, and both table sections expanded, for a person to look at: run with --gtest_also_run_disabled_tests;
// they are written to ORN_RENDER_DIR (/tmp when unset).
#include "MainViewFixture.h"
#include "SampleProjectFixture.h"
#include "mainview/StudyTabsEnabled.h"

#include "study/BasicGraphView.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/BasicTableView.h"
#include "support/WindowPicture.h"

class RenderStudyTablesTest : public SampleProjectFixture
{
};

TEST_F(RenderStudyTablesTest, DISABLED_TheTablesOfTheSampleProject)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1400, 1000),
                                nullptr, 0));
    {
        SViewCreateContext context;
        context.document = &m_document;
        CMainView view;
        ASSERT_TRUE(view.Create(&window, nullptr, context));
        UpdateStudyTabsEnabled(view.GetLayout(), &m_document);
        auto& tabs = *dynamic_cast<TTabWnd*>(view.GetRootWindow());
        tabs.SetActiveTab(1);
        const struct
        {
            int viewId;
            int firstEntry;
            const char* name;
        } pages[] = {{0, 5, "summary"}, {3, 13, "fundamental-power"}, {4, 16, "v-a-hz-thd"}};
        for (const auto& page : pages) {
            view.SetCurrentViewId(page.viewId);
            view.BuildStudyLayout(context);
            // The time range on, as a click on "Set time range" (1093) of the options bar.
            const TVisualObject* graphObject = view.GetLayout().GetObject(page.firstEntry + 1);
            auto* graphFrame = graphObject ? dynamic_cast<CSplitFrame*>(graphObject->GetWnd()) : nullptr;
            ASSERT_NE(graphFrame, nullptr);
            auto* graph = dynamic_cast<CBasicGraphView*>(graphFrame->GetView());
            ASSERT_NE(graph, nullptr);
            if (CWnd* check = graphFrame->GetDialogBar() ? graphFrame->GetDialogBar()->GetDlgItem(1093) : nullptr)
                check->SendMessage(BM_SETCHECK, BST_CHECKED);
            graph->SendMessage(WM_COMMAND, MAKEWPARAM(1093, BN_CLICKED), 0);
            CFrameworkApp::PumpWaitingMessages();
            for (int entry : {page.firstEntry, page.firstEntry + 2}) {
                const TVisualObject* object = view.GetLayout().GetObject(entry);
                auto* frame = object ? dynamic_cast<CSplitFrame*>(object->GetWnd()) : nullptr;
                ASSERT_NE(frame, nullptr);
                if (frame->IsSectionCollapsed())
                    frame->ToggleSection(1);
            }
            CFrameworkApp::PumpWaitingMessages();
            SavePicture(window, "tables-" + std::string(page.name));
            // The lower rows: the overview table's first two groups collapsed.
            const TVisualObject* tableObject = view.GetLayout().GetObject(page.firstEntry);
            auto* tableFrame = dynamic_cast<CSplitFrame*>(tableObject->GetWnd());
            auto* table = dynamic_cast<CBasicTableView*>(tableFrame->GetView());
            ASSERT_NE(table, nullptr);
            table->GetGrid()->ToggleGroup(0, 0);
            table->GetGrid()->ToggleGroup(0, 1);
            table->GetGrid()->RedrawAll();
            CFrameworkApp::PumpWaitingMessages();
            SavePicture(window, "tables-" + std::string(page.name) + "-lower-rows");
        }
        view.GetFramework().Destroy();
    }
    window.DestroyWindow();
}
