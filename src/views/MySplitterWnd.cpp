#include "views/MySplitterWnd.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/WindowStyles.h"
#include "views/MyFormView.h"
#include "views/SplitFrame.h"

#include <glog/logging.h>

#include <algorithm>

const SRuntimeClass& CMySplitterWnd::Class()
{
    static const SRuntimeClass runtimeClass{"CMySplitterWnd", nullptr, &CreateWindowObject<CMySplitterWnd>, nullptr};
    return runtimeClass;
}

CMySplitterWnd::~CMySplitterWnd()
{
    EndDragImage();
    m_bAutoDelete = false;
    if (GetSafeHwnd())
        DestroyWindow();
}

void CMySplitterWnd::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CMySplitterWnd::CreateStatic(CWnd* parent, int rows, int columns, UINT id)
{
    if (rows < 1 || columns < 1)
        return FALSE;
    m_rows = rows;
    m_columns = columns;
    m_panes.assign(std::size_t(rows * columns), nullptr);
    m_columnWidths.assign(std::size_t(columns), kUnsetWidth);
    m_columnMinimum.assign(std::size_t(columns), 0);
    m_rowHeights.assign(std::size_t(rows), 0);
    CRect client;
    if (parent)
        parent->GetClientRect(&client);
    return CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, client, parent, id);
}

BOOL CMySplitterWnd::CreatePane(int row, int column, const SRuntimeClass& runtimeClass, const CSize& size,
                                const SViewCreateContext& context)
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns || GetPane(row, column))
        return FALSE;
    CWnd* object = runtimeClass.CreateObject();
    if (!object)
        return FALSE;
    const UINT id = UINT(0xE900 + row * 16 + column);
    BOOL created = FALSE;
    if (auto* frame = dynamic_cast<CSplitFrame*>(object))
        created = frame->CreateFrame(this, CRect(0, 0, size.cx, size.cy), id, context);
    else if (auto* view = dynamic_cast<CMyFormView*>(object))
        created = view->CreateView(this, id, context.document);
    else
        delete object; // not a page class
    if (!created) {
        LOG(INFO) << "Splitter pane " << row << "," << column << " of class " << runtimeClass.className
                  << " cannot be made";
        return FALSE; // a page whose window failed deleted itself with it
    }
    m_panes[std::size_t(row * m_columns + column)] = object;
    if (row == 0 && size.cx > 0)
        m_columnWidths[std::size_t(column)] = size.cx;
    if (column == 0 && size.cy > 0)
        m_rowHeights[std::size_t(row)] = size.cy;
    return TRUE;
}

CWnd* CMySplitterWnd::GetPane(int row, int column) const
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return nullptr;
    CWnd* pane = m_panes[std::size_t(row * m_columns + column)];
    return pane && pane->GetSafeHwnd() ? pane : nullptr;
}

bool CMySplitterWnd::FindPane(const CWnd* window, int& row, int& column) const
{
    for (const CWnd* w = window; w; w = w->GetParent()) {
        for (int r = 0; r < m_rows; ++r) {
            for (int c = 0; c < m_columns; ++c) {
                if (GetPane(r, c) == w) {
                    row = r;
                    column = c;
                    return true;
                }
            }
        }
        if (w == this)
            break;
    }
    return false;
}

void CMySplitterWnd::SetColumnInfo(int column, int ideal, int minimum)
{
    if (column < 0 || column >= m_columns)
        return;
    m_columnWidths[std::size_t(column)] = std::max(ideal, minimum);
    m_columnMinimum[std::size_t(column)] = minimum;
    LayoutPanes();
}

int CMySplitterWnd::GetColumnWidth(int column) const
{
    return column >= 0 && column < m_columns ? std::max(0, m_columnWidths[std::size_t(column)]) : 0;
}

int CMySplitterWnd::GetRowHeight(int row) const
{
    return row >= 0 && row < m_rows ? m_rowHeights[std::size_t(row)] : 0;
}

