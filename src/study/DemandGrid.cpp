#include "study/DemandGrid.h"

#include "datamodel/DateTimeFormats.h"
#include "datamodel/ValueFormatter.h"
#include "grid/CUGCheckBoxType.h"
#include "grid/CUGGrid.h"
#include "grid/CellTextFit.h"
#include "grid/UGDefs.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/WindowStyles.h"
#include "project/BasicViewSettings.h"
#include "study/DemandCostTexts.h"
#include "study/DemandStrings.h"
#include "study/MyBasicSummaryGrid.h"
#include "study/TableStrings.h"
#include "views/ColumnWidths.h"
#include "views/GridMargins.h"
#include "views/MyFont.h"
#include "views/MyFormView.h"
#include "views/StoredSize.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr COLORREF kTitleBack = RGB(138, 145, 148);
constexpr COLORREF kLightLine = RGB(203, 213, 218);
constexpr COLORREF kTitleText = RGB(255, 255, 255);
constexpr COLORREF kBlockBack = RGB(233, 239, 244);
constexpr COLORREF kWhite = RGB(255, 255, 255);

constexpr WORD kBorderLeft = 1;
constexpr WORD kBorderTop = 2;
constexpr WORD kBorderRight = 4;
constexpr WORD kBorderBottom = 8;
constexpr WORD kBorderAll = 15;
constexpr int kCheckBoxCellType = 2; // the grid's own check-box type
constexpr long kRoundCheckBox = 1024;
constexpr long kMultiFontPanelStyle = 2;
constexpr int kCheckBoxSize = 13;
constexpr int kExpandedBitmapId = 1553;
constexpr int kCollapsedBitmapId = 1554;
constexpr int kNarrowColumn = 8;
constexpr int kLabelColumn = 1; // the energy labels
constexpr int kTableShareColumns = 32; // the four 8 px columns outside the two areas

// The five two-row entries of the energy table: label, quantity that formats the value.
struct SEnergyEntry
{
    unsigned label;
    DWORD quantity;
};
constexpr SEnergyEntry kEntries[] = {
    {demandstr::kForwardEnergy, 48},
    {demandstr::kReverseEnergy, 49},
    {demandstr::kTotalEnergy, 48},
    {demandstr::kMaximumDemand, 5},
};
constexpr int kTimeEntry = 4;
// White rows: forward and total; the others in the block colour.
constexpr bool kWhiteEntry[] = {true, false, true, false, false};

double ValueOf(const structDemandTableData& data, int entry)
{
    switch (entry) {
    case 0: return data.forwardEnergy;
    case 1: return data.reverseEnergy;
    case 2: return data.totalEnergy;
    default: return data.maximumDemand;
    }
}

const SStatisticsRecord& QualityOf(const structDemandTableData& data, int entry)
{
    switch (entry) {
    case 0: return data.forwardQuality;
    case 1: return data.reverseQuality;
    case 2: return data.totalQuality;
    default: return data.maximumDemandQuality;
    }
}

} // namespace

CDemandGrid::CDemandGrid(IDemandTableOwner* owner, CValueFormatter* formatter) : m_owner(owner), m_formatter(formatter)
{
    m_blockPen.CreatePen(PS_SOLID, 1, kBlockBack);
    m_whitePen.CreatePen(PS_SOLID, 1, kWhite);
    m_lightPen.CreatePen(PS_SOLID, 1, kLightLine);
    m_boxPen.CreatePen(PS_SOLID, 1, kLightLine);
    m_titleFont = CMyFont::GetSharedFont(12, true);
    m_smallFont = CMyFont::GetSharedFont(11, false);
    m_normalFont = CMyFont::GetSharedFont(12, false);
    m_boldFont = CMyFont::GetSharedFont(12, true);
    m_largeFont = CMyFont::GetSharedFont(14, true);
}

CDemandGrid::~CDemandGrid() = default;

