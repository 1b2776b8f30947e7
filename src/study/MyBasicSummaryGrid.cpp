#include "study/MyBasicSummaryGrid.h"

#include "datamodel/DateTimeFormats.h"
#include "datamodel/ValueFormatter.h"
#include "grid/CellTextFit.h"
#include "grid/UGDefs.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/windows/WindowStyles.h"
#include "study/TableStrings.h"
#include "views/GridMargins.h"
#include "views/MyFont.h"
#include "views/MyFormView.h"
#include "views/StoredSize.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr COLORREF kTitleBack = RGB(138, 145, 148);
constexpr COLORREF kHeaderBack = RGB(203, 213, 218);
constexpr COLORREF kHeaderLine = RGB(221, 230, 233);
constexpr COLORREF kPanelHeaderText = RGB(138, 145, 148);
constexpr COLORREF kAvgBack = RGB(233, 239, 244);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kUnavailableAvg = RGB(244, 233, 233);
constexpr COLORREF kUnavailableMaxMin = RGB(252, 242, 242);

constexpr WORD kBorderAll = 15;
constexpr WORD kBorderBottom = 8;
constexpr int kMarginWidth = 6;
constexpr int kLabelWidth = 130;
constexpr int kPanelWidth = 200;
constexpr int kFixedWidth = 342; // margins, labels and panel
constexpr int kMultiFontPanelStyle = 2;
constexpr int kStatistics = 3; // Max, Avg, Min in row order
constexpr unsigned kStatisticLabels[kStatistics] = {tablestr::kMax, tablestr::kAvg, tablestr::kMin};
// The entries of a cell in row order Max, Avg, Min.
constexpr int kEntryOfRow[kStatistics] = {SSummaryTableCell::kMax, SSummaryTableCell::kAvg, SSummaryTableCell::kMin};
constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr int kExpandedBitmapId = 1553;
constexpr int kCollapsedBitmapId = 1554;

int PhaseColumn(int k)
{
    return CMyBasicSummaryGrid::kFirstPhaseColumn + 4 * k;
}

} // namespace

CMyBasicSummaryGrid::CMyBasicSummaryGrid(CValueFormatter* formatter, int groupCount)
    : m_groupCount(std::clamp(groupCount, 1, structSummaryTableData::kRowCount)), m_formatter(formatter)
{
    m_titlePen.CreatePen(PS_SOLID, 1, kHeaderBack);
    m_headerPen.CreatePen(PS_SOLID, 1, kHeaderLine);
    m_whitePen.CreatePen(PS_SOLID, 1, kWhite);
    m_avgPen.CreatePen(PS_SOLID, 1, kAvgBack);
    m_boldFont = CMyFont::GetSharedFont(12, true);
    m_normalFont = CMyFont::GetSharedFont(12, false);
    m_largeFont = CMyFont::GetSharedFont(14, true);
}

CMyBasicSummaryGrid::~CMyBasicSummaryGrid()
{
    // The editor's window goes first; an edit still open then has nothing to write back.
    m_editInProgress = FALSE;
    m_numberEdit.reset();
}

void CMyBasicSummaryGrid::OnSetup()
{
    m_multiFontIndex = AddCellType(&m_multiFontType);
    m_expandedBitmap = AddBitmap(kExpandedBitmapId);
    m_collapsedBitmap = AddBitmap(kCollapsedBitmapId);
    EnableCellToolTips(TRUE);
    BuildLayout();
}

