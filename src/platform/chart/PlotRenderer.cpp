#include "platform/chart/PlotPicture.h"
#include "platform/chart/PlotSpanCanvas.h"
#include "platform/framework/windows/FittedText.h"


#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

namespace {

constexpr double kPixelLimit = 1048576.0; // far-off points are clamped here: no int overflow
constexpr int kLabelGap = 6;               // pixels kept free between two axis labels

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QString ToQ(const CString& text)
{
    return QString::fromUtf8(text.GetString());
}

// floor() of a pixel coordinate clamped to the pixel limit, without the cost of floor().
int PixelOf(double value)
{
    value = std::clamp(value, -kPixelLimit, kPixelLimit);
    return int(value + kPixelLimit + 0.5) - int(kPixelLimit);
}

// std::lround() of a pixel coordinate within the pixel limit, without the cost of a call.
int RoundedPixel(double value)
{
    return value < 0.0 ? -int(0.5 - value) : int(value + 0.5);
}

// The lowest and highest of the finite values ys[from] .. ys[to - 1] (from < to), eight at a
// time in two registers of four: a column of a dense curve holds hundreds.
void ColumnExtremes(const float* ys, int from, int to, float& minimum, float& maximum)
{
    using Lanes = float __attribute__((vector_size(16)));
    constexpr int kLanes = int(sizeof(Lanes) / sizeof(float));
    minimum = maximum = ys[from];
    if (to - from >= 4 * kLanes) {
        Lanes low[2], high[2], next[2];
        std::memcpy(low, ys + from, sizeof low);
        high[0] = low[0];
        high[1] = low[1];
        for (from += 2 * kLanes; from + 2 * kLanes <= to; from += 2 * kLanes) {
            std::memcpy(next, ys + from, sizeof next);
            for (int r = 0; r < 2; ++r) {
                low[r] = next[r] < low[r] ? next[r] : low[r];
                high[r] = next[r] > high[r] ? next[r] : high[r];
            }
        }
        for (int lane = 0; lane < kLanes; ++lane) {
            minimum = std::min({minimum, low[0][lane], low[1][lane]});
            maximum = std::max({maximum, high[0][lane], high[1][lane]});
        }
    }
    for (; from < to; ++from) {
        minimum = std::min(minimum, ys[from]);
        maximum = std::max(maximum, ys[from]);
    }
}

Qt::PenStyle PenStyle(int style)
{
    switch (style) {
    case 1: return Qt::DashLine;
    case 2: return Qt::DotLine;
    default: return Qt::SolidLine;
    }
}

// Collects the points of one channel into runs (broken at gaps) and draws each run.
//
// The points are gathered into pixel columns: a column keeps only its first, lowest, highest and
// last point, since the segments between the points of one column are vertical lines in that
// column (their pixels are the column's span from the lowest to the highest point) and the
// segments between columns join one column's last point to the next one's first. The joins go
// into the spans as well, and the spans are written straight into the picture: a painter's line
// costs many times a pixel written, and it would leave out the pixel of a peak where its line
// turns back within a column.
// - A one-pixel pen's join is a line a pixel thin: a pixel in each column it crosses, or in
//   each row where it is steep.
// - A wider pen (a high-density screen) covers in each column the rows the join line crosses
//   within it, and every span is drawn as a rectangle as wide as the pen, placed as the painter
//   places a wide pen's point. Stroking the columns as one long polyline would cost the painter
//   an outline of the whole curve.
class CRunPainter
{
public:
    CRunPainter(QPainter& painter, CPlotSpanCanvas* canvas, QColor colour, int penWidth, const QRect& clip)
        : m_painter(painter), m_width(penWidth), m_clip(clip), m_colour(colour)
    {
        // Spans go to the picture's own canvas where they are drawn at its device pixels.
        if (canvas && painter.deviceTransform().isIdentity() && m_colour.alpha() == 255) {
            m_canvas = canvas;
            // A window too small for its axes lays the plot out partly beyond the picture.
            m_clip &= canvas->Rect();
        }
    }
    ~CRunPainter() { Break(); }

    void Add(int column, int row)
    {
        if (m_have && column == m_column) {
            m_min = std::min(m_min, row);
            m_max = std::max(m_max, row);
            m_last = row;
            return;
        }
        AddColumn(column, row, row, row, row);
    }

