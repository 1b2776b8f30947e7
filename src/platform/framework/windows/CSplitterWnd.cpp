#include "platform/framework/windows/CSplitterWnd.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CFrameWnd.h"
#include "platform/framework/windows/CView.h"
#include "platform/framework/windows/Cursors.h"

#include <memory>

IMPLEMENT_DYNCREATE(CSplitterWnd, CWnd)

namespace
{
constexpr int kColumnBar = 100;
}

CSplitterWnd::~CSplitterWnd() = default;

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, DWORD style, UINT id)
{
    if (!parent || rows < 1 || columns < 1 || rows > 16 || columns > 16) return FALSE;
    m_rows.assign(std::size_t(rows), {});
    m_columns.assign(std::size_t(columns), {});
    CRect client;
    parent->GetClientRect(&client);
    return CWnd::Create(nullptr, nullptr, style | WS_CHILD, client, parent, id);
}

BOOL CSplitterWnd::CreateView(int row, int column, const CRuntimeClass* viewClass, SIZE initialSize, CCreateContext* context)
{
    if (row < 0 || row >= GetRowCount() || column < 0 || column >= GetColumnCount() || GetPane(row, column) || !viewClass)
        return FALSE;
    std::unique_ptr<CObject> object(viewClass->CreateObject());
    auto* wnd = dynamic_cast<CWnd*>(object.get());
    if (!wnd) return FALSE;
    if (auto* view = dynamic_cast<CView*>(wnd)) view->m_bAutoDelete = TRUE;
    if (auto* frame = dynamic_cast<CFrameWnd*>(wnd)) frame->m_bAutoDelete = TRUE;
    m_rows[std::size_t(row)].nIdealSize = initialSize.cy;
    m_columns[std::size_t(column)].nIdealSize = initialSize.cx;
    // The context goes to the pane as it is: a frame pane makes its own view from it.
    if (!wnd->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, initialSize.cx, initialSize.cy), this,
                     UINT(IdFromRowCol(row, column)), context))
        return FALSE;
    object.release(); // the pane deletes itself with its window
    RecalcLayout();
    return TRUE;
}

int CSplitterWnd::IdFromRowCol(int row, int column) const { return int(0xE900 + row * 16 + column); }

CWnd* CSplitterWnd::GetPane(int row, int column) const { return GetDlgItem(IdFromRowCol(row, column)); }