void CMyBasicSummaryGrid::BuildLayout()
{
    const int rowsPerBlock = GetRowsPerBlock();
    const int rowCount = rowsPerBlock * m_blocks;
    SetNumberRows(1, FALSE);
    m_rows.assign(std::size_t(rowCount), SRowState{});
    m_groupCollapsed.assign(std::size_t(m_blocks), std::vector<bool>(std::size_t(m_groupCount), false));
    m_blockCollapsed.assign(std::size_t(m_blocks), false);
    m_blockHidden.assign(std::size_t(m_blocks), false);

    CUGCell defaults;
    GetGridDefault(&defaults);
    defaults.SetAlignment(UG_ALIGNCENTER | UG_ALIGNVCENTER);
    defaults.SetFont(m_boldFont);
    defaults.SetCellType(0);
    defaults.SetDataType(UGCELLDATA_STRING);
    SetGridDefault(&defaults);
    EnableGridLines(FALSE);
    SetDefColWidth(100);
    SetNumberCols(kColumnCount, FALSE);
    SetDefRowHeight(kRowHeight);
    SetNumberRows(rowCount, FALSE);
    SetUniformRowHeight(FALSE);
    SetCurrentCellMode(0);
    SetSideHdgNumberCols(1);
    SetSideHdgWidth(0);
    SetTopHdgNumberRows(1);
    SetTopHdgHeight(0);
    EnableCellOverlap(TRUE);
    EnableJoins(TRUE);
    SetMargin(1);

    for (int b = 0; b < m_blocks; ++b) {
        const int s = BlockStart(b);
        const int last = s + rowsPerBlock - 1;
        for (int col = 0; col < kColumnCount; ++col) {
            QuickSetBackColor(col, s, kTitleBack);
            QuickSetTextColor(col, s, kWhite);
            QuickSetAlignment(col, s, WORD((col == 0 ? UG_ALIGNLEFT : UG_ALIGNCENTER) | UG_ALIGNVCENTER));
            QuickSetBorder(col, s, kBorderBottom);
            QuickSetBorderColor(col, s, &m_titlePen);
        }
        JoinCells(0, s, 17, s);
        QuickSetBitmapIndex(0, s, m_expandedBitmap);
        JoinCells(0, s + 1, 0, last);
        JoinCells(18, s + 1, 18, last);

        for (int g = 0; g < m_groupCount; ++g) {
            const int h = GroupHeaderRow(b, g);
            for (int col = 1; col <= 17; ++col) {
                QuickSetBackColor(col, h, kHeaderBack);
                QuickSetTextColor(col, h, kBlack);
                QuickSetAlignment(col, h, WORD((col == 1 ? UG_ALIGNLEFT : UG_ALIGNCENTER) | UG_ALIGNVCENTER));
                QuickSetBorder(col, h, kBorderBottom);
                QuickSetBorderColor(col, h, &m_headerPen);
            }
            JoinCells(1, h, 2, h);
            for (int k = 0; k < 4; ++k)
                JoinCells(PhaseColumn(k) + 1, h, PhaseColumn(k) + 2, h);
            QuickSetBitmapIndex(1, h, m_expandedBitmap);

            for (int stat = 0; stat < kStatistics; ++stat) {
                const int r = DataRow(b, g, stat);
                const bool avg = stat == 1;
                JoinCells(1, r, 1, r + 1);
                QuickSetText(1, r, LoadTableString(kStatisticLabels[stat]));
                for (int row = r; row <= r + 1; ++row)
                    for (int col = 1; col <= 17; ++col) {
                        QuickSetBackColor(col, row, avg ? kAvgBack : kWhite);
                        QuickSetBorder(col, row, kBorderAll);
                        QuickSetBorderColor(col, row, avg ? &m_avgPen : &m_whitePen);
                    }
                for (int k = 0; k < 4; ++k) {
                    const int c = PhaseColumn(k);
                    if (avg) {
                        JoinCells(c, r, c + 1, r + 1);
                        JoinCells(c + 2, r, c + 3, r + 1);
                    } else {
                        JoinCells(c, r, c + 1, r);
                        JoinCells(c, r + 1, c + 1, r + 1);
                        JoinCells(c + 2, r, c + 3, r);
                        JoinCells(c + 2, r + 1, c + 3, r + 1);
                        QuickSetFont(c, r + 1, m_normalFont);
                        QuickSetFont(c + 2, r + 1, m_normalFont);
                    }
                    for (int row = r; row <= r + 1; ++row) {
                        QuickSetAlignment(c, row, UG_ALIGNRIGHT | UG_ALIGNVCENTER);
                        QuickSetAlignment(c + 2, row, UG_ALIGNLEFT | UG_ALIGNVCENTER);
                    }
                }
            }
        }
        for (int row = last - m_footerRows + 1; row <= last; ++row)
            for (int col = 1; col <= 17; ++col) {
                QuickSetBackColor(col, row, kWhite);
                QuickSetBorder(col, row, kBorderAll);
                QuickSetBorderColor(col, row, &m_whitePen);
            }

        const int panelHeader = GroupHeaderRow(b, 0);
        QuickSetBackColor(kPanelColumn, panelHeader, kHeaderBack);
        QuickSetTextColor(kPanelColumn, panelHeader, kPanelHeaderText);
        QuickSetAlignment(kPanelColumn, panelHeader, UG_ALIGNLEFT | UG_ALIGNVCENTER);
        QuickSetBorder(kPanelColumn, panelHeader, kBorderBottom);
        QuickSetBorderColor(kPanelColumn, panelHeader, &m_headerPen);
        QuickSetText(kPanelColumn, panelHeader, " " + LoadTableString(tablestr::kLoggingInformation));
        JoinCells(kPanelColumn, panelHeader + 1, kPanelColumn, last);
        QuickSetCellType(kPanelColumn, panelHeader + 1, m_multiFontIndex);
        QuickSetCellTypeEx(kPanelColumn, panelHeader + 1, kMultiFontPanelStyle);
        QuickSetAlignment(kPanelColumn, panelHeader + 1, UG_ALIGNLEFT | UG_ALIGNTOP);
        QuickSetFont(kPanelColumn, panelHeader + 1, m_normalFont);
    }
    if (!m_initialised) {
        m_rightMargin = GridRememberRightMargin(*this);
        m_initialised = true;
    }
    OnParentSize(true);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_VSCROLL, SB_TOP, 0);
    FitHeight();
    UpdateParentScrollSizes();
}

