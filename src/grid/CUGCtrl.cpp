#include "grid/CUGCtrl.h"

#include "grid/CUGArrowType.h"
#include "grid/CUGCellFormat.h"
#include "grid/CUGCellType.h"
#include "grid/CUGCheckBoxType.h"
#include "grid/CUGCnrBtn.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGDropListType.h"
#include "grid/CUGEdit.h"
#include "grid/CUGGrid.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGHint.h"
#include "grid/CUGMaskedEdit.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTab.h"
#include "grid/CUGTopHdg.h"
#include "grid/CUGVScroll.h"
#include "platform/framework/windows/CDC.h"

#include <glog/logging.h>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace
{
constexpr int kMaxSheets = 1024;
constexpr int kMaxCols = 32000;
constexpr int kMaxIndividualRows = 64000;
constexpr int kMaxHeadingCount = 64;
constexpr int kMaxHeadingSize = 1024;
constexpr int kMaxRowHeight = 1024;
constexpr int kMaxDataSources = 63;
constexpr std::size_t kDataSourceGrowth = 16;
constexpr UINT kSysColorChange = 0x0015; // the platform's system-colour-change message
constexpr UINT kFirstMenuCommand = 1000;

// Spreads a total over sizes in proportion, rounding each half up; an all-zero set gives the
// whole total to the outermost entry (the last one) rather than dividing by zero.
void ScaleSizes(std::vector<int>& sizes, int total)
{
    const long long sum = std::accumulate(sizes.begin(), sizes.end(), 0LL);
    if (sum <= 0)
    {
        std::fill(sizes.begin(), sizes.end(), 0);
        if (!sizes.empty())
            sizes.back() = total;
        return;
    }
    for (int& size : sizes)
        size = int(double(size) * double(total) / double(sum) + 0.5);
}
} // namespace

CUGCtrl::CUGCtrl()
    : m_normalType(std::make_unique<CUGCellType>()), m_dropListType(std::make_unique<CUGDropListType>()),
      m_checkBoxType(std::make_unique<CUGCheckBoxType>()), m_arrowType(std::make_unique<CUGArrowType>()),
      m_dataSources(kDataSourceGrowth, nullptr)
{
    SetNumberSheets(1);
    AddCellType(m_normalType.get());
    AddCellType(m_dropListType.get());
    AddCellType(m_checkBoxType.get());
    AddCellType(m_arrowType.get());
    AddDataSource(nullptr);
    CreatePens();
}

CUGCtrl::~CUGCtrl()
{
    // The child windows go before the control's own window.
    m_CUGMaskedEdit.reset();
    m_CUGEdit.reset();
    m_CUGHint.reset();
    m_CUGTab.reset();
    m_CUGHScroll.reset();
    m_CUGVScroll.reset();
    m_CUGCnrBtn.reset();
    m_CUGSideHdg.reset();
    m_CUGTopHdg.reset();
    m_CUGGrid.reset();
    m_fontList.EmptyList();
    m_bitmapList.EmptyList();
    m_cellTypeList.EmptyList();
}

void CUGCtrl::CreatePens()
{
    m_threeDLightPen.DeleteObject();
    m_threeDDarkPen.DeleteObject();
    m_threeDLightPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    m_threeDDarkPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
}

// ---------------------------------------------------------------- creation and registration

BOOL CUGCtrl::CreateGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!Create(nullptr, "", style, rect, parent, id))
    {
        LOG(INFO) << "CUGCtrl::CreateGrid - the grid window could not be created";
        m_createFailed = TRUE;
        return FALSE;
    }
    OnSetup();
    OnAfterSetup();
    OnSheetSetup(0);
    m_GI->m_paintMode = 1;
    LayoutChildren();
    return TRUE;
}

int CUGCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_CUGGrid = std::make_unique<CUGGrid>();
    m_CUGTopHdg = std::make_unique<CUGTopHdg>();
    m_CUGSideHdg = std::make_unique<CUGSideHdg>();
    m_CUGCnrBtn = std::make_unique<CUGCnrBtn>();
    m_CUGTab = std::make_unique<CUGTab>();
    m_CUGVScroll = std::make_unique<CUGVScroll>();
    m_CUGHScroll = std::make_unique<CUGHScroll>();
    m_CUGHint = std::make_unique<CUGHint>();
    m_CUGEdit = std::make_unique<CUGEdit>();
    m_CUGMaskedEdit = std::make_unique<CUGMaskedEdit>();
    BOOL ok = m_CUGGrid->CreateChild(this, UG_ID_GRID) && m_CUGTopHdg->CreateChild(this, UG_ID_TOPHDG) &&
              m_CUGSideHdg->CreateChild(this, UG_ID_SIDEHDG) && m_CUGCnrBtn->CreateChild(this, UG_ID_CNRBTN) &&
              m_CUGTab->CreateChild(this, UG_ID_TAB) && m_CUGVScroll->CreateChild(this, UG_ID_VSCROLL) &&
              m_CUGHScroll->CreateChild(this, UG_ID_HSCROLL);
    ok = ok && m_CUGHint->CreateChild(this, 0, 0, FALSE);
    m_CUGEdit->m_ctrl = this;
    m_CUGMaskedEdit->m_ctrl = this;
    ok = ok && m_CUGEdit->Create("EDIT", "", WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 1, 1), this, UG_ID_EDIT);
    ok = ok && m_CUGMaskedEdit->Create("EDIT", "", WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 1, 1), this, UG_ID_MASKEDIT);
    if (!ok)
    {
        m_createFailed = TRUE;
        return -1;
    }
    SetChildSheet();
    return 0;
}

