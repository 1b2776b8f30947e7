#include "grid/CUGCell.h"

#include "grid/UGTextConversion.h"
#include "platform/framework/windows/GdiObjects.h"

#include <cmath>
#include <limits>
#include <utility>

CUGCell::CUGCell()
{
    ClearAll();
}

CUGCell::CUGCell(const CUGCell& other)
    : m_flags(other.m_flags), m_state(other.m_state), m_format(other.m_format), m_styleCell(other.m_styleCell),
      m_number(other.m_number), m_text(other.m_text), m_label(other.m_label), m_mask(other.m_mask),
      m_dataType(other.m_dataType), m_readOnly(other.m_readOnly), m_param(other.m_param),
      m_decimals(other.m_decimals), m_cellType(other.m_cellType), m_cellTypeEx(other.m_cellTypeEx),
      m_textColor(other.m_textColor), m_backColor(other.m_backColor), m_hTextColor(other.m_hTextColor),
      m_hBackColor(other.m_hBackColor), m_borderStyle(other.m_borderStyle), m_borderPen(other.m_borderPen),
      m_font(other.m_font), m_bitmap(other.m_bitmap), m_alignment(other.m_alignment), m_extra(other.m_extra),
      m_joinOrigin(other.m_joinOrigin), m_joinRow(other.m_joinRow), m_joinCol(other.m_joinCol),
      m_reserved1(other.m_reserved1), m_reserved2(other.m_reserved2), m_drawHints(other.m_drawHints)
{
    if (other.m_backup)
        m_backup = std::make_unique<CUGCell>(*other.m_backup);
}

CUGCell& CUGCell::operator=(const CUGCell& other)
{
    // Copy first: the source may be owned by this cell (its backup).
    CUGCell copy(other);
    std::swap(m_backup, copy.m_backup);
    std::swap(m_flags, copy.m_flags);
    std::swap(m_state, copy.m_state);
    std::swap(m_format, copy.m_format);
    std::swap(m_styleCell, copy.m_styleCell);
    std::swap(m_number, copy.m_number);
    std::swap(m_text, copy.m_text);
    std::swap(m_label, copy.m_label);
    std::swap(m_mask, copy.m_mask);
    std::swap(m_dataType, copy.m_dataType);
    std::swap(m_readOnly, copy.m_readOnly);
    std::swap(m_param, copy.m_param);
    std::swap(m_decimals, copy.m_decimals);
    std::swap(m_cellType, copy.m_cellType);
    std::swap(m_cellTypeEx, copy.m_cellTypeEx);
    std::swap(m_textColor, copy.m_textColor);
    std::swap(m_backColor, copy.m_backColor);
    std::swap(m_hTextColor, copy.m_hTextColor);
    std::swap(m_hBackColor, copy.m_hBackColor);
    std::swap(m_borderStyle, copy.m_borderStyle);
    std::swap(m_borderPen, copy.m_borderPen);
    std::swap(m_font, copy.m_font);
    std::swap(m_bitmap, copy.m_bitmap);
    std::swap(m_alignment, copy.m_alignment);
    std::swap(m_extra, copy.m_extra);
    std::swap(m_joinOrigin, copy.m_joinOrigin);
    std::swap(m_joinRow, copy.m_joinRow);
    std::swap(m_joinCol, copy.m_joinCol);
    std::swap(m_reserved1, copy.m_reserved1);
    std::swap(m_reserved2, copy.m_reserved2);
    std::swap(m_drawHints, copy.m_drawHints);
    return *this;
}

CUGCell::~CUGCell() = default;

void CUGCell::ClearAll()
{
    ClearValues();
    m_cellType = -1;
    m_borderStyle = 0;
    m_borderPen = nullptr;
    m_font = nullptr;
    m_bitmap = nullptr;
    m_cellTypeEx = -1;
    m_joinOrigin = 0;
    m_joinRow = -1;
    m_joinCol = -1;
    m_reserved1 = 0;
    m_reserved2 = 0;
}

