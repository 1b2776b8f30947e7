#include "project/EditAuxSettingsDlg.h"

#include "datamodel/DataItemTrend.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/SeriesMinMax.h"
#include "datamodel/TrendCache.h"
#include "datamodel/TrendChannel.h"
#include "datamodel/TrendItemIds.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/Cursors.h"
#include "platform/framework/windows/DataExchange.h"
#include "platform/framework/windows/NumberField.h"
#include "platform/framework/windows/WindowTheme.h"
#include "project/ProjectManagerSettings.h"
#include "project/RecDoc.h"

#include <glog/logging.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace
{
constexpr DWORD kAuxQuantity[2] = {51, 52};
// Logger-table offsets of the logged scaling: gain 1, offset 1, gain 2, offset 2 (f32 each).
constexpr std::size_t kLoggedGainOffset[2] = {68, 76};
constexpr std::size_t kLoggedOffsetOffset[2] = {72, 80};
constexpr UINT kAuxTabString = 10202;
constexpr UINT kCostTabString = 10203;
constexpr int kPageInset = 5;
constexpr int kNumberDecimals = 6;
// Scalings that keep the corrected values of an input within what their boxes show.
constexpr SNumberRange kGainRange{-100000.0, 100000.0, false, kNumberDecimals};
constexpr SNumberRange kOffsetRange{-1000000.0, 1000000.0, true, kNumberDecimals};
constexpr int kValueDecimals = 3;
constexpr const char* kNoValue = "---";

float TableFloat(const CMeasurementConfig& config, std::size_t offset)
{
    float value = 0.0f;
    std::memcpy(&value, config.GetLoggerTable().data() + offset, sizeof value);
    return value;
}

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

CRect ChildRect(const CWnd& parent, CWnd& child)
{
    CRect r;
    child.GetWindowRect(&r);
    parent.ScreenToClient(&r);
    return r;
}

// Shows the wait cursor while the statistics are computed.
class CWaitCursorScope
{
public:
    CWaitCursorScope() : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~CWaitCursorScope() { SetCursor(m_previous); }
    CWaitCursorScope(const CWaitCursorScope&) = delete;
    CWaitCursorScope& operator=(const CWaitCursorScope&) = delete;

private:
    HCURSOR m_previous;
};
} // namespace

CEditAuxSettingsDlg::CEditAuxSettingsDlg(CRecDoc* document, SProjectManagerDataSetEntry* entry,
                                         const CMeasurementConfig* config, int sessionIndex, bool costsOnly,
                                         CWnd* parent)
    : CDialog(kTemplateId, parent), m_document(document), m_entry(entry), m_config(config),
      m_sessionIndex(sessionIndex), m_notEnergyStudy(!config || !config->IsStudyTypeCompatible(1)),
      m_costsOnly(costsOnly)
{
    if (!m_document || !m_document->GetValueFormatter())
        m_ownFormatter = std::make_unique<CValueFormatter>();
    LoadValues();
}

CEditAuxSettingsDlg::~CEditAuxSettingsDlg()
{
    m_costPage.reset();
    if (m_hWnd)
        DestroyWindow();
}

CValueFormatter& CEditAuxSettingsDlg::Formatter() const
{
    return m_ownFormatter ? *m_ownFormatter : *m_document->GetValueFormatter();
}

void CEditAuxSettingsDlg::LoadValues()
{
    if (m_config && m_config->IsLoggerLayout())
        for (int ch = 0; ch < 2; ++ch)
        {
            m_loggedGain[ch] = TableFloat(*m_config, kLoggedGainOffset[ch]);
            m_loggedOffset[ch] = TableFloat(*m_config, kLoggedOffsetOffset[ch]);
            m_loggedUnit[ch] = ch == 0 ? m_config->GetAux1Unit() : m_config->GetAux2Unit();
        }
    for (int ch = 0; ch < 2; ++ch)
    {
        const SAuxChannelSettings* aux = m_entry ? &m_entry->auxData[std::size_t(ch)] : nullptr;
        if (aux && aux->overrideFlag)
        {
            // The numbers as the user typed them, which their fields show and read back.
            m_gain[ch] = TypedDecimal(aux->gain);
            m_offset[ch] = TypedDecimal(aux->offset);
            m_unit[ch] = aux->unit;
        }
        else
        {
            m_gain[ch] = 1.0;
            m_offset[ch] = 0.0;
            m_unit[ch] = m_loggedUnit[ch];
        }
    }
    m_useCorrection = m_entry && m_entry->AuxOverride;

    CWaitCursorScope wait;
    for (int ch = 0; ch < 2; ++ch)
        m_statistics[ch] = ComputeStatistics(kAuxQuantity[ch]);
}

