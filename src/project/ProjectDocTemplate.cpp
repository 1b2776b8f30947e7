#include "project/ProjectDocTemplate.h"

CString CProjectDocTemplate::GetDocString(DocStringIndex index) const
{
    CString fields;
    if (m_docStringsId == 0 || !fields.LoadString(m_docStringsId))
        return {};
    int start = 0;
    for (int field = 0; field < index; ++field) {
        start = fields.Find('\n', start);
        if (start < 0)
            return {};
        ++start;
    }
    const int end = fields.Find('\n', start);
    return end < 0 ? fields.Mid(start) : fields.Mid(start, end - start);
}