void CUGCell::ClearValues()
{
    m_flags = UGCELL_CLEARED_FLAGS;
    m_text.Empty();
    m_mask.Empty();
    m_label.Empty();
    m_format = nullptr;
    m_styleCell = nullptr;
    m_backup.reset(); // a cleared cell owns no backup: free it rather than lose it
    m_number = 0.0;
    m_decimals = 0;
    m_dataType = UGCELLDATA_STRING;
    m_param = -1;
    m_readOnly = FALSE;
    m_textColor = GetSysColor(COLOR_WINDOWTEXT);
    m_backColor = GetSysColor(COLOR_WINDOW);
    m_hTextColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_hBackColor = GetSysColor(COLOR_HIGHLIGHT);
    m_alignment = UG_ALIGNLEFT;
    m_drawHints = UG_DRAWHINT_DEFAULT;
}

void CUGCell::ReleaseOwned()
{
    m_backup.reset();
    FreeExtraBlock();
}

void CUGCell::SaveBackup()
{
    auto backup = std::make_unique<CUGCell>();
    backup->AssignFrom(this);
    backup->m_backup.reset(); // a backup keeps no backups of its own
    m_backup = std::move(backup);
}

void* CUGCell::AllocExtraBlock(std::size_t size)
{
    m_extra.assign(size, std::byte{0});
    if (size == 0)
    {
        m_flags &= ~UGCELL_EXTRAMEM_SET;
        return nullptr;
    }
    m_flags |= UGCELL_EXTRAMEM_SET;
    return m_extra.data();
}

void CUGCell::FreeExtraBlock()
{
    m_flags &= ~UGCELL_EXTRAMEM_SET;
    std::vector<std::byte>().swap(m_extra);
}

void CUGCell::CopyOwnedFrom(const CUGCell& source)
{
    // The copies are deep so that no block is owned twice; a source without a block or backup
    // leaves the target's own alone.
    if ((source.m_flags & UGCELL_EXTRAMEM_SET) && &source != this)
        m_extra = source.m_extra;
    if (source.m_backup && &source != this)
        m_backup = std::make_unique<CUGCell>(*source.m_backup);
}

int CUGCell::MergeInto(const CUGCell& source, CUGCell& target)
{
    const DWORD f = source.m_flags;
    target.m_state = source.m_state;
    target.m_flags |= f;
    if (f & UGCELL_TEXT_SET)
    {
        target.m_text = source.m_text;
        target.m_number = source.m_number;
    }
    if (f & UGCELL_MASK_SET)
        target.m_mask = source.m_mask;
    if (f & UGCELL_LABEL_SET)
        target.m_label = source.m_label;
    if (f & UGCELL_DATATYPE_SET)
        target.m_dataType = source.m_dataType;
    if (f & UGCELL_PARAM_SET)
        target.m_param = source.m_param;
    if (f & UGCELL_CELLTYPE_SET)
        target.m_cellType = source.m_cellType;
    if (f & UGCELL_CELLTYPEEX_SET)
        target.m_cellTypeEx = source.m_cellTypeEx;
    if (f & UGCELL_TEXTCOLOR_SET)
        target.m_textColor = source.m_textColor;
    if (f & UGCELL_BACKCOLOR_SET)
        target.m_backColor = source.m_backColor;
    if (f & UGCELL_HTEXTCOLOR_SET)
        target.m_hTextColor = source.m_hTextColor;
    if (f & UGCELL_HBACKCOLOR_SET)
        target.m_hBackColor = source.m_hBackColor;
    if (f & UGCELL_BORDERSTYLE_SET)
        target.m_borderStyle = source.m_borderStyle;
    if (f & UGCELL_BORDER_SET)
        target.m_borderPen = source.m_borderPen;
    if (f & UGCELL_FONT_SET)
        target.m_font = source.m_font;
    if (f & UGCELL_BITMAP_SET)
        target.m_bitmap = source.m_bitmap;
    if (f & UGCELL_ALIGNMENT_SET)
        target.m_alignment = source.m_alignment;
    if (f & UGCELL_JOIN_SET)
    {
        target.m_joinOrigin = source.m_joinOrigin;
        target.m_joinRow = source.m_joinRow;
        target.m_joinCol = source.m_joinCol;
    }
    if (f & UGCELL_FORMAT_SET)
        target.m_format = source.m_format;
    if (f & UGCELL_STYLE_SET)
        target.m_styleCell = source.m_styleCell;
    if (f & UGCELL_READONLY_SET)
        target.m_readOnly = source.m_readOnly;
    if (f & UGCELL_NUMBERDEC_SET)
        target.m_decimals = source.m_decimals;
    if (f & UGCELL_DRAWHINT_SET)
        target.m_drawHints = source.m_drawHints;
    target.CopyOwnedFrom(source);
    return 0;
}

