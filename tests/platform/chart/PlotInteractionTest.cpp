// Events from synthesized mouse and key input on a chart window: the zoom-rectangle sequence,
// dragging an X axis, dragging and releasing a band, moving a data cursor with its readout text,
// the context menus and the keys, each in the order a person's input causes them; the topmost
// object shown takes a click.
#include "ChartTestSupport.h"
#include "platform/framework/windows/PaintedControl.h"
#include "platform/framework/windows/WindowTestSupport.h"

#include <QDir>

namespace {

using namespace PlotEvent;

class PlotInteractionTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
        SetUpSimpleChart(chart);
        ASSERT_TRUE(chart.Create(CRect(0, 0, 400, 300), &parent, 1108));
        for (int i = 0; i <= 100; ++i)
            chart.GetChannel(0)->AddXY(i, 5.0f);
        SPlotDataCursor& cursor = chart.GetCursor(0);
        cursor.channelName = "ch";
        cursor.style = 3;
        chart.SetCursorPosition(0, 20.0);
        SPlotLimit marker;
        marker.name = "TimeRangeStart";
        marker.kind = EPlotLimitKind::XMarker;
        marker.position1 = 60.0;
        marker.draggable = true;
        chart.AddLimit(marker);
        chart.SetEventSink(&sink);
        chart.Repaint();
    }

    QPoint At(double x, double y) const
    {
        return QPoint(int(std::lround(chart.XValueToPixel(0, x))), int(std::lround(chart.YValueToPixel(0, y))));
    }
    void Press(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        SendMouse(chart, QEvent::MouseButtonPress, p, button, button);
    }
    void Move(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        SendMouse(chart, QEvent::MouseMove, p, Qt::NoButton, button);
    }
    void Release(QPoint p, Qt::MouseButton button = Qt::LeftButton)
    {
        SendMouse(chart, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
    }
    std::vector<int> Ids() const { return sink.Ids({GotFocus, LostFocus}); }

    CWnd parent;
    CiPlotX chart;
    RecordingSink sink;
};

TEST_F(PlotInteractionTest, AZoomRectangleIsPressMovesAndRelease)
{
    Press(At(30, 8));
    Move(At(40, 7));
    Move(At(50, 6.5));
    Release(At(50, 6.5));
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, MouseMove, MouseMove, DataViewMouseUp, MouseUp}));
    EXPECT_EQ(sink.Last(MouseDown)->button, kPlotLeftButton);
    EXPECT_EQ(sink.Last(MouseDown)->x, At(30, 8).x());
    EXPECT_EQ(sink.Last(DataViewMouseUp)->index, -1); // no channel under the mouse
    EXPECT_EQ(chart.GetXAxis(0)->GetSpan(), 100.0);    // the chart itself zooms nothing
}

TEST_F(PlotInteractionTest, DraggingAnXAxisScrollsItAndReportsOldAndNewRange)
{
    const CRect band = chart.GetLayout().xAxisBands[0];
    const QPoint start((band.left + band.right) / 2, band.top + 10);
    Press(start);
    Move(start + QPoint(40, 0));
    Release(start + QPoint(40, 0));
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, XAxisMouseDown, XAxisChange, MouseMove, XAxisMouseUp, MouseUp}));
    const SPlotEvent& change = *sink.Last(XAxisChange);
    EXPECT_EQ(change.index, 0);
    EXPECT_EQ(change.a, 0.0);
    EXPECT_EQ(change.b, 100.0);
    EXPECT_NEAR(change.c, -40.0 * 100.0 / (chart.GetLayout().plot.Width() - 1), 1e-9);
    EXPECT_EQ(change.d, 100.0);
    EXPECT_EQ(chart.GetXAxis(0)->GetMin(), change.c);

    // With Shift the drag zooms around the press point; a Y axis drag makes the axis manual.
    sink.events.clear();
    chart.GetYAxis(0)->SetManual(false);
    const CRect yBand = chart.GetLayout().yAxisBands[0];
    const QPoint y0(yBand.left + 20, (yBand.top + yBand.bottom) / 2);
    Press(y0);
    Move(y0 + QPoint(0, 30));
    Release(y0 + QPoint(0, 30));
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, YAxisChange, MouseMove, MouseUp}));
    EXPECT_TRUE(chart.GetYAxis(0)->IsManual());
}

TEST_F(PlotInteractionTest, ABandIsClickedDraggedAndReleased)
{
    const QPoint start = At(60, 8);
    Press(start);
    Move(start + QPoint(30, 0));
    Release(start + QPoint(30, 0));
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, LimitMouseDown, LimitClick, ObjectMouseDown, LimitDragged, MouseMove,
                                       LimitReleased, ObjectMouseUp, MouseUp}));
    EXPECT_EQ(sink.Last(LimitReleased)->index, 0);
    EXPECT_NEAR(chart.GetLimit(0)->position1, 60.0 + 30.0 * 100.0 / (chart.GetLayout().plot.Width() - 1), 1e-9);

    // The window shows the chart's picture with the moved band.
    const QImage shown = RenderPaintedControl(chart, QSize(400, 300));
    const int x = int(std::lround(chart.XValueToPixel(0, chart.GetLimit(0)->position1)));
    EXPECT_EQ(shown.pixel(x, chart.GetLayout().plot.top + 5), qRgb(255, 0, 0));
    shown.save(QDir::temp().filePath("orn_chart_window.png"));
}

