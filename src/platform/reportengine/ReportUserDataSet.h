#pragma once
// The engine's side of a user data set: the name by which templates refer to it, its field
// list, and the application object that serves its rows (not owned; connected for as long as
// the data set is in use).
#include "platform/framework/CString.h"
#include "platform/reportengine/ReportEvents.h"

class CReportUserDataSet
{
public:
    const CString& GetUserName() const { return m_name; }
    void SetUserName(const CString& name) { m_name = name; }
    // Field names, each followed by a line feed.
    const CString& GetFields() const { return m_fields; }
    void SetFields(const CString& fields) { m_fields = fields; }

    void Connect(IUserDataSetEvents* events) { m_events = events; }
    void Disconnect() { m_events = nullptr; }
    // Null while nothing is connected.
    IUserDataSetEvents* GetEvents() const { return m_events; }

private:
    CString m_name;
    CString m_fields;
    IUserDataSetEvents* m_events = nullptr;
};