CEditAuxSettingsDlg::SStatistics CEditAuxSettingsDlg::ComputeStatistics(DWORD quantity) const
{
    SStatistics s;
    s.maximum = std::numeric_limits<float>::lowest();
    s.minimum = std::numeric_limits<float>::max();
    CDataSet* dataSet = m_document ? m_document->GetDataSet(m_sessionIndex) : nullptr;
    CTrendCache* cache = m_document ? m_document->GetTrendCache() : nullptr;
    const DWORD itemId = m_config ? TrendItemForQuantity(*m_config, quantity, false) : kNoTrendItem;
    if (dataSet && cache && itemId != kNoTrendItem)
    {
        const STrendAccessSpec accessSpec;
        CDataItemTrend* item = cache->FindTrendItem(dataSet, itemId, 0, accessSpec);
        if (!item)
            item = cache->GetTrendItem(dataSet, itemId, 0, accessSpec);
        if (item)
            if (std::unique_ptr<CTrendChannel> channel = item->GetChannel(quantity, 0))
            {
                for (int series = 0; series < 3; ++series)
                    if (const ITrendChannelAccess* access = channel->GetAccess(series))
                        ScanSeriesMinMax(*access, int(channel->GetRecordCount()), s.minimum, s.maximum);
                SValueScaleSelection selection;
                selection.quantity = quantity;
                selection.phases[0] = true;
                selection.item = item;
                Formatter().ComputeScaleFromData(selection, *item);
            }
    }
    if (s.minimum > s.maximum)
        s.minimum = s.maximum = std::numeric_limits<float>::quiet_NaN();
    return s;
}

BOOL CEditAuxSettingsDlg::OnInitDialog()
{
    if (auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(int(kTabControl))))
    {
        // Drawn without a visual-style theme.
        SetWindowTheme(tabs->m_hWnd, "", "");
        if (m_costsOnly)
            tabs->InsertItem(0, LoadText(kCostTabString));
        else
        {
            tabs->InsertItem(0, LoadText(kAuxTabString));
            if (!m_notEnergyStudy)
                tabs->InsertItem(1, LoadText(kCostTabString));
        }
        if (CWnd* frame = GetDlgItem(int(kPageFrame)))
            tabs->MoveWindow(ChildRect(*this, *frame), FALSE);
    }
    m_costPage = std::make_unique<CEnergyCostsDlg>(m_entry ? m_entry->energyCosts : CEnergyCosts(), m_config,
                                                   Formatter(), this);
    if (CWnd* marker = GetDlgItem(int(kPage0Marker)))
    {
        CRect area = ChildRect(*this, *marker);
        area.DeflateRect(kPageInset, kPageInset);
        m_costPage->MoveWindow(&area, FALSE);
    }

    const UINT boxes[6] = {kGainEdit[0], kGainEdit[1], kOffsetEdit[0], kOffsetEdit[1], kUnitEdit[0], kUnitEdit[1]};
    for (std::size_t i = 0; i < 6; ++i)
        m_editBoxes[i].SubclassDlgItem(boxes[i], this);
    for (int ch = 0; ch < 2; ++ch)
        SetDlgItemText(int(kLoggedUnit[ch]), m_loggedUnit[ch]);

    CDialog::OnInitDialog();
    EnableEdits();
    ShowLoggedValues();
    if (UsesCorrection())
        ShowCorrectedValues();
    ShowPage(0);
    return TRUE;
}

void CEditAuxSettingsDlg::DoDataExchange(CDataExchange* dx)
{
    struct SExchangeScope
    {
        bool& flag;
        explicit SExchangeScope(bool& f) : flag(f) { flag = true; }
        ~SExchangeScope() { flag = false; }
    } scope(m_exchanging);
    int choice = m_useCorrection ? 1 : 0;
    DDX_Radio(dx, int(kUseLoggedRadio), choice);
    m_useCorrection = choice == 1;
    for (int ch = 0; ch < 2; ++ch)
    {
        ExchangeNumber(dx, kGainEdit[ch], m_gain[ch], true);
        ExchangeNumber(dx, kOffsetEdit[ch], m_offset[ch], false);
        DDX_Text(dx, int(kUnitEdit[ch]), m_unit[ch]);
    }
    if (!dx->m_bSaveAndValidate)
        for (int ch = 0; ch < 2; ++ch)
            SetDlgItemText(int(kCorrectedUnit[ch]), m_unit[ch]);
}

void CEditAuxSettingsDlg::ExchangeNumber(CDataExchange* dx, UINT id, double& value, bool isGain)
{
    DDX_Number(dx, int(id), value, isGain ? kGainRange : kOffsetRange);
}

