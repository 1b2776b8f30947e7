#include "grid/CUGDropListType.h"

#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "platform/framework/windows/CDC.h"

#include <algorithm>

namespace
{
constexpr int kMaxLines = 15;
constexpr int kListOffset = 10;
constexpr int kDefaultItemHeight = 12;
constexpr COLORREF kDisabledArrow = 0x808080;

void Line(CDC* dc, int x1, int y1, int x2, int y2)
{
    dc->MoveTo(x1, y1);
    dc->LineTo(x2, y2);
}

CPen* StockPen(int index)
{
    return CPen::FromHandle(static_cast<HPEN>(GetStockObject(index)));
}

// Keeps a rectangle inside a bound by moving it up and left (never past 0).
void Clamp(CRect& rect, const CRect& bound)
{
    if (rect.bottom > bound.bottom)
        rect.OffsetRect(0, -std::min(rect.bottom - bound.bottom, int(rect.top)));
    if (rect.right > bound.right)
        rect.OffsetRect(-std::min(rect.right - bound.right, int(rect.left)), 0);
}
} // namespace

CUGDropListType::CUGDropListType()
{
    m_facePen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    m_faceBrush.CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
    m_btnWidth = GetSystemMetrics(SM_CXVSCROLL);
    m_mayOverflow = FALSE;
    m_useVisualStyle = true;
}

CUGDropListType::~CUGDropListType()
{
    DestroyList();
}

std::vector<CString> CUGDropListType::SplitChoices(const CString& label)
{
    std::vector<CString> choices;
    int start = 0;
    for (int end = label.Find('\n'); end >= 0; end = label.Find('\n', start))
    {
        choices.push_back(label.Mid(start, end - start));
        start = end + 1;
    }
    return choices;
}

CUGLstBox* CUGDropListType::GetListBox() const
{
    return m_listBox && m_listBox->GetSafeHwnd() ? m_listBox.get() : nullptr;
}

void CUGDropListType::DestroyList()
{
    if (m_listBox)
        m_listBox->Close();
}

int CUGDropListType::GetEditArea(RECT* rect)
{
    if (rect)
        rect->right -= m_btnWidth + 1;
    return 0;
}

void CUGDropListType::GetBestSize(CDC* dc, CSize* size, CUGCell* cell)
{
    CUGCellType::GetBestSize(dc, size, cell);
    if (size && cell && !(cell->GetCellTypeEx() & UGCT_DROPLISTHIDEBUTTON))
        size->cx += m_btnWidth;
}