    // A whole pixel column of finite points at once: the same as adding them one by one.
    void AddColumn(int column, int first, int minRow, int maxRow, int last)
    {
        FlushColumn();
        m_have = true;
        m_column = column;
        m_first = first;
        m_min = minRow;
        m_max = maxRow;
        m_last = last;
    }

    void Break()
    {
        FlushColumn();
        if (m_pending.valid)
            m_spans.emplace_back(m_pending.column, m_pending.top, m_pending.column, m_pending.bottom);
        m_pending.valid = false;
        m_joined = false;
        DrawSpans();
        m_spans.clear();
    }

private:
    struct SSpan
    {
        int column = 0, top = 0, bottom = 0;
        bool valid = false;
        void Cover(int row)
        {
            top = std::min(top, row);
            bottom = std::max(bottom, row);
        }
    };

    // A column's rows as wide as the pen: the rectangle the painter would fill for them.
    QRect SpanRect(const QLine& span) const
    {
        const int before = m_width / 2;
        return QRect(span.x1() - before, span.y1() - before, m_width, span.y2() - span.y1() + m_width);
    }

    // The spans' rectangles, clipped to the plot as the painter would clip them. Onto the
    // picture's canvas go the rows each pixel column covers.
    void DrawSpans()
    {
        if (m_spans.empty())
            return;
        if (!m_canvas) {
            for (const QLine& span : m_spans)
                m_painter.fillRect(SpanRect(span), m_colour);
            return;
        }
        int left = std::numeric_limits<int>::max(), right = std::numeric_limits<int>::min();
        for (const QLine& span : m_spans) {
            const QRect rect = SpanRect(span);
            left = std::min(left, rect.left());
            right = std::max(right, rect.right());
        }
        left = std::max(left, m_clip.left());
        right = std::min(right, m_clip.right());
        if (left > right)
            return;
        // Tiles start on a tile's boundary of the picture, a cache line of its rows: each line is
        // written once, not once from either side.
        left -= left % CPlotSpanCanvas::kTile;
        const std::size_t columns = std::size_t(right - left + 1);
        m_low.assign(columns, std::numeric_limits<int>::max());
        m_high.assign(columns, std::numeric_limits<int>::min());
        // A column whose rectangles leave rows between them cannot be written as one run of rows.
        bool runs = true;
        for (const QLine& span : m_spans) {
            const QRect rect = SpanRect(span);
            // Clipped here rather than by a call into the library for each span.
            const int top = std::max(rect.top(), m_clip.top()), bottom = std::min(rect.bottom(), m_clip.bottom());
            if (top > bottom)
                continue;
            for (int x = std::max(rect.left(), m_clip.left()); x <= std::min(rect.right(), right); ++x) {
                int& low = m_low[std::size_t(x - left)];
                int& high = m_high[std::size_t(x - left)];
                runs = runs && (low > high || (top <= high + 1 && bottom >= low - 1));
                low = std::min(low, top);
                high = std::max(high, bottom);
            }
        }
        if (!runs) {
            for (const QLine& span : m_spans)
                m_canvas->AddRect(m_colour.rgb(), SpanRect(span) & m_clip);
            return;
        }
        m_canvas->AddColumns(m_colour.rgb(), left, m_low, m_high);
    }

    // A wide pen's join from the previous column's last point to this column's first: every
    // column from one to the other covers the rows the line crosses within it (half a pixel
    // either side of its centre, up to the line's ends). Columns far outside the plot are left.
    void JoinIntoSpans(SSpan& current)
    {
        const int x0 = m_pending.column, y0 = m_previousLast, x1 = current.column, y1 = m_first;
        if (x1 == x0) {
            current.Cover(y0);
            return;
        }
        const double slope = double(y1 - y0) / double(x1 - x0);
        const auto rowAt = [&](double x) { return RoundedPixel(y0 + slope * (x - x0)); };
        m_pending.Cover(rowAt(x0 + 0.5));
        current.Cover(rowAt(x1 - 0.5));
        const int from = std::max(x0 + 1, m_clip.left() - m_width), to = std::min(x1 - 1, m_clip.right() + m_width);
        for (int x = from; x <= to; ++x) {
            const int a = rowAt(x - 0.5), b = rowAt(x + 0.5);
            m_spans.emplace_back(x, std::min(a, b), x, std::max(a, b));
        }
    }