void CUGCtrl::OnDestroy()
{
    CWnd::OnDestroy();
}

int CUGCtrl::AddCellType(CUGCellType* type)
{
    if (!type)
        return -1;
    const int index = m_cellTypeList.AddPointer(type);
    type->SetControl(this);
    type->SetID(index);
    return index;
}

CUGCellType* CUGCtrl::GetCellType(int index)
{
    auto* type = index < 1 ? nullptr : static_cast<CUGCellType*>(m_cellTypeList.GetPointer(index));
    return type ? type : m_normalType.get();
}

CUGCellType* CUGCtrl::GetCellTypeAt(int col, int row)
{
    CUGCell cell;
    GetCellWithDefaults(col, row, &cell);
    return GetCellType(cell.GetCellType());
}

int CUGCtrl::AddDataSource(CUGDataSource* source)
{
    if (!source)
        return -1;
    const auto registered = std::count_if(m_dataSources.begin() + 1, m_dataSources.end(), [](auto* s) { return s; });
    if (registered >= kMaxDataSources)
        return -1;
    if (std::size_t(m_dataSrcCount) + 1 >= m_dataSources.size())
        m_dataSources.resize(m_dataSources.size() + kDataSourceGrowth, nullptr);
    const auto slot = std::find(m_dataSources.begin() + 1, m_dataSources.end(), nullptr);
    const int index = int(slot - m_dataSources.begin());
    *slot = source;
    m_dataSrcCount = std::max(m_dataSrcCount, index);
    source->SetOwner(this);
    source->SetID(index);
    return index;
}

CUGDataSource* CUGCtrl::GetDataSource(int index)
{
    if (index == 0)
        return m_GI->m_CUGMem.get();
    if (index < 0 || std::size_t(index) >= m_dataSources.size())
        return nullptr;
    return m_dataSources[std::size_t(index)];
}

int CUGCtrl::SetDefDataSource(int index)
{
    if (index < 0 || index > m_dataSrcCount)
        return 1;
    CUGDataSource* source = GetDataSource(index);
    if (!source)
        return 1;
    m_GI->m_defDataSourceIndex = index;
    m_GI->m_defDataSource = source;
    for (auto& col : m_GI->m_colInfo)
        col.dataSource = source;
    return 0;
}

int CUGCtrl::AddFont(LPCTSTR face, int height, int weight)
{
    return AddFont(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

int CUGCtrl::AddFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                     BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                     BYTE pitchAndFamily, LPCTSTR face)
{
    LOGFONT lf;
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    lf.lfStrikeOut = strikeOut;
    lf.lfCharSet = charSet;
    lf.lfOutPrecision = outPrecision;
    lf.lfClipPrecision = clipPrecision;
    lf.lfQuality = quality;
    lf.lfPitchAndFamily = pitchAndFamily;
    if (face && std::strlen(face) < std::size_t(LF_FACESIZE))
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return AddFontIndirect(lf);
}

int CUGCtrl::AddFontIndirect(LOGFONT lf)
{
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    const auto sameFields = [&lf](const LOGFONT& other) {
        return std::memcmp(&lf, &other, offsetof(LOGFONT, lfFaceName)) == 0 &&
               std::strcmp(lf.lfFaceName, other.lfFaceName) == 0;
    };
    for (int i = 0; i < m_fontList.GetMaxCount(); ++i)
    {
        auto* font = static_cast<CFont*>(m_fontList.GetPointer(i));
        LOGFONT existing;
        if (font && font->GetLogFont(&existing) && sameFields(existing))
        {
            m_fontList.UpdateParam(i, m_fontList.GetParam(i) + 1);
            return i;
        }
    }
    auto font = std::make_unique<CFont>();
    if (!font->CreateFontIndirect(&lf))
        return -1;
    const int index = m_fontList.AddPointer(font.get(), 1);
    m_fonts.push_back(std::move(font));
    return index;
}

CFont* CUGCtrl::GetFont(int index)
{
    return static_cast<CFont*>(m_fontList.GetPointer(index));
}

int CUGCtrl::AddBitmap(UINT resourceId)
{
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->LoadBitmap(resourceId))
        return -1;
    const int index = m_bitmapList.AddPointer(bitmap.get());
    m_bitmaps.push_back(std::move(bitmap));
    return index;
}

int CUGCtrl::AddBitmap(LPCTSTR fileName)
{
    auto bitmap = std::make_unique<CBitmap>();
    if (!fileName || !bitmap->LoadFromFile(fileName))
        return -1;
    const int index = m_bitmapList.AddPointer(bitmap.get());
    m_bitmaps.push_back(std::move(bitmap));
    return index;
}

CBitmap* CUGCtrl::GetBitmap(int index)
{
    return static_cast<CBitmap*>(m_bitmapList.GetPointer(index));
}

// ---------------------------------------------------------------- sheets

int CUGCtrl::SetNumberSheets(int count)
{
    if (count < 1 || count > kMaxSheets)
        count = 1;
    const int old = int(m_sheets.size());
    if (m_currentSheet >= count && old > 0)
        SetSheetNumber(0);
    m_sheets.resize(std::size_t(count));
    for (int i = old; i < count; ++i)
        m_sheets[std::size_t(i)] = std::make_unique<CUGGridInfo>(this);
    if (!m_GI)
    {
        m_GI = m_sheets[0].get();
        m_currentSheet = 0;
    }
    for (int i = old; i < count; ++i)
        OnSheetSetup(i);
    return 0;
}