void CDemandGrid::OnSetup()
{
    m_multiFontIndex = AddCellType(&m_multiFontType);
    m_expandedBitmap = AddBitmap(kExpandedBitmapId);
    m_collapsedBitmap = AddBitmap(kCollapsedBitmapId);
    BuildLayout();
    EnableCellToolTips(TRUE);
}

// ---- layout

void CDemandGrid::BuildLayout()
{
    // Nothing is painted until the layout is complete: the values' fill paints once.
    const BOOL painting = IsPaintEnabled();
    SetPaintEnabled(FALSE);
    const int rowCount = kRowsPerBlock * m_blocks;
    SetNumberRows(1, FALSE);
    m_rows.assign(std::size_t(rowCount), SRowState{});
    m_collapsed.assign(std::size_t(m_blocks), false);
    m_hidden.assign(std::size_t(m_blocks), false);

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
    SetDefRowHeight(kDefaultRowHeight);
    SetNumberRows(rowCount, FALSE);
    SetUniformRowHeight(FALSE);
    SetCurrentCellMode(0);
    SetSideHdgNumberCols(1);
    SetSideHdgWidth(0);
    SetTopHdgNumberRows(1);
    SetTopHdgHeight(0);
    EnableCellOverlap(FALSE);
    EnableJoins(TRUE);

    if (!m_initialised) {
        m_initialised = true;
        m_rightMargin = GridRememberRightMargin(*this);
    }
    for (int b = 0; b < m_blocks; ++b) {
        ColourBlock(b);
        JoinBlock(b);
    }
    ApplyRowHeights();
    OnParentSize(true);
    // A new layout starts at the top of the page.
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_VSCROLL, SB_TOP, 0);
    SetPaintEnabled(painting);
}

void CDemandGrid::ColourBlock(int block)
{
    const int s = BlockStart(block);
    const int base = DataRow(block);
    for (int col = 0; col < kColumnCount; ++col) {
        QuickSetBackColor(col, s, kTitleBack);
        QuickSetTextColor(col, s, kTitleText);
        QuickSetBorder(col, s, kBorderBottom);
        QuickSetBorderColor(col, s, &m_lightPen);
        QuickSetFont(col, s, m_titleFont);
        QuickSetAlignment(col, s, WORD((col == 0 ? UG_ALIGNLEFT : UG_ALIGNCENTER) | UG_ALIGNVCENTER));
    }
    for (int e = 0; e <= kTimeEntry; ++e) {
        const bool white = kWhiteEntry[e];
        for (int row = base + 2 * e; row <= base + 2 * e + 1; ++row)
            for (int col = 1; col <= 3; ++col) {
                QuickSetBackColor(col, row, white ? kWhite : kBlockBack);
                QuickSetBorder(col, row, kBorderAll);
                QuickSetBorderColor(col, row, white ? &m_whitePen : &m_blockPen);
                QuickSetAlignment(col, row, WORD((col == 2 ? UG_ALIGNRIGHT : UG_ALIGNLEFT) | UG_ALIGNVCENTER));
                QuickSetFont(col, row, col == 1 || e == kTimeEntry ? m_normalFont : m_boldFont);
            }
    }
    for (int row = base; row <= base + 9; ++row) {
        for (int col = 5; col <= 11; ++col) {
            QuickSetAlignment(col, row, UG_ALIGNLEFT | UG_ALIGNVCENTER);
            QuickSetBorder(col, row, kBorderAll);
            QuickSetBorderColor(col, row, &m_whitePen);
            QuickSetFont(col, row, m_smallFont);
        }
        QuickSetBackColor(kInfoColumn, row, kWhite);
        QuickSetAlignment(kInfoColumn, row, UG_ALIGNLEFT | UG_ALIGNTOP);
        QuickSetBorder(kInfoColumn, row, kBorderAll);
        QuickSetBorderColor(kInfoColumn, row, &m_whitePen);
        QuickSetFont(kInfoColumn, row, m_normalFont);
        for (const int col : {0, 4, 12, 14}) {
            QuickSetBackColor(col, row, kBlockBack);
            QuickSetBorder(col, row, kBorderAll);
            QuickSetBorderColor(col, row, &m_blockPen);
        }
    }
    for (const int row : {s + 1, s + 12})
        for (int col = 0; col < kColumnCount; ++col) {
            QuickSetBackColor(col, row, kBlockBack);
            QuickSetBorder(col, row, kBorderAll);
            QuickSetBorderColor(col, row, &m_blockPen);
        }
}