int CUGCell::AssignFrom(const CUGCell* source)
{
    if (!source)
        return 1;
    m_flags = source->m_flags;
    return MergeInto(*source, *this);
}

int CUGCell::AssignTo(CUGCell* target) const
{
    return target ? target->AssignFrom(this) : 1;
}

int CUGCell::SetText(const CString& text)
{
    m_text = text;
    m_dataType = UGCELLDATA_STRING;
    if (text.IsEmpty())
        m_flags &= ~UGCELL_TEXT_SET;
    else
        m_flags |= UGCELL_TEXT_SET;
    return 0;
}

int CUGCell::SetNumber(double number)
{
    m_text.Empty();
    m_number = number;
    m_dataType = UGCELLDATA_NUMBER;
    m_flags |= UGCELL_TEXT_SET | UGCELL_DATATYPE_SET;
    return 0;
}

int CUGCell::SetLabelText(const CString& text)
{
    m_label = text;
    m_flags |= UGCELL_LABEL_SET;
    return 0;
}

int CUGCell::SetMask(const CString& mask)
{
    m_mask = mask;
    m_flags |= UGCELL_MASK_SET;
    return 0;
}

int CUGCell::SetParam(INT_PTR param)
{
    m_param = param;
    m_flags |= UGCELL_PARAM_SET;
    return 0;
}

int CUGCell::SetCellType(int index)
{
    m_cellType = index;
    m_flags |= UGCELL_CELLTYPE_SET;
    return 0;
}

int CUGCell::SetCellTypeEx(long style)
{
    m_cellTypeEx = style;
    m_flags |= UGCELL_CELLTYPEEX_SET;
    return 0;
}

int CUGCell::SetTextColor(COLORREF color)
{
    m_textColor = color;
    m_flags |= UGCELL_TEXTCOLOR_SET;
    return 0;
}

int CUGCell::SetBackColor(COLORREF color)
{
    m_backColor = color;
    m_flags |= UGCELL_BACKCOLOR_SET;
    return 0;
}

int CUGCell::SetHTextColor(COLORREF color)
{
    m_hTextColor = color;
    m_flags |= UGCELL_HTEXTCOLOR_SET;
    return 0;
}

int CUGCell::SetHBackColor(COLORREF color)
{
    m_hBackColor = color;
    m_flags |= UGCELL_HBACKCOLOR_SET;
    return 0;
}

int CUGCell::SetBorder(WORD style)
{
    m_borderStyle = style;
    m_flags |= UGCELL_BORDERSTYLE_SET;
    return 0;
}

int CUGCell::SetBorderColor(CPen* pen)
{
    m_borderPen = pen;
    m_flags |= UGCELL_BORDER_SET;
    return 0;
}

int CUGCell::SetFont(CFont* font)
{
    m_font = font;
    m_flags |= UGCELL_FONT_SET;
    return 0;
}

int CUGCell::SetBitmap(CBitmap* bitmap)
{
    m_bitmap = bitmap;
    if (bitmap)
        m_flags |= UGCELL_BITMAP_SET;
    else
        m_flags &= ~UGCELL_BITMAP_SET;
    return 0;
}

int CUGCell::SetAlignment(WORD alignment)
{
    m_alignment = alignment;
    m_flags |= UGCELL_ALIGNMENT_SET;
    return 0;
}

int CUGCell::SetNumberDecimals(int decimals)
{
    m_decimals = decimals;
    m_flags |= UGCELL_NUMBERDEC_SET;
    return 0;
}

int CUGCell::SetReadOnly(BOOL readOnly)
{
    m_readOnly = readOnly ? TRUE : FALSE;
    m_flags |= UGCELL_READONLY_SET;
    return 0;
}

int CUGCell::SetJoinInfo(BOOL origin, int colOffset, int rowOffset)
{
    m_joinOrigin = origin;
    m_joinCol = colOffset;
    m_joinRow = rowOffset;
    m_flags |= UGCELL_JOIN_SET;
    return 0;
}