void CUGCtrl::SetChildSheet()
{
    for (CUGChildWnd* child : std::initializer_list<CUGChildWnd*>{m_CUGGrid.get(), m_CUGTopHdg.get(), m_CUGSideHdg.get(),
                                                                 m_CUGCnrBtn.get(), m_CUGVScroll.get(), m_CUGHScroll.get(),
                                                                 m_CUGTab.get(), m_CUGHint.get()})
        if (child)
            child->m_GI = m_GI;
}

int CUGCtrl::SetSheetNumber(int index, BOOL paint)
{
    if (index < 0 || index >= int(m_sheets.size()))
        return 1;
    const BOOL painting = m_enablePainting;
    if (!paint)
        m_enablePainting = FALSE;
    if (m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->SetFocus();
    m_currentSheet = index;
    m_GI = m_sheets[std::size_t(index)].get();
    SetChildSheet();
    m_GI->m_lastLeftCol = -1;
    m_GI->m_lastTopRow = -1;
    LayoutChildren();
    m_enablePainting = painting;
    return 0;
}

// ---------------------------------------------------------------- dimensions

void CUGCtrl::CalcLockColWidth()
{
    m_GI->m_lockColWidth = 0;
    for (int c = 0; c < m_GI->m_numLockCols && c < m_GI->m_numberCols; ++c)
        m_GI->m_lockColWidth += m_GI->GetColWidth(c);
}

void CUGCtrl::CalcLockRowHeight()
{
    m_GI->m_lockRowHeight = 0;
    for (int r = 0; r < m_GI->m_numLockRows && r < m_GI->m_numberRows; ++r)
        m_GI->m_lockRowHeight += m_GI->GetRowHeight(r);
}

void CUGCtrl::CalcMaxLeftCol()
{
    CUGGridInfo& gi = *m_GI;
    int rest = gi.m_gridWidth - gi.m_lockColWidth;
    int maxLeft = gi.m_numLockCols;
    for (int c = gi.m_numberCols - 1; c >= gi.m_numLockCols; --c)
    {
        rest -= gi.GetColWidth(c);
        if (rest < 0)
        {
            maxLeft = c + 1;
            break;
        }
    }
    maxLeft = std::max(std::min(maxLeft, gi.m_numberCols - 1), gi.m_numLockCols);
    gi.m_maxLeftCol = maxLeft;
    gi.m_leftCol = std::clamp(gi.m_leftCol, gi.m_numLockCols, maxLeft);
}

void CUGCtrl::CalcMaxTopRow()
{
    CUGGridInfo& gi = *m_GI;
    const int rest = gi.m_gridHeight - gi.m_lockRowHeight;
    int maxTop = gi.m_numLockRows;
    if (gi.m_uniformRowHeight || gi.m_rowHeights.empty())
    {
        const int fitting = gi.m_defRowHeight > 0 ? std::max(rest, 0) / gi.m_defRowHeight : 0;
        if (gi.m_numberRows - gi.m_numLockRows > fitting)
            maxTop = gi.m_numberRows - fitting;
    }
    else
    {
        int left = rest;
        for (int r = gi.m_numberRows - 1; r >= gi.m_numLockRows; --r)
        {
            left -= gi.GetRowHeight(r);
            if (left < 0)
            {
                maxTop = r + 1;
                break;
            }
        }
    }
    maxTop = std::max(std::min(maxTop, gi.m_numberRows - 1), gi.m_numLockRows);
    gi.m_maxTopRow = maxTop;
    gi.m_topRow = std::clamp(gi.m_topRow, gi.m_numLockRows, maxTop);
}

void CUGCtrl::CalcRightColBottomRow()
{
    // The last column and row (partly) shown, never one past the last cell.
    CUGGridInfo& gi = *m_GI;
    gi.m_rightCol = gi.m_numberCols - 1;
    gi.m_rightColWhole = true;
    int x = gi.m_lockColWidth;
    for (int c = std::max(gi.m_leftCol, gi.m_numLockCols); c < gi.m_numberCols; ++c)
    {
        x += gi.GetColWidth(c);
        if (x >= gi.m_gridWidth)
        {
            gi.m_rightCol = c;
            gi.m_rightColWhole = x == gi.m_gridWidth;
            break;
        }
    }
    gi.m_bottomRow = gi.m_numberRows - 1;
    gi.m_bottomRowWhole = true;
    int y = gi.m_lockRowHeight;
    for (int r = std::max(gi.m_topRow, gi.m_numLockRows); r < gi.m_numberRows; ++r)
    {
        y += gi.GetRowHeight(r);
        if (y >= gi.m_gridHeight)
        {
            gi.m_bottomRow = r;
            gi.m_bottomRowWhole = y == gi.m_gridHeight;
            break;
        }
    }
}

int CUGCtrl::SetNumberCols(int count, BOOL redraw)
{
    if (count < 0 || count > kMaxCols)
        return 1;
    CUGGridInfo& gi = *m_GI;
    if (count >= 1 && count <= gi.m_numLockCols)
        gi.m_numLockCols = count - 1;
    const int old = int(gi.m_colInfo.size());
    gi.m_colInfo.resize(std::size_t(count));
    for (int c = old; c < count; ++c)
    {
        UGColInfo& info = gi.m_colInfo[std::size_t(c)];
        info.width = gi.m_defColWidth;
        info.dataSource = gi.m_defDataSource;
        info.colDefault = std::make_unique<CUGCell>();
        info.colDefault->AssignFrom(&gi.m_gridDefaults);
        info.colTranslation = c;
    }
    gi.m_numberCols = count;
    CalcLockColWidth();
    CalcMaxLeftCol();
    if (gi.m_currentCol >= count)
    {
        gi.m_currentCol = count - 1;
        gi.m_dragCol = gi.m_currentCol;
    }
    if (gi.m_currentCol < 0 && count >= 1)
    {
        gi.m_currentCol = 0;
        gi.m_dragCol = 0;
    }
    CalcRightColBottomRow();
    if (redraw)
        RedrawAll();
    return 0;
}

int CUGCtrl::SetNumberRows(int count, BOOL redraw)
{
    if (count < 0)
        return 1;
    CUGGridInfo& gi = *m_GI;
    if (count >= 1 && count <= gi.m_numLockRows)
        gi.m_numLockRows = count - 1;
    if (count > kMaxIndividualRows && !gi.m_uniformRowHeight)
        SetUniformRowHeight(TRUE);
    if (!gi.m_uniformRowHeight)
        gi.m_rowHeights.resize(std::size_t(count), gi.m_defRowHeight);
    gi.m_numberRows = count;
    CalcLockRowHeight();
    CalcMaxTopRow();
    if (gi.m_currentRow >= count)
    {
        gi.m_currentRow = count - 1;
        gi.m_lastRow = gi.m_currentRow;
        gi.m_dragRow = gi.m_currentRow;
    }
    if (gi.m_dragRow > count - 1)
        gi.m_dragRow = count - 1;
    if (gi.m_currentRow < 0 && count >= 1)
    {
        gi.m_currentRow = 0;
        gi.m_dragRow = 0;
    }
    CalcRightColBottomRow();
    if (redraw)
        RedrawAll();
    return 0;
}

int CUGCtrl::SetUniformRowHeight(BOOL on)
{
    CUGGridInfo& gi = *m_GI;
    if (on)
    {
        std::vector<int>().swap(gi.m_rowHeights);
        gi.m_uniformRowHeight = 1;
    }
    else if (gi.m_uniformRowHeight)
    {
        gi.m_rowHeights.assign(std::size_t(gi.m_numberRows), gi.m_defRowHeight);
        gi.m_uniformRowHeight = 0;
    }
    return 0;
}

int CUGCtrl::ColWidthAt(int col) const
{
    if (col < 0)
    {
        const std::size_t k = std::size_t(-(col + 1));
        return k < m_GI->m_sideHdgWidths.size() ? m_GI->m_sideHdgWidths[k] : m_GI->m_defColWidth;
    }
    return m_GI->GetColWidth(col);
}

int CUGCtrl::RowHeightAt(int row) const
{
    if (row < 0)
    {
        const std::size_t k = std::size_t(-(row + 1));
        return k < m_GI->m_topHdgHeights.size() ? m_GI->m_topHdgHeights[k] : m_GI->m_defRowHeight;
    }
    return m_GI->GetRowHeight(row);
}

int CUGCtrl::SetColWidth(int col, int width)
{
    if (col < 0)
        return SetSideHdgColWidth(col, width);
    if (col >= m_GI->m_numberCols || width < 0)
        return 1;
    if (GetSafeHwnd() && IsWindowVisible() && m_GI->m_paintMode)
    {
        for (int row = m_GI->m_topRow; row <= m_GI->m_bottomRow; ++row)
            GetCellTypeAt(col, row)->OnChangedCellWidth(col, row, &width);
        OnColSized(col, &width);
        width = std::max(width, 0);
    }
    m_GI->m_colInfo[std::size_t(col)].width = width;
    if (col < m_GI->m_numLockCols)
        CalcLockColWidth();
    CalcMaxLeftCol();
    CalcRightColBottomRow();
    return 0;
}

int CUGCtrl::GetColWidth(int col, int* width) const
{
    if (col >= m_GI->m_numberCols || col < -m_GI->m_numberSideHdgCols || !width)
        return 1;
    *width = ColWidthAt(col);
    return 0;
}

int CUGCtrl::GetColWidth(int col) const
{
    int width = 0;
    return GetColWidth(col, &width) == 0 ? width : 0;
}

int CUGCtrl::SetRowHeight(int row, int height)
{
    if (row < 0)
        return SetTopHdgRowHeight(row, height);
    if (row >= m_GI->m_numberRows || height < 0)
        return 1;
    if (GetSafeHwnd() && IsWindowVisible() && m_GI->m_paintMode)
    {
        for (int col = m_GI->m_leftCol; col <= m_GI->m_rightCol; ++col)
            GetCellTypeAt(col, row)->OnChangedCellHeight(col, row, &height);
        OnRowSized(row, &height);
        height = std::max(height, 0);
    }
    if (m_GI->m_uniformRowHeight)
        m_GI->m_defRowHeight = height;
    else
        m_GI->m_rowHeights[std::size_t(row)] = height;
    if (row < m_GI->m_numLockRows || m_GI->m_uniformRowHeight)
        CalcLockRowHeight();
    CalcMaxTopRow();
    CalcRightColBottomRow();
    return 0;
}

int CUGCtrl::GetRowHeight(int row, int* height) const
{
    if (row >= m_GI->m_numberRows || row < -m_GI->m_numberTopHdgRows || !height)
        return 1;
    *height = RowHeightAt(row);
    return 0;
}

int CUGCtrl::GetRowHeight(int row) const
{
    int height = 0;
    return GetRowHeight(row, &height) == 0 ? height : 0;
}

int CUGCtrl::SetDefColWidth(int width)
{
    if (width < 0)
        return 1;
    m_GI->m_defColWidth = width;
    return 0;
}

int CUGCtrl::SetDefRowHeight(int height)
{
    if (height < 1 || height > kMaxRowHeight)
        return 1;
    m_GI->m_defRowHeight = height;
    if (m_GI->m_uniformRowHeight)
    {
        CalcLockRowHeight();
        CalcMaxTopRow();
        CalcRightColBottomRow();
    }
    return 0;
}

int CUGCtrl::SetTopHdgNumberRows(int count)
{
    if (count < 1 || count > kMaxHeadingCount)
        return 1;
    m_GI->m_topHdgHeights.resize(std::size_t(count), m_GI->m_defRowHeight);
    m_GI->m_numberTopHdgRows = count;
    m_GI->m_topHdgHeight =
        std::min(std::accumulate(m_GI->m_topHdgHeights.begin(), m_GI->m_topHdgHeights.end(), 0), kMaxHeadingSize);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetSideHdgNumberCols(int count)
{
    if (count < 1 || count > kMaxHeadingCount)
        return 1;
    m_GI->m_sideHdgWidths.resize(std::size_t(count), m_GI->m_defColWidth);
    m_GI->m_numberSideHdgCols = count;
    m_GI->m_sideHdgWidth =
        std::min(std::accumulate(m_GI->m_sideHdgWidths.begin(), m_GI->m_sideHdgWidths.end(), 0), kMaxHeadingSize);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetTopHdgHeight(int height)
{
    if (height < 0 || height > kMaxHeadingSize)
        return 1;
    m_GI->m_topHdgHeight = height;
    ScaleSizes(m_GI->m_topHdgHeights, height);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetSideHdgWidth(int width)
{
    if (width < 0 || width > kMaxHeadingSize)
        return 1;
    m_GI->m_sideHdgWidth = width;
    ScaleSizes(m_GI->m_sideHdgWidths, width);
    LayoutChildren();
    return 0;
}

int CUGCtrl::SetTopHdgRowHeight(int row, int height)
{
    if (row >= 0 || row < -m_GI->m_numberTopHdgRows || height < 0)
        return 1;
    if (height > kMaxHeadingSize)
        return 2;
    m_GI->m_topHdgHeights[std::size_t(-(row + 1))] = height;
    if (m_GI->m_numberTopHdgRows == 1)
        m_GI->m_topHdgHeight = height;
    LayoutChildren();
    return 0;
}

int CUGCtrl::GetTopHdgRowHeight(int row) const
{
    return row < 0 && row >= -m_GI->m_numberTopHdgRows ? RowHeightAt(row) : 0;
}

int CUGCtrl::SetSideHdgColWidth(int col, int width)
{
    if (col >= 0 || col < -m_GI->m_numberSideHdgCols || width < 0)
        return 1;
    if (width > kMaxHeadingSize)
        return 2;
    m_GI->m_sideHdgWidths[std::size_t(-(col + 1))] = width;
    if (m_GI->m_numberSideHdgCols == 1)
        m_GI->m_sideHdgWidth = width;
    LayoutChildren();
    return 0;
}

int CUGCtrl::GetSideHdgColWidth(int col) const
{
    return col < 0 && col >= -m_GI->m_numberSideHdgCols ? ColWidthAt(col) : 0;
}

int CUGCtrl::LockColumns(int count)
{
    if (count < 0 || count > m_GI->m_numberCols)
        return 1;
    m_GI->m_numLockCols = count;
    CalcLockColWidth();
    m_GI->m_leftCol = count;
    m_GI->m_lastLeftCol = count;
    CalcMaxLeftCol();
    CalcRightColBottomRow();
    return 0;
}

int CUGCtrl::LockRows(int count)
{
    if (count < 0 || count > m_GI->m_numberRows)
        return 1;
    m_GI->m_numLockRows = count;
    CalcLockRowHeight();
    m_GI->m_topRow = count;
    m_GI->m_lastTopRow = count;
    CalcMaxTopRow();
    CalcRightColBottomRow();
    return 0;
}

int CUGCtrl::MoveColumn(int fromCol, int toCol)
{
    auto& cols = m_GI->m_colInfo;
    if (fromCol < 0 || toCol < 0 || fromCol >= m_GI->m_numberCols || toCol >= m_GI->m_numberCols)
        return 1;
    UGColInfo moved = std::move(cols[std::size_t(fromCol)]);
    cols.erase(cols.begin() + fromCol);
    cols.insert(cols.begin() + toCol, std::move(moved));
    CalcLockColWidth();
    RedrawAll();
    return 0;
}

// ---------------------------------------------------------------- cells

CUGDataSource* CUGCtrl::GetColDataSource(int col) const
{
    if (col >= 0 && col < m_GI->m_numberCols && m_GI->m_colInfo[std::size_t(col)].dataSource)
        return m_GI->m_colInfo[std::size_t(col)].dataSource;
    return m_GI->m_defDataSource;
}

int CUGCtrl::GetColTranslation(int col) const
{
    if (col < 0 || col >= m_GI->m_numberCols)
        return col;
    return m_GI->m_colInfo[std::size_t(col)].colTranslation;
}

int CUGCtrl::SetColTranslation(int col, int translation)
{
    if (col < 0 || col >= m_GI->m_numberCols)
        return 1;
    m_GI->m_colInfo[std::size_t(col)].colTranslation = translation;
    return 0;
}

int CUGCtrl::GetCell(int col, int row, CUGCell* cell)
{
    if (!cell)
        return 1;
    return GetColDataSource(col)->GetCell(GetColTranslation(col), row, cell);
}

int CUGCtrl::GetCellWithDefaults(int col, int row, CUGCell* cell)
{
    if (!cell)
        return 1;
    CUGGridInfo& gi = *m_GI;
    if (col >= 0 && col < gi.m_numberCols && row >= 0 && gi.m_colInfo[std::size_t(col)].colDefault)
        cell->AssignFrom(gi.m_colInfo[std::size_t(col)].colDefault.get());
    else
    {
        cell->AssignFrom(&gi.m_hdgDefaults);
        if (row == -gi.m_numberTopHdgRows)
            cell->SetDrawHints(UG_DRAWHINT_LASTHDGROW);
        else if (col == -gi.m_numberSideHdgCols)
            cell->SetDrawHints(UG_DRAWHINT_LASTHDGCOL);
    }
    if (row < gi.m_numberRows)
    {
        GetColDataSource(col)->GetCell(GetColTranslation(col), row, cell);
        OnGetCell(col, row, cell);
        if (CUGCellFormat* format = cell->GetFormatObject())
            format->ApplyDisplayFormat(cell);
        if (CUGCell* style = cell->GetStyleCell())
            cell->MergeFrom(style);
    }
    return 0;
}

int CUGCtrl::SetCell(int col, int row, CUGCell* cell)
{
    if (!cell || col < -m_GI->m_numberSideHdgCols || col >= m_GI->m_numberCols || row < -m_GI->m_numberTopHdgRows ||
        row >= m_GI->m_numberRows)
        return 1;
    OnSetCell(col, row, cell);
    return GetColDataSource(col)->SetCell(GetColTranslation(col), row, cell);
}

int CUGCtrl::DeleteCell(int col, int row)
{
    return GetColDataSource(col)->DeleteCell(GetColTranslation(col), row);
}

int CUGCtrl::QuickGetText(int col, int row, CString* text)
{
    m_cell.ClearAll();
    GetCell(col, row, &m_cell);
    return m_cell.GetTextString(text);
}

const char* CUGCtrl::QuickGetTextPtr(int col, int row)
{
    m_cell.ClearAll();
    GetCell(col, row, &m_cell);
    return m_cell.GetText();
}

template <typename Apply>
int CUGCtrl::QuickSet(int col, int row, Apply apply)
{
    m_cell.ClearAll();
    GetCell(col, row, &m_cell);
    apply(m_cell);
    return SetCell(col, row, &m_cell);
}

int CUGCtrl::QuickSetText(int col, int row, const CString& text)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetText(text); });
}

int CUGCtrl::QuickSetNumber(int col, int row, double number)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetNumber(number); });
}

