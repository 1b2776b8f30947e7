// Pictures of the project window of the sample project, one per tab and study view, for a person
// to look at: run with --gtest_also_run_disabled_tests; they are written to ORN_RENDER_DIR (/tmp
// when unset).
#include "MainViewFixture.h"
#include "SampleProjectFixture.h"
#include "mainview/StudyTabsEnabled.h"

#include "support/WindowPicture.h"

class RenderPagesTest : public SampleProjectFixture
{
};

TEST_F(RenderPagesTest, DISABLED_TheSampleProjectWindowForEveryTab)
{
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "project", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 1200, 800),
                                nullptr, 0));
    {
        SViewCreateContext context;
        context.document = &m_document;
        CMainView view;
        ASSERT_TRUE(view.Create(&window, nullptr, context));
        UpdateStudyTabsEnabled(view.GetLayout(), &m_document);
        auto& tabs = *dynamic_cast<TTabWnd*>(view.GetRootWindow());
        SavePicture(window, "tab0-project-manager");
        tabs.SetActiveTab(1);
        SavePicture(window, "tab1-energy-before-build");
        for (int viewId : {0, 2, 4, 5}) {
            view.SetCurrentViewId(viewId);
            view.BuildStudyLayout(context);
            SavePicture(window, "study-view-" + std::to_string(viewId));
        }
        for (int tab : {3, 4}) {
            tabs.SetActiveTab(tab);
            SavePicture(window, "tab" + std::to_string(tab));
        }
        view.GetFramework().Destroy();
    }
    window.DestroyWindow();
}