bool CEditAuxSettingsDlg::ParseNumber(const CString& text, bool isGain, double& value) const
{
    return CheckNumber(text, isGain ? kGainRange : kOffsetRange, value) == ENumberCheck::kNumber;
}

void CEditAuxSettingsDlg::OnEditChanged(UINT id)
{
    // The corrected values follow every valid entry as it is typed; while an entry is not (yet)
    // valid they show nothing, and the entry waits for the check when the box is left.
    if (m_exchanging || !UsesCorrection() || !m_hWnd)
        return;
    for (int ch = 0; ch < 2; ++ch)
    {
        CString text;
        GetDlgItemText(int(id), text);
        double value = 0.0;
        if (id == kGainEdit[ch] && ParseNumber(text, true, value))
            m_gain[ch] = value;
        else if (id == kOffsetEdit[ch] && ParseNumber(text, false, value))
            m_offset[ch] = value;
        else if (id == kUnitEdit[ch])
            m_unit[ch] = text;
        else if (id != kGainEdit[ch] && id != kOffsetEdit[ch])
            continue;
        ShowCorrectedValues();
        return;
    }
}

bool CEditAuxSettingsDlg::IsScalingAccepted(int channel) const
{
    double value = 0.0;
    CString gain;
    CString offset;
    GetDlgItemText(int(kGainEdit[channel]), gain);
    GetDlgItemText(int(kOffsetEdit[channel]), offset);
    return ParseNumber(gain, true, value) && ParseNumber(offset, false, value);
}

void CEditAuxSettingsDlg::EnableEdits()
{
    for (CAuxSettingsEditBox& box : m_editBoxes)
        box.EnableWindow(UsesCorrection());
    if (UsesCorrection())
    {
        for (int ch = 0; ch < 2; ++ch)
            SetDlgItemText(int(kCorrectedUnit[ch]), m_unit[ch]);
        return;
    }
    for (int ch = 0; ch < 2; ++ch)
        for (UINT id : {kCorrectedMax[ch], kCorrectedAvg[ch], kCorrectedMin[ch], kCorrectedUnit[ch]})
            SetDlgItemText(int(id), kNoValue);
}

CString CEditAuxSettingsDlg::FormatAuxValue(float value, double gain, double offset,
                                            const CString& unit) const
{
    const double v = double(value) * gain + offset;
    if (!std::isfinite(v))
        return CString();
    // With the decimals the graphs and tables give the input at this gain once it is applied:
    // a large gain does not show digits its scaling cannot hold (and the label keeps room).
    const int decimals = gain != 0.0 && std::isfinite(gain) ? UserScaleDecimals(std::fabs(gain)) : kValueDecimals;
    CString text = Formatter().FormatFixed(v, decimals);
    if (!unit.IsEmpty())
        text += " " + unit;
    return text;
}

void CEditAuxSettingsDlg::ShowLoggedValues()
{
    for (int ch = 0; ch < 2; ++ch)
    {
        const SStatistics& s = m_statistics[ch];
        SetDlgItemText(int(kLoggedMax[ch]), FormatAuxValue(s.maximum, 1.0, 0.0, m_loggedUnit[ch]));
        SetDlgItemText(int(kLoggedMin[ch]), FormatAuxValue(s.minimum, 1.0, 0.0, m_loggedUnit[ch]));
    }
}

void CEditAuxSettingsDlg::ShowCorrectedValues()
{
    for (int ch = 0; ch < 2; ++ch)
    {
        const SStatistics& s = m_statistics[ch];
        const bool accepted = IsScalingAccepted(ch);
        SetDlgItemText(int(kCorrectedMax[ch]),
                       accepted ? FormatAuxValue(s.maximum, m_gain[ch], m_offset[ch], m_unit[ch]) : CString());
        SetDlgItemText(int(kCorrectedMin[ch]),
                       accepted ? FormatAuxValue(s.minimum, m_gain[ch], m_offset[ch], m_unit[ch]) : CString());
        SetDlgItemText(int(kCorrectedUnit[ch]), m_unit[ch]);
    }
}