TEST_F(PlotInteractionTest, MovingACursorAsksTheOwnerForItsReadout)
{
    sink.answer = [](SPlotEvent& e) {
        if (e.id == CursorReadout)
            e.text = "1: Voltage\n5.00 V\n02.03.2026 00:00";
    };
    const QPoint start = At(20, 9);
    Press(start);
    Move(At(30.2, 9));
    Release(At(30.2, 9));
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, CursorChange, CursorReadout, MouseMove, MouseUp}));
    EXPECT_EQ(chart.GetCursor(0).position, 30.0); // on the nearest point of its channel
    EXPECT_STREQ(chart.GetCursor(0).readout, "1: Voltage\n5.00 V\n02.03.2026 00:00");

    // The arrow keys step the active cursor unless the owner consumes the key.
    sink.events.clear();
    SendKey(chart, Qt::Key_Right);
    EXPECT_EQ(Ids(), (std::vector<int>{KeyDown, CursorChange, CursorReadout, KeyUp}));
    EXPECT_EQ(sink.Last(KeyDown)->key, 0x27);
    EXPECT_EQ(chart.GetCursor(0).position, 31.0);
    sink.answer = [](SPlotEvent& e) {
        if (e.id == KeyDown)
            e.key = 0;
    };
    SendKey(chart, Qt::Key_Right);
    EXPECT_EQ(chart.GetCursor(0).position, 31.0);

    // Where the keyboard is shows: a dotted frame inside the chart's edge, gone with the focus.
    const auto framed = [this] {
        const QImage shown = RenderPaintedControl(chart, QSize(400, 300));
        int dark = 0;
        for (int x = 0; x < shown.width(); ++x)
            dark += qGray(shown.pixel(x, 1)) < 128 ? 1 : 0;
        return dark;
    };
    chart.SetFocus();
    EXPECT_GT(framed(), 100);
    parent.SetFocus();
    EXPECT_EQ(framed(), 0);
}

TEST_F(PlotInteractionTest, RightClicksAskForTheMenuOfWhatIsUnderTheMouse)
{
    sink.answer = [](SPlotEvent& e) { e.cancel = true; };
    Press(At(40, 8), Qt::RightButton);
    Release(At(40, 8), Qt::RightButton);
    const CRect band = chart.GetLayout().xAxisBands[0];
    Press(QPoint(band.left + 50, band.top + 5), Qt::RightButton);
    Release(QPoint(band.left + 50, band.top + 5), Qt::RightButton);
    Press(At(45, 5), Qt::RightButton);
    Release(At(45, 5), Qt::RightButton);
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, ChartMenu, MouseUp, MouseDown, AxisMenu, MouseUp, MouseDown,
                                       ChannelMenu, MouseUp}));
    EXPECT_EQ(sink.Last(ChannelMenu)->index, 0);
    EXPECT_EQ(sink.Last(AxisMenu)->state, 0); // an X axis
    EXPECT_TRUE(sink.Last(ChartMenu)->cancel);
}

TEST_F(PlotInteractionTest, ClickingAPointNamesTheChannelAndThePoint)
{
    Press(At(45, 5));
    Release(At(45, 5));
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, ChannelPointClick, DataViewMouseUp, MouseUp}));
    EXPECT_EQ(sink.Last(ChannelPointClick)->point, 45);
    EXPECT_EQ(sink.Last(DataViewMouseUp)->index, 0);
}

TEST_F(PlotInteractionTest, DoubleClicksHoverAndAxesThatMayNotBeDragged)
{
    SPlotLabel note;
    note.name = "Note 1";
    note.text = "Note";
    note.x = 80.0;
    note.y = 80.0;
    chart.AddLabel(note);
    chart.Repaint();
    const QPoint onNote = At(80.5, 8.0);
    SendMouse(chart, QEvent::MouseMove, onNote, Qt::NoButton, Qt::NoButton);
    SendMouse(chart, QEvent::MouseButtonDblClick, onNote);
    SendMouse(chart, QEvent::MouseButtonDblClick, At(45, 5));
    EXPECT_EQ(sink.Ids({GotFocus, LostFocus, MouseDown, MouseUp}),
              (std::vector<int>{ObjectMouseMove, MouseMove, DblClick, LabelEdit, DblClick, CursorChannel}));
    EXPECT_EQ(sink.Last(ObjectMouseMove)->state, 1); // a label
    EXPECT_EQ(sink.Last(CursorChannel)->index, 0);

    sink.events.clear();
    chart.EnableAxisDrag(false, false);
    const CRect band = chart.GetLayout().xAxisBands[0];
    const QPoint start(band.left + 100, band.top + 10);
    Press(start);
    Move(start + QPoint(40, 0));
    Release(start + QPoint(40, 0));
    EXPECT_EQ(Ids(), (std::vector<int>{MouseDown, XAxisMouseDown, MouseMove, XAxisMouseUp, MouseUp}));
    EXPECT_EQ(chart.GetXAxis(0)->GetMin(), 0.0);
}