BOOL CSplitterWnd::IsChildPane(CWnd* wnd, int* row, int* column) const
{
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (wnd && GetPane(r, c) == wnd)
            {
                if (row) *row = r;
                if (column) *column = c;
                return TRUE;
            }
    return FALSE;
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum)
{
    if (row < 0 || row >= GetRowCount()) return;
    m_rows[std::size_t(row)].nIdealSize = std::max(ideal, 0);
    m_rows[std::size_t(row)].nMinSize = std::max(minimum, 0);
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const
{
    if (row < 0 || row >= GetRowCount()) return;
    current = m_rows[std::size_t(row)].nCurSize;
    minimum = m_rows[std::size_t(row)].nMinSize;
}

void CSplitterWnd::SetColumnInfo(int column, int ideal, int minimum)
{
    if (column < 0 || column >= GetColumnCount()) return;
    m_columns[std::size_t(column)].nIdealSize = std::max(ideal, 0);
    m_columns[std::size_t(column)].nMinSize = std::max(minimum, 0);
}

void CSplitterWnd::GetColumnInfo(int column, int& current, int& minimum) const
{
    if (column < 0 || column >= GetColumnCount()) return;
    current = m_columns[std::size_t(column)].nCurSize;
    minimum = m_columns[std::size_t(column)].nMinSize;
}

void CSplitterWnd::LayoutRowCol(std::vector<CRowColInfo>& info, int size, int gap)
{
    int remaining = size;
    for (std::size_t i = 0; i < info.size(); ++i)
    {
        CRowColInfo& rc = info[i];
        if (remaining <= 0) rc.nCurSize = 0;
        else if (i + 1 == info.size()) rc.nCurSize = remaining;
        else
        {
            // An ideal size under the minimum is too small to be seen: the pane gets none.
            rc.nCurSize = rc.nIdealSize < rc.nMinSize ? 0 : std::min(rc.nIdealSize, remaining);
            remaining -= rc.nCurSize + gap;
        }
    }
}

int CSplitterWnd::Start(const std::vector<CRowColInfo>& info, int index, int gap)
{
    int at = 0;
    for (int i = 0; i < index; ++i) at += info[std::size_t(i)].nCurSize + gap;
    return at;
}

void CSplitterWnd::RecalcLayout()
{
    if (!m_hWnd || m_rows.empty()) return;
    CRect client;
    GetClientRect(&client);
    LayoutRowCol(m_rows, client.Height(), m_cySplitterGap);
    LayoutRowCol(m_columns, client.Width(), m_cxSplitterGap);
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (CWnd* pane = GetPane(r, c))
            {
                const int x = Start(m_columns, c, m_cxSplitterGap);
                const int y = Start(m_rows, r, m_cySplitterGap);
                const int cx = m_columns[std::size_t(c)].nCurSize;
                const int cy = m_rows[std::size_t(r)].nCurSize;
                pane->MoveWindow(x, y, cx, cy);
                // A pane with no room is hidden, so that it neither paints nor takes input.
                const bool room = cx > 0 && cy > 0;
                if (room != bool(pane->GetStyle() & WS_VISIBLE)) pane->ShowWindow(room ? SW_SHOWNA : SW_HIDE);
            }
    Invalidate(TRUE);
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* column) const
{
    CFrameWnd* frame = GetParentFrame();
    CWnd* view = frame ? frame->GetActiveView() : nullptr;
    return IsChildPane(view, row, column) ? view : nullptr;
}

void CSplitterWnd::SetActivePane(int row, int column)
{
    CWnd* pane = GetPane(row, column);
    if (!pane) return;
    if (auto* view = dynamic_cast<CView*>(pane); view && GetParentFrame()) GetParentFrame()->SetActiveView(view);
    pane->SetFocus();
}

int CSplitterWnd::HitTest(CPoint point) const
{
    CRect client;
    GetClientRect(&client);
    if (!client.PtInRect(point)) return 0;
    for (int r = 0; r + 1 < GetRowCount(); ++r)
    {
        const int top = Start(m_rows, r, m_cySplitterGap) + m_rows[std::size_t(r)].nCurSize;
        if (point.y >= top && point.y < top + m_cySplitterGap) return r + 1;
    }
    for (int c = 0; c + 1 < GetColumnCount(); ++c)
    {
        const int left = Start(m_columns, c, m_cxSplitterGap) + m_columns[std::size_t(c)].nCurSize;
        if (point.x >= left && point.x < left + m_cxSplitterGap) return kColumnBar + c + 1;
    }
    return 0;
}

void CSplitterWnd::OnDrawSplitter(CDC* dc, ESplitType type, const CRect& rect)
{
    if (!dc) return;
    dc->FillSolidRect(&rect, GetSysColor(COLOR_BTNFACE));
    if (type == splitBar && rect.Width() > 2 && rect.Height() > 2)
        dc->Draw3dRect(&rect, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
}

BOOL CSplitterWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CSplitterWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    for (int r = 0; r + 1 < GetRowCount(); ++r)
    {
        const int top = Start(m_rows, r, m_cySplitterGap) + m_rows[std::size_t(r)].nCurSize;
        OnDrawSplitter(&dc, splitBar, CRect(client.left, top, client.right, top + m_cySplitterGap));
    }
    for (int c = 0; c + 1 < GetColumnCount(); ++c)
    {
        const int left = Start(m_columns, c, m_cxSplitterGap) + m_columns[std::size_t(c)].nCurSize;
        OnDrawSplitter(&dc, splitBar, CRect(left, client.top, left + m_cxSplitterGap, client.bottom));
    }
    // Cells without a pane show the face colour.
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (!GetPane(r, c) || !GetPane(r, c)->IsWindowVisible())
                OnDrawSplitter(&dc, splitBorder,
                               CRect(CPoint(Start(m_columns, c, m_cxSplitterGap), Start(m_rows, r, m_cySplitterGap)),
                                     CSize(m_columns[std::size_t(c)].nCurSize, m_rows[std::size_t(r)].nCurSize)));
}

void CSplitterWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RecalcLayout();
}