void CDemandGrid::JoinBlock(int block)
{
    const int s = BlockStart(block);
    const int base = DataRow(block);
    JoinCells(0, s, kColumnCount - 1, s);
    QuickSetBitmapIndex(0, s, m_expandedBitmap);
    JoinCells(0, s + 1, kColumnCount - 1, s + 1);
    JoinCells(0, s + 12, kColumnCount - 1, s + 12);
    for (const int col : {0, 4, 12, 14})
        JoinCells(col, base, col, base + 9);
    for (int e = 0; e <= kTimeEntry; ++e)
        for (int col = 1; col <= 3; ++col)
            JoinCells(col, base + 2 * e, col, base + 2 * e + 1);
    for (int e = 0; e < kTimeEntry; ++e)
        QuickSetText(1, base + 2 * e, LoadTableString(kEntries[e].label));

    // The cost area: two headers, the radio pair of choices and the amount.
    JoinCells(6, base, 10, base + 1);
    JoinCells(kStandardColumn, base + kChoiceRow, kStandardColumn, base + kChoiceRow + 1);
    JoinCells(kAdvancedColumn, base + kChoiceRow, kAdvancedColumn, base + kChoiceRow + 1);
    JoinCells(6, base + 4, 10, base + 5);
    JoinCells(6, base + kAmountRow, 10, base + 8);
    QuickSetText(6, base, LoadTableString(demandstr::kCostOfEnergy));
    QuickSetText(6, base + 4, LoadTableString(demandstr::kTotalEnergyCost));
    for (const int row : {base, base + 4, base + kAmountRow}) {
        QuickSetAlignment(6, row, UG_ALIGNCENTER | UG_ALIGNVCENTER);
        QuickSetFont(6, row, row == base + kAmountRow ? m_largeFont : m_boldFont);
    }
    QuickSetCellType(6, base + kAmountRow, m_multiFontIndex);
    for (const int col : {kStandardColumn, kAdvancedColumn}) {
        QuickSetCellType(col, base + kChoiceRow, kCheckBoxCellType);
        QuickSetCellTypeEx(col, base + kChoiceRow, kRoundCheckBox);
        QuickSetFont(col, base + kChoiceRow, m_boldFont);
        QuickSetLabelText(col, base + kChoiceRow,
                          LoadTableString(col == kStandardColumn ? demandstr::kStandard : demandstr::kAdvanced));
    }
    // Boxes in the light line colour around the choices and around the amount.
    for (const auto& box : {std::array<int, 2>{base + kChoiceRow, base + kChoiceRow + 1},
                            std::array<int, 2>{base + kAmountRow, base + 8}})
        for (int row = box[0]; row <= box[1]; ++row)
            for (int col = 6; col <= 10; ++col) {
                WORD border = 0;
                border |= col == 6 ? kBorderLeft : 0;
                border |= col == 10 ? kBorderRight : 0;
                border |= row == box[0] ? kBorderTop : 0;
                border |= row == box[1] ? kBorderBottom : 0;
                QuickSetBorder(col, row, border);
                QuickSetBorderColor(col, row, &m_boxPen);
            }
    JoinCells(kInfoColumn, base, kInfoColumn, base + 9);
    QuickSetCellType(kInfoColumn, base, m_multiFontIndex);
    QuickSetCellTypeEx(kInfoColumn, base, kMultiFontPanelStyle);
    QuickSetAlignment(kInfoColumn, base, UG_ALIGNLEFT | UG_ALIGNTOP);
}

