#include "platform/framework/windows/Cursors.h"

#include "platform/framework/windows/WindowBridge.h"

#include <QCursor>

struct HCURSOR__
{
    int id;
    Qt::CursorShape shape;
};

namespace
{
constexpr HCURSOR__ kCursors[] = {
    {IDC_ARROW, Qt::ArrowCursor},      {IDC_IBEAM, Qt::IBeamCursor},     {IDC_WAIT, Qt::WaitCursor},
    {IDC_CROSS, Qt::CrossCursor},      {IDC_UPARROW, Qt::UpArrowCursor}, {IDC_SIZENWSE, Qt::SizeFDiagCursor},
    {IDC_SIZENESW, Qt::SizeBDiagCursor}, {IDC_SIZEWE, Qt::SizeHorCursor}, {IDC_SIZENS, Qt::SizeVerCursor},
    {IDC_SIZEALL, Qt::SizeAllCursor},  {IDC_NO, Qt::ForbiddenCursor},    {IDC_HAND, Qt::PointingHandCursor},
};

HCURSOR g_cursor = &kCursors[0];
QPointer<QWidget> g_cursorTarget;
} // namespace

void SetCursorTarget(QWidget* widget) { g_cursorTarget = widget; }

HCURSOR LoadStandardCursor(int id)
{
    for (const HCURSOR__& c : kCursors)
        if (c.id == id) return &c;
    return &kCursors[0];
}

HCURSOR SetCursor(HCURSOR cursor)
{
    const HCURSOR old = g_cursor;
    g_cursor = cursor;
    if (cursor && g_cursorTarget) g_cursorTarget->setCursor(QCursor(cursor->shape));
    return old;
}

HCURSOR GetCursor() { return g_cursor; }