void CSplitterWnd::StartTracking(int hitTest)
{
    if (hitTest == 0) return;
    m_tracking = hitTest;
    SetCapture();
}

void CSplitterWnd::StopTracking(BOOL)
{
    if (!m_tracking) return;
    m_tracking = 0;
    if (GetCapture() == this) ReleaseCapture();
}

void CSplitterWnd::TrackTo(CPoint point)
{
    // The bar follows the mouse: the row or column before it gets the new size, clamped to the
    // room between the neighbouring bars.
    if (m_tracking > kColumnBar)
    {
        const int c = m_tracking - kColumnBar - 1;
        const int left = Start(m_columns, c, m_cxSplitterGap);
        const int room = m_columns[std::size_t(c)].nCurSize + m_columns[std::size_t(c) + 1].nCurSize;
        m_columns[std::size_t(c)].nIdealSize = std::clamp(int(point.x - m_trackOffset.x) - left, 0, room);
        if (std::size_t(c) + 2 < m_columns.size())
            m_columns[std::size_t(c) + 1].nIdealSize = room - m_columns[std::size_t(c)].nIdealSize;
    }
    else
    {
        const int r = m_tracking - 1;
        const int top = Start(m_rows, r, m_cySplitterGap);
        const int room = m_rows[std::size_t(r)].nCurSize + m_rows[std::size_t(r) + 1].nCurSize;
        m_rows[std::size_t(r)].nIdealSize = std::clamp(int(point.y - m_trackOffset.y) - top, 0, room);
        if (std::size_t(r) + 2 < m_rows.size()) m_rows[std::size_t(r) + 1].nIdealSize = room - m_rows[std::size_t(r)].nIdealSize;
    }
    RecalcLayout();
}

void CSplitterWnd::OnLButtonDown(UINT flags, CPoint point)
{
    const int hit = HitTest(point);
    if (!hit) return CWnd::OnLButtonDown(flags, point);
    // Keep the grip point: the bar does not jump under the mouse.
    if (hit > kColumnBar)
        m_trackOffset = CPoint(point.x - (Start(m_columns, hit - kColumnBar - 1, m_cxSplitterGap) +
                                          m_columns[std::size_t(hit - kColumnBar - 1)].nCurSize), 0);
    else m_trackOffset = CPoint(0, point.y - (Start(m_rows, hit - 1, m_cySplitterGap) + m_rows[std::size_t(hit - 1)].nCurSize));
    StartTracking(hit);
}

void CSplitterWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (m_tracking) TrackTo(point);
    else CWnd::OnMouseMove(flags, point);
}

void CSplitterWnd::OnLButtonUp(UINT flags, CPoint point)
{
    if (!m_tracking) return CWnd::OnLButtonUp(flags, point);
    TrackTo(point);
    StopTracking(TRUE);
}

void CSplitterWnd::OnCaptureChanged(CWnd* wnd)
{
    if (wnd != this) m_tracking = 0;
    CWnd::OnCaptureChanged(wnd);
}

BOOL CSplitterWnd::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (wnd == this && hitTest == HTCLIENT)
    {
        CPoint p;
        ::GetCursorPos(&p);
        ScreenToClient(&p);
        const int hit = m_tracking ? m_tracking : HitTest(p);
        if (hit)
        {
            ::SetCursor(LoadStandardCursor(hit > kColumnBar ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(wnd, hitTest, message);
}

// The panes' commands and notifications belong to the frame around the splitter.
BOOL CSplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (CWnd::OnCommand(wParam, lParam)) return TRUE;
    CWnd* owner = GetParent();
    if (!owner) return FALSE;
    owner->SendMessage(WM_COMMAND, wParam, lParam);
    return TRUE;
}

BOOL CSplitterWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (CWnd::OnNotify(wParam, lParam, result)) return TRUE;
    CWnd* owner = GetParent();
    if (!owner) return FALSE;
    *result = owner->SendMessage(WM_NOTIFY, wParam, lParam);
    return TRUE;
}