    // A one-pixel pen's join from the previous column's last point to this column's first,
    // rounded half up along it: where it is no steeper than a diagonal, a pixel in each column
    // between the two; else a pixel in each row, which in each column from the one to the other
    // make a run of rows. Columns outside the plot are left.
    void ThinJoinIntoSpans()
    {
        const int x0 = m_previousColumn, y0 = m_previousLast, dx = m_column - m_previousColumn;
        const std::int64_t rise = std::abs(std::int64_t(m_first) - y0);
        const int down = m_first < y0 ? -1 : 1;
        const bool steep = rise > dx;
        const int from = std::max(steep ? 0 : 1, m_clip.left() - x0);
        const int to = std::min(steep ? dx : dx - 1, m_clip.right() - x0);
        for (int c = from; c <= to; ++c) {
            std::int64_t top = (2 * c * rise + dx) / (2 * dx), bottom = top;
            if (steep) {
                // The rows whose pixel rounds to this column.
                top = c == 0 ? 0 : ((2 * c - 1) * rise + 2 * dx - 1) / (2 * dx);
                bottom = c == dx ? rise : ((2 * c + 1) * rise + 2 * dx - 1) / (2 * dx) - 1;
            }
            const int a = y0 + down * int(top), b = y0 + down * int(bottom);
            m_spans.emplace_back(x0 + c, std::min(a, b), x0 + c, std::max(a, b));
        }
    }

    void FlushColumn()
    {
        if (!m_have)
            return;
        m_have = false;
        if (m_width > 1) {
            SSpan current{m_column, m_min, m_max, true};
            if (m_joined)
                JoinIntoSpans(current);
            if (m_pending.valid)
                m_spans.emplace_back(m_pending.column, m_pending.top, m_pending.column, m_pending.bottom);
            m_pending = current;
        } else {
            m_spans.emplace_back(m_column, m_min, m_column, m_max);
            if (m_joined)
                ThinJoinIntoSpans();
        }
        m_joined = true;
        m_previousColumn = m_column;
        m_previousLast = m_last;
    }

    QPainter& m_painter;
    int m_width;
    QRect m_clip;
    QColor m_colour;
    CPlotSpanCanvas* m_canvas = nullptr;
    std::vector<int> m_low;
    std::vector<int> m_high;
    std::vector<QLine> m_spans;
    SSpan m_pending; // a wide pen's last column, until the join to the next one is known
    bool m_have = false;
    int m_column = 0, m_first = 0, m_min = 0, m_max = 0, m_last = 0;
    bool m_joined = false;
    int m_previousColumn = 0, m_previousLast = 0;
};

} // namespace

QFont PlotAxisFont()
{
    QFont font;
    font.setPixelSize(11);
    return font;
}

CString FitAxisTitle(const CString& title, int length)
{
    const QString shown = FitTextIntoRoom(ToQ(title), QFontMetrics(PlotAxisFont()), QRect(0, 0, length, 1), false);
    return CString(shown.toUtf8().constData());
}

void CPlotRenderer::Paint(QPainter& painter) const
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    PaintBackground(painter);
    const CRect& plot = m_layout.plot;
    painter.save();
    painter.setClipRect(QRect(plot.left, plot.top, plot.Width(), plot.Height()));
    if (!m_options.thumbnail) {
        PaintLabels(painter, true);
        PaintGrid(painter);
    }
    // The curves go straight into a picture of our own (32 bits a pixel), all at once.
    auto* image = dynamic_cast<QImage*>(painter.device());
    std::optional<CPlotSpanCanvas> canvas;
    if (image && image->depth() == 32)
        canvas.emplace(*image);
    for (const auto& channel : m_chart.m_channels)
        PaintChannel(painter, channel, canvas ? &*canvas : nullptr);
    if (canvas)
        canvas->Write();
    if (!m_options.thumbnail) {
        PaintLimits(painter);
        PaintLabels(painter, false);
        PaintCursors(painter);
    }
    painter.restore();
    if (m_options.thumbnail)
        return;
    for (std::size_t i = 0; i < m_chart.m_xAxes.size(); ++i)
        if (m_chart.m_xAxes[i].IsVisible())
            PaintXAxis(painter, m_chart.m_xAxes[i], m_layout.xAxisBands[i]);
    for (std::size_t i = 0; i < m_chart.m_yAxes.size(); ++i)
        if (m_chart.m_yAxes[i].IsVisible())
            PaintYAxis(painter, m_chart.m_yAxes[i], m_layout.yAxisBands[i]);
    if (!m_chart.m_zoomRect.IsRectEmpty()) {
        const CRect& z = m_chart.m_zoomRect;
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(z.left, z.top, z.Width() - 1, z.Height() - 1));
    }
}