void CMyBasicSummaryGrid::ApplyRowHeights()
{
    for (int row = 0; row < int(m_rows.size()); ++row) {
        const int height = RowHeightAt(row % GetRowsPerBlock());
        SRowState& state = m_rows[std::size_t(row)];
        state.savedHeight = height;
        SetRowHeight(row, state.hideCount > 0 ? 0 : height);
    }
    FitHeight();
}

void CMyBasicSummaryGrid::FitHeight()
{
    if (!GetSafeHwnd())
        return;
    int height = 0;
    for (int row = 0; row < GetNumberRows(); ++row)
        height += GetRowHeight(row);
    CRect rect;
    GetWindowRect(&rect);
    SetWindowPos(nullptr, 0, 0, rect.Width(), height, SWP_NOMOVE | SWP_NOZORDER);
}

void CMyBasicSummaryGrid::UpdateParentScrollSizes()
{
    UpdateParentViewScrollSizes(*this);
}

int CMyBasicSummaryGrid::RowHeightAt(int offset) const
{
    const int dataRows = 7 * m_groupCount;
    if (offset == 0 || (offset <= dataRows && (offset - 1) % 7 == 0))
        return kTitleHeight;
    return offset > dataRows ? m_footerHeight : kRowHeight;
}

void CMyBasicSummaryGrid::SetSessionCount(int count)
{
    count = std::max(count, 1);
    if (count != m_blocks) {
        m_blocks = count;
        if (GetSafeHwnd())
            BuildLayout();
    } else if (GetSafeHwnd()) {
        ApplyRowHeights();
    }
}

const structSummaryTableData* CMyBasicSummaryGrid::Block(int block) const
{
    if (!m_data || block < 0 || block >= int(m_data->size()))
        return nullptr;
    return (*m_data)[std::size_t(block)].get();
}

void CMyBasicSummaryGrid::SetData(const SummaryBlocks* data)
{
    m_data = data;
    FillValues();
}

// ---- values

void CMyBasicSummaryGrid::SetValueText(int col, int row, const CString& text)
{
    QuickSetText(col, row, text);
}

void CMyBasicSummaryGrid::SetNumberCell(int col, int row, float value, int decimals)
{
    if (!std::isfinite(value)) {
        QuickSetText(col, row, CString());
        return;
    }
    QuickSetText(col, row, m_formatter ? m_formatter->FormatFixed(value, decimals)
                                       : LocaleNumberText(value, SNumberLayout{decimals, false, false}, CUserLocale::Current()));
}

