#include "PageTestResources.h"
#include "WindowTestSupport.h"

#include "platform/framework/windows/CDialogBar.h"
#include "platform/framework/windows/CDocument.h"
#include "platform/framework/windows/CFormView.h"
#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/CToolBar.h"
#include "platform/framework/windows/WindowTesting.h"

#include <QScrollBar>

namespace
{
constexpr UINT kApply = 33061;
constexpr UINT kChecked = 33062;

class Form : public CFormView
{
    DECLARE_DYNCREATE(Form)
public:
    Form() : CFormView(CPageTestResources::kFormTemplate) {}
    std::vector<std::pair<UINT, UINT>> scrolls;
    void OnVScroll(UINT code, UINT pos, CWnd* bar) override
    {
        scrolls.emplace_back(code, pos);
        CFormView::OnVScroll(code, pos, bar);
    }
};
IMPLEMENT_DYNCREATE(Form, CFormView)

class Document : public CDocument
{
public:
    int applied = 0;
    Document()
    {
        MapCommand(kApply, [this] { ++applied; });
        MapUpdateCommandUI(kChecked, [](CCmdUI* ui) { ui->SetCheck(1); });
    }
};

class PageLayoutTest : public WindowTest
{
protected:
    void SetUp() override
    {
        context.m_pNewViewClass = RUNTIME_CLASS(Form);
        context.m_pCurrentDoc = &document;
        ASSERT_TRUE(frame.Create(nullptr, "Page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 500, 300), nullptr, nullptr, 0, &context));
        ASSERT_TRUE(graph.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS));
        ASSERT_TRUE(graph.LoadToolBar(1510));
        ASSERT_TRUE(report.CreateEx(&frame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP, CRect(0, 2, 0, 2), AFX_IDW_TOOLBAR + 1));
        ASSERT_TRUE(report.LoadToolBar(1575));
        report.SetButtonText(0, "Expand All");
        report.SetButtonText(1, "Collapse All");
        ASSERT_TRUE(bar.Create(&frame, CPageTestResources::kBarTemplate, WS_VISIBLE | CBRS_BOTTOM, AFX_IDW_DIALOGBAR));
        frame.InitialUpdateFrame(&document, TRUE);
        CFrameworkApp::PumpWaitingMessages();
    }
    Form& View() { return *static_cast<Form*>(frame.GetActiveView()); }
    static CRect Place(CWnd& w)
    {
        CRect r;
        w.GetWindowRect(&r);
        w.GetParent()->ScreenToClient(&r);
        return r;
    }
    static QScrollBar* OwnBar(CWnd& w, Qt::Orientation orientation)
    {
        for (QScrollBar* b : Widget(w)->findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
            if (b->orientation() == orientation && b->isVisibleTo(Widget(w))) return b;
        return nullptr;
    }

    CPageTestResources resources;
    Document document;
    CCreateContext context;
    CFrameWnd frame;
    CToolBar graph;
    CToolBar report;
    CDialogBar bar;
};
} // namespace

TEST_F(PageLayoutTest, BarsAndFormViewAreLaidOutAndFollowTheFrame)
{
    EXPECT_EQ(Place(graph), CRect(0, 0, 500, 26));
    EXPECT_EQ(Place(report), CRect(0, 26, 500, 52));
    EXPECT_EQ(Place(bar), CRect(0, 264, 500, 300)); // 22 dialog units high
    EXPECT_EQ(Place(View()), CRect(0, 52, 500, 264));
    // The form (450 x 325 pixels) is higher than the view: only the vertical bar shows.
    EXPECT_TRUE(View().GetStyle() & WS_VSCROLL);
    EXPECT_FALSE(View().GetStyle() & WS_HSCROLL);
    CRect client;
    View().GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 500 - 17, 212));
    ASSERT_NE(OwnBar(View(), Qt::Vertical), nullptr);

    // Narrower than the form: both bars; the horizontal one takes room from the height.
    frame.MoveWindow(0, 0, 300, 300);
    EXPECT_TRUE(View().GetStyle() & WS_HSCROLL);
    View().GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 300 - 17, 212 - 17));

    // Large enough for the whole form: no bars at all.
    frame.MoveWindow(0, 0, 800, 600);
    EXPECT_FALSE(View().GetStyle() & (WS_VSCROLL | WS_HSCROLL));
    View().GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 800, 600 - 52 - 36));
    EXPECT_EQ(Place(bar), CRect(0, 564, 800, 600));
}

TEST_F(PageLayoutTest, TheFormScrollsItsControlsAndTheOwnBarSendsScrollMessages)
{
    CWnd* bottom = View().GetDlgItem(2103);
    ASSERT_NE(bottom, nullptr);
    const int before = Place(*bottom).top;
    // 325 pixels of form in 212 of view: a page down reaches the end, and no further.
    View().SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(View().GetScrollPosition().y, 325 - 212);
    EXPECT_EQ(Place(*bottom).top, before - (325 - 212));
    View().SendMessage(WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(View().GetScrollPos(SB_VERT), 325 - 212);
    View().SendMessage(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 40), 0);
    EXPECT_EQ(Place(*bottom).top, before - 40);

    // A click on the bar's lower arrow arrives as SB_LINEDOWN.
    View().ScrollToPosition(CPoint(0, 0));
    View().scrolls.clear();
    QScrollBar* own = OwnBar(View(), Qt::Vertical);
    ASSERT_NE(own, nullptr);
    own->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_FALSE(View().scrolls.empty());
    EXPECT_EQ(View().scrolls.front().first, UINT(SB_LINEDOWN));
    EXPECT_GT(View().GetScrollPosition().y, 0);
    EXPECT_EQ(own->value(), View().GetScrollPosition().y);

    // Scale to fit: no bars, nothing scrolled.
    View().SetScaleToFitSize(CSize(-1, -1));
    EXPECT_FALSE(View().GetStyle() & (WS_VSCROLL | WS_HSCROLL));
    EXPECT_EQ(View().GetScrollPosition(), CPoint(0, 0));
    EXPECT_EQ(Place(*bottom).top, before);
}

TEST_F(PageLayoutTest, DialogBarButtonsAreRoutedAndUpdated)
{
    CWnd* apply = bar.GetDlgItem(int(kApply));
    ASSERT_NE(apply, nullptr);
    EXPECT_TRUE(apply->IsWindowEnabled());
    EXPECT_EQ(bar.GetDlgItem(int(kChecked))->SendMessage(BM_GETCHECK), BST_CHECKED);
    bar.SendMessage(WM_COMMAND, MAKEWPARAM(kApply, BN_CLICKED), LPARAM(apply->m_hWnd));
    EXPECT_EQ(document.applied, 1);
    EXPECT_TRUE(bar.GetDlgItem(2001)->IsWindowEnabled()); // a field is no command
    // The toolbar's buttons have no handler here: the pass disables them.
    EXPECT_FALSE(graph.GetToolBarCtrl().IsButtonEnabled(33047));

    if (const char* out = std::getenv("ORN_PAGE_PNG")) SaveWindowPicture(frame, out);
}