int CUGCtrl::QuickSetAlignment(int col, int row, WORD alignment)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetAlignment(alignment); });
}

int CUGCtrl::QuickSetBackColor(int col, int row, COLORREF color)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBackColor(color); });
}

int CUGCtrl::QuickSetTextColor(int col, int row, COLORREF color)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetTextColor(color); });
}

int CUGCtrl::QuickSetBorder(int col, int row, WORD border)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBorder(border); });
}

int CUGCtrl::QuickSetBorderColor(int col, int row, CPen* pen)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBorderColor(pen); });
}

int CUGCtrl::QuickSetFont(int col, int row, CFont* font)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetFont(font); });
}

int CUGCtrl::QuickSetFont(int col, int row, int fontIndex)
{
    return QuickSetFont(col, row, GetFont(fontIndex));
}

int CUGCtrl::QuickSetBitmap(int col, int row, CBitmap* bitmap)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetBitmap(bitmap); });
}

int CUGCtrl::QuickSetBitmap(int col, int row, int bitmapIndex)
{
    return QuickSetBitmap(col, row, GetBitmap(bitmapIndex));
}

int CUGCtrl::QuickSetCellType(int col, int row, int type)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetCellType(type); });
}

int CUGCtrl::QuickSetCellTypeEx(int col, int row, long style)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetCellTypeEx(style); });
}

