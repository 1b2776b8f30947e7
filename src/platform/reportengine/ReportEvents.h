#pragma once
// What the report engine asks of the application while it prepares pages. Events arrive on the
// calling thread, only inside CReportEngine::PrepareReport.
#include "platform/framework/CString.h"

#include <vector>

class CReportComponent;

// The report's events: every component is announced before and after it is printed, so that
// the application can fill a picture just in time and clean up after it.
class IReportEvents
{
public:
    virtual ~IReportEvents() = default;
    virtual void OnBeforePrint(CReportComponent& component) = 0;
    virtual void OnAfterPrint(CReportComponent& component) = 0;
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
