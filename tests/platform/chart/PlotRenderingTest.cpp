// The picture: lines broken at gaps, the decimated picture of a million points against the
// picture of every point, objects over the data, drawing held back while updating, the bitmap
// export read back by the framework's reader, and thumbnails.
#include "ChartTestSupport.h"

#include "platform/framework/windows/GdiObjects.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QPainter>
#include <QPixmap>

#include <cmath>
#include <random>

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlue = qRgb(0, 0, 255);

int CountColour(const QImage& image, QRgb colour, int x0, int x1)
{
    int count = 0;
    for (int x = x0; x <= x1; ++x)
        for (int y = 0; y < image.height(); ++y)
            count += image.pixel(x, y) == colour ? 1 : 0;
    return count;
}

TEST(PlotRenderingTest, GapsBreakTheLine)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    CPlotChannel& channel = *chart.GetChannel(0);
    channel.AddXY(0.0, 5.0f);
    channel.AddXY(20.0, 5.0f);
    channel.AddGap(40.0);
    channel.AddXY(60.0, 5.0f);
    channel.AddXY(100.0, 5.0f);
    const int row = int(std::lround(chart.YValueToPixel(0, 5.0)));
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 10.0), row), kBlue);
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 33.0), row), kWhite); // no line across the gap
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 50.0), row), kWhite);
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 80.0), row), kBlue);

    // A single point between two gaps is still drawn.
    CPlotChannel& dot = *chart.GetChannel(chart.AddChannel("dot", "XAxis0", "YAxis0"));
    dot.SetColor(RGB(255, 0, 0));
    dot.AddGap(0.0);
    dot.AddXY(30.0, 8.0f);
    dot.AddGap(31.0);
    chart.Repaint();
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 30.0), chart.YValueToPixel(0, 8.0)), qRgb(255, 0, 0));
}

// A one-pixel curve is a line a pixel thin through its points: a pixel in each row a steep
// stretch crosses, one in each column a flat one crosses, and the peak of a spike that turns
// back within one pixel column.
TEST(PlotRenderingTest, AOnePixelCurveIsAPixelThinAndKeepsItsPeaks)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    CPlotChannel& channel = *chart.GetChannel(0);
    for (const auto& [x, y] : {std::pair{10.0, 1.0f}, {12.0, 9.0f}, {60.0, 7.0f}, {80.0, 2.0f}, {80.05, 9.5f}, {80.1, 2.0f}})
        channel.AddXY(x, y);
    const QImage& image = chart.Picture().image;
    const auto column = [&](double x) { return int(std::lround(chart.XValueToPixel(0, x))); };
    const auto row = [&](double y) { return int(std::lround(chart.YValueToPixel(0, y))); };
    const auto blueIn = [&](int x0, int x1, int y0, int y1) {
        int count = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x)
                count += image.pixel(x, y) == kBlue ? 1 : 0;
        return count;
    };
    for (int y = row(9.0); y <= row(1.0); ++y)
        EXPECT_EQ(blueIn(column(10.0), column(12.0), y, y), 1) << "row " << y;
    for (int x = column(12.0) + 1; x < column(60.0); ++x)
        EXPECT_EQ(blueIn(x, x, row(9.0), row(7.0)), 1) << "column " << x;
    EXPECT_EQ(image.pixel(column(80.05), row(9.5)), kBlue);
}

