#pragma once
// What every band and component of a report template has: a name by which the application can
// find it, and a switch that hides it.
#include "platform/framework/CString.h"

class CReportObject
{
public:
    virtual ~CReportObject() = default;

    // "Memo", "Picture", "Line" or the band kind's name ("MasterData" ...).
    virtual const char* GetTypeName() const = 0;
    const CString& GetName() const { return m_name; }
    void SetName(const CString& name) { m_name = name; }
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }

private:
    CString m_name;
    bool m_visible = true;
};
