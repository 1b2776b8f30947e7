#include "WindowTestSupport.h"

#include "platform/framework/windows/CToolTipCtrl.h"
#include "platform/framework/windows/WindowTesting.h"

#include <QFontMetrics>
#include <QToolTip>

namespace
{
constexpr const char* kLongTip = "Use the right mouse button to show the options of this band and drag it with the left one.";

struct ToolWindows
{
    CWnd parent;
    CWnd child;
    ToolWindows()
    {
        EXPECT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        EXPECT_TRUE(child.CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 190), &parent, 5));
    }
};
} // namespace

TEST_F(WindowTest, RectangleToolsOfAChildWindowShowTheirTextWhereTheyStand)
{
    ToolWindows w;
    CToolTipCtrl left, bottom;
    ASSERT_TRUE(left.Create(&w.parent, TTS_ALWAYSTIP | TTS_NOPREFIX));
    ASSERT_TRUE(bottom.Create(&w.parent, TTS_ALWAYSTIP | TTS_NOPREFIX));
    CRect leftBand(0, 0, 40, 140), bottomBand(40, 140, 280, 180);
    ASSERT_TRUE(left.AddTool(&w.child, "Left scale", &leftBand, 1));
    ASSERT_TRUE(bottom.AddTool(&w.child, "Time scale", &bottomBand, 1));

    EXPECT_EQ(SimulateHoverTip(w.child, CPoint(20, 70)), CString("Left scale"));
    EXPECT_EQ(SimulateHoverTip(w.child, CPoint(100, 150)), CString("Time scale"));
    EXPECT_EQ(SimulateHoverTip(w.child, CPoint(100, 70)), CString());

    // A moved band answers at its new place only.
    CRect moved(0, 100, 40, 140);
    left.SetToolRect(&w.child, 1, &moved);
    EXPECT_EQ(w.child.GetToolTipTextAt(CPoint(20, 50)), CString());
    EXPECT_EQ(SimulateHoverTip(w.child, CPoint(20, 120)), CString("Left scale"));

    // A destroyed control takes its tools along; the other keeps working.
    left.DestroyWindow();
    EXPECT_EQ(w.child.GetToolTipTextAt(CPoint(20, 120)), CString());
    EXPECT_EQ(SimulateHoverTip(w.child, CPoint(100, 150)), CString("Time scale"));
}

TEST_F(WindowTest, ToolTipTextWrapsAtTheMaximumTipWidth)
{
    ToolWindows w;
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(&w.parent));
    CRect band(0, 0, 100, 100);
    ASSERT_TRUE(tip.AddTool(&w.child, kLongTip, &band, 7));
    EXPECT_EQ(w.child.GetToolTipTextAt(CPoint(5, 5)), CString(kLongTip)); // no limit yet

    EXPECT_EQ(tip.SetMaxTipWidth(200), -1);
    const CString shown = w.child.GetToolTipTextAt(CPoint(5, 5));
    const QStringList lines = ToQString(shown).split('\n');
    EXPECT_GT(lines.size(), 1);
    const QFontMetrics metrics(QToolTip::font());
    for (const QString& line : lines) EXPECT_LE(metrics.horizontalAdvance(line), 200) << line.toStdString();
    EXPECT_EQ(lines.join(' '), QString(kLongTip)); // only blanks became line breaks
}

TEST_F(WindowTest, ToolTipControlOutlivingItsWindowIsHarmless)
{
    CToolTipCtrl tip;
    ASSERT_TRUE(tip.Create(nullptr));
    {
        ToolWindows w;
        CRect band(0, 0, 10, 10);
        ASSERT_TRUE(tip.AddTool(&w.child, "Gone soon", &band, 1));
    }
    tip.DestroyWindow(); // the window is gone: nothing to take back
    CWnd none;
    EXPECT_FALSE(tip.AddTool(&none, "No window", nullptr, 2));
}