int CUGCtrl::QuickSetLabelText(int col, int row, const CString& text)
{
    return QuickSet(col, row, [&](CUGCell& c) { c.SetLabelText(text); });
}

int CUGCtrl::SetColDefault(int col, const CUGCell* cell)
{
    if (!cell || col < 0 || col >= m_GI->m_numberCols)
        return 1;
    auto& slot = m_GI->m_colInfo[std::size_t(col)].colDefault;
    if (!slot)
        slot = std::make_unique<CUGCell>();
    slot->AssignFrom(cell);
    return 0;
}

int CUGCtrl::GetColDefault(int col, CUGCell* cell) const
{
    if (!cell || col < 0 || col >= m_GI->m_numberCols || !m_GI->m_colInfo[std::size_t(col)].colDefault)
        return 1;
    cell->AssignFrom(m_GI->m_colInfo[std::size_t(col)].colDefault.get());
    return 0;
}

int CUGCtrl::SetGridDefault(const CUGCell* cell)
{
    return cell ? m_GI->m_gridDefaults.AssignFrom(cell) : 1;
}

int CUGCtrl::GetGridDefault(CUGCell* cell) const
{
    return cell ? cell->AssignFrom(&m_GI->m_gridDefaults) : 1;
}

int CUGCtrl::SetHeadingDefault(const CUGCell* cell)
{
    return cell ? m_GI->m_hdgDefaults.AssignFrom(cell) : 1;
}

