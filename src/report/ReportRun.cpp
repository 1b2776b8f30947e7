#include "report/ReportRun.h"

#include "platform/reportengine/ReportEngine.h"

CReportRun::CReportRun(CReportEngine& engine, CReportEventHandler& events, CUserDataSetList& dataSets,
                       CReportPictureList& pictures, IReportUserFunction* function)
    : m_engine(engine), m_events(events), m_dataSets(dataSets)
{
    m_events.SetPictureList(&pictures);
    for (const auto& dataSet : m_dataSets)
        m_engine.BindUserDataSet(dataSet->engineDataSet);
    if (function && m_events.RegisterUserFunction(function))
        m_function = function;
}

CReportRun::~CReportRun()
{
    m_events.SetPictureList(nullptr);
    for (const auto& dataSet : m_dataSets)
        m_engine.UnbindUserDataSet(dataSet->engineDataSet);
    if (m_function)
        m_events.UnregisterUserFunction(m_function->GetName());
    m_events.DeletePictureFiles();
}