void CMySplitterWnd::SetPlainSplitter(int plain)
{
    if (plain && !m_plain)
        std::fill(m_columnWidths.begin(), m_columnWidths.end(), kUnsetWidth); // forget the stretched width
    m_plain = plain;
}

void CMySplitterWnd::RecalcSections()
{
    CRect client;
    GetClientRect(&client);
    if (!m_plain && m_columns > 0)
        m_columnWidths[0] = client.Width();
    // A plain splitter whose panes came without widths shares the width evenly until the page or
    // the user sets its columns.
    for (int column = 0; m_plain && column < m_columns - 1; ++column)
        if (m_columnWidths[std::size_t(column)] <= 0 && client.Width() > 0)
            m_columnWidths[std::size_t(column)] = client.Width() / m_columns;

    // Rows: a collapsed section keeps its toolbars' height, the expanded ones share the rest.
    std::vector<int> fixed(std::size_t(m_rows), -1);
    int used = 0;
    int expanded = 0;
    for (int row = 0; row < m_rows; ++row) {
        const auto* frame = dynamic_cast<const CSplitFrame*>(GetPane(row, 0));
        const bool hidden = (row == 2 && !m_thirdShown) || (m_fullRow >= 0 && row != m_fullRow);
        if (hidden)
            fixed[std::size_t(row)] = 0;
        else if (m_fullRow < 0 && frame && frame->IsSectionCollapsed())
            fixed[std::size_t(row)] = frame->GetToolBarsHeight();
        if (fixed[std::size_t(row)] >= 0)
            used += fixed[std::size_t(row)];
        else
            ++expanded;
    }
    int rest = std::max(0, client.Height() - used);
    for (int row = 0; row < m_rows; ++row) {
        int height = fixed[std::size_t(row)];
        if (height < 0) {
            height = rest / expanded;
            rest -= height;
            --expanded;
        }
        m_rowHeights[std::size_t(row)] = height;
    }
    LayoutPanes();
}

void CMySplitterWnd::LayoutPanes()
{
    if (!GetSafeHwnd())
        return;
    CRect client;
    GetClientRect(&client);
    int y = 0;
    for (int row = 0; row < m_rows; ++row) {
        const int height = m_rows == 1 ? client.Height() : m_rowHeights[std::size_t(row)];
        int x = 0;
        for (int column = 0; column < m_columns; ++column) {
            int width = std::max(0, m_columnWidths[std::size_t(column)]);
            if (column == m_columns - 1)
                width = std::max(0, client.Width() - x);
            else
                width = std::clamp(width, 0, std::max(0, client.Width() - x));
            if (CWnd* pane = GetPane(row, column)) {
                pane->MoveWindow(x, y, width, height);
                pane->ShowWindow(width > 0 && height > 0 ? SW_SHOW : SW_HIDE);
            }
            x += width + (column < m_columns - 1 && m_plain ? kDividerWidth : 0);
        }
        y += height;
    }
}

bool CMySplitterWnd::ToggleFullWindow(CWnd* view, int mode)
{
    int row = 0;
    int column = 0;
    if (m_fullRow >= 0)
        m_fullRow = -1;
    else if (FindPane(view, row, column))
        m_fullRow = row;
    m_mode = mode;
    RecalcSections();
    return IsFullWindow();
}

void CMySplitterWnd::RestoreAllSections()
{
    m_fullRow = -1;
    m_thirdShown = true;
    RecalcSections();
}

void CMySplitterWnd::ResetSectionExtents()
{
    std::fill(m_rowHeights.begin(), m_rowHeights.end(), 0);
}

void CMySplitterWnd::ShowThirdSection(bool show)
{
    m_thirdShown = show;
    RecalcSections();
}

void CMySplitterWnd::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    RecalcSections();
}

BOOL CMySplitterWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // Commands the panes do not handle go on to the page's owner.
    if (CWnd* parent = GetParent())
        return BOOL(parent->SendMessage(WM_COMMAND, wParam, lParam));
    return CWnd::OnCommand(wParam, lParam);
}