void CPlotRenderer::PaintBackground(QPainter& painter) const
{
    // The plot's background and the white around it, each pixel once: a wide picture at a high
    // ratio is megabytes.
    const QRect client(m_layout.client.left, m_layout.client.top, m_layout.client.Width(), m_layout.client.Height());
    const CRect& p = m_layout.plot;
    const QRect plot = QRect(p.left, p.top, p.Width(), p.Height()) & client;
    const COLORREF background = m_options.thumbnail ? CiPlotX::kDefaultBackground : m_chart.m_plotBackground;
    for (const QRect& around : QRegion(client).subtracted(plot))
        painter.fillRect(around, Qt::white);
    painter.fillRect(plot, ToQColor(background));
}

void CPlotRenderer::PaintGrid(QPainter& painter) const
{
    const CRect& p = m_layout.plot;
    painter.setPen(QPen(QColor(222, 222, 222), 1));
    for (std::size_t i = 0; i < m_chart.m_xAxes.size(); ++i) {
        const auto& axis = m_chart.m_xAxes[i];
        if (!axis.IsVisible())
            continue;
        for (const auto& tick : axis.VisibleTicks(p.Width(), 90, true))
            if (!tick.text.IsEmpty()) {
                const int x = PixelOf(m_chart.XValueToPixel(int(i), tick.value));
                painter.drawLine(x, p.top, x, p.bottom - 1);
            }
        break;
    }
    for (std::size_t i = 0; i < m_chart.m_yAxes.size(); ++i) {
        const auto& axis = m_chart.m_yAxes[i];
        if (!axis.IsVisible())
            continue;
        for (const auto& tick : axis.VisibleTicks(p.Height(), 40, false))
            if (!tick.text.IsEmpty()) {
                const int y = PixelOf(m_chart.YValueToPixel(int(i), tick.value));
                painter.drawLine(p.left, y, p.right - 1, y);
            }
        break;
    }
}

const CPlotXAxis* CPlotRenderer::ChannelXAxis(const CPlotChannel& channel) const
{
    if (!channel.IsVisible() || !channel.IsEnabled())
        return nullptr;
    const int index = m_chart.FindXAxis(channel.GetXAxisName());
    if (index < 0 || (m_options.thumbnail && index != m_options.xAxis))
        return nullptr;
    return &m_chart.m_xAxes[std::size_t(index)];
}