int CDemandGrid::RowHeightAt(int row) const
{
    const int block = row / kRowsPerBlock;
    const int offset = row % kRowsPerBlock;
    if (offset == 0)
        return kTitleHeight;
    if (offset == 1 || offset == kRowsPerBlock - 1)
        return kSpacerHeight;
    if (offset == 10 && m_fitHeight) {
        const structDemandTableData* data = Block(block);
        return data && data->HasMarkedValue() ? kFootnoteHeight : kSpacerHeight;
    }
    return kDefaultRowHeight;
}

void CDemandGrid::ApplyRowHeights()
{
    for (int row = 0; row < int(m_rows.size()); ++row) {
        SRowState& state = m_rows[std::size_t(row)];
        state.savedHeight = RowHeightAt(row);
        // Setting a height asks every cell type of the row; most rows keep theirs.
        const int height = state.hideCount > 0 ? 0 : state.savedHeight;
        if (GetRowHeight(row) != height)
            SetRowHeight(row, height);
    }
    FitHeight();
}

int CDemandGrid::GetRowsHeight() const
{
    int height = 0;
    for (int row = 0; row < GetNumberRows(); ++row)
        height += GetRowHeight(row);
    return height;
}

void CDemandGrid::FitHeight()
{
    if (!m_fitHeight || !GetSafeHwnd())
        return;
    CRect rect;
    GetWindowRect(&rect);
    const int height = GetRowsHeight();
    // A resize reallocates the window's surface: only when the rows changed height. The page
    // scrolls over the blocks that lie below its edge.
    if (rect.Height() != height) {
        SetWindowPos(nullptr, 0, 0, rect.Width(), height, SWP_NOMOVE | SWP_NOZORDER);
        UpdateParentViewScrollSizes(*this);
    }
}

void CDemandGrid::SetSessionCount(int count)
{
    count = std::max(count, 1);
    if (count != m_blocks) {
        m_blocks = count;
        if (GetSafeHwnd())
            BuildLayout();
    }
    if (GetSafeHwnd())
        ApplyRowHeights();
}

// ---- values

const structDemandTableData* CDemandGrid::Block(int block) const
{
    if (!m_data || block < 0 || block >= int(m_data->size()))
        return nullptr;
    return (*m_data)[std::size_t(block)].get();
}

SCostTableChoice* CDemandGrid::Choice(int block)
{
    if (!m_settings || block < 0 || block >= int(m_settings->m_costTables.size()))
        return nullptr;
    return &m_settings->m_costTables[std::size_t(block)];
}

void CDemandGrid::SetData(const DemandBlocks* data, CBasicViewSettings* settings)
{
    m_data = data;
    m_settings = settings;
    if (m_settings && int(m_settings->m_costTables.size()) < m_blocks)
        m_settings->m_costTables.resize(std::size_t(m_blocks));
    FillValues();
}

