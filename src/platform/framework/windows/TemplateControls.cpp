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
#include "platform/framework/windows/NativeControls.h"
#include "platform/framework/windows/QtBridge.h"

#include <glog/logging.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

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

namespace
{
LOGFONT TemplateLogFont(const DialogTemplate& t)
{
    LOGFONT lf;
    lf.lfHeight = -((t.pointSize * 96 + 36) / 72);
    lf.lfWeight = FW_NORMAL;
    std::strncpy(lf.lfFaceName, t.face.IsEmpty() ? "DejaVu Sans" : t.face.GetString(), LF_FACESIZE - 1);
    return lf;
}

bool IsPicker(const DialogItemTemplate& item) { return item.className.CompareNoCase("SysDateTimePick32") == 0; }
bool OverlapsVertically(const CRect& a, const CRect& b) { return a.top < b.bottom && b.top < a.bottom; }
bool Encloses(const CRect& outer, const CRect& inner)
{
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top && inner.bottom <= outer.bottom;
}
} // namespace

std::unique_ptr<CFont> MakeTemplateFont(const DialogTemplate& t)
{
    const LOGFONT lf = TemplateLogFont(t);
    auto font = std::make_unique<CFont>();
    font->CreateFontIndirect(&lf);
    return font;
}

DialogTemplate FitPickersToTheirTexts(DialogTemplate t)
{
    const QFont font = MakeQFont(TemplateLogFont(t));
    // How much each picker grows (dialog units, rounded up).
    std::vector<int> growth(t.items.size(), 0);
    bool anyGrowth = false;
    // The pickers of each kind (date or time, stepping or dropping a calendar) measured together.
    std::map<DWORD, std::vector<std::size_t>> kinds;
    for (std::size_t i = 0; i < t.items.size(); ++i)
        if (IsPicker(t.items[i]))
            kinds[t.items[i].style & DTS_TIMEFORMAT].push_back(i);
    for (const auto& [kind, pickers] : kinds) {
        std::vector<int> heights;
        for (const std::size_t i : pickers)
            heights.push_back(DialogUnitsToPixels(t.items[i].rect).Height());
        const std::vector<int> needed = DateTimeControlWidths(t.items[pickers.front()].style, font, heights);
        for (std::size_t k = 0; k < pickers.size(); ++k) {
            const int width = DialogUnitsToPixels(t.items[pickers[k]].rect).Width();
            if (needed[k] > width) {
                growth[pickers[k]] = ((needed[k] - width) * 4 + kDialogBaseUnitX - 1) / kDialogBaseUnitX;
                anyGrowth = true;
            }
        }
    }
    if (!anyGrowth)
        return t;
    // Whatever stands after a growing picker on its row moves over by as much; whatever holds
    // grown or moved controls (a group box, the dialog) grows by as much as they reach further.
    const std::vector<DialogItemTemplate> before = t.items;
    int furthest = 0;
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        int shift = 0;
        for (std::size_t p = 0; p < before.size(); ++p)
            if (growth[p] > 0 && p != i && OverlapsVertically(before[p].rect, before[i].rect) &&
                before[i].rect.left >= before[p].rect.right)
                shift += growth[p];
        t.items[i].rect.OffsetRect(shift, 0);
        t.items[i].rect.right += growth[i];
        furthest = std::max(furthest, t.items[i].rect.right - before[i].rect.right);
    }
    for (std::size_t i = 0; i < t.items.size(); ++i) {
        int reach = 0;
        for (std::size_t inner = 0; inner < before.size(); ++inner)
            if (inner != i && Encloses(before[i].rect, before[inner].rect))
                reach = std::max(reach, t.items[inner].rect.right - before[inner].rect.right);
        t.items[i].rect.right = std::max(t.items[i].rect.right, before[i].rect.right + reach);
    }
    t.size.cx += furthest;
    return t;
}

UINT CreateTemplateControls(CWnd& host, const DialogTemplate& t, CFont* font)
{
    UINT defaultButton = UINT(IDOK);
    WndImpl& hostImpl = *host.Impl();
    hostImpl.fontOfNewControls = font ? font->m_hObject : nullptr;
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
        // A control that is no native one (a window class of the program's) takes the font after
        // it is made, as it always did.
        if (font && !control->Impl()->nativeControl) control->SetFont(font, FALSE);
        if (item.className.CompareNoCase("BUTTON") == 0 && (item.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            defaultButton = item.id;
        hostImpl.ownedChildren.push_back(std::move(control));
    }
    hostImpl.fontOfNewControls = nullptr;
    return defaultButton;
}
