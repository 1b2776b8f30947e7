#include "platform/framework/windows/TemplateControls.h"

#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CListBox.h"
#include "platform/framework/windows/CProgressCtrl.h"
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/CStatic.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/QtBridge.h"

#include <glog/logging.h>

#include <cstring>

namespace
{
// The framework object that stands for a template control of a class.
std::unique_ptr<CWnd> WrapperFor(const CString& className)
{
    CString upper = className;
    upper.MakeUpper();
    if (upper == "EDIT") return std::make_unique<CEdit>();
    if (upper == "LISTBOX") return std::make_unique<CListBox>();
    if (upper == "BUTTON") return std::make_unique<CButton>();
    if (upper == "STATIC") return std::make_unique<CStatic>();
    if (upper == "COMBOBOX") return std::make_unique<CComboBox>();
    if (upper == "SCROLLBAR") return std::make_unique<CScrollBar>();
    if (upper == "SYSTABCONTROL32") return std::make_unique<CTabCtrl>();
    if (upper == "SYSDATETIMEPICK32") return std::make_unique<CDateTimeCtrl>();
    if (upper == "MSCTLS_PROGRESS32") return std::make_unique<CProgressCtrl>();
    return std::make_unique<CWnd>();
}
} // namespace

std::unique_ptr<CFont> MakeTemplateFont(const DialogTemplate& t)
{
    LOGFONT lf;
    lf.lfHeight = -((t.pointSize * 96 + 36) / 72);
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, t.face.IsEmpty() ? "DejaVu Sans" : t.face.GetString(), LF_FACESIZE - 1);
    auto font = std::make_unique<CFont>();
    font->CreateFontIndirect(&lf);
    return font;
}

UINT CreateTemplateControls(CWnd& host, const DialogTemplate& t, CFont* font)
{
    UINT defaultButton = UINT(IDOK);
    for (const DialogItemTemplate& item : t.items)
    {
        std::unique_ptr<CWnd> control = WrapperFor(item.className);
        if (!control->CreateEx(item.exStyle, item.className, item.text, item.style, DialogUnitsToPixels(item.rect), &host,
                               item.id))
        {
            LOG(INFO) << "Dialog " << t.id << ": control " << item.id << " of class " << item.className.GetString()
                      << " cannot be made";
            continue;
        }
        if (font) control->SetFont(font, FALSE);
        if (item.className.CompareNoCase("BUTTON") == 0 && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultButton = item.id;
        host.Impl()->ownedChildren.push_back(std::move(control));
    }
    return defaultButton;
}