void CPlotRenderer::PaintChannel(QPainter& painter, const CPlotChannel& channel, CPlotSpanCanvas* canvas) const
{
    const CPlotXAxis* xAxis = ChannelXAxis(channel);
    if (!xAxis || (!m_options.thumbnail && !xAxis->IsVisible()) || channel.GetCount() == 0)
        return;
    double yMin = m_options.yMin, ySpan = m_options.yMax - m_options.yMin;
    if (!m_options.thumbnail) {
        const int yIndex = m_chart.FindYAxis(channel.GetYAxisName());
        if (yIndex < 0)
            return;
        yMin = m_chart.m_yAxes[std::size_t(yIndex)].GetMin();
        ySpan = m_chart.m_yAxes[std::size_t(yIndex)].GetSpan();
    }
    if (!CPlotAxis::IsValidRange(yMin, ySpan))
        return;
    // The data is placed on device pixels: at a device pixel ratio above 1 the painter works in
    // them, so that a curve is as fine as the screen.
    const double ratio = m_options.ratio > 0.0 ? m_options.ratio : 1.0;
    painter.save();
    painter.scale(1.0 / ratio, 1.0 / ratio);
    const CRect& logical = m_layout.plot;
    const QRect p(int(std::lround(logical.left * ratio)), int(std::lround(logical.top * ratio)),
                  int(std::lround(logical.Width() * ratio)), int(std::lround(logical.Height() * ratio)));
    const double xMin = xAxis->GetMin(), xMax = xAxis->GetMax();
    const double xScale = (p.width() - 1) / xAxis->GetSpan();
    const double yScale = (p.height() - 1) / ySpan;
    const double left = p.left(), bottom = p.bottom();

    // From the last point at or before the visible start to the first point after its end.
    const int first = std::max(0, channel.GetIndexOfX(xMin));
    const int last = std::min(channel.GetCount() - 1, channel.GetIndexOfX(xMax) + 1);
    // As wide as at one device pixel a pixel, placed to the device pixel.
    const int width = std::max(1, int(std::lround(channel.GetWidth() * ratio)));
    CRunPainter runs(painter, canvas, ToQColor(channel.GetColor()), width, p);
    const double* xs = channel.XData();
    const float* ys = channel.YData();
    const auto columnOf = [&](int i) { return PixelOf(left + (xs[i] - xMin) * xScale); };
    const auto rowOf = [&](float y) { return PixelOf(bottom - (double(y) - yMin) * yScale); };
    const auto addPoint = [&](int i) {
        if (std::isfinite(ys[i]))
            runs.Add(columnOf(i), rowOf(ys[i]));
        else
            runs.Break();
    };
    if (!m_options.decimate || (last - first + 1) <= p.width()) {
        for (int i = first; i <= last; ++i)
            addPoint(i);
        runs.Break();
        painter.restore();
        return;
    }
    // Column by column: the points of a column are found by their X values (which never
    // decrease) and scanned for their extremes in one tight pass; a column holding a gap is
    // taken point by point.
    const std::vector<int>& gaps = channel.GapIndexes();
    auto gap = gaps.begin();
    int pointsBefore = 1; // in the column before: neighbouring columns hold about as many
    for (int i = first; i <= last;) {
        const int column = columnOf(i);
        const auto inColumn = [&](int k) { return k <= last && columnOf(k) <= column; };
        // The X values where the columns after this one will be looked for, asked of the memory
        // now: one column's search waits on the one before, and X values a column apart share
        // no cache line.
        __builtin_prefetch(xs + std::min(i + 4 * pointsBefore, last));
        // The first point past the column lies between a point known in it and one known past
        // it: from where the column before would put it, steps doubling outwards find the two,
        // halving between them closes in.
        int inside = i, past = std::min(i + pointsBefore, last + 1);
        if (inColumn(past)) {
            int step = 1;
            do {
                inside = past;
                past = std::min(past + step, last + 1);
                step *= 2;
            } while (inColumn(past));
        } else {
            for (int step = 1; past - inside > 1; step *= 2) {
                const int probe = std::max(inside + 1, past - step);
                if (inColumn(probe)) {
                    inside = probe;
                    break;
                }
                past = probe;
            }
        }
        while (past - inside > 1) {
            const int middle = inside + (past - inside) / 2;
            (inColumn(middle) ? inside : past) = middle;
        }
        const int lo = past;
        pointsBefore = lo - i;
        // The gaps before this column are passed; one inside it sends the column point by point.
        while (gap != gaps.end() && *gap < i)
            ++gap;
        if (gap != gaps.end() && *gap < lo) {
            for (int k = i; k < lo; ++k)
                addPoint(k);
        } else {
            float minimum = 0.0f, maximum = 0.0f;
            ColumnExtremes(ys, i, lo, minimum, maximum);
            runs.AddColumn(column, rowOf(ys[i]), rowOf(maximum), rowOf(minimum), rowOf(ys[lo - 1]));
        }
        i = lo;
    }
    runs.Break();
    painter.restore();
}

