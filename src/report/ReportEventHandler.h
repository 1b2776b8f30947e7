#pragma once
// The report's event sink: fills the picture objects of a run with their files just before
// they print (the logo into every picture whose name begins with "PictureLogo"), deletes the
// files once printed, and answers the template functions registered with it.
#include "platform/reportengine/ReportEvents.h"
#include "report/ReportPicture.h"

#include <map>

class IReportUserFunction
{
public:
    virtual ~IReportUserFunction() = default;
    virtual CString GetName() const = 0;
    virtual void Call(const std::vector<CString>& arguments, CString& result) = 0;
};

class CReportEventHandler : public IReportEvents
{
public:
    void SetLogoPath(const CString& path) { m_logoPath = path; }
    const CString& GetLogoPath() const { return m_logoPath; }
    // The pictures of the current run (not owned); null between runs.
    void SetPictureList(CReportPictureList* pictures) { m_pictures = pictures; }
    // False when a function of the same upper-case name is registered already.
    bool RegisterUserFunction(IReportUserFunction* function);
    void UnregisterUserFunction(const CString& name);
    // Deletes the picture files still on disk: after a run that failed between a picture's
    // printing and its end.
    void DeletePictureFiles();

    void OnBeforePrint(CReportComponent& component) override;
    void OnAfterPrint(CReportComponent& component) override;
    void OnUserFunction(const CString& name, const std::vector<CString>& arguments, CString& result) override;

private:
    CReportPictureList* m_pictures = nullptr;
    std::map<CString, CString> m_files;
    std::map<CString, IReportUserFunction*> m_functions;
    CString m_logoPath;
};
