#pragma once
// What the report engine asks of the application while it prepares pages. Events arrive on the
// calling thread, only inside CReportEngine::PrepareReport.
#include "platform/framework/CString.h"

#include <vector>

// A component being printed, as the application's events see it: its name and kind, and a
// picture component can be given the image of a file.
class IPrintedComponent
{
public:
    virtual const CString& GetName() const = 0;
    // "Memo", "Picture" or "Line".
    virtual const char* GetTypeName() const = 0;
    // Throws CReportEngineError when the file cannot be read as an image (the picture is then
    // empty).
    virtual void LoadPicture(const CString& path) = 0;

protected:
    ~IPrintedComponent() = default;
};

// The report's events: every component is announced before and after it is printed, so that
// the application can fill a picture just in time and clean up after it.
class IReportEvents
{
public:
    virtual ~IReportEvents() = default;
    virtual void OnBeforePrint(IPrintedComponent& component) = 0;
    virtual void OnAfterPrint(IPrintedComponent& component) = 0;
    // A template's call of a declared function; the result stays empty when nobody answers.
    virtual void OnUserFunction(const CString& name, const std::vector<CString>& arguments, CString& result) = 0;
};

// The rows of a user data set, pulled one at a time.
class IUserDataSetEvents
{
public:
    virtual ~IUserDataSetEvents() = default;
    // The cell of the current row in that column; false (value untouched) when there is none.
    virtual bool GetValue(const CString& column, CString& value) = 0;
    virtual bool Eof() = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
};
