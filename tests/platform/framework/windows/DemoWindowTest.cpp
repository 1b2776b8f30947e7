// A small window of the kind the application builds: a painted area, a few controls and tips,
// rendered to a picture to show that the pieces work together.
#include "WindowTestSupport.h"

#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CListBox.h"
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/CTabCtrl.h"

#include <QHelpEvent>
#include <QTabBar>
#include <QToolTip>

#include <cstring>

namespace
{
constexpr COLORREF kCellA = RGB(230, 240, 255);
constexpr COLORREF kCellB = RGB(255, 250, 220);
constexpr COLORREF kGrid = RGB(128, 128, 128);

// Paints a 4 x 3 table of cells with grid lines and tells each cell's name as a tool tip.
class TableArea : public CWnd
{
public:
    static constexpr int kCell = 20;
    void OnPaint() override
    {
        CPaintDC dc(this);
        CPen pen(PS_SOLID, 1, kGrid);
        CPen* old = dc.SelectObject(&pen);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 4; ++c)
            {
                CRect cell(c * kCell, r * kCell, (c + 1) * kCell, (r + 1) * kCell);
                dc.FillSolidRect(cell.left, cell.top, kCell - 1, kCell - 1, (r + c) % 2 ? kCellB : kCellA);
                dc.MoveTo(cell.right - 1, cell.top);
                dc.LineTo(cell.right - 1, cell.bottom);
                dc.MoveTo(cell.left, cell.bottom - 1);
                dc.LineTo(cell.right, cell.bottom - 1);
            }
        dc.SelectObject(old);
    }
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* info) const override
    {
        const int c = point.x / kCell, r = point.y / kCell;
        if (c > 3 || r > 2) return -1;
        info->hwnd = m_hWnd;
        info->uId = UINT_PTR(r * 4 + c + 1);
        info->lpszText = LPSTR_TEXTCALLBACK;
        return INT_PTR(info->uId);
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
    {
        auto* request = reinterpret_cast<NMTTDISPINFO*>(lParam);
        if (request->hdr.code != TTN_NEEDTEXT) return FALSE;
        const int id = int(request->hdr.idFrom) - 1;
        std::snprintf(request->szText, sizeof(request->szText), "Cell %c%d", 'A' + id % 4, id / 4 + 1);
        return TRUE;
    }
};

class DemoWindow : public CWnd
{
public:
    std::vector<UINT> notifications;
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
    {
        notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
        return TRUE;
    }
    TableArea table;
    CEdit edit;
    CListBox list;
    CButton check;
    CScrollBar bar;
    CTabCtrl tabs;
    CDateTimeCtrl date;
    int OnCreate(LPCREATESTRUCT cs) override
    {
        if (CWnd::OnCreate(cs) == -1) return -1;
        tabs.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 200, 24), this, 10);
        tabs.InsertItem(0, "Table");
        tabs.InsertItem(1, "Notes");
        table.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 30, 90, 90), this, 11);
        table.EnableToolTips(TRUE);
        bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(90, 30, 107, 90), this, 12);
        edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(120, 30, 230, 52), this, 13);
        list.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(120, 60, 230, 120), this, 14);
        check.Create("Show totals", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 100, 110, 120), this, 15);
        date.Create(WS_CHILD | WS_VISIBLE, CRect(10, 125, 110, 147), this, 16);
        list.AddString("Voltage");
        list.AddString("Current");
        edit.SetWindowText("230.0");
        return 0;
    }
};
} // namespace

TEST_F(WindowTest, DemonstrationWindowRendersPaintedCellsAndControls)
{
    DemoWindow w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "Demo", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 240, 160), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    const QImage image = WindowImage(w);
    ASSERT_EQ(image.size(), QSize(240, 160));
    // The painted cells land at their places in the window, with the grid lines between them.
    EXPECT_EQ(FromQRgb(image.pixel(10 + 5, 30 + 5)), kCellA);
    EXPECT_EQ(FromQRgb(image.pixel(10 + 25, 30 + 5)), kCellB);
    EXPECT_EQ(FromQRgb(image.pixel(10 + 19, 30 + 5)), kGrid);
    EXPECT_EQ(FromQRgb(image.pixel(10 + 5, 30 + 19)), kGrid);
    EXPECT_EQ(FromQRgb(image.pixel(10 + 65, 30 + 45)), kCellB);
    if (const char* out = std::getenv("ORN_DEMO_PNG")) image.save(out);
    // The window's own background shows around the children.
    EXPECT_EQ(FromQRgb(image.pixel(235, 155)), GetSysColor(COLOR_WINDOW));
    // Controls drew something of their own inside their rectangles.
    const QImage listPart = image.copy(120, 60, 110, 60);
    EXPECT_NE(listPart, QImage(listPart.size(), listPart.format()));

    // WM_PRINT into a memory bitmap gives the same picture.
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&memory, 240, 160);
    memory.SelectObject(&bitmap);
    w.SendMessage(WM_PRINT, WPARAM(memory.m_hDC), 0);
    EXPECT_EQ(memory.GetPixel(15, 35), kCellA);
    EXPECT_EQ(memory.GetPixel(35, 35), kCellB);

    // Tool tips ask the window for the text of the cell under the mouse.
    EXPECT_EQ(w.table.GetToolTipTextAt(CPoint(25, 25)), "Cell B2");
    EXPECT_EQ(w.table.GetToolTipTextAt(CPoint(200, 5)), "");
    QHelpEvent help(QEvent::ToolTip, QPoint(65, 5), Widget(w.table)->mapToGlobal(QPoint(65, 5)));
    QCoreApplication::sendEvent(Widget(w.table), &help);
    EXPECT_EQ(QToolTip::text(), "Cell D1");

    // The tab control reports a user's pick through WM_NOTIFY; SetCurSel is silent.
    EXPECT_EQ(w.tabs.GetItemCount(), 2);
    EXPECT_EQ(w.tabs.SetCurSel(1), 0);
    EXPECT_EQ(w.tabs.GetCurSel(), 1);
    EXPECT_TRUE(w.notifications.empty());
    static_cast<QTabBar*>(Widget(w.tabs))->setCurrentIndex(0);
    EXPECT_EQ(w.notifications, std::vector<UINT>{TCN_SELCHANGE});
    SYSTEMTIME day;
    day.wYear = 2024;
    day.wMonth = 2;
    day.wDay = 29;
    ASSERT_TRUE(w.date.SetTime(&day));
    SYSTEMTIME back;
    EXPECT_EQ(w.date.GetTime(&back), GDT_VALID);
    EXPECT_EQ(back.wDay, 29);
    EXPECT_EQ(back.wMonth, 2);
}