// As the picture stacks them: the cursors over the boxes of text, the boxes over the limit lines,
// the lines over the curves. A note's box crossed by a marker and a limit line is clicked where
// the user sees it; a line outside any box is still taken.
TEST_F(PlotInteractionTest, TheTopmostObjectTakesTheClick)
{
    for (const auto& [name, x] : {std::pair{"Note 1", 50.0}, std::pair{"Note 2", 20.0}})
        chart.AddLabel(
            {.name = name, .x = x, .y = 70.0, .text = "A note\nof two lines", .filled = true, .draggable = true});
    const CRect box = chart.GetLabelBox(0);
    const CPoint middle = box.CenterPoint();
    chart.GetLimit(0)->position1 = chart.XPixelToValue(0, middle.x);
    chart.AddLimit({.kind = EPlotLimitKind::YLine, .position1 = chart.YPixelToValue(0, middle.y)});
    const int cursorX = int(std::lround(chart.XValueToPixel(0, 20.0))); // across the second box
    const int secondBoxY = chart.GetLabelBox(1).CenterPoint().y;
    for (const auto& [at, kind, index] : {std::tuple{middle, SPlotHit::Label, 0},
                                          std::tuple{CPoint(middle.x, box.top - 10), SPlotHit::Limit, 0},
                                          std::tuple{CPoint(box.right + 10, middle.y), SPlotHit::Limit, 1},
                                          std::tuple{CPoint(cursorX, secondBoxY), SPlotHit::Cursor, 0}}) {
        const SPlotHit hit = chart.HitTest(at.x, at.y);
        EXPECT_EQ(std::pair(hit.kind, hit.index), std::pair(kind, index)) << at.x << "," << at.y;
    }
    SendMouse(chart, QEvent::MouseButtonDblClick, QPoint(middle.x, middle.y));
    ASSERT_NE(sink.Last(LabelEdit), nullptr);
    EXPECT_EQ(sink.Last(LabelEdit)->index, 0);

    // A press on a line restacks no box; the pressed box, brought to the front as the graph
    // does, is the one dragged.
    sink.answer = [&](SPlotEvent& e) {
        if (e.id == ObjectMouseDown && e.state == 1)
            chart.BringLabelToFront(e.index);
    };
    Press(QPoint(middle.x, box.top - 10));
    Release(QPoint(middle.x, box.top - 10));
    EXPECT_EQ(sink.Last(ObjectMouseDown)->state, 0);
    Press(QPoint(middle.x, middle.y));
    Move(QPoint(middle.x + 40, middle.y));
    Release(QPoint(middle.x + 40, middle.y));
    EXPECT_EQ(chart.GetLabel(1)->name, CString("Note 1"));
    EXPECT_GT(chart.GetLabel(1)->x, 50.0);
    EXPECT_EQ(chart.GetLabel(0)->x, 20.0);
}

TEST_F(PlotInteractionTest, BoxesOfTextAtThePlotsEdgesAreDrawnWholeInsideItAndGraspedWhereTheyShow)
{
    // A plot lower than a note and a readout of three lines: the note stands at its top right
    // corner, the readout at its top.
    chart.MoveWindow(0, 0, 400, 90);
    chart.RecalcLayout();
    const CRect plot = chart.GetLayout().plot;
    SPlotLabel note;
    note.name = "Note 1";
    note.text = "1: P Total\n41.473 kW\n10/26/26 12:00:00";
    note.x = 100.0;
    note.y = 100.0;
    note.filled = true;
    note.fillColor = RGB(255, 255, 0);
    chart.AddLabel(note);
    sink.answer = [&](SPlotEvent& e) {
        if (e.id == CursorReadout)
            e.text = note.text;
    };
    chart.GetCursor(0).readoutPosition = 100.0;
    chart.SetCursorPosition(0, 30.0);
    chart.Repaint();
    for (const CRect box : {chart.GetLabelBox(0), chart.GetCursorReadoutBox(0)}) {
        CRect inside;
        inside.IntersectRect(&box, &plot);
        EXPECT_FALSE(box.IsRectEmpty());
        EXPECT_EQ(inside, box) << box.left << "," << box.top << " " << box.right << "," << box.bottom;
    }
    const CRect shown = chart.GetLabelBox(0);
    EXPECT_EQ(Pixel(chart, shown.left + 1, shown.top + 1), qRgb(255, 255, 0));
    const CRect readout = chart.GetCursorReadoutBox(0);
    EXPECT_EQ(Pixel(chart, readout.left + 2, readout.top + 2), qRgb(255, 255, 225));

    sink.events.clear();
    SendMouse(chart, QEvent::MouseButtonDblClick, QPoint(shown.left + 3, shown.top + 3));
    EXPECT_NE(sink.Last(LabelEdit), nullptr);
}

} // namespace