void CMyBasicSummaryGrid::SetTimeCell(int col, int row, const CHighTime& time, bool date, bool timeOfDay)
{
    if (time.GetStatus() == CHighTime::null) {
        QuickSetText(col, row, CString());
        return;
    }
    unsigned formatId = 8066;
    if (date && !timeOfDay)
        formatId = 8070;
    CString format = ExpandDateTimeFormat(formatId);
    if (timeOfDay && !date)
        format = GetTimeStrftimeFormat();
    QuickSetText(col, row, time.Format(format.GetString()));
}

void CMyBasicSummaryGrid::SetUnitText(int col, int row, const CString& text)
{
    SetValueText(col, row, text);
}

void CMyBasicSummaryGrid::ColourEntry(int col, int row, COLORREF colour)
{
    for (int r = row; r <= row + 1; ++r)
        for (int c = col; c <= col + 3; ++c)
            QuickSetBackColor(c, r, colour);
}

void CMyBasicSummaryGrid::FillEntry(int session, int col, int row, const SSummaryTableEntry& entry, int statistic)
{
    const bool avg = statistic == SSummaryTableCell::kAvg;
    QuickSetText(col, row, CString());
    QuickSetText(col + 2, row, CString());
    if (!avg) {
        QuickSetText(col, row + 1, CString());
        QuickSetText(col + 2, row + 1, CString());
    }
    if (!entry.available || entry.totalContribution) {
        ColourEntry(col, row, avg ? kUnavailableAvg : kUnavailableMaxMin);
        return;
    }
    CString valueText;
    CString unitText;
    const float v = entry.value;
    if (v == kInfinity) {
        valueText = "OL";
    } else if (v == -kInfinity) {
        valueText = "-OL";
    } else if (std::isfinite(v)) {
        if (m_formatter)
            m_formatter->FormatValue(session, entry.selector.quantity, false, Block(session)->displayInterval, v,
                                     valueText, unitText);
        if (unitText == "1")
            unitText.Empty();
        if (entry.quality.quality != 0) {
            valueText += entry.quality.quality == 2 ? "**" : "*";
            m_markedValue = true;
        }
        const float magnitude = std::fabs(v);
        if ((entry.sign == 1 || entry.sign == -1) && magnitude > 0.005f && magnitude < 0.995f)
            unitText += LoadTableString(entry.sign == 1 ? tablestr::kInductive : tablestr::kCapacitive);
    }
    SetValueText(col, row, valueText);
    if (m_showUnits && !valueText.IsEmpty())
        SetUnitText(col + 2, row, unitText);
    if (!avg) {
        SetTimeCell(col, row + 1, entry.time, true, false);
        SetTimeCell(col + 2, row + 1, entry.time, false, true);
    }
    ColourEntry(col, row, avg ? kAvgBack : kWhite);
}

void CMyBasicSummaryGrid::FillValues()
{
    if (!GetSafeHwnd())
        return;
    bool anyMarked = false;
    for (int b = 0; b < m_blocks; ++b) {
        const structSummaryTableData* data = Block(b);
        if (!data)
            continue;
        m_markedValue = false;
        QuickSetText(0, BlockStart(b), " " + data->name);
        for (int g = 0; g < m_groupCount; ++g) {
            const SSummaryTableRow& rowData = data->rows[std::size_t(g)];
            const int h = GroupHeaderRow(b, g);
            CString title = " " + rowData.title;
            CString unit;
            if (rowData.quantity != 121 && m_formatter &&
                m_formatter->GetPrefixedUnitText(b, rowData.quantity, false, data->displayInterval, unit) == 0 &&
                !unit.IsEmpty() && unit != "1")
                title.AppendFormat(" [%s]", unit.GetString());
            QuickSetText(1, h, title);
            for (int k = 0; k < 4; ++k)
                QuickSetText(PhaseColumn(k) + 1, h, rowData.phaseNames[std::size_t(k)]);
            if (rowData.quantity == 121)
                continue;
            for (int k = 0; k < 4; ++k)
                for (int stat = 0; stat < kStatistics; ++stat) {
                    const int entry = kEntryOfRow[stat];
                    FillEntry(b, PhaseColumn(k), DataRow(b, g, stat),
                              rowData.cells[std::size_t(k)].entries[std::size_t(entry)], entry);
                }
        }
        CString panel = data->summaryText;
        anyMarked = anyMarked || m_markedValue;
        if (m_markedValue) {
            panel += CMyFont::SharedFontTag(11, false);
            panel.AppendFormat("%s\n", LoadTableString(tablestr::kInvalidValuesFootnote).GetString());
        }
        QuickSetText(kPanelColumn, GroupHeaderRow(b, 0) + 1, panel);
    }
    m_markedValue = anyMarked;
    // New figures (another time range's) may be wider than the columns the last ones fitted.
    SetColumnWidths();
    RedrawAll();
}

