#include "PageTestResources.h"
#include "WindowTestSupport.h"

#include "platform/framework/StringTable.h"
#include "platform/framework/windows/CImageList.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/GdiObjects.h"

#include <QTabBar>

TEST(MenuResources, PopupsByPositionWithStatesAndStringTableTexts)
{
    CPageTestResources resources;
    CStringTable::Instance().Set(990002, "Load Study");
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(CPageTestResources::kMenu));
    ASSERT_EQ(menu.GetMenuItemCount(), 2);
    CMenu* view = menu.GetSubMenu(0);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetMenuItemID(0), 32823u);
    EXPECT_TRUE(view->GetMenuState(32823, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_TRUE(view->GetMenuState(1, MF_BYPOSITION) & MF_SEPARATOR);
    CMenu* studies = view->GetSubMenu(2);
    ASSERT_NE(studies, nullptr);
    CString text;
    studies->GetMenuString(32824, text, MF_BYCOMMAND);
    EXPECT_EQ(text, CString("Load Study"));
    EXPECT_TRUE(studies->GetMenuState(32824, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(menu.GetSubMenu(1)->GetMenuItemID(0), 57664u);

    // A malformed resource or a missing one loads nothing and leaves no half-made menu.
    CMenu broken;
    EXPECT_FALSE(broken.LoadMenu(9202));
    EXPECT_EQ(broken.GetMenuItemCount(), -1); // no menu at all
    EXPECT_FALSE(broken.LoadMenu(9999));
}

class DragImageTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(target.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(100, 50, 400, 250), nullptr, 0));
        // A strip of two 8 x 8 images: red with a magenta corner, and blue.
        std::vector<DWORD> pixels(16 * 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x) pixels[std::size_t(y * 16 + x)] = x < 8 ? (x < 2 && y < 2 ? 0xFF00FF : 0xFF0000) : 0x0000FF;
        ASSERT_TRUE(strip.CreateBitmap(16, 8, 1, 32, pixels.data()));
        ASSERT_TRUE(images.Create(8, 8, ILC_MASK | ILC_COLOR32, 2, 2));
        ASSERT_EQ(images.Add(&strip, RGB(255, 0, 255)), 0);
    }
    void TearDown() override
    {
        CImageList::EndDrag();
        WindowTest::TearDown();
    }
    CWnd target;
    CBitmap strip;
    CImageList images;
};

TEST_F(DragImageTest, ImagesAreCutFromTheStripWithTheMaskLeftOut)
{
    EXPECT_EQ(images.GetImageCount(), 2);
    EXPECT_EQ(images.GetImageSize(), CSize(8, 8));
    CClientDC dc(&target);
    dc.FillSolidRect(0, 0, 40, 20, RGB(0, 255, 0));
    ASSERT_TRUE(images.Draw(&dc, 0, CPoint(10, 10), ILD_TRANSPARENT));
    ASSERT_TRUE(images.Draw(&dc, 1, CPoint(20, 10), ILD_NORMAL));
    EXPECT_EQ(dc.GetPixel(10, 10), RGB(0, 255, 0)); // the masked corner shows the background
    EXPECT_EQ(dc.GetPixel(14, 14), RGB(255, 0, 0));
    EXPECT_EQ(dc.GetPixel(24, 14), RGB(0, 0, 255));
    EXPECT_FALSE(images.Draw(&dc, 2, CPoint(0, 0), ILD_NORMAL));
    EXPECT_TRUE(images.Remove(0));
    EXPECT_EQ(images.GetImageCount(), 1);
}

TEST_F(DragImageTest, TheDragImageFollowsThePointOverTheWindow)
{
    CPoint where;
    EXPECT_FALSE(CImageList::DragMove(CPoint(1, 1))); // no drag yet
    ASSERT_TRUE(images.BeginDrag(1, CPoint(4, 4)));
    ASSERT_TRUE(CImageList::DragEnter(&target, CPoint(10, 20)));
    EXPECT_TRUE(CImageList::GetDragPosition(&where));
    CPoint expected(10 - 4, 20 - 4);
    target.ClientToScreen(&expected);
    EXPECT_EQ(where, expected);
    for (int x = 20; x <= 200; x += 60) CImageList::DragMove(CPoint(x, 30));
    CImageList::GetDragPosition(&where);
    expected = CPoint(200 - 4, 30 - 4);
    target.ClientToScreen(&expected);
    EXPECT_EQ(where, expected);
    CImageList::DragShowNolock(FALSE);
    EXPECT_FALSE(CImageList::GetDragPosition(&where));
    CImageList::DragShowNolock(TRUE);
    CImageList::DragLeave(&target);
    CImageList::EndDrag();
    EXPECT_FALSE(CImageList::GetDragPosition(&where));
    EXPECT_FALSE(CImageList::DragMove(CPoint(1, 1)));
}

TEST(TabControl, DisabledTabsCannotBePickedWithTheMouse)
{
    CFrameworkApp::EnsureInitialized();
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 100), nullptr, 0));
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 30), &parent, 7));
    for (const char* name : {"Project Manager", "Energy Study", "Load Study"}) tabs.InsertItem(tabs.GetItemCount(), name);
    EXPECT_TRUE(tabs.IsItemEnabled(1));
    EXPECT_TRUE(tabs.EnableItem(1, FALSE));
    EXPECT_FALSE(tabs.IsItemEnabled(1));
    EXPECT_FALSE(tabs.EnableItem(5, FALSE));
    CRect r;
    tabs.GetItemRect(1, &r);
    auto* bar = qobject_cast<QTabBar*>(Widget(tabs));
    ASSERT_NE(bar, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(r.CenterPoint().x, r.CenterPoint().y),
                      QPointF(bar->mapToGlobal(QPoint(r.CenterPoint().x, r.CenterPoint().y))), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(bar, &press);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    tabs.EnableItem(1, TRUE);
    QCoreApplication::sendEvent(bar, &press);
    EXPECT_EQ(tabs.GetCurSel(), 1);
}