void CPlotRenderer::PaintLimits(QPainter& painter) const
{
    const CRect& p = m_layout.plot;
    for (const auto& limit : m_chart.m_limits) {
        if (!limit.visible)
            continue;
        QPen pen(ToQColor(limit.color), std::max(1, limit.size), PenStyle(limit.style));
        painter.setPen(pen);
        if (limit.kind == EPlotLimitKind::YLine) {
            int axis = m_chart.FindYAxis(limit.axisName);
            if (axis < 0 && m_chart.GetYAxisCount() > 0)
                axis = 0;
            const double y = m_chart.YValueToPixel(axis, limit.position1);
            if (std::isfinite(y))
                painter.drawLine(p.left, PixelOf(y), p.right - 1, PixelOf(y));
            continue;
        }
        int axis = m_chart.FindXAxis(limit.axisName);
        if (axis < 0 && m_chart.GetXAxisCount() > 0)
            axis = 0;
        const double x1 = m_chart.XValueToPixel(axis, limit.position1);
        if (!std::isfinite(x1))
            continue;
        if (limit.kind == EPlotLimitKind::XMarker) {
            painter.drawLine(PixelOf(x1), p.top, PixelOf(x1), p.bottom - 1);
        } else {
            const double x2 = m_chart.XValueToPixel(axis, limit.position2);
            QColor fill = ToQColor(limit.color);
            fill.setAlpha(60);
            const int a = PixelOf(std::min(x1, x2)), b = PixelOf(std::max(x1, x2));
            painter.fillRect(QRect(a, p.top, b - a + 1, p.Height()), fill);
        }
    }
}

void CPlotRenderer::PaintLabels(QPainter& painter, bool behindData) const
{
    const CRect& p = m_layout.plot;
    painter.setFont(PlotAxisFont());
    for (std::size_t i = 0; i < m_chart.m_labels.size(); ++i) {
        const SPlotLabel& label = m_chart.m_labels[i];
        if (!label.visible || (label.kind == EPlotLabelKind::Rectangle) != behindData)
            continue;
        int axis = m_chart.FindXAxis(label.xAxisName);
        if (axis < 0 && m_chart.GetXAxisCount() > 0)
            axis = 0;
        const double x = m_chart.XValueToPixel(axis, label.x);
        if (!std::isfinite(x))
            continue;
        if (label.kind == EPlotLabelKind::Rectangle) {
            const double x2 = m_chart.XValueToPixel(axis, label.x2);
            const int a = PixelOf(std::min(x, x2)), b = PixelOf(std::max(x, x2));
            painter.fillRect(QRect(a, p.top, b - a + 1, p.Height()), ToQColor(label.fillColor));
            continue;
        }
        QRect box;
        if (label.kind == EPlotLabelKind::Point) {
            const int channel = m_chart.FindChannel(label.channelName);
            if (channel < 0)
                continue;
            const CPlotChannel& c = m_chart.m_channels[std::size_t(channel)];
            const int cx = m_chart.FindXAxis(c.GetXAxisName()), cy = m_chart.FindYAxis(c.GetYAxisName());
            if (cx < 0 || cy < 0 || !std::isfinite(label.value))
                continue;
            const int px = PixelOf(m_chart.XValueToPixel(cx, label.x));
            const int py = PixelOf(m_chart.YValueToPixel(cy, label.value));
            painter.setPen(ToQColor(label.color));
            painter.setBrush(ToQColor(label.fillColor));
            painter.drawEllipse(QPoint(px, py), 3, 3);
            if (label.text.IsEmpty())
                continue;
            box = painter.fontMetrics().boundingRect(QRect(0, 0, 400, 200), Qt::AlignLeft, ToQ(label.text));
            box.moveTo(px + 6, py - box.height() / 2);
            box.adjust(-2, -1, 2, 1);
        } else {
            const CRect text = m_chart.GetLabelBox(int(i));
            if (text.IsRectEmpty())
                continue;
            box = QRect(text.left, text.top, text.Width(), text.Height());
        }
        if (label.filled)
            painter.fillRect(box, ToQColor(label.fillColor));
        painter.setPen(ToQColor(label.color));
        painter.drawText(box, Qt::AlignCenter, ToQ(label.text));
    }
}