void CDemandGrid::FillValues()
{
    if (!GetSafeHwnd())
        return;
    double energyReference = 0.0;
    double demandReference = 0.0;
    // The prefix follows the figures the table shows: a hidden block keeps the values of the
    // range it showed last, which must not decide the unit of the others.
    for (int b = 0; b < m_blocks; ++b) {
        const structDemandTableData* data = Block(b);
        if (!data || data->hidden)
            continue;
        for (const double v : {data->forwardEnergy, data->reverseEnergy, data->totalEnergy})
            if (std::isfinite(v))
                energyReference = std::max(energyReference, std::fabs(v));
        if (std::isfinite(data->maximumDemand))
            demandReference = std::max(demandReference, std::fabs(data->maximumDemand));
    }
    const CString dateFormat = ExpandDateTimeFormat(8070);
    const CString timeFormat = GetTimeStrftimeFormat();
    // One repaint when everything is in, not one per cell.
    const BOOL painting = IsPaintEnabled();
    SetPaintEnabled(FALSE);
    for (int b = 0; b < m_blocks; ++b) {
        const structDemandTableData* data = Block(b);
        if (!data)
            continue;
        const int base = DataRow(b);
        QuickSetText(0, BlockStart(b), " " + data->name);
        for (int e = 0; e < kTimeEntry; ++e)
            SetValueCells(base + 2 * e, ValueOf(*data, e), QualityOf(*data, e), kEntries[e].quantity,
                          e == 3 ? demandReference : energyReference);
        const int timeRow = base + 2 * kTimeEntry;
        const bool noTime = data->maximumDemandTime.GetStatus() != CHighTime::valid;
        QuickSetText(2, timeRow, noTime ? CString() : data->maximumDemandTime.Format(dateFormat.GetString()));
        QuickSetText(3, timeRow, noTime ? CString() : data->maximumDemandTime.Format(timeFormat.GetString()));
    }
    ApplyRowHeights();
    ApplyCostChoices();
    SetPaintEnabled(painting);
    RedrawAll();
}

void CDemandGrid::SetValueCells(int row, double value, const SStatisticsRecord& quality, DWORD quantity,
                                double reference)
{
    CString valueText;
    CString unitText;
    if (value == std::numeric_limits<double>::infinity()) {
        valueText = "OL";
    } else if (value == -std::numeric_limits<double>::infinity()) {
        valueText = "-OL";
    } else if (std::isfinite(value) && m_formatter) {
        // The scale comes from the blocks' values alone, never from the scales other pages
        // registered: the figures must not depend on which page the user opened first.
        m_formatter->FormatWithDefaultScale(quantity, value, reference, valueText, unitText);
        if (quality.quality != 0)
            valueText += quality.quality == 2 ? "**" : "*";
    }
    QuickSetText(2, row, valueText);
    QuickSetText(3, row, unitText);
}

void CDemandGrid::FillCostCells(int block)
{
    const structDemandTableData* data = Block(block);
    const SCostTableChoice* choice = Choice(block);
    if (!data)
        return;
    const bool advanced = choice && choice->isAdvanced;
    const int base = DataRow(block);
    CString panel = data->infoText + (advanced ? data->tariffCostText : data->loggerCostText);
    if (data->HasMarkedValue())
        panel.AppendFormat("\n\n%s\n", LoadTableString(tablestr::kInvalidValuesFootnote).GetString());
    double forward = 0.0;
    double reverse = 0.0;
    CString currency;
    if (advanced) {
        forward = data->tariffForwardCost;
        reverse = data->tariffReverseCost;
        currency = data->tariffCurrency;
        if (data->tariffUnpricedCount > 0)
            panel.AppendFormat("\n%s\n", LoadTableString(demandstr::kUnpricedFootnote).GetString());
    } else {
        forward = data->loggerForwardPrice * data->forwardEnergy;
        reverse = data->loggerReversePrice * data->reverseEnergy;
        currency = data->loggerCurrency;
    }
    CString amount = BuildCostAmountText(forward, reverse, currency);
    if (advanced && data->tariffUnpricedCount > 0)
        amount += "*";
    QuickSetText(kInfoColumn, base, panel);
    QuickSetText(6, base + kAmountRow, amount);
    RedrawCell(kInfoColumn, base);
    RedrawCell(6, base + kAmountRow);
}

void CDemandGrid::SetChoiceCells(int block, bool advanced)
{
    const int row = DataRow(block) + kChoiceRow;
    for (const int col : {kStandardColumn, kAdvancedColumn}) {
        const bool checked = (col == kAdvancedColumn) == advanced;
        CUGCell cell;
        GetCell(col, row, &cell);
        cell.SetNumber(checked ? 1 : 0);
        cell.SetReadOnly(checked ? TRUE : FALSE);
        SetCell(col, row, &cell);
        RedrawCell(col, row);
    }
}

