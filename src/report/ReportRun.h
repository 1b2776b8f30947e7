#pragma once
// The scope of one report run: the run's data sets are bound to the engine and its pictures
// given to the event sink while it lives; afterwards nothing of the run stays in force and no
// picture file stays on disk.
#include "report/ReportEventHandler.h"
#include "report/UserDataSet.h"

class CReportEngine;

class CReportRun
{
public:
    CReportRun(CReportEngine& engine, CReportEventHandler& events, CUserDataSetList& dataSets,
               CReportPictureList& pictures, IReportUserFunction* function = nullptr);
    ~CReportRun();
    CReportRun(const CReportRun&) = delete;
    CReportRun& operator=(const CReportRun&) = delete;

private:
    CReportEngine& m_engine;
    CReportEventHandler& m_events;
    CUserDataSetList& m_dataSets;
    IReportUserFunction* m_function = nullptr;
};
