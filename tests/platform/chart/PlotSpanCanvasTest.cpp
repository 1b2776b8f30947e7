// The curves' columns written straight into a picture: whatever their shape (thick, steep, thin,
// broken, ending at the picture's right edge, crossing the bands of rows the picture is written
// in), the picture is what painting each column and rectangle in turn, pixel by pixel, gives.
#include "platform/chart/PlotSpanCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <limits>
#include <random>
#include <vector>

namespace {

struct SColumns
{
    QRgb colour;
    int left;
    std::vector<int> low, high;
};

// Columns from a tile's boundary to a random end, a curve wandering down the picture as thick
// as `thickness` rows, with columns of nothing between.
SColumns RandomColumns(std::mt19937& random, const QSize& size, int thickness)
{
    const int tiles = (size.width() - 1) / CPlotSpanCanvas::kTile;
    const int left = CPlotSpanCanvas::kTile * std::uniform_int_distribution<int>(0, tiles)(random);
    const int columns = std::uniform_int_distribution<int>(1, size.width() - left)(random);
    std::uniform_int_distribution<int> byte(0, 255), step(-thickness, thickness), chance(0, 19);
    SColumns piece{qRgb(byte(random), byte(random), byte(random)), left, {}, {}};
    int centre = std::uniform_int_distribution<int>(0, size.height() - 1)(random);
    for (int c = 0; c < columns; ++c) {
        centre = std::clamp(centre + step(random), 0, size.height() - 1);
        if (chance(random) == 0) {
            piece.low.push_back(std::numeric_limits<int>::max());
            piece.high.push_back(std::numeric_limits<int>::min());
            continue;
        }
        const int half = std::uniform_int_distribution<int>(0, thickness)(random);
        piece.low.push_back(std::max(0, centre - half));
        piece.high.push_back(std::min(size.height() - 1, centre + half + step(random) / 2));
    }
    return piece;
}

TEST(PlotSpanCanvasTest, ThePictureIsEveryColumnAndRectanglePaintedInTurn)
{
    std::mt19937 random(11);
    // Widths off a multiple of four and of a tile; 1,001 columns leave bands of about 520 rows.
    for (const QSize size : {QSize(1001, 1400), QSize(203, 90), QSize(37, 300)}) {
        SCOPED_TRACE(testing::Message() << size.width() << " x " << size.height());
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(qRgb(250, 250, 250));
        QImage expected = picture.copy();
        CPlotSpanCanvas canvas(picture);
        for (int piece = 0; piece < 40; ++piece) {
            if (piece % 8 == 7) {
                const QPoint corner(int(random() % unsigned(size.width())), int(random() % unsigned(size.height())));
                const QRect rect = QRect(corner, QSize(40, 300)) & canvas.Rect();
                const QRgb colour = qRgb(0, 0, piece);
                canvas.AddRect(colour, rect);
                for (int y = rect.top(); y <= rect.bottom(); ++y)
                    for (int x = rect.left(); x <= rect.right(); ++x)
                        expected.setPixel(x, y, colour);
                continue;
            }
            const SColumns columns = RandomColumns(random, size, std::array{1, 3, 40, 200}[piece % 4]);
            canvas.AddColumns(columns.colour, columns.left, columns.low, columns.high);
            for (std::size_t c = 0; c < columns.low.size(); ++c)
                for (int y = columns.low[c]; y <= columns.high[c]; ++y)
                    expected.setPixel(columns.left + int(c), y, columns.colour);
        }
        canvas.Write();
        int differing = 0;
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (picture.pixel(x, y) != expected.pixel(x, y) && ++differing < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y;
        EXPECT_EQ(differing, 0);
    }
}

} // namespace