// ---- collapse and hide

void CMyBasicSummaryGrid::HideRow(int row)
{
    SRowState& state = m_rows[std::size_t(row)];
    if (state.hideCount++ == 0) {
        state.savedHeight = GetRowHeight(row);
        SetRowHeight(row, 0);
    }
}

void CMyBasicSummaryGrid::ShowRow(int row)
{
    SRowState& state = m_rows[std::size_t(row)];
    if (state.hideCount == 0)
        return;
    if (--state.hideCount == 0)
        SetRowHeight(row, state.savedHeight);
}

void CMyBasicSummaryGrid::SetRowsVisible(int first, int last, bool visible)
{
    for (int row = first; row <= last && row < int(m_rows.size()); ++row)
        visible ? ShowRow(row) : HideRow(row);
}

void CMyBasicSummaryGrid::SetGroupRowsVisible(int block, int group, bool visible)
{
    const int first = DataRow(block, group, 0);
    int last = first + 5;
    if (group == m_groupCount - 1)
        last += m_footerRows;
    SetRowsVisible(first, last, visible);
}

void CMyBasicSummaryGrid::SetBlockRowsVisible(int block, bool visible, bool withTitle)
{
    const int s = BlockStart(block);
    SetRowsVisible(withTitle ? s : s + 1, s + GetRowsPerBlock() - 1, visible);
}

bool CMyBasicSummaryGrid::IsBlockCollapsed(int block) const
{
    return block >= 0 && block < m_blocks && m_blockCollapsed[std::size_t(block)];
}

bool CMyBasicSummaryGrid::IsBlockHidden(int block) const
{
    return block >= 0 && block < m_blocks && m_blockHidden[std::size_t(block)];
}

bool CMyBasicSummaryGrid::IsGroupCollapsed(int block, int group) const
{
    return block >= 0 && block < m_blocks && group >= 0 && group < m_groupCount &&
           m_groupCollapsed[std::size_t(block)][std::size_t(group)];
}

void CMyBasicSummaryGrid::ToggleBlock(int block)
{
    const bool collapse = !m_blockCollapsed[std::size_t(block)];
    m_blockCollapsed[std::size_t(block)] = collapse;
    SetBlockRowsVisible(block, !collapse, false);
    QuickSetBitmapIndex(0, BlockStart(block), TitleBitmap(collapse));
}

void CMyBasicSummaryGrid::ToggleGroup(int block, int group)
{
    auto&& collapsed = m_groupCollapsed[std::size_t(block)][std::size_t(group)];
    const bool collapse = !collapsed;
    collapsed = collapse;
    SetGroupRowsVisible(block, group, !collapse);
    QuickSetBitmapIndex(1, GroupHeaderRow(block, group), TitleBitmap(collapse));
}

CString CMyBasicSummaryGrid::GetCollapseState() const
{
    CString text;
    for (int b = 0; b < m_blocks; ++b) {
        text.AppendFormat("%d", m_rows[std::size_t(BlockStart(b))].hideCount);
        text.AppendFormat("%d", m_rows[std::size_t(GroupHeaderRow(b, 0))].hideCount);
        for (int g = 0; g < m_groupCount; ++g)
            text.AppendFormat("%d", m_rows[std::size_t(DataRow(b, g, 0))].hideCount);
    }
    return text;
}