int CUGCell::SetPropertyFlags(DWORD flags)
{
    m_flags = flags;
    return 0;
}

int CUGCell::SetFormatObject(CUGCellFormat* format)
{
    m_format = format;
    m_flags |= UGCELL_FORMAT_SET;
    return 0;
}

int CUGCell::SetStyleCell(CUGCell* style)
{
    m_styleCell = style;
    m_flags |= UGCELL_STYLE_SET;
    return 0;
}

int CUGCell::SetDrawHints(DWORD hints)
{
    m_drawHints = hints; // the control writes heading hints without marking them set
    return 0;
}

int CUGCell::SetDataType(WORD type)
{
    if (type == m_dataType && (m_flags & UGCELL_DATATYPE_SET))
        return 0;
    if (m_flags & UGCELL_TEXT_SET)
    {
        const CUserLocale& locale = CUserLocale::Current();
        if (type == UGCELLDATA_NUMBER)
        {
            m_number = ugtext::ParseLocaleNumber(CString(GetText()), locale);
            m_text.Empty();
        }
        else if (type == UGCELLDATA_TIME)
        {
            double date = 0.0;
            switch (ugtext::ParseLocaleDateTime(CString(GetText()), locale, date))
            {
            case ugtext::DateParse::Ok: m_number = date; break;
            case ugtext::DateParse::TypeMismatch: m_number = 0.0; break;
            case ugtext::DateParse::Overflow: m_number = -1.0; break;
            }
        }
        else if (type == UGCELLDATA_CURRENCY)
        {
            if (m_dataType == UGCELLDATA_NUMBER)
                m_text = ugtext::FixedDecimals(m_number, 2);
            else
            {
                long long amount = 0;
                // Whole currency units: the amount's fraction is dropped.
                m_number = ugtext::ParseLocaleCurrency(CString(GetText()), locale, amount) ? double(amount / 10000) : 0.0;
            }
        }
    }
    m_flags |= UGCELL_DATATYPE_SET;
    m_dataType = type;
    return 0;
}

void CUGCell::BuildNumberText()
{
    m_text.Empty();
    const bool decimalsSet = (m_flags & UGCELL_NUMBERDEC_SET) != 0;
    CString text;
    if (decimalsSet)
        text = ugtext::FixedDecimals(m_number, m_decimals);
    else
    {
        // The shortest text that reads back as the number; zeros after the point go.
        text = ugtext::ShortestFixed(m_number);
        if (text.Find('.') >= 0)
            text.TrimRight('0');
        text.TrimLeft('0');
        if (text.Find('.') >= 0)
            text.TrimRight('0');
    }
    if (!text.IsEmpty() && text[text.GetLength() - 1] == '.')
        text.TrimRight('.');
    if (text.IsEmpty())
        text = "0";
    if (!(m_flags & UGCELL_DONOT_LOCALIZE))
    {
        const CUserLocale& locale = CUserLocale::Current();
        const int point = text.ReverseFind('.');
        const int digits = decimalsSet ? m_decimals : (point >= 0 ? text.GetLength() - point - 1 : 0);
        CString formatted;
        if (ugtext::FormatLocaleNumber(text, digits, locale, formatted))
            text = formatted;
        else
            text.Replace(".", locale.decimalSeparator);
    }
    m_text = text;
}

const char* CUGCell::GetText()
{
    if (!(m_flags & UGCELL_TEXT_SET))
        return nullptr;
    if (m_dataType == UGCELLDATA_NUMBER)
        BuildNumberText();
    return m_text.GetString();
}

int CUGCell::GetTextString(CString* text)
{
    const char* t = GetText();
    if (!t)
        return 1;
    if (text)
        *text = t;
    return 0;
}

int CUGCell::GetTextLength()
{
    const char* t = GetText();
    return t ? m_text.GetLength() : 0;
}

double CUGCell::GetNumber()
{
    if (!(m_flags & UGCELL_TEXT_SET))
        return 0.0;
    if (m_dataType == UGCELLDATA_NUMBER || m_dataType == UGCELLDATA_TIME || m_dataType == UGCELLDATA_CURRENCY)
        return m_number;
    return ParseLocaleNumber(m_text);
}

