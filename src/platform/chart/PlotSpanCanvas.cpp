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
                const int left = piece.left + int(first);
                if (piece.columns - first >= kTile)
                    FillTile<kTile>(piece.colour, left, low, high, from, to);
                else
                    for (int c = 0; c < int(piece.columns - first); ++c)
                        FillTile<1>(piece.colour, left + c, low + c, high + c, from, to);
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
// rows top .. bottom.
template <int Columns>
void CPlotSpanCanvas::FillTile(QRgb colour, int left, const int* low, const int* high, int top, int bottom)
{
    // The tile's rows within the band. A column that covers nothing holds the extremes of int as
    // its rows.
    int lows[Columns], highs[Columns];
    int covered = 0;
    for (int k = 0; k < Columns; ++k) {
        lows[k] = std::max(low[k], top);
        highs[k] = std::min(high[k], bottom);
        if (lows[k] <= highs[k])
            covered += highs[k] - lows[k] + 1;
    }
    if (covered == 0)
        return;
    // Columns that cover little of the tile's rows (a steep curve), and a column alone, are
    // written down their own rows: a row of the tile costs about as much as four pixels written
    // alone.
    if (Columns == 1 || covered < (bottom - top + 1) * std::max(1, Columns / 4)) {
        for (int k = 0; k < Columns; ++k) {
            if (lows[k] > highs[k])
                continue;
            QRgb* pixel = m_pixels + m_stride * lows[k] + left + k;
            for (int y = lows[k]; y <= highs[k]; ++y, pixel += m_stride)
                *pixel = colour;
        }
        return;
    }
    if constexpr (Columns > 1) {
        // Every pixel of the tile's row is written, kept or coloured by a mask of the columns
        // that cover the row: four pixels a step, no branch per pixel.
        using Lanes = int __attribute__((vector_size(16)));
        using Pixels = QRgb __attribute__((vector_size(16)));
        constexpr int kLanes = int(sizeof(Lanes) / sizeof(int));
        static_assert(Columns % kLanes == 0);
        constexpr int kSteps = Columns / kLanes;
        Lanes from[kSteps], to[kSteps];
        std::memcpy(from, lows, sizeof from);
        std::memcpy(to, highs, sizeof to);
        const Pixels ink = Pixels{} + colour;
        QRgb* row = m_pixels + m_stride * top + left;
        for (int y = top; y <= bottom; ++y, row += m_stride) {
            const Lanes at = Lanes{} + y;
            for (int step = 0; step < kSteps; ++step) {
                const Pixels inside = Pixels((from[step] <= at) & (at <= to[step]));
                Pixels pixels;
                std::memcpy(&pixels, row + kLanes * step, sizeof pixels);
                pixels = (ink & inside) | (pixels & ~inside);
                std::memcpy(row + kLanes * step, &pixels, sizeof pixels);
            }
        }
    }
}
