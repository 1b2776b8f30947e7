#pragma once
// CMyFormView: the base of every page view. A view is the first pane of its split frame, made
// from a dialog template (its controls, if any), attached to the project document while its
// window lives, and told to initialise itself by the framework's initial-update message.
#include "platform/framework/CString.h"
#include "platform/framework/windows/CWnd.h"
#include "views/RuntimeClass.h"

#include <memory>
#include <vector>

class CRecDoc;

class CMyFormView : public CWnd
{
public:
    static const SRuntimeClass& Class();

    // templateId 0: no controls.
    explicit CMyFormView(UINT templateId = 0);
    ~CMyFormView() override;

    // Creates the view as a child of the frame, attached to the document (may be null).
    BOOL CreateView(CWnd* frame, UINT id, CRecDoc* document);
    CRecDoc* GetDocument() const { return m_document; }
    UINT GetTemplateId() const { return m_templateId; }

    // The one text a view keeps for its owner (the table views keep the collapse state their
    // graph hands them here). A view may answer with what it shows instead.
    void SetTitle(const CString& title) { m_title = title; }
    virtual CString GetTitle() const { return m_title; }
    // The application-wide number of the study section the view shows; -1 for other pages.
    int GetViewKind() const { return m_viewKind; }
    void SetViewKind(int kind) { m_viewKind = kind; }
    // The union of the child controls at the initial update (empty without controls).
    const CRect& GetContentRect() const { return m_contentRect; }
    // Scale-to-fit mode: the view's content is shown at the client size; (-1, -1) fits as is.
    void SetScaleToFitSize(const CSize& size);
    bool IsScaleToFit() const { return m_scaleToFit; }
    // The scroll range of the page: the union of its child windows, from the page's origin. A bar
    // shows while its side of the range is larger than the client area; scrolling moves the
    // children.
    virtual void UpdateScrollSizes();
    const CSize& GetScrollSizes() const { return m_scrollSize; }
    // The page's origin: how far it is scrolled.
    CPoint GetScrollPosition() const;
    // Scrolls to that origin, kept within the scroll range.
    void ScrollToPosition(CPoint position);
    // Sizes the view to the content rectangle's right and bottom without moving it, resets its
    // scroll sizes and lets the frame lay itself out again (which sizes the view to its pane).
    void ResizeViewAndRecalcFrame(const CRect& content);
    // Bookmark capture of the section: that rectangle of the main window (in its client
    // coordinates) goes into a picture file that the document keeps as a bookmark of the view's
    // kind under the name. False, with nothing captured, without a document; false when the
    // capture fails.
    bool BeginSectionCapture(const CRect& rect, const CString& name);
    // How many initial updates the view received (the main view sends exactly one per build).
    int GetInitialUpdateCount() const { return m_initialUpdates; }
    // The process-wide sequence number of the view's last initial update (0 before the first):
    // tells in which order the views of a page were initialised.
    unsigned GetInitialUpdateSerial() const { return m_initialUpdateSerial; }

    virtual void OnInitialUpdate();
    void OnSize(UINT type, int cx, int cy) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Commands 33052 and 33053 of the section toolbars are kept hidden and do nothing.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;

    // Views made from a run-time class delete themselves with their window; false for a view
    // that has another owner.
    bool m_bAutoDelete = true;

protected:
    int OnCreate(LPCREATESTRUCT cs) override;
    void OnDestroy() override;
    void PostNcDestroy() override;

    CSize m_scrollSize;

private:
    void CreateTemplateControls();
    // The bars for m_scrollSize and the client area; the children follow a clamped position.
    void ApplyScrollBars(bool keepShownBars = false);
    // The position a scroll-bar action asks for on one bar.
    int ScrollTarget(int bar, UINT code, UINT pos) const;

    UINT m_templateId;
    CRecDoc* m_document = nullptr;
    CString m_title;
    int m_viewKind = -1;
    CRect m_contentRect;
    bool m_scaleToFit = false;
    int m_initialUpdates = 0;
    unsigned m_initialUpdateSerial = 0;
    static inline unsigned s_initialUpdateSerial = 0;
    std::vector<std::unique_ptr<CWnd>> m_controls;
    bool m_updatingScrollSizes = false;
};

// A child that changed its size or its rows: the page view that holds it takes its scroll range
// again (nothing when the parent is no page view).
void UpdateParentViewScrollSizes(CWnd& child);