void CEditAuxSettingsDlg::ShowPage(int page)
{
    const int shown = (m_costsOnly || (page == 1 && !m_notEnergyStudy)) ? 1 : 0;
    CWnd* marker0 = GetDlgItem(int(kPage0Marker));
    CWnd* marker = GetDlgItem(int(shown == 1 ? kPage1Marker : kPage0Marker));
    if (!marker0 || !marker)
        return;
    if (!m_topRemembered)
    {
        m_rememberedTop = ChildRect(*this, *marker0).top;
        m_topRemembered = true;
    }
    const auto onPage0 = [this](CWnd* child) {
        const int id = child->GetDlgCtrlID();
        return child != m_costPage.get() && id != int(kTabControl) && id != IDOK && id != IDCANCEL &&
               id != int(kPageFrame);
    };
    // As the template shows them (the dialog itself may not show yet).
    if (m_page0Controls.empty())
        for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
            if (onPage0(child) && (child->GetStyle() & WS_VISIBLE))
                m_page0Controls.push_back(child);
    const int dy = m_rememberedTop - ChildRect(*this, *marker).top;
    if (dy != 0)
        for (CWnd* child = GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT))
            if (onPage0(child))
            {
                CRect r = ChildRect(*this, *child);
                r.OffsetRect(0, dy);
                child->MoveWindow(&r, FALSE);
            }
    CWnd* focus = GetFocus();
    const bool focusLeaves =
        focus && (shown == 1 ? std::any_of(m_page0Controls.begin(), m_page0Controls.end(),
                                           [focus](CWnd* c) { return c == focus || c->IsChild(focus); })
                             : m_costPage && m_costPage->IsChild(focus));
    if (CWnd* tabs = GetDlgItem(int(kTabControl)); focusLeaves && tabs)
        tabs->SetFocus();
    for (CWnd* control : m_page0Controls)
        control->ShowWindow(shown == 0 ? SW_SHOWNA : SW_HIDE);
    if (m_costPage)
        m_costPage->ShowWindow(shown == 1 ? SW_SHOW : SW_HIDE);
    m_shownPage = shown;
    Invalidate();
}

BOOL CEditAuxSettingsDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == kTabControl && header->code == TCN_SELCHANGE)
    {
        if (auto* tabs = dynamic_cast<CTabCtrl*>(GetDlgItem(int(kTabControl))))
            ShowPage(tabs->GetCurSel());
        return TRUE;
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

BOOL CEditAuxSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (HIWORD(wParam) == EN_CHANGE)
        OnEditChanged(id);
    if (HIWORD(wParam) == BN_CLICKED && (id == kUseLoggedRadio || id == kCorrectionRadio))
    {
        const BOOL read = UpdateData(TRUE);
        m_useCorrection = id == kCorrectionRadio;
        EnableEdits();
        if (UsesCorrection() && read)
            ShowCorrectedValues();
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CEditAuxSettingsDlg::OnOK()
{
    // Enter in an aux edit box moves on (the box does that when the key is released); it never
    // closes the dialog. In a price it confirms, as in every other dialog: a price is taken as
    // leaving its field takes it, so the focus goes to OK first.
    CWnd* focus = GetFocus();
    if (auto* box = dynamic_cast<CAuxSettingsEditBox*>(focus))
    {
        box->NoteEnterPressed();
        return;
    }
    if (CWnd* ok = GetDlgItem(IDOK); ok && focus && focus != ok)
        GotoDlgCtrl(ok);
    CDialog::OnOK();
}

void CEditAuxSettingsDlg::MoveFocusOnEnter(CWnd* box)
{
    // Entering the next box reads the boxes: a refused value takes the focus back.
    if (box->GetDlgCtrlID() == int(kUnitEdit[1]))
    {
        if (CWnd* first = GetDlgItem(int(kGainEdit[0])))
            first->SetFocus();
        return;
    }
    if (CWnd* next = GetNextDlgTabItem(box))
        next->SetFocus();
}

void CEditAuxSettingsDlg::OnEditBoxEntered(CWnd* previous)
{
    if (m_inFocusCheck || m_exchanging || !UsesCorrection())
        return;
    m_inFocusCheck = true;
    if (UpdateData(TRUE))
        ShowCorrectedValues();
    else if (previous && CWnd::FromHandle(previous->m_hWnd))
        previous->SetFocus();
    m_inFocusCheck = false;
}

void CEditAuxSettingsDlg::StoreSettings(SProjectManagerDataSetEntry& entry) const
{
    entry.AuxOverride = UsesCorrection();
    for (int ch = 0; ch < 2; ++ch)
    {
        SAuxChannelSettings& aux = entry.auxData[std::size_t(ch)];
        aux.overrideFlag = m_gain[ch] != 1.0 || m_offset[ch] != 0.0 || m_unit[ch] != m_loggedUnit[ch];
        aux.gain = float(m_gain[ch]);
        aux.offset = float(m_offset[ch]);
        aux.unit = m_unit[ch];
    }
    if (m_notEnergyStudy || !m_costPage)
        entry.energyCosts.Reset();
    else
        entry.energyCosts = m_costPage->GetEnergyCosts();
}
