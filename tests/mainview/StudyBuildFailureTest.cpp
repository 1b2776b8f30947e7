// A study build whose page cannot be made leaves both study tabs as usable empty pages, logs the
// failure and lets the next build succeed.
#include "MainViewFixture.h"

#include "mainview/PageFrames.h"
#include "views/MyFormView.h"
#include "support/LogCapture.h"

namespace {

// A view whose window refuses to be made.
class CRefusingView : public CMyFormView
{
public:
    static const SRuntimeClass& Class()
    {
        static const SRuntimeClass runtimeClass{"CRefusingView", &CMyFormView::Class(),
                                                &CreateWindowObject<CRefusingView>, nullptr};
        return runtimeClass;
    }

protected:
    int OnCreate(LPCREATESTRUCT) override { return -1; }
};

// Puts another view class into a frame's row for the time of a test, as the issue that builds a
// view does for good.
class CSwappedView
{
public:
    CSwappedView(EPageFrame frame, const SRuntimeClass& view)
        : m_class(const_cast<SRuntimeClass&>(GetPageFrameClass(frame))), m_previous(m_class.paneClass)
    {
        m_class.paneClass = &view;
    }
    ~CSwappedView() { m_class.paneClass = m_previous; }
    CSwappedView(const CSwappedView&) = delete;
    CSwappedView& operator=(const CSwappedView&) = delete;

private:
    SRuntimeClass& m_class;
    const SRuntimeClass* m_previous;
};

using StudyBuildFailureTest = MainViewFixture;

} // namespace

TEST_F(StudyBuildFailureTest, AFailedBuildLeavesEmptyStudyPagesAndTheNextBuildWorks)
{
    Build(3);
    const int windowsBefore = CountWindows(m_window);
    {
        CSwappedView refusing(EPageFrame::SummaryGraph, CRefusingView::Class());
        CLogCapture log;
        Build(0);
        bool logged = false;
        for (const std::string& line : log.Messages())
            logged = logged || line.find("study view 0 could not be built") != std::string::npos;
        EXPECT_TRUE(logged);
    }
    EXPECT_EQ(m_view->GetCurrentViewId(), -1);
    ASSERT_EQ(Tabs().GetTabCount(), 5);
    EXPECT_EQ(Tabs().GetTabTitle(1), CString("Energy Study"));
    EXPECT_EQ(Tabs().GetTabTitle(2), CString("Load Study"));
    for (TVisualObject* tab : {Layout().energy.tab, Layout().load.tab}) {
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->GetKind(), TVisualObject::kWindow);
        auto* page = dynamic_cast<CSplitFrame*>(tab->GetWnd());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(std::string(page->GetFrameClass()->className), "CEmptyFrame");
    }
    for (int entry = 5; entry <= 18; ++entry)
        EXPECT_EQ(Layout().GetObject(entry), nullptr) << entry;
    // Nothing of the half-made page is left: the two empty pages replaced the three sections,
    // their toolbars and bars of view 3 (and the selector).
    EXPECT_LT(CountWindows(m_window), windowsBefore);
    const int emptyWindows = CountWindows(m_window);

    Build(1);
    EXPECT_EQ(m_view->GetCurrentViewId(), 1);
    EXPECT_NE(Frame(8), nullptr);
    Build(1);
    m_view->SetCurrentViewId(-1);
    {
        CSwappedView refusing(EPageFrame::DemandTable, CRefusingView::Class());
        Build(1);
    }
    EXPECT_EQ(CountWindows(m_window), emptyWindows);
}