void CPlotRenderer::PaintCursors(QPainter& painter) const
{
    const CRect& p = m_layout.plot;
    painter.setFont(PlotAxisFont());
    for (int index = 0; index < CiPlotX::kCursorCount; ++index) {
        const SPlotDataCursor& cursor = m_chart.m_cursors[std::size_t(index)];
        if (!m_chart.IsCursorInSight(index))
            continue;
        const int channel = m_chart.FindChannel(cursor.channelName);
        const CPlotChannel& c = m_chart.m_channels[std::size_t(channel)];
        const double x = m_chart.XValueToPixel(m_chart.FindXAxis(c.GetXAxisName()), cursor.position);
        if (!std::isfinite(x))
            continue;
        const QColor color = ToQColor(cursor.hasColor ? cursor.color : c.GetColor());
        painter.setPen(QPen(color, 1));
        painter.drawLine(PixelOf(x), p.top, PixelOf(x), p.bottom - 1);
        const CRect readout = m_chart.GetCursorReadoutBox(index);
        if (readout.IsRectEmpty())
            continue;
        const QRect box(readout.left, readout.top, readout.Width(), readout.Height());
        painter.fillRect(box, QColor(255, 255, 225));
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignCenter, ToQ(cursor.readout));
    }
}

void CPlotRenderer::PaintXAxis(QPainter& painter, const CPlotXAxis& axis, const CRect& band) const
{
    const int index = m_chart.FindXAxis(axis.GetName());
    painter.setFont(PlotAxisFont());
    painter.setPen(Qt::black);
    painter.drawLine(band.left, band.top, band.right - 1, band.top);
    const QFontMetrics metrics = painter.fontMetrics();
    int drawnRight = std::numeric_limits<int>::min();
    for (const auto& tick : axis.VisibleTicks(band.Width(), 90, true)) {
        const int x = PixelOf(m_chart.XValueToPixel(index, tick.value));
        const bool major = !tick.text.IsEmpty();
        painter.drawLine(x, band.top, x, band.top + (major ? 5 : 3));
        if (major) {
            const QString text = ToQ(tick.text);
            const int width = metrics.horizontalAdvance(text);
            // The outermost labels move inwards rather than be cut at the picture's edge or run
            // left of the axis (where the view keeps the axis's buttons); one that would then run
            // into its neighbour is left out.
            const int left = std::clamp(x - width / 2, int(band.left), std::max(int(band.left), int(m_layout.client.right) - width - 1));
            if (left < drawnRight + kLabelGap)
                continue;
            painter.drawText(QRect(left, band.top + 6, width, metrics.height()), Qt::AlignCenter, text);
            drawnRight = left + width;
        }
    }
}

void CPlotRenderer::PaintYAxis(QPainter& painter, const CPlotYAxis& axis, const CRect& band) const
{
    const int index = m_chart.FindYAxis(axis.GetName());
    const bool right = axis.IsRightSide();
    painter.setFont(PlotAxisFont());
    painter.setPen(Qt::black);
    const int edge = right ? band.left : band.right - 1;
    const int out = right ? 1 : -1;
    painter.drawLine(edge, band.top, edge, band.bottom - 1);
    const QFontMetrics metrics = painter.fontMetrics();
    for (const auto& tick : axis.VisibleTicks(band.Height(), 40, false)) {
        const int y = PixelOf(m_chart.YValueToPixel(index, tick.value));
        const bool major = !tick.text.IsEmpty();
        painter.drawLine(edge, y, edge + out * (major ? 5 : 3), y);
        if (major) {
            const QString text = ToQ(tick.text);
            // The outermost labels move inwards rather than be cut at the picture's edge, and
            // the lowest stays beside its band: below it lie the time axes and, left of them,
            // the view's axis buttons, which would hide it.
            const int top = std::clamp(y - metrics.height() / 2, 0,
                                       std::max(0, std::min(int(band.bottom), int(m_layout.client.bottom)) - metrics.height()));
            const QRect box(right ? edge + 7 : band.left + 14, top, band.Width() - 21, metrics.height());
            painter.drawText(box, (right ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, text);
        }
    }
    if (axis.GetTitle().IsEmpty())
        return;
    painter.save();
    const int x = right ? band.right - 2 : band.left + 2;
    painter.translate(x, (band.top + band.bottom) / 2);
    painter.rotate(right ? 90 : -90);
    painter.drawText(QRect(-band.Height() / 2, 0, band.Height(), metrics.height()), Qt::AlignCenter,
                     ToQ(FitAxisTitle(axis.GetTitle(), band.Height())));
    painter.restore();
}
