#pragma once
// The tabbed-view framework: a tree of TVisualObject nodes (tab windows, tabs holding a
// splitter, splitter panes, plain pages) and the windows made from them. The framework owns the
// nodes; the windows belong to their window parents (removing a node leaves its window, and
// destroying a tab's window takes the windows inside it along).
#include "platform/framework/CString.h"
#include "platform/framework/windows/Geometry.h"
#include "platform/framework/windows/WinDefs.h"
#include "views/RuntimeClass.h"
#include "views/ViewCreateContext.h"

#include <map>
#include <memory>
#include <vector>

class CWnd;
class TVisualFramework;

class TVisualObject
{
public:
    enum EKind { kTab = 1, kPane = 2, kTabWindow = 4, kWindow = 5 };

    // A tab holding a splitter of rows x columns.
    TVisualObject(DWORD id, const CString& title, int rows, int columns, const SViewCreateContext& context,
                  DWORD style = 0);
    // A pane of the parent's splitter, made from the class with its initial size.
    TVisualObject(DWORD id, int row, int column, const SViewCreateContext& context, const SRuntimeClass& runtimeClass,
                  const CSize& size, DWORD style = 0);
    // A window: a tab window (a TTabWnd class) or a page (a view or split frame class).
    TVisualObject(DWORD id, const CString& title, const SViewCreateContext& context, const SRuntimeClass& runtimeClass,
                  DWORD style = 0);

    EKind GetKind() const { return m_kind; }
    DWORD GetID() const { return m_id; }
    // The object's window while it exists (a window destroyed with its parent reads as null).
    CWnd* GetWnd() const;
    const CString& GetTitle() const { return m_title; }
    int GetRows() const { return m_rows; }
    int GetColumns() const { return m_columns; }
    int GetRow() const { return m_row; }
    int GetColumn() const { return m_column; }
    const SRuntimeClass* GetRuntimeClass() const { return m_runtimeClass; }
    const SViewCreateContext& GetContext() const { return m_context; }
    const CSize& GetSize() const { return m_size; }
    DWORD GetStyle() const { return m_style; }
    TVisualObject* GetParent() const { return m_parent; }
    TVisualFramework* GetFramework() const { return m_framework; }

    int GetChildCount() const { return int(m_children.size()); }
    TVisualObject* GetChild(int index) const;
    const std::vector<std::unique_ptr<TVisualObject>>& Children() const { return m_children; }

private:
    friend class TVisualFramework;

    EKind m_kind;
    DWORD m_id;
    CWnd* m_wnd = nullptr;
    HWND m_hwnd = nullptr;
    CWnd* m_parentWnd = nullptr;
    HWND m_parentHwnd = nullptr;
    CString m_title;
    int m_rows = 0;
    int m_columns = 0;
    int m_row = 0;
    int m_column = 0;
    SViewCreateContext m_context;
    const SRuntimeClass* m_runtimeClass = nullptr;
    CSize m_size;
    DWORD m_style = 0;
    TVisualObject* m_parent = nullptr;
    TVisualFramework* m_framework = nullptr;
    std::vector<std::unique_ptr<TVisualObject>> m_children;
};

class TVisualFramework
{
public:
    TVisualFramework() = default;
    virtual ~TVisualFramework();
    TVisualFramework(const TVisualFramework&) = delete;
    TVisualFramework& operator=(const TVisualFramework&) = delete;

    // Each refuses (FALSE, and the object is deleted) an object whose id is in use.
    BOOL AddRootObject(std::unique_ptr<TVisualObject> object);
    BOOL AddObject(TVisualObject* parent, std::unique_ptr<TVisualObject> object);
    BOOL InsertObject(TVisualObject* parent, std::unique_ptr<TVisualObject> object, int index);
    // Deletes the object and its subtree (their windows stay); FALSE when it is not registered.
    BOOL RemoveObject(TVisualObject* object);
    TVisualObject* FindObject(DWORD id) const;
    // The largest id in use plus one (1 when none is).
    DWORD GetUnusedId() const;
    int GetRootCount() const { return int(m_roots.size()); }
    TVisualObject* GetRoot(int index) const;

    // Creates the windows of all objects that have none, top-level objects first, inside the
    // parent; FALSE when a window cannot be made.
    virtual BOOL Create(CWnd* parent);
    // Destroys the windows of all top-level objects and deletes every object.
    virtual void Destroy();
    // Destroys the window of a tab or tab-window object after those of its descendants.
    void DestroyObjectWindows(TVisualObject* object);

    // Enables or disables the tab holding the object's window; refused for the selected tab.
    BOOL EnableTab(TVisualObject* object, bool enable);
    // Makes the tab holding the object's window the active one.
    BOOL SelectTab(TVisualObject* object);
    // Selects, from the top down, the tabs that hold the object and its parents.
    void ShowObject(TVisualObject* object);

private:
    BOOL Register(TVisualObject& object);
    void Unregister(TVisualObject& object);
    BOOL CreateObject(TVisualObject& object, CWnd* parentWnd, int tabIndex);
    static CWnd* ParentWnd(const TVisualObject& object);

    std::vector<std::unique_ptr<TVisualObject>> m_roots;
    std::map<DWORD, TVisualObject*> m_objects;
};
