#include "study/SummaryGrid.h"

#include "datamodel/ValueFormatter.h"
#include "grid/CUGDropListType.h"
#include "grid/UGDefs.h"
#include "platform/framework/windows/NumberField.h"
#include "study/TableStrings.h"

#include <optional>

namespace {
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr int kNominalRowHeight = 12;
constexpr int kNumberFirstCol = 2;
constexpr int kNumberLastCol = 5;
constexpr int kUnitCol = 6;
constexpr int kReferenceFirstCol = 10;
constexpr int kReferenceLastCol = 13;
constexpr int kTopologyWithoutPhaseToPhase = 3;
// Nominal voltages from a low-voltage outlet to the primary side of a transmission transformer.
constexpr SNumberRange kNominalVoltageRange{1.0, 1000000.0};
} // namespace

CSummaryGrid::CSummaryGrid(CWnd* owner, CValueFormatter* formatter, int groupCount)
    : CMyBasicSummaryGrid(formatter, groupCount), m_owner(owner)
{
}

void CSummaryGrid::EnableNominalVoltageCells(int flag, int group)
{
    m_nominalVoltageCells = flag != 0 && group >= 0 && group < m_groupCount;
    m_nominalGroup = m_nominalVoltageCells ? group : -1;
    m_footerRows = m_nominalVoltageCells ? 1 : 0;
    m_footerHeight = m_nominalVoltageCells ? kFooterHeight : 0;
    if (GetSafeHwnd())
        BuildLayout();
}

int CSummaryGrid::RowHeightAt(int offset) const
{
    if (m_nominalVoltageCells) {
        const int first = 2 + 7 * m_nominalGroup;
        if (offset >= first && offset < first + 6)
            return kNominalRowHeight;
    }
    return CMyBasicSummaryGrid::RowHeightAt(offset);
}

void CSummaryGrid::BuildLayout()
{
    CMyBasicSummaryGrid::BuildLayout();
    if (!m_nominalVoltageCells)
        return;
    for (int b = 0; b < m_blocks; ++b) {
        const int first = DataRow(b, m_nominalGroup, 0);
        for (int row = first; row < first + 6; ++row)
            for (int col = 1; col <= 17; ++col) {
                CUGCell plain;
                plain.SetBackColor(kWhite);
                plain.SetBorder(15);
                plain.SetBorderColor(&m_whitePen);
                SetCell(col, row, &plain);
            }
        const int r = NumberCellRow(b);
        JoinCells(kNumberFirstCol, r, kNumberLastCol, r + 1);
        JoinCells(kUnitCol, r, kUnitCol, r + 1);
        JoinCells(kReferenceFirstCol, r, kReferenceLastCol, r + 1);
        for (int col : {kNumberFirstCol, kReferenceFirstCol}) {
            QuickSetAlignment(col, r, UG_ALIGNCENTER | UG_ALIGNVCENTER);
            QuickSetFont(col, r, m_largeFont);
            QuickSetBorder(col, r, 15);
            QuickSetBorderColor(col, r, &m_headerPen);
        }
        QuickSetAlignment(kUnitCol, r, UG_ALIGNLEFT | UG_ALIGNVCENTER);
        QuickSetFont(kUnitCol, r, m_largeFont);
        QuickSetCellType(kReferenceFirstCol, r, kDropListType);
    }
    ApplyRowHeights();
}

int CSummaryGrid::FindNumberCell(int col, int row) const
{
    if (!m_nominalVoltageCells || col != kNumberFirstCol || row < 0)
        return -1;
    return row == NumberCellRow(row / GetRowsPerBlock()) ? 0 : -1;
}

int CSummaryGrid::FindReferenceCell(int col, int row) const
{
    if (!m_nominalVoltageCells || col != kReferenceFirstCol || row < 0)
        return -1;
    return row == NumberCellRow(row / GetRowsPerBlock()) ? 0 : -1;
}

structSummaryTableData* CSummaryGrid::MutableBlock(int block) const
{
    if (!m_data || block < 0 || block >= int(m_data->size()))
        return nullptr;
    return (*m_data)[std::size_t(block)].get();
}

void CSummaryGrid::ShowNominalVoltage(int block)
{
    if (const structSummaryTableData* data = Block(block))
        SetNumberCell(kNumberFirstCol, NumberCellRow(block), data->nominalVoltage, 2);
}

void CSummaryGrid::FillValues()
{
    CMyBasicSummaryGrid::FillValues();
    if (!m_nominalVoltageCells || !GetSafeHwnd())
        return;
    const CString neutral = LoadTableString(tablestr::kPhaseToNeutral);
    const CString phaseToPhase = LoadTableString(tablestr::kPhaseToPhase);
    for (int b = 0; b < m_blocks; ++b) {
        const structSummaryTableData* data = Block(b);
        if (!data)
            continue;
        const int r = NumberCellRow(b);
        CString options = neutral + "\n";
        if (data->topology != kTopologyWithoutPhaseToPhase)
            options += phaseToPhase + "\n";
        QuickSetLabelText(kReferenceFirstCol, r, options);
        QuickSetText(kReferenceFirstCol, r, data->nominalTopology == 1 ? phaseToPhase : neutral);
        QuickSetText(kUnitCol, r, "   " + LoadTableString(tablestr::kVolt));
        ShowNominalVoltage(b);
    }
    RedrawAll();
}

BOOL CSummaryGrid::OnCellTypeNotify(int, int col, int row, LONG msg, LPARAM param)
{
    if (msg != UGCT_DROPLISTSELECTEX || FindReferenceCell(col, row) < 0)
        return TRUE;
    const int block = row / GetRowsPerBlock();
    if (structSummaryTableData* data = MutableBlock(block)) {
        data->nominalTopology = param == 1 ? 1 : 0;
        if (m_owner)
            m_owner->PostMessage(WM_TABLE_NOMINAL_VOLTAGE, WPARAM(block), 0);
    }
    return TRUE;
}

BOOL CSummaryGrid::OnEditFinish(int col, int row, CWnd* edit, const CString& text, BOOL cancelled)
{
    if (cancelled || FindNumberCell(col, row) < 0)
        return TRUE;
    const int block = row / GetRowsPerBlock();
    structSummaryTableData* data = MutableBlock(block);
    if (!data || !edit)
        return TRUE;
    // A voltage the session cannot have (no number, 0, an absurd one) would make every
    // estimated power of the session wrong: it is refused, and the edit stays open on the stored
    // voltage.
    CString stored;
    QuickGetText(col, row, &stored);
    const std::optional<double> value = ReadNumberField(*edit, text, kNominalVoltageRange, stored);
    if (!value)
        return FALSE;
    data->nominalVoltage = float(*value);
    if (m_owner)
        m_owner->PostMessage(WM_TABLE_NOMINAL_VOLTAGE, WPARAM(block), 0);
    return TRUE;
}

BOOL CSummaryGrid::OnEditContinue(int oldCol, int oldRow, int*, int*)
{
    // The edit moves on nowhere; the keyboard stays on the voltage.
    return FindNumberCell(oldCol, oldRow) < 0;
}