// A picture taller than the rows the curves are written in at once: the later curve lies over
// the earlier one in every band of rows, and nothing of a curve that starts left of the axis
// shows left of the plot.
TEST(PlotRenderingTest, ALaterCurveLiesOverAnEarlierOneAllTheWayDownATallPicture)
{
    for (const int pen : {1, 3}) {
        SCOPED_TRACE(testing::Message() << "pen " << pen);
        CiPlotX chart;
        SetUpSimpleChart(chart, 300, 1400);
        const int red = chart.AddChannel("red", "XAxis0", "YAxis0");
        chart.GetChannel(red)->SetColor(RGB(255, 0, 0));
        for (const int c : {0, red}) {
            chart.GetChannel(c)->SetWidth(pen);
            for (int i = 0; i <= 400; ++i)
                chart.GetChannel(c)->AddXY(-10.0 + i * 0.3, i % 2 ? 0.5f : 9.5f);
        }
        const QImage& image = chart.Picture(2.0).image;
        const int plotLeft = 2 * chart.GetLayout().plot.left;
        EXPECT_EQ(CountColour(image, kBlue, 0, image.width() - 1), 0);
        EXPECT_GT(CountColour(image, qRgb(255, 0, 0), plotLeft, image.width() - 1), 100000);
        EXPECT_EQ(CountColour(image, qRgb(255, 0, 0), 0, plotLeft - 1), 0);
    }
}

// A million noisy points with gaps, a shorter channel of spikes, and one whose points crowd
// hundreds into a pixel column at its start and thin out to a few at its end.
void FillMillionPoints(CiPlotX& chart)
{
    CPlotChannel& channel = *chart.GetChannel(0);
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0.0f, 0.8f);
    constexpr int kPoints = 1000000;
    channel.Reserve(kPoints);
    for (int i = 0; i < kPoints; ++i) {
        const double x = i * 110.0 / kPoints - 5.0; // starts and ends outside the axis
        if (i % 99991 == 500)
            channel.AddGap(x);
        else
            channel.AddXY(x, 5.0f + 3.0f * float(std::sin(i / 20000.0)) + noise(random));
    }
    CPlotChannel& spikes = *chart.GetChannel(chart.AddChannel("spikes", "XAxis0", "YAxis0"));
    spikes.SetColor(RGB(0, 160, 0));
    for (int i = 0; i < 200000; ++i)
        spikes.AddXY(i * 100.0 / 200000, i % 5000 == 0 ? 9.5f : 1.0f);
    CPlotChannel& crowded = *chart.GetChannel(chart.AddChannel("crowded", "XAxis0", "YAxis0"));
    crowded.SetColor(RGB(200, 100, 0));
    for (int i = 0; i < 20000; ++i)
        crowded.AddXY(100.0 * std::pow(i / 20000.0, 3.0), 7.0f + float(std::sin(i / 7.0)));
}

int CountDiffering(const QImage& a, const QImage& b)
{
    int differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y) && ++differing < 10)
                ADD_FAILURE() << "pixel " << x << "," << y << " " << std::hex << a.pixel(x, y) << " " << b.pixel(x, y);
    return differing;
}

