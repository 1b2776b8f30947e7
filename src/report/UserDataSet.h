#pragma once
// A user data set of one report run: the engine's data-set object, named and given its
// fields, connected to the application's data set that serves the rows.
#include "platform/reportengine/ReportUserDataSet.h"
#include "report/ReportBaseUDS.h"

#include <memory>
#include <vector>

struct SUserDataSet
{
    SUserDataSet(const CString& name, std::unique_ptr<CReportBaseUDS> rows);
    ~SUserDataSet();
    SUserDataSet(const SUserDataSet&) = delete;
    SUserDataSet& operator=(const SUserDataSet&) = delete;

    CReportUserDataSet engineDataSet;
    std::unique_ptr<CReportBaseUDS> dataSet;
};

using CUserDataSetList = std::vector<std::unique_ptr<SUserDataSet>>;

// Appends a data set of that name over the rows.
void AddUserDataSet(CUserDataSetList& list, const CString& name, std::unique_ptr<CReportBaseUDS> rows);