void CMySplitterWnd::BeginDragImage(const CRect& screenRect, CWnd* source)
{
    if (!source)
        return;
    m_dragSource = source;
    m_dragRect = screenRect;
    // The picture keeps the point where the button went down under the mouse.
    CPoint cursor;
    ::GetCursorPos(&cursor);
    if (!screenRect.PtInRect(cursor))
        cursor = screenRect.CenterPoint();
    const CPoint hotSpot(cursor.x - screenRect.left, cursor.y - screenRect.top);
    if (MakeDragImage(screenRect, *source) && m_dragImage.BeginDrag(0, hotSpot))
        CImageList::DragEnter(nullptr, cursor);
    SetCapture();
}

bool CMySplitterWnd::MakeDragImage(const CRect& screenRect, CWnd& source)
{
    m_dragImage.DeleteImageList();
    if (screenRect.IsRectEmpty() || !source.GetSafeHwnd())
        return false;
    CPoint origin = screenRect.TopLeft();
    source.ScreenToClient(&origin);
    CClientDC screen(&source);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap picture;
    if (!picture.CreateCompatibleBitmap(&screen, screenRect.Width(), screenRect.Height()))
        return false;
    CBitmap* old = memory.SelectObject(&picture);
    memory.SetViewportOrg(-origin.x, -origin.y);
    source.PrintWindow(&memory);
    memory.SelectObject(old);
    // Without ILC_MASK no colour is left out: the whole tile shows.
    return m_dragImage.Create(screenRect.Width(), screenRect.Height(), ILC_COLOR32, 1, 0) &&
           m_dragImage.Add(&picture, CLR_INVALID) == 0;
}

void CMySplitterWnd::EndDragImage()
{
    if (!m_dragImage.IsCreated())
        return;
    CImageList::DragLeave(nullptr);
    CImageList::EndDrag();
    m_dragImage.DeleteImageList();
}

void CMySplitterWnd::SendDragRecord(CPoint screenPoint, bool dropped)
{
    SSplitterDragRecord record;
    record.screenPoint = screenPoint;
    record.releasedInsideSource = dropped && m_dragRect.PtInRect(screenPoint);
    record.dropped = dropped;
    record.source = m_dragSource;
    if (CWnd* view = m_dragSource->GetParent())
        view->SendMessage(WM_SPLITTER_DRAG, 0, LPARAM(&record));
}

void CMySplitterWnd::OnMouseMove(UINT flags, CPoint point)
{
    if (m_dragSource) {
        CPoint screen = point;
        ClientToScreen(&screen);
        CImageList::DragMove(screen);
        SendDragRecord(screen, false);
        return;
    }
    if (m_plain && m_draggingDivider && m_columns > 1) {
        m_columnWidths[0] = std::max(m_columnMinimum[0], int(point.x));
        LayoutPanes();
        return;
    }
    CWnd::OnMouseMove(flags, point);
}

void CMySplitterWnd::OnLButtonDown(UINT flags, CPoint point)
{
    if (m_plain && m_columns > 1 && point.x >= m_columnWidths[0] && point.x < m_columnWidths[0] + kDividerWidth) {
        m_draggingDivider = true;
        SetCapture();
        return;
    }
    CWnd::OnLButtonDown(flags, point);
}

void CMySplitterWnd::OnLButtonUp(UINT flags, CPoint point)
{
    if (m_dragSource) {
        CPoint screen = point;
        ClientToScreen(&screen);
        EndDragImage();
        SendDragRecord(screen, true);
        m_dragSource = nullptr;
        if (GetCapture() == this)
            ReleaseCapture();
        return;
    }
    if (m_draggingDivider) {
        m_draggingDivider = false;
        if (GetCapture() == this)
            ReleaseCapture();
        return;
    }
    CWnd::OnLButtonUp(flags, point);
}

BOOL CMySplitterWnd::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, RGB(190, 198, 206));
    return TRUE;
}
