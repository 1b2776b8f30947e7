#include "views/VisualFramework.h"

#include "platform/framework/windows/CWnd.h"
#include "views/MyFormView.h"
#include "views/MySplitterWnd.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"

#include <glog/logging.h>

#include <algorithm>

TVisualObject::TVisualObject(DWORD id, const CString& title, int rows, int columns, const SViewCreateContext& context,
                             DWORD style)
    : m_kind(kTab), m_id(id), m_title(title), m_rows(rows), m_columns(columns), m_context(context), m_style(style)
{
}

TVisualObject::TVisualObject(DWORD id, int row, int column, const SViewCreateContext& context,
                             const SRuntimeClass& runtimeClass, const CSize& size, DWORD style)
    : m_kind(kPane), m_id(id), m_row(row), m_column(column), m_context(context), m_runtimeClass(&runtimeClass),
      m_size(size), m_style(style)
{
}

TVisualObject::TVisualObject(DWORD id, const CString& title, const SViewCreateContext& context,
                             const SRuntimeClass& runtimeClass, DWORD style)
    : m_kind(runtimeClass.IsDerivedFrom(TTabWnd::Class()) ? kTabWindow : kWindow), m_id(id), m_title(title),
      m_context(context), m_runtimeClass(&runtimeClass), m_style(style)
{
}

CWnd* TVisualObject::GetWnd() const
{
    return m_hwnd && CWnd::FromHandle(m_hwnd) == m_wnd ? m_wnd : nullptr;
}

TVisualObject* TVisualObject::GetChild(int index) const
{
    return index >= 0 && index < GetChildCount() ? m_children[std::size_t(index)].get() : nullptr;
}

TVisualFramework::~TVisualFramework()
{
    Destroy();
}

BOOL TVisualFramework::Register(TVisualObject& object)
{
    if (m_objects.count(object.m_id))
        return FALSE;
    m_objects[object.m_id] = &object;
    object.m_framework = this;
    return TRUE;
}

void TVisualFramework::Unregister(TVisualObject& object)
{
    for (const auto& child : object.m_children)
        Unregister(*child);
    m_objects.erase(object.m_id);
}

BOOL TVisualFramework::AddRootObject(std::unique_ptr<TVisualObject> object)
{
    if (!object || !Register(*object))
        return FALSE;
    m_roots.push_back(std::move(object));
    return TRUE;
}

BOOL TVisualFramework::AddObject(TVisualObject* parent, std::unique_ptr<TVisualObject> object)
{
    return InsertObject(parent, std::move(object), parent ? parent->GetChildCount() : 0);
}

BOOL TVisualFramework::InsertObject(TVisualObject* parent, std::unique_ptr<TVisualObject> object, int index)
{
    if (!parent || !object || !Register(*object))
        return FALSE;
    object->m_parent = parent;
    index = std::clamp(index, 0, parent->GetChildCount());
    parent->m_children.insert(parent->m_children.begin() + index, std::move(object));
    return TRUE;
}

BOOL TVisualFramework::RemoveObject(TVisualObject* object)
{
    if (!object || FindObject(object->m_id) != object)
        return FALSE;
    auto& siblings = object->m_parent ? object->m_parent->m_children : m_roots;
    const auto found = std::find_if(siblings.begin(), siblings.end(), [object](const auto& o) { return o.get() == object; });
    if (found == siblings.end())
        return FALSE;
    Unregister(*object);
    siblings.erase(found);
    return TRUE;
}

TVisualObject* TVisualFramework::FindObject(DWORD id) const
{
    const auto found = m_objects.find(id);
    return found == m_objects.end() ? nullptr : found->second;
}

DWORD TVisualFramework::GetUnusedId() const
{
    return m_objects.empty() ? 1 : m_objects.rbegin()->first + 1;
}

TVisualObject* TVisualFramework::GetRoot(int index) const
{
    return index >= 0 && index < GetRootCount() ? m_roots[std::size_t(index)].get() : nullptr;
}

BOOL TVisualFramework::Create(CWnd* parent)
{
    for (const auto& root : m_roots)
        if (!CreateObject(*root, parent, -1))
            return FALSE;
    return TRUE;
}