// The plot of a picture painted on a pixmap: the painter fills every span itself, where a
// picture of the chart's own has its spans written straight into its rows.
QImage PaintedByThePainter(const CiPlotX& chart, double ratio)
{
    QPixmap pixmap(QSize(chart.GetLayout().client.Width(), chart.GetLayout().client.Height()) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    QPainter painter(&pixmap);
    SPlotRenderOptions options;
    options.ratio = ratio;
    CPlotRenderer(chart, chart.GetLayout(), options).Paint(painter);
    painter.end();
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

int CountDifferingInPlot(const QImage& a, const QImage& b, const CRect& plot, double ratio)
{
    const QRect area(QPoint(int(plot.left * ratio), int(plot.top * ratio)),
                     QPoint(int(plot.right * ratio) - 1, int(plot.bottom * ratio) - 1));
    return CountDiffering(a.copy(area), b.copy(area));
}

// At one device pixel a pixel and at two (a pen two or six device pixels wide, drawn as column
// spans too, never stroked), and with a pen of 3 device pixels at a ratio of 1.5. The spans
// written straight into the picture cover what the painter's own rectangles do.
TEST(PlotRenderingTest, TheDecimatedPictureOfAMillionPointsEqualsEveryPointDrawn)
{
    for (const auto& [ratio, penWidth] : {std::pair{1.0, 1}, std::pair{2.0, 1}, std::pair{1.5, 2}, std::pair{2.0, 3}}) {
        SCOPED_TRACE(testing::Message() << "ratio " << ratio << " pen " << penWidth);
        CiPlotX chart;
        SetUpSimpleChart(chart, 800, 300);
        FillMillionPoints(chart);
        chart.GetChannel(1)->SetWidth(penWidth);
        const QImage decimated = chart.Picture(ratio).image;
        EXPECT_EQ(CountDifferingInPlot(decimated, PaintedByThePainter(chart, ratio), chart.GetLayout().plot, ratio), 0);

        chart.SetDecimation(false);
        chart.Repaint();
        const QImage full = chart.Picture(ratio).image;
        ASSERT_EQ(decimated.size(), full.size());
        EXPECT_EQ(CountDiffering(decimated, full), 0);
        // The gaps broke the line somewhere: not every column of the plot holds the channel.
        EXPECT_GT(CountColour(full, kBlue, 0, full.width() - 1), 1000);
    }
}

// Whatever the ratio, a curve covers the same places of the plot: each device pixel of it at
// ratio 2 lies within a pixel of the curve at ratio 1, each pixel at ratio 1 has the curve within
// a pixel at ratio 2, and the curve takes four times the device pixels (twice as long, twice as
// thick).
TEST(PlotRenderingTest, AtTwoDevicePixelsAPixelACurveCoversWhatItCoversAtOneTwiceAsLarge)
{
    CiPlotX chart;
    SetUpSimpleChart(chart, 500, 300);
    FillMillionPoints(chart);
    for (int channel = 1; channel < chart.GetChannelCount(); ++channel)
        chart.GetChannel(channel)->SetVisible(false);
    const QImage one = chart.Picture(1.0).image;
    const QImage two = chart.Picture(2.0).image;
    
    const CRect& plot = chart.GetLayout().plot;
    const auto near = [](const QImage& image, int x, int y, int reach) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (image.valid(x + dx, y + dy) && image.pixel(x + dx, y + dy) == kBlue)
                    return true;
        return false;
    };
    int atOne = 0, atTwo = 0, strayAtOne = 0, strayAtTwo = 0;
    for (int y = plot.top; y < plot.bottom; ++y)
        for (int x = plot.left; x < plot.right; ++x)
            if (one.pixel(x, y) == kBlue) {
                ++atOne;
                strayAtOne += near(two, 2 * x, 2 * y, 2) ? 0 : 1;
            }
    for (int y = 2 * plot.top; y < 2 * plot.bottom; ++y)
        for (int x = 2 * plot.left; x < 2 * plot.right; ++x)
            if (two.pixel(x, y) == kBlue) {
                ++atTwo;
                strayAtTwo += near(one, x / 2, y / 2, 1) ? 0 : 1;
            }
    EXPECT_GT(atOne, 5000);
    EXPECT_EQ(strayAtOne, 0);
    EXPECT_EQ(strayAtTwo, 0);
    EXPECT_NEAR(double(atTwo) / (4.0 * atOne), 1.0, 0.25);
}

// A window shrunk below the room its axes take lays the plot out beyond the picture: nothing of a
// curve is drawn there, nor anywhere else in the picture (a thick pen and many points draw
// straight into the picture's rows).
TEST(PlotRenderingTest, APlotBeyondATooSmallPictureDrawsNothing)
{
    for (const auto& [width, height] : {std::pair(40, 300), std::pair(300, 4), std::pair(3, 3)}) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        CiPlotX chart;
        SetUpSimpleChart(chart, width, height);
        CPlotChannel& channel = *chart.GetChannel(0);
        channel.SetWidth(3);
        for (int i = 0; i <= 2000; ++i)
            channel.AddXY(i * 0.05, float(5 + 4 * std::sin(i / 50.0)));
        for (const double ratio : {1.0, 2.0}) {
            const QImage picture = chart.Picture(ratio).image;
            ASSERT_EQ(picture.size(), QSize(width, height) * ratio);
            EXPECT_EQ(CountColour(picture, kBlue, 0, picture.width() - 1), 0) << "ratio " << ratio;
        }
    }
}

