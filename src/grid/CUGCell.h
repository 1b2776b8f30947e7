#pragma once
// CUGCell: the value and appearance of one grid cell. Every property has a bit in the flag word,
// so a cell may carry only some properties and be laid over another one (merged) without
// disturbing what it does not set. Cells are values: copying copies the backup cell and the
// extra block too.
#include "grid/UGDefs.h"
#include "platform/framework/CString.h"

#include <cstddef>
#include <memory>
#include <vector>

class CBitmap;
class CFont;
class CPen;
class CUGCellFormat;

class CUGCell
{
public:
    CUGCell();
    CUGCell(const CUGCell& other);
    CUGCell& operator=(const CUGCell& other);
    virtual ~CUGCell();

    void ClearAll();
    void ClearValues();
    // Frees what the cell owns beyond its values: the backup cell and the extra block.
    void ReleaseOwned();
    void SaveBackup();
    const CUGCell* GetBackup() const { return m_backup.get(); }

    // Extra block: a block of memory that belongs to the cell (zeroed on allocation).
    void* AllocExtraBlock(std::size_t size);
    void* GetExtraBlock() { return m_extra.empty() ? nullptr : m_extra.data(); }
    std::size_t GetExtraBlockSize() const { return m_extra.size(); }
    void FreeExtraBlock();

    // Property copies: the source's set properties overwrite the target's.
    static int MergeInto(const CUGCell& source, CUGCell& target);
    int MergeFrom(const CUGCell* source) { return source ? MergeInto(*source, *this) : 1; }
    int MergeTo(CUGCell* target) const { return target ? MergeInto(*this, *target) : 1; }
    // As the merges, but the target first takes the source's whole flag word.
    int AssignFrom(const CUGCell* source);
    int AssignTo(CUGCell* target) const;

    // Setters: each sets its property's bit and returns 0.
    int SetText(const CString& text);
    int SetNumber(double number);
    int SetLabelText(const CString& text);
    int SetMask(const CString& mask);
    int SetParam(INT_PTR param);
    int SetCellType(int index);
    int SetCellTypeEx(long style);
    int SetTextColor(COLORREF color);
    int SetBackColor(COLORREF color);
    int SetHTextColor(COLORREF color);
    int SetHBackColor(COLORREF color);
    int SetBorder(WORD style);
    int SetBorderColor(CPen* pen);
    int SetFont(CFont* font);
    int SetBitmap(CBitmap* bitmap);
    int SetAlignment(WORD alignment);
    int SetNumberDecimals(int decimals);
    int SetReadOnly(BOOL readOnly);
    int SetJoinInfo(BOOL origin, int colOffset, int rowOffset);
    int SetPropertyFlags(DWORD flags);
    int SetDataType(WORD type);
    int SetFormatObject(CUGCellFormat* format);
    int SetStyleCell(CUGCell* style);
    int SetDrawHints(DWORD hints);
    void SetCellState(BYTE state) { m_state = state; }

    // Getters: the value when its bit is set, else the default named in each comment.
    const char* GetText(); // null; number cells print their number into the text first
    int GetTextString(CString* text);            // 1
    int GetTextLength();                         // 0
    double GetNumber();                          // 0.0
    int GetNumberLong(int* number);              // 1
    const char* GetLabelText() const;            // null
    int GetLabelTextString(CString* text) const; // 1
    const char* GetMask() const;                 // null
    WORD GetDataType() const;                    // 1
    INT_PTR GetParam() const;                   // 0
    int GetCellType() const;                     // 0
    long GetCellTypeEx() const;                  // 0
    COLORREF GetTextColor() const;               // system window text colour
    COLORREF GetBackColor() const;               // system window colour
    COLORREF GetHighlightTextColor() const;      // system highlight text colour
    COLORREF GetHighlightBackColor() const;      // system highlight colour
    WORD GetBorder() const;                      // 0
    CPen* GetBorderColor() const;                // null
    CFont* GetFont() const;                      // null
    CBitmap* GetBitmap() const;                  // null
    WORD GetAlignment() const;                   // 0
    int GetNumberDecimals() const;               // 0
    BOOL GetReadOnly() const;                    // false
    CUGCellFormat* GetFormatObject() const;      // null
    CUGCell* GetStyleCell() const;               // null
    int GetJoinInfo(BOOL* origin, int* colOffset, int* rowOffset) const; // 1
    DWORD GetDrawHints() const { return m_drawHints; }
    DWORD GetPropertyFlags() const { return m_flags; }
    BYTE GetCellState() const { return m_state; }
    bool IsPropertySet(DWORD mask) const { return (m_flags & mask) != 0; }

    // The user-locale number reading used by the cell and offered to the application.
    static double ParseLocaleNumber(const CString& text);

private:
    void CopyOwnedFrom(const CUGCell& source);
    void BuildNumberText();

    std::unique_ptr<CUGCell> m_backup;
    DWORD m_flags = 0;
    BYTE m_state = 1;
    CUGCellFormat* m_format = nullptr;
    CUGCell* m_styleCell = nullptr;
    double m_number = 0.0;
    CString m_text;
    CString m_label;
    CString m_mask;
    WORD m_dataType = UGCELLDATA_STRING;
    BOOL m_readOnly = FALSE;
    INT_PTR m_param = -1;
    int m_decimals = 0;
    int m_cellType = -1;
    long m_cellTypeEx = -1;
    COLORREF m_textColor = 0;
    COLORREF m_backColor = 0;
    COLORREF m_hTextColor = 0;
    COLORREF m_hBackColor = 0;
    WORD m_borderStyle = 0;
    CPen* m_borderPen = nullptr;
    CFont* m_font = nullptr;
    CBitmap* m_bitmap = nullptr;
    WORD m_alignment = UG_ALIGNLEFT;
    std::vector<std::byte> m_extra;
    BOOL m_joinOrigin = 0;
    int m_joinRow = -1;
    int m_joinCol = -1;
    int m_reserved1 = 0;
    int m_reserved2 = 0;
    DWORD m_drawHints = UG_DRAWHINT_DEFAULT;
};
