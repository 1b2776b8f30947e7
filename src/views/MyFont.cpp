#include "views/MyFont.h"

#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/GdiConstants.h"

#include <map>
#include <memory>
#include <utility>

namespace {

using FontKey = std::pair<int, bool>;

std::map<FontKey, std::unique_ptr<CFont>>& SharedFonts()
{
    static std::map<FontKey, std::unique_ptr<CFont>> fonts;
    return fonts;
}

void AddFont(const LOGFONT& face, int height, bool bold)
{
    LOGFONT description = face;
    description.lfHeight = height;
    description.lfWidth = 0;
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    auto font = std::make_unique<CFont>();
    font->CreateFontIndirect(&description);
    SharedFonts()[{height, bold}] = std::move(font);
}

} // namespace

void CMyFont::InitSharedFonts(CWnd* window)
{
    if (!SharedFonts().empty())
        return;
    LOGFONT face;
    CFont* windowFont = window ? window->GetFont() : nullptr;
    if (!windowFont)
        windowFont = CFont::FromHandle(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    if (windowFont)
        windowFont->GetLogFont(&face);
    for (int height : kRegularHeights)
        AddFont(face, height, false);
    for (int height : kBoldHeights)
        AddFont(face, height, true);
}

CFont* CMyFont::GetSharedFont(int height, bool bold)
{
    InitSharedFonts(nullptr);
    const auto found = SharedFonts().find({height, bold});
    return found == SharedFonts().end() ? nullptr : found->second.get();
}

CString CMyFont::FormatFontTag(const CFont& font)
{
    LOGFONT description;
    font.GetLogFont(&description);
    CString tag;
    tag.Format("<:F,%s,%d,%d>", description.lfFaceName, int(description.lfHeight), int(description.lfWeight));
    return tag;
}

CString CMyFont::SharedFontTag(int height, bool bold)
{
    const CFont* font = GetSharedFont(height, bold);
    return font ? FormatFontTag(*font) : CString();
}
