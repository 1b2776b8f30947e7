// Pictures of the study pages of the sample project at 1024 x 720 as the View menu shows them
// (WM_USER+60 reaches the document's study switch), each shown first and then again after the
// Project Manager tab, when the page that was built comes back, for a person to look at: run
// with --gtest_also_run_disabled_tests; they are written to ORN_RENDER_DIR (/tmp when unset).
#include "MainViewFixture.h"
#include "SampleProjectFixture.h"
#include "mainview/MainViewStudyHost.h"
#include "mainview/StudyTabsEnabled.h"

#include "support/WindowPicture.h"

class RenderStudyPageReturnTest : public SampleProjectFixture
{
};

TEST_F(RenderStudyPageReturnTest, DISABLED_EachStudyPageShownAndShownAgain)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1024, 720),
                                nullptr, 0));
    {
        SViewCreateContext context;
        context.document = &m_document;
        CMainView view;
        ASSERT_TRUE(view.Create(&window, nullptr, context));
        CMainViewStudyHost host(view, window, context);
        m_document.SetStudyViewHost(&host);
        UpdateStudyTabsEnabled(view.GetLayout(), &m_document);
        const struct
        {
            int viewId;
            const char* name;
        } pages[] = {{0, "rms-power"}, {1, "demand"}, {3, "fundamental-power"}, {4, "v-a-hz-thd"}};
        for (const auto& page : pages) {
            m_document.ShowStudyView(0, page.viewId);
            CFrameworkApp::PumpWaitingMessages();
            SavePicture(window, "page-" + std::string(page.name));
            // The Project Manager tab from the View menu, then the Energy Study tab again.
            view.GetFramework().SelectTab(view.GetLayout().GetObject(SMainViewLayout::kProjectManagerTab));
            CFrameworkApp::PumpWaitingMessages();
            m_document.ShowStudyView(1, 0);
            CFrameworkApp::PumpWaitingMessages();
            SavePicture(window, "page-" + std::string(page.name) + "-again");
        }
        m_document.SetStudyViewHost(nullptr);
        view.GetFramework().Destroy();
    }
    window.DestroyWindow();
    CFrameworkApp::PumpWaitingMessages();
}
