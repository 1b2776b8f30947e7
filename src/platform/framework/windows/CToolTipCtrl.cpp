#include "platform/framework/windows/CToolTipCtrl.h"

#include "platform/framework/windows/QtBridge.h"

#include <QFontMetrics>
#include <QStringList>
#include <QToolTip>

#include <algorithm>

CToolTipCtrl::~CToolTipCtrl() { DestroyWindow(); }

BOOL CToolTipCtrl::Create(CWnd*, DWORD)
{
    m_created = true;
    return TRUE;
}

void CToolTipCtrl::DestroyWindow()
{
    for (const STool& tool : m_tools)
        if (WndImpl* impl = WndImpl::From(tool.window))
            std::erase(impl->toolTipControls, this);
    m_tools.clear();
    m_created = false;
}

BOOL CToolTipCtrl::AddTool(CWnd* window, LPCTSTR text, LPCRECT rect, UINT_PTR id)
{
    WndImpl* impl = window ? WndImpl::From(window->GetSafeHwnd()) : nullptr;
    if (!m_created || !impl) return FALSE;
    const CRect area = rect ? CRect(*rect) : CRect();
    auto found = std::find_if(m_tools.begin(), m_tools.end(),
                              [&](const STool& t) { return t.window == impl && t.id == id; });
    if (found == m_tools.end()) m_tools.push_back({impl, id, area, CString(text ? text : "")});
    else *found = {impl, id, area, CString(text ? text : "")};
    if (std::find(impl->toolTipControls.begin(), impl->toolTipControls.end(), this) == impl->toolTipControls.end())
        impl->toolTipControls.push_back(this);
    impl->toolTips = true;
    return TRUE;
}

void CToolTipCtrl::SetToolRect(CWnd* window, UINT_PTR id, LPCRECT rect)
{
    if (!window || !rect) return;
    for (STool& tool : m_tools)
        if (tool.window == window->GetSafeHwnd() && tool.id == id) tool.rect = *rect;
}

int CToolTipCtrl::SetMaxTipWidth(int width)
{
    return std::exchange(m_maxWidth, width);
}

CString CToolTipCtrl::GetTipTextAt(CWnd* window, CPoint point) const
{
    if (!window) return {};
    for (const STool& tool : m_tools)
        if (tool.window == window->GetSafeHwnd() && tool.rect.PtInRect(point)) return Wrapped(tool.text);
    return {};
}

CString CToolTipCtrl::Wrapped(const CString& text) const
{
    if (m_maxWidth <= 0) return text;
    const QFontMetrics metrics(QToolTip::font());
    QStringList lines;
    QString line;
    for (const QString& word : ToQString(text).split(' ', Qt::SkipEmptyParts))
    {
        const QString longer = line.isEmpty() ? word : line + ' ' + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > m_maxWidth)
        {
            lines << line;
            line = word;
        }
        else line = longer;
    }
    if (!line.isEmpty()) lines << line;
    return FromQString(lines.join('\n'));
}