void CMyBasicSummaryGrid::ApplyCollapseState(const CString& text)
{
    if (text.IsEmpty())
        return;
    const int digits = m_groupCount + 2;
    const std::string s = text.str();
    bool wellFormed = s.size() % std::size_t(digits) == 0 &&
                      std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (wellFormed) {
        // The digits are hide counts: hidden (title), + block collapsed (header), + group collapsed
        // (first data row); the differences give each state.
        const int blocks = std::min(m_blocks, int(s.size()) / digits);
        for (int b = 0; b < blocks; ++b) {
            const char* d = s.data() + b * digits;
            const bool hidden = d[0] > '0';
            const bool blockCollapsed = d[1] > d[0];
            if (hidden != IsBlockHidden(b)) {
                m_blockHidden[std::size_t(b)] = hidden;
                SetBlockRowsVisible(b, !hidden, true);
            }
            if (blockCollapsed != IsBlockCollapsed(b))
                ToggleBlock(b);
            for (int g = 0; g < m_groupCount; ++g)
                if ((d[2 + g] > d[1]) != IsGroupCollapsed(b, g))
                    ToggleGroup(b, g);
        }
    }
    StateChanged();
}

void CMyBasicSummaryGrid::ApplyHiddenFlags()
{
    bool changed = false;
    for (int b = 0; b < m_blocks; ++b) {
        const structSummaryTableData* data = Block(b);
        const bool hidden = data && data->hidden;
        if (hidden == IsBlockHidden(b))
            continue;
        m_blockHidden[std::size_t(b)] = hidden;
        SetBlockRowsVisible(b, !hidden, true);
        changed = true;
    }
    if (changed)
        StateChanged();
}

void CMyBasicSummaryGrid::StateChanged()
{
    FitHeight();
    SetColumnWidths();
    RedrawAll();
    UpdateParentScrollSizes();
    if (CWnd* parent = GetParent()) {
        const CString state = GetCollapseState();
        parent->SendMessage(WM_TABLE_COLLAPSE_STATE, WPARAM(&state), 0);
    }
}

// ---- size

void CMyBasicSummaryGrid::OnParentSize(bool force)
{
    const unsigned changed = UpdateStoredParentSize(*this, m_lastClientSize, force);
    if (changed == kSizeUnchanged)
        return;
    SetPaintEnabled(FALSE);
    if (changed & kHeightChanged)
        ApplyRowHeights();
    if (changed & kWidthChanged) {
        GridKeepRightMargin(*this, m_rightMargin);
        SetColumnWidths();
    }
    UpdateParentScrollSizes();
    SetPaintEnabled(TRUE);
    RedrawAll();
}

void CMyBasicSummaryGrid::SetColumnWidths()
{
    if (m_editInProgress)
        EditCtrlFinished(CString(), TRUE, FALSE, 0, 0);
    CRect client;
    GetClientRect(&client);
    int width = client.Width();
    int rowsHeight = 0;
    for (int row = 0; row < GetNumberRows(); ++row)
        rowsHeight += GetRowHeight(row);
    if (rowsHeight > client.Height())
        width -= GetVScrollWidth();

    SetColWidth(0, kMarginWidth);
    SetColWidth(1, kLabelWidth);
    const int shown = int(std::count(m_phaseGroupShown.begin(), m_phaseGroupShown.end(), true));
    const int rest = std::max(0, width - kFixedWidth);
    const int w = shown > 0 ? rest / (4 * shown) : 0;
    const int a = int(1.5 * w);
    const int b = int(0.5 * w);
    const int d = 4 * w - (a + 2 * b);
    int used = 0;
    int lastShown = -1;
    for (int k = 0; k < 4; ++k)
        if (m_phaseGroupShown[std::size_t(k)])
            lastShown = k;
    for (int k = 0; k < 4; ++k) {
        const int c = PhaseColumn(k);
        if (!m_phaseGroupShown[std::size_t(k)]) {
            for (int i = 0; i < 4; ++i)
                SetColWidth(c + i, 0);
            continue;
        }
        const int widths[4] = {a, b, b, k == lastShown ? rest - used - (a + 2 * b) : d};
        for (int i = 0; i < 4; ++i) {
            SetColWidth(c + i, std::max(0, widths[i]));
            used += widths[i];
        }
    }
    SetColWidth(18, kMarginWidth);
    SetColWidth(kPanelColumn, kPanelWidth);
    // Figures and titles wider than their share widen their columns; the page then scrolls.
    FitColumnsToTexts(*this, {}, width);
}

void CMyBasicSummaryGrid::HidePhaseGroup(int k)
{
    const int group = k == kTotalGroup ? 3 : k;
    if (group < 0 || group > 3)
        return;
    m_phaseGroupShown[std::size_t(group)] = false;
    if (GetSafeHwnd())
        SetColumnWidths();
}

