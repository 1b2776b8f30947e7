#pragma once
// Private to the chart's drawing: the pixel columns of the curves, kept until every curve is
// known and then written into the picture a band of rows at a time. A wide picture at a high
// ratio is megabytes, more than a core's cache: written curve by curve, each curve read the
// picture's rows from memory again; band by band, every curve is written into the band's rows
// while they are at hand.
#include <QImage>
#include <QRect>

#include <cstddef>
#include <vector>

class CPlotSpanCanvas
{
public:
    // Pixel columns whose rows are kept together, so that a band passes over those outside it: a
    // cache line of a row.
    static constexpr int kTile = 16;

    // Into a picture of 32 bits a pixel, which must not be shared while the canvas lives.
    explicit CPlotSpanCanvas(QImage& image);

    QRect Rect() const { return QRect(0, 0, m_width, m_height); }
    // Columns from `left` (a tile's boundary), column k covering the rows low[k] .. high[k], or
    // none where low[k] > high[k]; all inside the picture.
    void AddColumns(QRgb colour, int left, const std::vector<int>& low, const std::vector<int>& high);
    // A rectangle inside the picture.
    void AddRect(QRgb colour, const QRect& rect);
    // Everything added, in the order added (a later curve over an earlier one); then nothing is
    // kept.
    void Write();

private:
    struct SRows
    {
        int top = 0, bottom = -1;
    };
    // Columns (at `first` of the rows kept, their tiles' rows at `firstTile`), or a rectangle.
    struct SPiece
    {
        QRgb colour = 0;
        int left = 0;
        std::size_t first = 0, columns = 0, firstTile = 0;
        QRect rect;
        SRows rows;
    };

    void FillRect(QRgb colour, const QRect& rect);
    // Pixel columns written side by side: four of 32 bits, a vector register's width.
    static constexpr int kLanes = 4;

    void FillTile(QRgb colour, int left, const int* low, const int* high, int columns, int top, int bottom);
    void FillLanes(QRgb colour, int left, const int* low, const int* high, int top, int bottom);
    void FillColumn(QRgb colour, int x, int from, int to);

    QRgb* m_pixels;
    qsizetype m_stride;
    int m_width, m_height;
    std::vector<SPiece> m_pieces;
    std::vector<int> m_low, m_high;
    std::vector<SRows> m_tiles;
};
