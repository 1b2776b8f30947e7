#pragma once
// Rendering one cell through its type into a bitmap, and a grid that records the cell types'
// notifications.
#include "GridTestSupport.h"
#include "platform/framework/windows/CDC.h"

class NotifyingGrid : public RecordingGrid
{
public:
    LONG refuse = 0; // the notification answered with 0
    std::function<void(LONG, LPARAM)> onNotify;
    BOOL OnCellTypeNotify(int typeId, int col, int row, LONG msg, LPARAM param) override
    {
        log.push_back(Line("OnCellTypeNotify", typeId, col, row, msg, msg == 53 || msg == 102 ? param : 0));
        if (onNotify)
            onNotify(msg, param);
        return msg != refuse;
    }
};

// A white 32-bit picture that a cell is drawn into.
class CellPicture
{
public:
    CellPicture(int width, int height) : m_rect(0, 0, width, height)
    {
        m_dc.CreateCompatibleDC(nullptr);
        m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        m_old = m_dc.SelectObject(&m_bitmap);
        m_dc.FillSolidRect(&m_rect, RGB(255, 255, 255));
    }
    ~CellPicture() { m_dc.SelectObject(m_old); }

    // Draws the displayed cell through its type over the whole picture.
    void Draw(CUGCtrl& grid, int col, int row, int selected = 0, int current = 0)
    {
        CUGCell cell;
        grid.GetCellWithDefaults(col, row, &cell);
        CRect rect = m_rect;
        grid.GetCellType(cell.GetCellType())->OnDraw(&m_dc, &rect, col, row, &cell, selected, current);
    }
    COLORREF At(int x, int y) const { return m_dc.GetPixel(x, y); }
    // Pixels of the rectangle whose colour is not white.
    int Marked(const CRect& area) const
    {
        int count = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                count += At(x, y) != RGB(255, 255, 255);
        return count;
    }
    bool SameAs(const CellPicture& other) const
    {
        for (int y = 0; y < m_rect.bottom; ++y)
            for (int x = 0; x < m_rect.right; ++x)
                if (At(x, y) != other.At(x, y))
                    return false;
        return true;
    }
    CDC* Dc() { return &m_dc; }

private:
    CRect m_rect;
    CDC m_dc;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
