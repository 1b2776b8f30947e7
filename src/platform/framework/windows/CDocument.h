#pragma once
// The document side of document/view: a command target that knows the views showing it.
// A view joins the document of its creation context when it is created and leaves it when it
// is destroyed; UpdateAllViews tells every view but the sender that the data changed.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CCmdTarget.h"

#include <vector>

class CView;
struct __POSITION;
using POSITION = __POSITION*;

class CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    ~CDocument() override;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    virtual void AddView(CView* view);
    virtual void RemoveView(CView* view);
    POSITION GetFirstViewPosition() const;
    // The view at the position; the position moves on (null after the last view).
    CView* GetNextView(POSITION& position) const;
    // OnUpdate of every view except the sender, in the order the views joined.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, CObject* hintObject = nullptr);

    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const CString& title) { m_strTitle = title; }

protected:
    // Called after a view joined or left.
    virtual void OnChangedViewList() {}

private:
    std::vector<CView*> m_views;
    CString m_strTitle;
};
