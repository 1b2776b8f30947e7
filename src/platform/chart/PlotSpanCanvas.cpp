#include "platform/chart/PlotSpanCanvas.h"

#include <algorithm>
#include <cstring>

namespace {

// Rows of about two megabytes: they stay in the processor's cache while every curve is written
// into them, where a whole picture at a high ratio does not (smaller bands cost more in work per
// band than they save).
constexpr qsizetype kBandBytes = 2 * 1024 * 1024;

} // namespace

CPlotSpanCanvas::CPlotSpanCanvas(QImage& image)
    // Taken once: every call of bits() asks whether the picture is shared.
    : m_pixels(reinterpret_cast<QRgb*>(image.bits())), m_stride(image.bytesPerLine() / 4), m_width(image.width()),
      m_height(image.height())
{
}

void CPlotSpanCanvas::AddColumns(QRgb colour, int left, const std::vector<int>& low, const std::vector<int>& high)
{
    SPiece piece{colour, left, m_low.size(), low.size(), m_tiles.size(), QRect(), SRows{m_height, -1}};
    m_low.insert(m_low.end(), low.begin(), low.end());
    m_high.insert(m_high.end(), high.begin(), high.end());
    for (std::size_t first = 0; first < low.size(); first += kTile) {
        SRows tile{m_height, -1};
        for (std::size_t c = first; c < std::min(first + kTile, low.size()); ++c)
            if (low[c] <= high[c]) {
                tile.top = std::min(tile.top, low[c]);
                tile.bottom = std::max(tile.bottom, high[c]);
            }
        m_tiles.push_back(tile);
        piece.rows.top = std::min(piece.rows.top, tile.top);
        piece.rows.bottom = std::max(piece.rows.bottom, tile.bottom);
    }
    m_pieces.push_back(piece);
}

void CPlotSpanCanvas::AddRect(QRgb colour, const QRect& rect)
{
    if (!rect.isEmpty())
        m_pieces.push_back(SPiece{colour, rect.left(), 0, 0, 0, rect, SRows{rect.top(), rect.bottom()}});
}

void CPlotSpanCanvas::Write()
{
    const int bandRows = int(std::max<qsizetype>(8, kBandBytes / std::max<qsizetype>(1, 4 * m_stride)));
    for (int top = 0; top < m_height; top += bandRows) {
        const int bottom = std::min(m_height, top + bandRows) - 1;
        for (const SPiece& piece : m_pieces) {
            if (piece.rows.top > bottom || piece.rows.bottom < top)
                continue;
            if (piece.columns == 0) {
                FillRect(piece.colour, piece.rect & QRect(0, top, m_width, bottom - top + 1));
                continue;
            }
            for (std::size_t first = 0, tile = piece.firstTile; first < piece.columns; first += kTile, ++tile) {
                const SRows& rows = m_tiles[tile];
                if (rows.top > bottom || rows.bottom < top)
                    continue;
                const int from = std::max(top, rows.top), to = std::min(bottom, rows.bottom);
                const int* low = m_low.data() + piece.first + first;
                const int* high = m_high.data() + piece.first + first;
                const int columns = int(std::min<std::size_t>(kTile, piece.columns - first));
                FillTile(piece.colour, piece.left + int(first), low, high, columns, from, to);
            }
        }
    }
    m_pieces.clear();
    m_low.clear();
    m_high.clear();
    m_tiles.clear();
}

void CPlotSpanCanvas::FillRect(QRgb colour, const QRect& rect)
{
    if (rect.isEmpty())
        return;
    QRgb* row = m_pixels + m_stride * rect.top() + rect.left();
    for (int y = rect.top(); y <= rect.bottom(); ++y, row += m_stride)
        std::fill(row, row + rect.width(), colour);
}

// Columns from `left`, each covering rows low[k] .. high[k] (none when low > high), within the
// rows top .. bottom: four at a time, and those left over one by one.
void CPlotSpanCanvas::FillTile(QRgb colour, int left, const int* low, const int* high, int columns, int top, int bottom)
{
    int first = 0;
    for (; first + kLanes <= columns; first += kLanes)
        FillLanes(colour, left + first, low + first, high + first, top, bottom);
    for (; first < columns; ++first)
        FillColumn(colour, left + first, std::max(low[first], top), std::min(high[first], bottom));
}

void CPlotSpanCanvas::FillColumn(QRgb colour, int x, int from, int to)
{
    QRgb* pixel = m_pixels + m_stride * from + x;
    for (int y = from; y <= to; ++y, pixel += m_stride)
        *pixel = colour;
}

// Four columns side by side, a register's width of a row. The rows all four cover (most of a
// thick curve's) are written whole, four pixels a store; only the rows above and below them,
// where some of the columns begin or end, are read and kept or coloured by a mask of the columns
// covering each: masking every row would read, compare and write every pixel of a thick curve.
void CPlotSpanCanvas::FillLanes(QRgb colour, int left, const int* low, const int* high, int top, int bottom)
{
    using Lanes = int __attribute__((vector_size(4 * kLanes)));
    using Pixels = QRgb __attribute__((vector_size(4 * kLanes)));
    // The columns' rows within the band; a column that covers nothing holds the extremes of int.
    int lows[kLanes], highs[kLanes];
    int covered = 0, firstRow = bottom + 1, lastRow = top - 1, fullFrom = top, fullTo = bottom;
    for (int k = 0; k < kLanes; ++k) {
        lows[k] = std::max(low[k], top);
        highs[k] = std::min(high[k], bottom);
        fullFrom = std::max(fullFrom, lows[k]);
        fullTo = std::min(fullTo, highs[k]);
        if (lows[k] <= highs[k]) {
            covered += highs[k] - lows[k] + 1;
            firstRow = std::min(firstRow, lows[k]);
            lastRow = std::max(lastRow, highs[k]);
        }
    }
    if (covered == 0)
        return;
    if (fullFrom > fullTo) // no row covered by all four: every row is masked
        fullFrom = lastRow + 1, fullTo = lastRow;
    const int masked = (lastRow - firstRow + 1) - (fullTo - fullFrom + 1);
    // Columns that share few rows (a steep curve, a thin one) are written down their own rows: a
    // masked row costs about as much as four pixels written alone.
    if (covered < (fullTo - fullFrom + 1) + 4 * masked) {
        for (int k = 0; k < kLanes; ++k)
            FillColumn(colour, left + k, lows[k], highs[k]);
        return;
    }
    Lanes from, to;
    std::memcpy(&from, lows, sizeof from);
    std::memcpy(&to, highs, sizeof to);
    const Pixels ink = Pixels{} + colour;
    const auto mask = [&](int first, int last) {
        QRgb* row = m_pixels + m_stride * first + left;
        for (int y = first; y <= last; ++y, row += m_stride) {
            const Lanes at = Lanes{} + y;
            const Pixels inside = Pixels((from <= at) & (at <= to));
            Pixels pixels;
            std::memcpy(&pixels, row, sizeof pixels);
            pixels = (ink & inside) | (pixels & ~inside);
            std::memcpy(row, &pixels, sizeof pixels);
        }
    };
    mask(firstRow, fullFrom - 1);
    QRgb* row = m_pixels + m_stride * fullFrom + left;
    for (int y = fullFrom; y <= fullTo; ++y, row += m_stride)
        std::memcpy(row, &ink, sizeof ink);
    mask(fullTo + 1, lastRow);
}
