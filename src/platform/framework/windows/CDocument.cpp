#include "platform/framework/windows/CDocument.h"

#include "platform/framework/windows/CView.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::~CDocument()
{
    for (CView* view : m_views) view->m_pDocument = nullptr;
}

void CDocument::AddView(CView* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end()) return;
    if (view->m_pDocument && view->m_pDocument != this) view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* view)
{
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end()) return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
    OnChangedViewList();
}

// A position is the index of the next view plus one.
POSITION CDocument::GetFirstViewPosition() const
{
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t(1));
}

CView* CDocument::GetNextView(POSITION& position) const
{
    const auto index = reinterpret_cast<std::uintptr_t>(position);
    if (index == 0 || index > m_views.size())
    {
        position = nullptr;
        return nullptr;
    }
    position = index < m_views.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return m_views[index - 1];
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, CObject* hintObject)
{
    const std::vector<CView*> views = m_views; // a view may leave while it updates
    for (CView* view : views)
        if (view != sender && std::find(m_views.begin(), m_views.end(), view) != m_views.end())
            view->OnUpdate(sender, hint, hintObject);
}