int CUGCtrl::GetHeadingDefault(CUGCell* cell) const
{
    return cell ? cell->AssignFrom(&m_GI->m_hdgDefaults) : 1;
}

int CUGCtrl::JoinCells(int startCol, int startRow, int endCol, int endRow)
{
    const CUGGridInfo& gi = *m_GI;
    if (startCol > endCol || startRow > endRow || endCol >= gi.m_numberCols || endRow >= gi.m_numberRows ||
        startCol < -gi.m_numberSideHdgCols || startRow < -gi.m_numberTopHdgRows)
        return 1;
    for (int row = startRow; row <= endRow; ++row)
        for (int col = startCol; col <= endCol; ++col)
        {
            m_cell.ClearAll();
            GetCell(col, row, &m_cell);
            m_cell.SetJoinInfo(FALSE, startCol - col, startRow - row);
            SetCell(col, row, &m_cell);
        }
    m_cell.ClearAll();
    GetCell(startCol, startRow, &m_cell);
    m_cell.SetJoinInfo(TRUE, endCol - startCol, endRow - startRow);
    SetCell(startCol, startRow, &m_cell);
    return 0;
}

int CUGCtrl::GetJoinStartCell(int* col, int* row)
{
    if (!col || !row)
        return 1;
    if (!m_GI->m_enableJoins)
        return 1;
    CUGCell cell;
    GetCellWithDefaults(*col, *row, &cell);
    BOOL origin = FALSE;
    int colOffset = 0, rowOffset = 0;
    if (cell.GetJoinInfo(&origin, &colOffset, &rowOffset) != 0)
        return 2;
    if (!origin)
    {
        *col += colOffset;
        *row += rowOffset;
    }
    return 0;
}