int CUGCell::GetNumberLong(int* number)
{
    if (!(m_flags & UGCELL_TEXT_SET))
        return 1;
    const double value = GetNumber();
    if (number)
    {
        if (std::isnan(value))
            *number = 0;
        else if (value >= double(std::numeric_limits<int>::max()))
            *number = std::numeric_limits<int>::max();
        else if (value <= double(std::numeric_limits<int>::min()))
            *number = std::numeric_limits<int>::min();
        else
            *number = int(value);
    }
    return 0;
}

const char* CUGCell::GetLabelText() const
{
    return (m_flags & UGCELL_LABEL_SET) ? m_label.GetString() : nullptr;
}

int CUGCell::GetLabelTextString(CString* text) const
{
    if (!(m_flags & UGCELL_LABEL_SET))
        return 1;
    if (text)
        *text = m_label;
    return 0;
}

const char* CUGCell::GetMask() const
{
    return (m_flags & UGCELL_MASK_SET) ? m_mask.GetString() : nullptr;
}

WORD CUGCell::GetDataType() const
{
    return (m_flags & UGCELL_DATATYPE_SET) ? m_dataType : UGCELLDATA_STRING;
}

INT_PTR CUGCell::GetParam() const
{
    return (m_flags & UGCELL_PARAM_SET) ? m_param : 0;
}

int CUGCell::GetCellType() const
{
    return (m_flags & UGCELL_CELLTYPE_SET) ? m_cellType : 0;
}

long CUGCell::GetCellTypeEx() const
{
    return (m_flags & UGCELL_CELLTYPEEX_SET) ? m_cellTypeEx : 0;
}

COLORREF CUGCell::GetTextColor() const
{
    return (m_flags & UGCELL_TEXTCOLOR_SET) ? m_textColor : GetSysColor(COLOR_WINDOWTEXT);
}

COLORREF CUGCell::GetBackColor() const
{
    return (m_flags & UGCELL_BACKCOLOR_SET) ? m_backColor : GetSysColor(COLOR_WINDOW);
}

COLORREF CUGCell::GetHighlightTextColor() const
{
    return (m_flags & UGCELL_HTEXTCOLOR_SET) ? m_hTextColor : GetSysColor(COLOR_HIGHLIGHTTEXT);
}

COLORREF CUGCell::GetHighlightBackColor() const
{
    return (m_flags & UGCELL_HBACKCOLOR_SET) ? m_hBackColor : GetSysColor(COLOR_HIGHLIGHT);
}

WORD CUGCell::GetBorder() const
{
    return (m_flags & UGCELL_BORDERSTYLE_SET) ? m_borderStyle : 0;
}

CPen* CUGCell::GetBorderColor() const
{
    return (m_flags & UGCELL_BORDER_SET) ? m_borderPen : nullptr;
}

CFont* CUGCell::GetFont() const
{
    return (m_flags & UGCELL_FONT_SET) ? m_font : nullptr;
}

CBitmap* CUGCell::GetBitmap() const
{
    return (m_flags & UGCELL_BITMAP_SET) ? m_bitmap : nullptr;
}

WORD CUGCell::GetAlignment() const
{
    return (m_flags & UGCELL_ALIGNMENT_SET) ? m_alignment : 0;
}

int CUGCell::GetNumberDecimals() const
{
    return (m_flags & UGCELL_NUMBERDEC_SET) ? m_decimals : 0;
}

BOOL CUGCell::GetReadOnly() const
{
    return (m_flags & UGCELL_READONLY_SET) ? m_readOnly : FALSE;
}

CUGCellFormat* CUGCell::GetFormatObject() const
{
    return (m_flags & UGCELL_FORMAT_SET) ? m_format : nullptr;
}

CUGCell* CUGCell::GetStyleCell() const
{
    return (m_flags & UGCELL_STYLE_SET) ? m_styleCell : nullptr;
}

int CUGCell::GetJoinInfo(BOOL* origin, int* colOffset, int* rowOffset) const
{
    if (!(m_flags & UGCELL_JOIN_SET))
        return 1;
    if (origin)
        *origin = m_joinOrigin;
    if (colOffset)
        *colOffset = m_joinCol;
    if (rowOffset)
        *rowOffset = m_joinRow;
    return 0;
}

double CUGCell::ParseLocaleNumber(const CString& text)
{
    return ugtext::ParseLocaleNumber(text, CUserLocale::Current());
}
