#pragma once
// CMyFont: the fonts shared by the grids and pages of the project window (regular 5, 10, 11, 12
// and 14 px, bold 11, 12 and 14 px), made once per process from a window's font face. An object
// of the class stands for a user of the shared set; the set lives until the process ends.
#include "platform/framework/CString.h"
#include "platform/framework/windows/GdiObjects.h"

class CWnd;

class CMyFont
{
public:
    static constexpr int kRegularHeights[] = {5, 10, 11, 12, 14};
    static constexpr int kBoldHeights[] = {11, 12, 14};

    CMyFont() { InitSharedFonts(nullptr); }

    // Makes the shared set from the window's font face (the framework's default face without a
    // window or font); later calls keep the set made first.
    static void InitSharedFonts(CWnd* window);
    // The shared font of that pixel height and weight; null for a size the set does not hold.
    static CFont* GetSharedFont(int height, bool bold);

    // "<:F,face,height,weight>", the multi-font cell tag that selects the font.
    static CString FormatFontTag(const CFont& font);
    // The tag of the shared font of that height and weight; empty for a size the set lacks.
    static CString SharedFontTag(int height, bool bold);
};
