#include "datamodel/NumberText.h"

void TrimTrailingZeros(CString& text)
{
    if (text.Find('.') < 0)
        return;
    text.TrimRight('0');
    if (!text.IsEmpty() && text[text.GetLength() - 1] == '.')
        text.Delete(text.GetLength() - 1);
}