BOOL TVisualFramework::CreateObject(TVisualObject& object, CWnd* parentWnd, int tabIndex)
{
    if (!object.GetWnd()) {
        auto* tabWnd = dynamic_cast<TTabWnd*>(parentWnd);
        CRect rect;
        if (tabWnd)
            rect = tabWnd->GetPageRect();
        else if (parentWnd)
            parentWnd->GetClientRect(&rect);
        const UINT id = UINT(object.m_id);
        CWnd* made = nullptr;
        switch (object.m_kind) {
        case TVisualObject::kTab: {
            auto* splitter = new CMySplitterWnd;
            if (splitter->CreateStatic(parentWnd, object.m_rows, object.m_columns, id)) {
                splitter->MoveWindow(rect);
                made = splitter;
            } else {
                delete splitter;
            }
            break;
        }
        case TVisualObject::kPane: {
            auto* splitter = dynamic_cast<CMySplitterWnd*>(parentWnd);
            if (splitter &&
                splitter->CreatePane(object.m_row, object.m_column, *object.m_runtimeClass, object.m_size, object.m_context))
                made = splitter->GetPane(object.m_row, object.m_column);
            break;
        }
        case TVisualObject::kTabWindow:
        case TVisualObject::kWindow: {
            CWnd* window = object.m_runtimeClass->CreateObject();
            BOOL created = FALSE;
            if (auto* tabs = dynamic_cast<TTabWnd*>(window))
                created = tabs->CreateTabWnd(parentWnd, rect, id);
            else if (auto* frame = dynamic_cast<CSplitFrame*>(window))
                created = frame->CreateFrame(parentWnd, rect, id, object.m_context);
            else if (auto* view = dynamic_cast<CMyFormView*>(window))
                created = view->CreateView(parentWnd, id, object.m_context.document);
            else
                delete window;
            if (created)
                made = window;
            break;
        }
        }
        if (!made) {
            LOG(INFO) << "Tab framework: the window of object " << object.m_id << " ("
                      << (object.m_runtimeClass ? object.m_runtimeClass->className : "splitter") << ") cannot be made";
            return FALSE;
        }
        object.m_wnd = made;
        object.m_hwnd = made->GetSafeHwnd();
        object.m_parentWnd = parentWnd;
        object.m_parentHwnd = parentWnd ? parentWnd->GetSafeHwnd() : nullptr;
        if (tabWnd)
            tabWnd->InsertTab(tabIndex, made, object.m_title);
    }
    for (int i = 0; i < object.GetChildCount(); ++i)
        if (!CreateObject(*object.m_children[std::size_t(i)], object.m_wnd, i))
            return FALSE;
    if (auto* splitter = dynamic_cast<CMySplitterWnd*>(object.m_wnd); splitter && object.m_kind == TVisualObject::kTab)
        splitter->RecalcSections();
    return TRUE;
}

void TVisualFramework::Destroy()
{
    for (const auto& root : m_roots)
        DestroyObjectWindows(root.get());
    m_roots.clear();
    m_objects.clear();
}

void TVisualFramework::DestroyObjectWindows(TVisualObject* object)
{
    if (!object)
        return;
    for (const auto& child : object->m_children)
        DestroyObjectWindows(child.get());
    if (object->m_kind == TVisualObject::kPane)
        return; // its splitter takes it along
    if (CWnd* window = object->GetWnd()) {
        if (auto* tabs = dynamic_cast<TTabWnd*>(ParentWnd(*object)))
            tabs->RemoveTab(window);
        window->DestroyWindow();
    }
    object->m_wnd = nullptr;
    object->m_hwnd = nullptr;
}

// The window parent of the object while it exists: the parent object's window, or for a
// top-level object the window it was created in.
CWnd* TVisualFramework::ParentWnd(const TVisualObject& object)
{
    if (object.m_parent)
        return object.m_parent->GetWnd();
    return object.m_parentWnd && CWnd::FromHandle(object.m_parentHwnd) == object.m_parentWnd ? object.m_parentWnd
                                                                                          : nullptr;
}

BOOL TVisualFramework::EnableTab(TVisualObject* object, bool enable)
{
    auto* tabs = object ? dynamic_cast<TTabWnd*>(ParentWnd(*object)) : nullptr;
    return tabs ? tabs->EnableTab(tabs->FindTab(object->GetWnd()), enable) : FALSE;
}

BOOL TVisualFramework::SelectTab(TVisualObject* object)
{
    auto* tabs = object ? dynamic_cast<TTabWnd*>(ParentWnd(*object)) : nullptr;
    return tabs ? tabs->SetActiveTab(tabs->FindTab(object->GetWnd())) : FALSE;
}

void TVisualFramework::ShowObject(TVisualObject* object)
{
    std::vector<TVisualObject*> chain;
    for (TVisualObject* o = object; o; o = o->m_parent)
        chain.push_back(o);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
        SelectTab(*it);
}
