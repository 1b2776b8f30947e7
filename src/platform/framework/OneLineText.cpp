#include "platform/framework/OneLineText.h"

#include <string>

CString OneLineText(const CString& text)
{
    std::string line;
    bool inBreak = false;
    for (const char c : text.view()) {
        const bool isBreak = c == '\r' || c == '\n';
        if (!isBreak)
            line += c;
        else if (!inBreak)
            line += ' ';
        inBreak = isBreak;
    }
    return CString(std::move(line));
}
