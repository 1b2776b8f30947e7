#include "grid/CUGGridInfo.h"

#include "grid/CUGCtrl.h"

CUGGridInfo::CUGGridInfo(CUGCtrl* ctrl)
    : m_CUGMem(std::make_unique<CUGMem>()), m_multiSelect(std::make_unique<CUGMultiSelect>(ctrl))
{
    m_vScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    m_hScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    m_hdgDefaults.SetBackColor(GetSysColor(COLOR_BTNFACE));
    m_hdgDefaults.SetBorder(UG_BDR_RAISED);
    m_hdgDefaults.SetAlignment(UG_ALIGNCENTER | UG_ALIGNVCENTER);
    m_hdgDefaults.SetDrawHints(UG_DRAWHINT_HEADING);
    m_CUGMem->SetOwner(ctrl);
    m_CUGMem->SetID(0);
    m_defDataSource = m_CUGMem.get();
    m_arrowCursor = LoadStandardCursor(IDC_ARROW);
    m_WEResizeCursor = LoadStandardCursor(IDC_SIZEWE);
    m_NSResizeCursor = LoadStandardCursor(IDC_SIZENS);
    m_gridLinePen.CreatePen(PS_SOLID, 1, RGB(0xDC, 0xDC, 0xDC));
}

CUGGridInfo::~CUGGridInfo() = default;

int CUGGridInfo::GetRowHeight(int row) const
{
    if (m_uniformRowHeight || row < 0 || std::size_t(row) >= m_rowHeights.size())
        return m_defRowHeight;
    return m_rowHeights[std::size_t(row)];
}

int CUGGridInfo::GetColWidth(int col) const
{
    if (col < 0 || std::size_t(col) >= m_colInfo.size())
        return m_defColWidth;
    return m_colInfo[std::size_t(col)].width;
}