void CDemandGrid::ApplyCostChoices()
{
    if (!GetSafeHwnd())
        return;
    for (int b = 0; b < m_blocks; ++b) {
        SCostTableChoice* choice = Choice(b);
        const structDemandTableData* data = Block(b);
        if (choice && data && !data->tariffEnabled)
            choice->isAdvanced = false;
        SetChoiceCells(b, choice && choice->isAdvanced);
        FillCostCells(b);
    }
    FitColumnsToFigures();
}

void CDemandGrid::FollowCostChoices()
{
    if (!GetSafeHwnd())
        return;
    for (int b = 0; b < m_blocks; ++b) {
        const SCostTableChoice* choice = Choice(b);
        const structDemandTableData* data = Block(b);
        const bool wanted = choice && choice->isAdvanced && data && data->tariffEnabled;
        CUGCell cell;
        GetCell(kAdvancedColumn, DataRow(b) + kChoiceRow, &cell);
        if ((cell.GetNumber() != 0) != wanted) {
            ApplyCostChoices();
            return;
        }
    }
}

void CDemandGrid::FitColumnsToFigures()
{
    // New figures (another time range's, another price's) may be wider or narrower than those
    // the columns were fitted to.
    if (m_editInProgress || !GetSafeHwnd())
        return;
    FitWidth();
    UpdateParentViewScrollSizes(*this);
}

// ---- collapse and hide

void CDemandGrid::HideRow(int row)
{
    SRowState& state = m_rows[std::size_t(row)];
    if (state.hideCount++ == 0) {
        state.savedHeight = GetRowHeight(row);
        SetRowHeight(row, 0);
    }
}

void CDemandGrid::ShowRow(int row)
{
    SRowState& state = m_rows[std::size_t(row)];
    if (state.hideCount == 0)
        return;
    if (--state.hideCount == 0)
        SetRowHeight(row, state.savedHeight);
}

void CDemandGrid::SetRowsVisible(int first, int last, bool visible)
{
    for (int row = first; row <= last && row < int(m_rows.size()); ++row)
        visible ? ShowRow(row) : HideRow(row);
}

bool CDemandGrid::IsBlockCollapsed(int block) const
{
    return block >= 0 && block < m_blocks && m_collapsed[std::size_t(block)];
}

bool CDemandGrid::IsBlockHidden(int block) const
{
    return block >= 0 && block < m_blocks && m_hidden[std::size_t(block)];
}

void CDemandGrid::SetCollapsed(int block, bool collapsed)
{
    if (IsBlockCollapsed(block) == collapsed)
        return;
    m_collapsed[std::size_t(block)] = collapsed;
    const int s = BlockStart(block);
    SetRowsVisible(s + 1, s + kRowsPerBlock - 1, !collapsed);
    QuickSetBitmapIndex(0, s, collapsed ? m_collapsedBitmap : m_expandedBitmap);
}

void CDemandGrid::SetHidden(int block, bool hidden)
{
    if (IsBlockHidden(block) == hidden)
        return;
    m_hidden[std::size_t(block)] = hidden;
    const int s = BlockStart(block);
    SetRowsVisible(s, s + kRowsPerBlock - 1, !hidden);
}

CString CDemandGrid::GetCollapseState() const
{
    CString text;
    for (int b = 0; b < m_blocks && BlockStart(b) + 1 < int(m_rows.size()); ++b)
        text.AppendFormat("%d%d", m_rows[std::size_t(BlockStart(b))].hideCount,
                          m_rows[std::size_t(BlockStart(b) + 1)].hideCount);
    return text;
}