// Below a value axis lies the corner where the view keeps its axis buttons: the label of the
// axis's lowest value stays above it, at either device ratio.
TEST(PlotRenderingTest, TheLowestValueLabelStaysBesideItsAxis)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    const CRect band = chart.GetLayout().yAxisBands[0];
    for (const double ratio : {1.0, 2.0}) {
        const QImage picture = chart.Picture(ratio).image;
        int drawn = 0;
        for (int x = 0; x < int(band.right * ratio) - 1; ++x)
            for (int y = int(band.bottom * ratio); y < picture.height(); ++y)
                drawn += picture.pixel(x, y) != kWhite ? 1 : 0;
        EXPECT_EQ(drawn, 0) << "ratio " << ratio;
    }
}

TEST(PlotRenderingTest, RectanglesLieBehindTheDataAndLimitsOverIt)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    chart.SetPlotBackground(RGB(0xE9, 0xEF, 0xF4));
    SPlotLabel hours;
    hours.name = "AnnWorkingHour";
    hours.kind = EPlotLabelKind::Rectangle;
    hours.x = 20.0;
    hours.x2 = 40.0;
    hours.fillColor = RGB(255, 255, 255);
    chart.AddLabel(hours);
    chart.GetChannel(0)->AddXY(0.0, 5.0f);
    chart.GetChannel(0)->AddXY(100.0, 5.0f);
    SPlotLimit limit;
    limit.name = "L";
    limit.position1 = 7.0;
    limit.color = RGB(200, 0, 0);
    chart.AddLimit(limit);
    const double row = chart.YValueToPixel(0, 5.0);
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 33.0), row - 20), kWhite);
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 63.0), row - 20), qRgb(0xE9, 0xEF, 0xF4));
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 30.0), row), kBlue);
    EXPECT_EQ(Pixel(chart, chart.XValueToPixel(0, 30.0), chart.YValueToPixel(0, 7.0)), qRgb(200, 0, 0));
    chart.DeleteLabels("AnnWorkingHour");
    EXPECT_EQ(chart.GetLabelCount(), 0);
}

TEST(PlotRenderingTest, NothingIsDrawnUntilTheOutermostUpdateEnds)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    chart.Repaint();
    const int before = chart.GetRenderCount();
    chart.BeginUpdate();
    chart.BeginUpdate();
    chart.GetChannel(0)->AddXY(1.0, 1.0f);
    chart.Repaint();
    chart.EndUpdate();
    EXPECT_EQ(chart.GetRenderCount(), before);
    chart.EndUpdate();
    EXPECT_EQ(chart.GetRenderCount(), before + 1);
    chart.EndUpdate(); // unbalanced: nothing happens
    EXPECT_EQ(chart.GetRenderCount(), before + 1);
}

TEST(PlotRenderingTest, TheBitmapExportIsAnUncompressed24BitBitmapOfThePicture)
{
    CTempFolder folder;
    CiPlotX chart;
    SetUpSimpleChart(chart, 201, 150); // a row of 603 bytes is padded to 604
    chart.GetChannel(0)->AddXY(0.0, 2.0f);
    chart.GetChannel(0)->AddXY(100.0, 8.0f);
    const CString path = folder.Path("chart.bmp").c_str();
    ASSERT_TRUE(chart.SaveImageToBitmap(path));
    QFile file(QString::fromUtf8(path.GetString()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 14 + 40 + 604 * 150);
    auto u32 = [&](int at) { return quint32(quint8(bytes[at])) | quint32(quint8(bytes[at + 1])) << 8 |
                                    quint32(quint8(bytes[at + 2])) << 16 | quint32(quint8(bytes[at + 3])) << 24; };
    EXPECT_EQ(bytes.left(2), QByteArray("BM"));
    EXPECT_EQ(u32(2), quint32(bytes.size()));
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 201u);
    EXPECT_EQ(u32(22), 150u);
    EXPECT_EQ(quint8(bytes[28]), 24);
    EXPECT_EQ(u32(30), 0u);

    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromFile(path));
    BITMAP info;
    bitmap.GetBitmap(&info);
    EXPECT_EQ(info.bmWidth, 201);
    EXPECT_EQ(info.bmHeight, 150);
    const QImage read(QString::fromUtf8(path.GetString()));
    const QImage& shown = chart.Picture().image;
    for (int y = 0; y < 150; y += 3)
        for (int x = 0; x < 201; x += 3)
            ASSERT_EQ(read.pixel(x, y), shown.pixel(x, y)) << x << "," << y;

    CBitmap copy;
    EXPECT_TRUE(chart.CopyToBitmap(copy));
    EXPECT_FALSE(chart.SaveImageToBitmap(folder.Path("missing/x.bmp").c_str()));
}