void CUGDropListType::StartDropList()
{
    if (!m_ctrl || !m_ctrl->m_CUGGrid || !m_ctrl->m_CUGGrid->GetSafeHwnd())
        return;
    if (GetListBox() && m_listBox->m_HasFocus)
        return;
    const int col = m_ctrl->GetCurrentCol(), row = m_ctrl->GetCurrentRow();
    CUGCell cell;
    if (m_ctrl->GetCellWithDefaults(col, row, &cell) != UG_SUCCESS || cell.GetReadOnly())
        return;
    m_btnCol = col;
    m_btnRow = row;
    const char* label = cell.GetLabelText();
    std::vector<CString> choices = SplitChoices(label ? label : "");
    if (!NotifyControl(m_ID, col, row, UGCT_DROPLISTSTART, reinterpret_cast<LPARAM>(&choices)))
        return;

    CUGGrid* grid = m_ctrl->m_CUGGrid.get();
    CFont* font = cell.GetFont() ? cell.GetFont() : m_ctrl->m_GI->m_defFont;
    int itemHeight = kDefaultItemHeight;
    LOGFONT description;
    CFont* measured = font ? font : CFont::FromHandle(static_cast<HFONT>(GetStockObject(SYSTEM_FONT)));
    if (measured && measured->GetLogFont(&description))
    {
        CClientDC dc(grid);
        itemHeight = description.lfHeight < 0 ? -(description.lfHeight * dc.GetDeviceCaps(LOGPIXELSY) / 72)
                                               : int(description.lfHeight);
    }
    const int lines = std::min(int(choices.size()), kMaxLines);
    // The list opens under the whole box the user sees: all the cells joined to this one.
    CRect cellRect, client;
    m_ctrl->GetJoinedCellRect(col, row, &cellRect);
    grid->GetClientRect(&client);
    CRect listRect(cellRect.left + kListOffset, cellRect.bottom, cellRect.right + kListOffset,
                   cellRect.bottom + itemHeight * lines + 6);
    Clamp(listRect, client);

    DestroyList();
    m_listBox = std::make_unique<CUGLstBox>();
    m_listBox->m_ctrl = m_ctrl;
    m_listBox->m_cellType = this;
    m_listBox->m_cellTypeId = m_ID;
    if (!m_listBox->Create(WS_CHILD | WS_BORDER | WS_VSCROLL, listRect, grid, UG_ID_DROPLIST))
        return;
    if (font)
        m_listBox->SetFont(font);
    // The list's own line height and the widest choice decide its final size.
    listRect.bottom = listRect.top + m_listBox->GetItemHeight(0) * lines + 6;
    int widest = 0;
    {
        CClientDC dc(m_listBox.get());
        CFont* old = m_listBox->GetFont() ? dc.SelectObject(m_listBox->GetFont()) : nullptr;
        for (const CString& choice : choices)
            widest = std::max(widest, int(dc.GetTextExtent(choice).cx));
        if (old)
            dc.SelectObject(old);
    }
    widest += 10;
    if (widest > cellRect.Width())
        listRect.right += widest - cellRect.Width() + (int(choices.size()) >= kMaxLines ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    Clamp(listRect, client);
    m_listBox->MoveWindow(&listRect, TRUE);

    for (const CString& choice : choices)
        m_listBox->AddString(choice);
    m_listBox->m_col = &m_btnCol;
    m_listBox->m_row = &m_btnRow;
    m_listBox->ShowWindow(SW_SHOW);
    m_listBox->SetFocus();
    m_btnDown = FALSE;
    m_ctrl->RedrawCell(col, row);
}

BOOL CUGDropListType::OnLClicked(int col, int row, int updn, RECT* rect, POINT* point)
{
    if (!m_ctrl || !rect || !point)
        return FALSE;
    if (m_ctrl->m_GI->m_multiSelect->GetMode() != UG_MULTISELECT_OFF &&
        (GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0))
        return TRUE;
    if (!updn)
    {
        if (!m_btnDown)
            return FALSE;
        m_btnDown = FALSE;
        m_ctrl->RedrawCell(col, row);
        return TRUE;
    }
    if (point->x > rect->right - m_btnWidth)
    {
        // A press on the button of the open list, or the press that just closed it, closes.
        const bool open = m_btnCol == col && m_btnRow == row;
        const bool justClosed = m_btnCol == -2 && m_closedCol == col && m_closedRow == row;
        if (open || justClosed)
        {
            m_btnCol = m_btnRow = -1;
            DestroyList();
            return FALSE;
        }
        m_btnRect = CRect(rect->right - m_btnWidth, rect->top, rect->right, rect->bottom);
        m_btnCol = col;
        m_btnRow = row;
        m_btnDown = TRUE;
        m_ctrl->RedrawCell(col, row);
        StartDropList();
        return TRUE;
    }
    if (m_btnCol == -2)
        m_btnCol = m_btnRow = -1;
    return FALSE;
}

BOOL CUGDropListType::OnDClicked(int col, int row, RECT* rect, POINT* point)
{
    if (rect && point && point->x > rect->right - m_btnWidth)
        return OnLClicked(col, row, 1, rect, point);
    return FALSE;
}

BOOL CUGDropListType::OnKeyDown(int /*col*/, int /*row*/, UINT* vcKey)
{
    if (!vcKey || !(*vcKey == VK_RETURN || (*vcKey == VK_DOWN && GetKeyState(VK_CONTROL) < 0)))
        return FALSE;
    StartDropList();
    *vcKey = 0;
    return TRUE;
}

BOOL CUGDropListType::OnCharDown(int /*col*/, int /*row*/, UINT* character)
{
    // Only the Enter that opened the list is consumed; every other character goes on.
    return character && *character == VK_RETURN;
}

BOOL CUGDropListType::OnMouseMove(int col, int row, POINT* point, UINT flags)
{
    if (!(flags & MK_LBUTTON) || !point || !m_ctrl)
        return FALSE;
    const bool inside = m_btnRect.PtInRect(*point);
    if (inside)
    {
        if (!m_btnDown)
        {
            m_btnDown = TRUE;
            m_ctrl->RedrawCell(col, row);
        }
        return FALSE;
    }
    if (m_btnDown)
    {
        m_btnDown = FALSE;
        m_ctrl->RedrawCell(col, row);
    }
    return TRUE;
}

void CUGDropListType::OnKillFocus(int /*col*/, int /*row*/, CUGCell* /*cell*/)
{
    m_btnCol = m_btnRow = -1;
    DestroyList();
}

void CUGDropListType::OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current)
{
    if (!m_visualStyleFixed)
        m_useVisualStyle = cell->GetCellState() != 0;
    if ((cell->GetCellTypeEx() & UGCT_DROPLISTHIDEBUTTON) && !current)
    {
        CUGCellType::OnDraw(dc, rect, col, row, cell, selected, current);
        return;
    }
    const int w = m_btnWidth;
    const LONG left = rect->left;
    DrawBorder(dc, rect, rect, cell);
    CRect button(rect->right - w, rect->top, rect->right, rect->bottom);
    const CRect outer = button;
    CUGCell frame(*cell);
    frame.SetBorder((m_btnDown && current) ? UG_BDR_RECESSED : UG_BDR_RAISED);
    DrawBorder(dc, &button, &button, &frame);
    dc->FillRect(&button, &m_faceBrush);
    CPen* oldPen = dc->SelectObject(&m_facePen);
    Line(dc, outer.left - 1, outer.top, outer.left - 1, outer.bottom);

    const int x0 = outer.left + (w - 5) / 2;
    const int y0 = outer.top + (outer.Height() - 3) / 2;
    CPen grey(PS_SOLID, 1, kDisabledArrow);
    dc->SelectObject(cell->GetReadOnly() ? &grey : StockPen(BLACK_PEN));
    Line(dc, x0, y0, x0 + 5, y0);
    Line(dc, x0 + 1, y0 + 1, x0 + 4, y0 + 1);
    Line(dc, x0 + 2, y0 + 2, x0 + 3, y0 + 2);
    if (cell->GetReadOnly())
    {
        // The white lines below the grey arrow give it a sunken look.
        dc->SelectObject(StockPen(WHITE_PEN));
        Line(dc, x0 + 3, y0 + 2, x0 + 5, y0);
        Line(dc, x0 + 3, y0 + 3, x0 + 6, y0);
    }
    dc->SelectObject(oldPen);
    rect->left = left + 1;
    rect->right -= w + 1;
    DrawText(dc, rect, 0, col, row, cell, selected, current);
}
