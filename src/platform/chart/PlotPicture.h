#pragma once
// Private to the chart and its tests: the rendered picture and the drawing code.
#include "platform/chart/CiPlotX.h"

#include <QFont>
#include <QImage>

class CPlotSpanCanvas;
class QPainter;

// The font of the axes' labels and titles.
QFont PlotAxisFont();
// An axis title as it is drawn along a band of that length: whole, or cut to end with "…".
CString FitAxisTitle(const CString& title, int length);

struct SPlotPicture
{
    QImage image;
};

// What to draw: the whole chart, or a thumbnail (one X axis, a fixed Y range, data only).
struct SPlotRenderOptions
{
    bool decimate = true;
    bool thumbnail = false;
    // Device pixels per logical pixel: the data is drawn at device pixels.
    double ratio = 1.0;
    int xAxis = -1;
    double yMin = 0.0;
    double yMax = 1.0;
};

class CPlotRenderer
{
public:
    CPlotRenderer(const CiPlotX& chart, const SPlotLayout& layout, const SPlotRenderOptions& options)
        : m_chart(chart), m_layout(layout), m_options(options)
    {
    }
    void Paint(QPainter& painter) const;

private:
    void PaintBackground(QPainter& painter) const;
    void PaintGrid(QPainter& painter) const;
    // Onto the picture's canvas where it has one, else with the painter.
    void PaintChannel(QPainter& painter, const CPlotChannel& channel, CPlotSpanCanvas* canvas) const;
    void PaintLimits(QPainter& painter) const;
    void PaintLabels(QPainter& painter, bool behindData) const;
    void PaintCursors(QPainter& painter) const;
    void PaintXAxis(QPainter& painter, const CPlotXAxis& axis, const CRect& band) const;
    void PaintYAxis(QPainter& painter, const CPlotYAxis& axis, const CRect& band) const;
    // The X axis (and its range) a channel is drawn against; null when it is not drawn.
    const CPlotXAxis* ChannelXAxis(const CPlotChannel& channel) const;

    const CiPlotX& m_chart;
    const SPlotLayout& m_layout;
    SPlotRenderOptions m_options;
};

// The picture as a 24-bit bottom-up Windows bitmap with a 14-byte file header and a 40-byte
// information header.
std::vector<BYTE> EncodeBitmap24(const QImage& image);
// The picture as an uncompressed Windows bitmap with the fewest bits a pixel that hold its
// colours: 1, 4 or 8 bits with a colour table, else 24 bits. A thumbnail holds the white ground
// and a curve or two, which 4 bits keep exactly in a sixth of the bytes.
std::vector<BYTE> EncodeBitmapIndexed(const QImage& image);