TEST(PlotRenderingTest, AtTwoDevicePixelsAPixelACurveClimbsInDevicePixels)
{
    CiPlotX chart;
    SetUpSimpleChart(chart);
    CPlotChannel& channel = *chart.GetChannel(0);
    for (int i = 0; i <= 100; ++i)
        channel.AddXY(i, 2.0f + i / 100.0f); // a tenth of the plot's height over its width
    const QImage& image = chart.Picture(2.0).image;
    ASSERT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    // The rows the curve crosses: at logical pixels each would be two device rows of the same
    // columns, stairs of two; drawn at device pixels, neighbouring rows differ.
    std::vector<std::vector<int>> columnsOfRow(std::size_t(image.height()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == kBlue)
                columnsOfRow[std::size_t(y)].push_back(x);
    int rows = 0;
    int pairsAlike = 0;
    for (int y = 0; y + 1 < image.height(); y += 2) {
        if (columnsOfRow[std::size_t(y)].empty() && columnsOfRow[std::size_t(y) + 1].empty())
            continue;
        ++rows;
        pairsAlike += columnsOfRow[std::size_t(y)] == columnsOfRow[std::size_t(y) + 1] ? 1 : 0;
    }
    EXPECT_GT(rows, 20);
    EXPECT_LT(pairsAlike, rows / 2);
    // The bitmap export keeps the chart's size in pixels.
    const std::vector<BYTE> bytes = chart.GetBitmapBytes();
    EXPECT_EQ(bytes.size(), std::size_t(14 + 40 + 400 * 3 * 300));
}

TEST(PlotRenderingTest, AThumbnailShowsTheVisibleChannelsOfItsAxisAgainstTheCommonRange)
{
    CTempFolder folder;
    CiPlotX chart;
    SetUpSimpleChart(chart);
    chart.GetChannel(0)->AddXY(0.0, 5.0f);
    chart.GetChannel(0)->AddXY(100.0, 5.0f);
    const int other = chart.AddChannel("hidden", "XAxis0", "YAxis0");
    chart.GetChannel(other)->SetColor(RGB(255, 0, 0));
    chart.GetChannel(other)->AddXY(0.0, 2.0f);
    chart.GetChannel(other)->AddXY(100.0, 2.0f);
    chart.GetChannel(other)->SetVisible(false);
    SPlotThumbnailRequest request;
    request.start = 50.0;
    request.span = 10.0;
    request.yMin = 0.0;
    request.yMax = 10.0;
    const CString path = folder.Path("S1_DAY_20260302.bmp").c_str();
    ASSERT_TRUE(chart.SaveThumbnail(request, path));
    const QImage thumb(QString::fromUtf8(path.GetString()));
    ASSERT_EQ(thumb.size(), QSize(195, 130));
    EXPECT_EQ(thumb.pixel(97, int(std::lround(129 - 0.5 * 129))), kBlue);
    EXPECT_EQ(CountColour(thumb, qRgb(255, 0, 0), 0, 194), 0);
    EXPECT_EQ(thumb.pixel(0, 0), kWhite); // no axes, no frame
    // The chart's own range is untouched.
    EXPECT_EQ(chart.GetXAxis(0)->GetMin(), 0.0);
    request.span = 0.0;
    EXPECT_FALSE(chart.SaveThumbnail(request, path));
}

} // namespace