int CUGCtrl::GetJoinRange(int* col, int* row, int* endCol, int* endRow)
{
    if (!col || !row || !endCol || !endRow)
        return 1;
    const int rc = GetJoinStartCell(col, row);
    if (rc != 0)
        return rc;
    CUGCell cell;
    GetCellWithDefaults(*col, *row, &cell);
    BOOL origin = FALSE;
    int colOffset = 0, rowOffset = 0;
    if (cell.GetJoinInfo(&origin, &colOffset, &rowOffset) != 0)
        return 2;
    *endCol = *col + colOffset;
    *endRow = *row + rowOffset;
    return 0;
}

int CUGCtrl::DeleteRow(int row)
{
    if (row < 0 || row >= m_GI->m_numberRows)
        return 1;
    const int rc = m_GI->m_defDataSource->DeleteRow(row);
    if (rc == 0)
        SetNumberRows(m_GI->m_numberRows - 1, TRUE);
    return rc;
}

// ---------------------------------------------------------------- options

int CUGCtrl::EnableJoins(BOOL on)
{
    m_GI->m_enableJoins = on ? 1 : 0;
    return 0;
}

int CUGCtrl::EnableCellOverlap(BOOL on)
{
    m_GI->m_enableCellOverlap = on ? 1 : 0;
    return 0;
}

int CUGCtrl::EnableGridLines(BOOL on)
{
    m_GI->m_enableGridLines = on ? 1 : 0;
    return 0;
}

int CUGCtrl::SetCurrentCellMode(int mode)
{
    if (mode < 0 || mode > 3)
        return 1;
    m_GI->m_currentCellMode = mode;
    return 0;
}

int CUGCtrl::SetHighlightRow(BOOL on, int param)
{
    if (on)
    {
        m_GI->m_currentCellMode = (m_GI->m_currentCellMode | 2) & ~1;
        m_GI->m_highlightRowFlag = 1;
        m_GI->m_highlightRowParam = param;
    }
    else
    {
        m_GI->m_currentCellMode = (m_GI->m_currentCellMode & ~2) | 1;
        m_GI->m_highlightRowFlag = 0;
    }
    return 0;
}

int CUGCtrl::SetMargin(int pixels)
{
    if (pixels < 0)
        return 1;
    m_GI->m_margin = pixels;
    return 0;
}

int CUGCtrl::SetVScrollMode(int mode)
{
    m_GI->m_vScrollMode = mode;
    return 0;
}

