#pragma once
// Private drawing helpers shared by the context's source files. Solid fills, lines of one pixel
// and raster operations change the pixels directly, so they land exactly where the platform put
// them; text, curves and patterned fills go through QPainter.
#include "platform/framework/windows/QtBridge.h"

#include <QPainter>

namespace dc
{
// The part of a device rectangle that may be drawn.
QRegion Clipped(const DcState& s, const QRect& deviceRect);
QRegion Clipped(const DcState& s, const QRegion& deviceRegion);
// Applies a colour with a binary raster operation (R2_...) to every pixel of the region.
void Fill(const DcState& s, const QRegion& region, COLORREF color, int rop2 = R2_COPYPEN);
void Invert(const DcState& s, const QRegion& region);
// Fills with the selected or given brush data (solid, hatched or pattern; nothing for a null brush).
void FillWithBrush(const DcState& s, const QRegion& region, const GdiData* brush);
const GdiData* BrushOf(const CBrush* brush);
const GdiData& FontOf(const DcState& s);
bool IsNullBrush(const GdiData* brush);

// A painter on the context's surface, clipped and with the origins applied (logical coordinates).
class Painter
{
public:
    explicit Painter(const DcState& s);
    QPainter* operator->() { return &m_painter; }
    QPainter& get() { return m_painter; }
    bool isActive() const { return m_painter.isActive(); }

private:
    QPainter m_painter;
};
} // namespace dc
