#include "platform/reportengine/ReportObjects.h"

const char* CReportComponent::GetTypeName() const
{
    switch (m_kind)
    {
    case EKind::kMemo:
        return "Memo";
    case EKind::kPicture:
        return "Picture";
    case EKind::kLine:
        return "Line";
    }
    return "";
}

const char* CReportBand::GetTypeName() const
{
    switch (m_kind)
    {
    case EKind::kPageHeader:
        return "PageHeader";
    case EKind::kPageFooter:
        return "PageFooter";
    case EKind::kTitle:
        return "ReportTitle";
    case EKind::kChild:
        return "Child";
    case EKind::kMasterData:
        return "MasterData";
    case EKind::kHeader:
        return "Header";
    case EKind::kFooter:
        return "Footer";
    }
    return "";
}

namespace
{
CReportObject* FindInBand(const CReportBand* band, const CString& name)
{
    if (!band)
        return nullptr;
    if (band->GetName() == name)
        return const_cast<CReportBand*>(band);
    for (const auto& component : band->components)
        if (component->GetName() == name)
            return component.get();
    for (const auto& inner : band->bands)
        if (CReportObject* found = FindInBand(inner.get(), name))
            return found;
    return nullptr;
}
} // namespace

CReportObject* SReportTemplate::FindObject(const CString& name) const
{
    if (name.IsEmpty())
        return nullptr;
    if (CReportObject* found = FindInBand(pageHeader.get(), name))
        return found;
    if (CReportObject* found = FindInBand(pageFooter.get(), name))
        return found;
    for (const auto& band : body)
        if (CReportObject* found = FindInBand(band.get(), name))
            return found;
    return nullptr;
}
