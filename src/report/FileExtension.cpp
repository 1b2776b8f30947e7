#include "report/FileExtension.h"

#include <algorithm>

void GetFileExtension(const CString& path, CString& extension)
{
    const int nameStart = std::max(path.ReverseFind('\\'), path.ReverseFind('/')) + 1;
    const int dot = path.ReverseFind('.');
    extension = dot >= nameStart ? path.Mid(dot) : CString();
}
