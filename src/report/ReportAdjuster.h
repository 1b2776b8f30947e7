#pragma once
// Changes to a loaded template before its pages are prepared.
#include "platform/framework/CString.h"

#include <vector>

class CReportEngine;

class IReportAdjuster
{
public:
    virtual ~IReportAdjuster() = default;
    virtual bool Adjust(CReportEngine& engine) = 0;
};

// Hides the named components; a name the template lacks is skipped (and logged).
class CHideComponents : public IReportAdjuster
{
public:
    explicit CHideComponents(std::vector<CString> names) : m_names(std::move(names)) {}
    bool Adjust(CReportEngine& engine) override;

private:
    std::vector<CString> m_names;
};
