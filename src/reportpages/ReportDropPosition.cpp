#include "reportpages/ReportDropPosition.h"

#include <cstdlib>

SReportDropPosition FindDropPosition(const std::vector<CRect>& grids, CPoint clientPoint, const CRect& client)
{
    SReportDropPosition drop;
    if (!client.PtInRect(clientPoint))
        return drop;
    drop.inside = true;
    for (std::size_t i = 0; i < grids.size(); ++i) {
        const CRect& grid = grids[i];
        if (std::abs(int(clientPoint.y - grid.top)) < SReportDropPosition::kEdgeDistance) {
            drop.valid = true;
            drop.position = int(i);
            drop.lineY = grid.top;
            return drop;
        }
        if (std::abs(int(clientPoint.y - grid.bottom)) < SReportDropPosition::kEdgeDistance) {
            drop.valid = true;
            drop.position = int(i) + 1;
            drop.lineY = grid.bottom;
            return drop;
        }
    }
    const int bottom = grids.empty() ? client.top : int(grids.back().bottom);
    if (clientPoint.y >= bottom) {
        drop.valid = true;
        drop.position = int(grids.size());
        drop.lineY = bottom;
    }
    return drop;
}