// ---- notifications

const SSummaryTableEntry* CMyBasicSummaryGrid::EntryAt(int col, int row) const
{
    if (row < 0 || col < kFirstPhaseColumn || col > 17)
        return nullptr;
    const int block = row / GetRowsPerBlock();
    const int offset = row % GetRowsPerBlock() - 1;
    if (offset < 0 || offset >= 7 * m_groupCount || offset % 7 == 0)
        return nullptr;
    const structSummaryTableData* data = Block(block);
    if (!data)
        return nullptr;
    const int group = offset / 7;
    const int stat = (offset % 7 - 1) / 2;
    const SSummaryTableRow& rowData = data->rows[std::size_t(group)];
    if (rowData.quantity == 121)
        return nullptr;
    const int k = (col - kFirstPhaseColumn) / 4;
    return &rowData.cells[std::size_t(k)].entries[std::size_t(kEntryOfRow[stat])];
}

BOOL CMyBasicSummaryGrid::OnHint(int col, int row, int, CString* text)
{
    const SSummaryTableEntry* entry = EntryAt(col, row);
    const int offset = row % GetRowsPerBlock() - 1;
    const bool valueCell = (col - kFirstPhaseColumn) % 4 < 2 && ((offset % 7) % 2 == 1 || (offset % 7) == 4);
    if (!entry || !valueCell || !entry->available || entry->totalContribution)
        return FALSE;
    if (entry->quality.quality != 2 && std::isfinite(entry->value))
        return FALSE;
    const double share = entry->quality.expectedCount < 1
                             ? 0.0
                             : 100.0 * entry->quality.finiteCount / entry->quality.expectedCount;
    text->Format(LoadTableString(tablestr::kValidValuesHint).GetString(), share);
    return TRUE;
}

BOOL CMyBasicSummaryGrid::OnCanMove(int, int, int newCol, int newRow)
{
    return IsKeyCell(newCol, newRow);
}

BOOL CMyBasicSummaryGrid::OnCanSizeCol(int)
{
    return FALSE;
}

BOOL CMyBasicSummaryGrid::OnCanSizeRow(int)
{
    return FALSE;
}

void CMyBasicSummaryGrid::OnLClicked(int col, int row, int updn, RECT*, POINT*, BOOL)
{
    if (row < 0 || row >= GetNumberRows())
        return;
    if (updn) {
        if (FindNumberCell(col, row) >= 0) {
            StartEditAt(col, row);
        } else {
            ResetCurrentCell();
        }
        RedrawCell(col, row);
        return;
    }
    const int block = row / GetRowsPerBlock();
    const int offset = row % GetRowsPerBlock();
    if (offset == 0) {
        ToggleBlock(block);
    } else if (offset <= 7 * m_groupCount && (offset - 1) % 7 == 0 && col >= 1 && col <= 17) {
        ToggleGroup(block, (offset - 1) / 7);
    } else {
        return;
    }
    StateChanged();
}

void CMyBasicSummaryGrid::OnDClicked(int col, int row, RECT* rect, POINT* point, BOOL processed)
{
    OnLClicked(col, row, 1, rect, point, processed);
}

BOOL CMyBasicSummaryGrid::OnEditStart(int col, int row, CWnd** edit)
{
    if (FindNumberCell(col, row) < 0) {
        ResetCurrentCell();
        return FALSE;
    }
    // A number is one line: the grid's own editor is a multi-line one.
    m_numberEdit = std::make_unique<CUGEdit>();
    m_numberEdit->m_ctrl = this;
    CUGCell cell;
    GetCellWithDefaults(col, row, &cell);
    const DWORD align = (cell.GetAlignment() & UG_ALIGNCENTER) ? ES_CENTER : 0;
    CRect rect;
    GetCellRect(col, row, &rect);
    if (!m_numberEdit->Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | align, rect, this, kNumberEditId)) {
        m_numberEdit.reset();
        return FALSE;
    }
    *edit = m_numberEdit.get();
    return TRUE;
}

int CMyBasicSummaryGrid::FindNumberCell(int, int) const
{
    return -1;
}

int CMyBasicSummaryGrid::FindReferenceCell(int, int) const
{
    return -1;
}
