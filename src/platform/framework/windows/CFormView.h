#pragma once
// A view made of a dialog template: the template's controls are children of the view, which
// scrolls over them when it is smaller than the template (or, in scale-to-fit mode, shows no
// scroll bars). Commands of the controls go through the view's route like any other command.
#include "platform/framework/windows/CScrollView.h"

#include <memory>

class CDataExchange;
class CFont;

class CFormView : public CScrollView
{
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT templateId);
    ~CFormView() override;

    using CWnd::Create;
    // Makes the view and the template's controls; the template's size is the content's size.
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                void* context = nullptr) override;
    UINT GetTemplateId() const { return m_nIDHelp; }
    // The base moves the members into the controls (UpdateData(FALSE)), then runs the view's.
    void OnInitialUpdate() override;
    virtual void DoDataExchange(CDataExchange* dx);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

protected:
    BOOL OnEraseBkgnd(CDC* dc) override;
    UINT m_nIDHelp = 0; // the template id

private:
    std::unique_ptr<CFont> m_font;
};