void CDemandGrid::ApplyCollapseState(const CString& text)
{
    if (text.IsEmpty())
        return;
    const std::string& s = text.str();
    const bool wellFormed = s.size() % 2 == 0 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (wellFormed) {
        const CString current = GetCollapseState();
        const int blocks = std::min(m_blocks, int(s.size()) / 2);
        for (int b = 0; b < blocks; ++b) {
            const int a = s[std::size_t(2 * b)] - '0';
            const int c = s[std::size_t(2 * b + 1)] - '0';
            const int now = 10 * (current[2 * b] - '0') + (current[2 * b + 1] - '0');
            const int wanted = 10 * a + c;
            if (wanted == now)
                continue;
            if (wanted < now) {
                if (a == 0)
                    SetHidden(b, false);
                if (c == 0)
                    SetCollapsed(b, false);
            } else {
                // The spacer's count holds the hiding too: more than the title's means collapsed.
                if (c > a)
                    SetCollapsed(b, true);
                if (a >= 1)
                    SetHidden(b, true);
            }
        }
    }
    StateChanged();
}

void CDemandGrid::ApplyHiddenFlags()
{
    bool changed = false;
    for (int b = 0; b < m_blocks; ++b) {
        const structDemandTableData* data = Block(b);
        const bool hidden = data && data->hidden;
        if (hidden == IsBlockHidden(b))
            continue;
        SetHidden(b, hidden);
        changed = true;
    }
    if (changed)
        StateChanged();
}

void CDemandGrid::StateChanged()
{
    FitHeight();
    RedrawAll();
    if (CWnd* parent = GetParent()) {
        const CString state = GetCollapseState();
        parent->SendMessage(WM_TABLE_COLLAPSE_STATE, WPARAM(&state), 0);
    }
}

// ---- size

void CDemandGrid::OnParentSize(bool force)
{
    const unsigned changed = UpdateStoredParentSize(*this, m_lastClientSize, force);
    if (changed == kSizeUnchanged)
        return;
    const BOOL painting = IsPaintEnabled();
    SetPaintEnabled(FALSE);
    if (changed & kHeightChanged)
        ApplyRowHeights();
    if (changed & kWidthChanged)
        FitWidth();
    UpdateParentViewScrollSizes(*this);
    SetPaintEnabled(painting);
    RedrawAll();
}

void CDemandGrid::FitWidth()
{
    CRect rect;
    GetWindowRect(&rect);
    GetParent()->ScreenToClient(&rect);
    // One resize for both sides: the height the rows need goes along with the new width; the
    // columns may widen the window again for the page to scroll.
    if (m_keepRightMargin && m_lastClientSize.cx > 0)
        MoveWindow(rect.left, rect.top, std::max(0, m_lastClientSize.cx - m_rightMargin - rect.left),
                   m_fitHeight ? GetRowsHeight() : rect.Height(), FALSE);
    SetColumnWidths();
}

void CDemandGrid::SetColumnWidths()
{
    if (m_editInProgress)
        EditCtrlFinished(CString(), TRUE, FALSE, 0, 0);
    CRect client;
    GetClientRect(&client);
    int width = client.Width();
    if (GetRowsHeight() > client.Height())
        width -= GetVScrollWidth();
    for (const int col : {0, 4, 12, 14})
        SetColWidth(col, kNarrowColumn);
    const int a = std::max(0, int((width - kTableShareColumns) * 0.35));
    const double tableWeights[] = {0.6, 0.2, 0};
    DistributeColumnWidths(this, 1, 3, a, tableWeights, 3);

    int advancedWidth = 0;
    CUGCell cell;
    if (GetCellWithDefaults(kAdvancedColumn, DataRow(0) + kChoiceRow, &cell) == UG_SUCCESS) {
        CClientDC dc(this);
        CFont* font = cell.GetFont() ? cell.GetFont() : m_boldFont;
        CFont* old = font ? dc.SelectObject(font) : nullptr;
        const CSize extent = dc.GetTextExtent(LoadTableString(demandstr::kAdvanced));
        if (old)
            dc.SelectObject(old);
        advancedWidth = extent.cx + 2 * kCheckBoxSize + std::min<int>(extent.cy, 12) + 6;
    }
    // Gap, half of the rest, gap, the "advanced" choice, gap, the remaining rest, gap.
    const int rest = std::max(0, a - 4 * kNarrowColumn - advancedWidth);
    const double costWeights[] = {kNarrowColumn, double(rest / 2), kNarrowColumn, double(advancedWidth), kNarrowColumn, 0,
                                  kNarrowColumn};
    DistributeColumnWidths(this, 5, 11, a, costWeights, 7);
    SetColWidth(kInfoColumn, std::max(0, width - kTableShareColumns - 2 * a));
    // A share too narrow for a figure (a year's energy, a long cost) takes from the labels and
    // the information panel, and the page scrolls when they cannot give enough.
    FitColumnsToTexts(*this, {kLabelColumn, kInfoColumn}, width);
}