int CUGCtrl::EnableCellToolTips(BOOL on)
{
    m_GI->m_enableCellTips = 1;
    if (m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->EnableToolTips(on);
    return 0;
}

int CUGCtrl::SetPaintEnabled(BOOL on)
{
    m_enablePainting = on ? TRUE : FALSE;
    return 0;
}

int CUGCtrl::SetMultiSelectMode(int mode)
{
    return m_GI->m_multiSelect->SetMode(mode);
}

// ---------------------------------------------------------------- drawing

void CUGCtrl::RedrawAll()
{
    if (!m_enablePainting || !GetSafeHwnd())
        return;
    for (CWnd* child : std::initializer_list<CWnd*>{m_CUGGrid.get(), m_CUGCnrBtn.get(), m_CUGVScroll.get(),
                                                   m_CUGHScroll.get(), m_CUGTab.get(), m_CUGTopHdg.get(),
                                                   m_CUGSideHdg.get()})
        if (child && child->GetSafeHwnd())
        {
            child->Invalidate(FALSE);
            child->UpdateWindow();
        }
}

void CUGCtrl::RedrawCell(int col, int row)
{
    if (!m_enablePainting || !m_CUGGrid || !m_CUGGrid->GetSafeHwnd())
        return;
    if (col < 0)
        m_CUGSideHdg->Invalidate(FALSE);
    else if (row < 0)
        m_CUGTopHdg->Invalidate(FALSE);
    else
        m_CUGGrid->RedrawCell(col, row);
}

void CUGCtrl::RedrawRange(int startCol, int startRow, int endCol, int endRow)
{
    if (m_enablePainting && m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->RedrawRange(startCol, startRow, endCol, endRow);
}

void CUGCtrl::RedrawRow(int row)
{
    if (m_enablePainting && m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->RedrawRow(row);
}

void CUGCtrl::LayoutChildren()
{
    if (!GetSafeHwnd())
        return;
    CUGGridInfo& gi = *m_GI;
    CRect client;
    GetClientRect(&client);
    const int W = client.Width(), H = client.Height();
    const int TH = gi.m_topHdgHeight, SW = gi.m_sideHdgWidth;

    long long widths = 0;
    for (int c = 0; c < gi.m_numberCols && widths <= W - SW; ++c)
        widths += gi.GetColWidth(c);
    const bool colsFit = widths <= W - SW;
    const int HH = (gi.m_tabWidth > 0 || !colsFit) ? gi.m_hScrollHeight : 0;
    long long heights = 0;
    for (int r = 0; r < gi.m_numberRows && heights <= H - TH - HH; ++r)
        heights += gi.GetRowHeight(r);
    const bool rowsFit = heights <= H - TH - HH;
    const int VW = rowsFit ? 0 : gi.m_vScrollWidth;
    int tabWidth = gi.m_tabWidth;
    if (tabWidth > 0)
        tabWidth = colsFit ? W + 6 : std::min(tabWidth, W - VW);

    CRect vScroll(W - VW, 0, W, H - HH);
    CRect hScroll(tabWidth, H - HH, W - VW, H);
    CRect tab(0, H - HH, tabWidth, H);
    CRect topHdg(SW, 0, W - VW, TH);
    CRect sideHdg(0, TH, SW, H - HH);
    CRect cnrBtn(0, 0, SW, TH);
    CRect grid(SW, TH, W - VW, H - HH);
    OnLayoutAdjust(&grid, &topHdg, &sideHdg, &cnrBtn, &vScroll, &hScroll, &tab);
    gi.m_gridRect = grid;
    gi.m_topHdgRect = topHdg;
    gi.m_sideHdgRect = sideHdg;
    gi.m_cnrBtnRect = cnrBtn;
    gi.m_vScrollRect = vScroll;
    gi.m_hScrollRect = hScroll;
    gi.m_tabRect = tab;
    gi.m_gridWidth = std::max(grid.Width(), 0);
    gi.m_gridHeight = std::max(grid.Height(), 0);

    if (!gi.m_paintMode)
        return;
    const std::pair<CWnd*, CRect*> placements[] = {{m_CUGGrid.get(), &gi.m_gridRect},   {m_CUGTopHdg.get(), &gi.m_topHdgRect},
                                                   {m_CUGSideHdg.get(), &gi.m_sideHdgRect}, {m_CUGCnrBtn.get(), &gi.m_cnrBtnRect},
                                                   {m_CUGVScroll.get(), &gi.m_vScrollRect}, {m_CUGHScroll.get(), &gi.m_hScrollRect},
                                                   {m_CUGTab.get(), &gi.m_tabRect}};
    for (const auto& [wnd, rect] : placements)
        if (wnd && wnd->GetSafeHwnd())
            wnd->MoveWindow(rect, TRUE);
    const int oldMaxTop = gi.m_maxTopRow;
    CalcMaxTopRow();
    CalcMaxLeftCol();
    CalcRightColBottomRow();
    if (m_CUGVScroll)
        m_CUGVScroll->Update();
    if (m_CUGHScroll)
        m_CUGHScroll->Update();
    RedrawAll();
    // The vertical bar comes or goes when the rows start or stop fitting.
    if ((oldMaxTop == 0) != (gi.m_maxTopRow == 0) && !m_relayingOut)
    {
        m_relayingOut = true;
        LayoutChildren();
        m_relayingOut = false;
    }
}

// ---------------------------------------------------------------- window messages

LRESULT CUGCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kSysColorChange)
    {
        OnSysColorChange();
        return 0;
    }
    if (message == UG_MSG_CELLTYPE)
        return GetCellType(int(wParam))->OnTypeQuery(lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void CUGCtrl::OnSysColorChange()
{
    for (int i = 0; i < m_cellTypeList.GetMaxCount(); ++i)
        if (auto* type = static_cast<CUGCellType*>(m_cellTypeList.GetPointer(i)))
            type->OnSystemColorChange();
    for (auto& sheet : m_sheets)
        sheet->m_hdgDefaults.SetBackColor(GetSysColor(COLOR_BTNFACE));
    CreatePens();
}

void CUGCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    LayoutChildren();
}

BOOL CUGCtrl::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

void CUGCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Invalidate(FALSE);
    const BOOL painting = m_enablePainting;
    m_enablePainting = FALSE;
    LayoutChildren();
    m_enablePainting = painting;
}

void CUGCtrl::OnSetFocus(CWnd* /*oldWnd*/)
{
    if (m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->SetFocus();
}

UINT CUGCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void CUGCtrl::OnHScroll(UINT code, UINT pos, CScrollBar* /*scrollBar*/)
{
    if (m_CUGHScroll)
        m_CUGHScroll->Scroll(code, pos);
}

void CUGCtrl::OnVScroll(UINT code, UINT pos, CScrollBar* /*scrollBar*/)
{
    if (m_CUGVScroll)
        m_CUGVScroll->Scroll(code, pos);
}

BOOL CUGCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id >= kFirstMenuCommand)
    {
        OnPopupMenuCommand(m_menuCol, m_menuRow, m_menuSection, id);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}
