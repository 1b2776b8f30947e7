#pragma once
// CUGMultiFontType: draws text that carries inline tags. A tag is "<:" with a command and
// comma-separated fields, closed by ">": F,face,height,weight selects a font; C,red,green,blue a
// text colour; S a smaller, lowered script; N the normal script again.
#include "grid/CUGCellType.h"
#include "platform/framework/windows/GdiObjects.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>

class CUGMultiFontType : public CUGCellType
{
public:
    CUGMultiFontType();

    CString GetName() const override { return "Multi-Font"; }
    void GetBestSize(CDC* dc, CSize* size, CUGCell* cell) override;
    void OnDraw(CDC* dc, RECT* rect, int col, int row, CUGCell* cell, int selected, int current) override;

private:
    // Applies the tag that starts at pos; returns the position after it, or the text's length
    // when the tag is not closed (it swallows the rest).
    int ApplyTag(CDC* dc, const CString& text, int pos);
    // The length of the character (UTF-8 sequence) at pos.
    static int CharLength(const CString& text, int pos);
    static bool IsTag(const CString& text, int pos);
    // Lays out the lines of a multi-line text from the area's top, each run of one font broken at
    // blanks to the area's right edge; draws them or only measures them. Returns their height and
    // keeps in `right` (when given) how far right of the area's left edge the widest reaches.
    int LayOutLines(CDC* dc, const CString& text, const CRect& area, bool draw, int* right);
    // Forgets the fonts of the previous pass and selects the pass's first font back.
    void EndPass(CDC* dc);

    // The fonts the tags name, each made once: a grid measures and draws the same tagged texts
    // again and again, and a font keeps the widths of the texts measured in it.
    std::map<std::tuple<std::string, int, int>, std::unique_ptr<CFont>> m_tagFonts; // by face, height, weight
    CFont* m_tagFont = nullptr;         // the font of the last font tag
    CFont* m_displacedFont = nullptr;   // the font the first tag font displaced
    double m_scaleX = 1.0;
    double m_scaleY = 1.0;
    std::unique_ptr<CFont> m_smallFont; // the small script
    CFont* m_beforeSmallFont = nullptr; // the font the small script displaced
    int m_smallOffset = 0;
    int m_verticalOffset = 0;           // how far below the line the current characters sit
};