// ---- notifications

BOOL CDemandGrid::OnCanMove(int, int, int newCol, int newRow)
{
    return IsKeyCell(newCol, newRow);
}

BOOL CDemandGrid::OnCanSizeCol(int)
{
    return FALSE;
}

BOOL CDemandGrid::OnCanSizeRow(int)
{
    return FALSE;
}

void CDemandGrid::OnLClicked(int col, int row, int updn, RECT*, POINT*, BOOL)
{
    if (row < 0 || row >= GetNumberRows())
        return;
    if (updn) {
        ResetCurrentCell();
        RedrawCell(col, row);
        return;
    }
    if (row % kRowsPerBlock != 0)
        return;
    const int block = row / kRowsPerBlock;
    SetCollapsed(block, !IsBlockCollapsed(block));
    StateChanged();
}

void CDemandGrid::OnDClicked(int col, int row, RECT*, POINT*, BOOL)
{
    const int block = row / kRowsPerBlock;
    if (col != kAdvancedColumn || row < 0 || row % kRowsPerBlock != 2 + kChoiceRow || block >= m_blocks)
        return;
    EditTariff(block);
    FillCostCells(block);
    FitColumnsToFigures();
}

void CDemandGrid::EditTariff(int block)
{
    // The keyboard comes back to the choice it left for the dialog.
    const bool keyboardHere = m_CUGGrid && CWnd::GetFocus() == m_CUGGrid.get();
    if (m_owner)
        m_owner->EditSessionTariff(block);
    if (keyboardHere && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->SetFocus();
}

BOOL CDemandGrid::OnCellTypeNotify(int, int col, int row, LONG msg, LPARAM)
{
    const int block = row / kRowsPerBlock;
    if (msg != UGCT_CHECKBOXSET || row < 0 || block >= m_blocks || row % kRowsPerBlock != 2 + kChoiceRow ||
        (col != kStandardColumn && col != kAdvancedColumn))
        return TRUE;
    bool advanced = col == kAdvancedColumn;
    const structDemandTableData* data = Block(block);
    if (advanced && !(data && data->tariffEnabled)) {
        EditTariff(block);
        data = Block(block);
        advanced = data && data->tariffEnabled;
    }
    SetChoiceCells(block, advanced);
    if (SCostTableChoice* choice = Choice(block))
        choice->isAdvanced = advanced;
    FillCostCells(block);
    FitColumnsToFigures();
    if (m_owner)
        m_owner->NotifyCostChoice();
    return TRUE;
}

BOOL CDemandGrid::OnHint(int col, int row, int, CString* text)
{
    const int block = row / kRowsPerBlock;
    const int offset = row % kRowsPerBlock - 2;
    const structDemandTableData* data = Block(block);
    if (col != 2 || !data || offset < 0 || offset > 6 || offset % 2 != 0)
        return FALSE;
    const int entry = offset / 2;
    const SStatisticsRecord& quality = QualityOf(*data, entry);
    if (quality.quality != 2 && std::isfinite(ValueOf(*data, entry)))
        return FALSE;
    const float share = quality.expectedCount < 1 ? 0.0f : 100.0f * float(quality.finiteCount) / float(quality.expectedCount);
    text->Format(LoadTableString(tablestr::kValidValuesHint).GetString(), double(share));
    return TRUE;
}
