#include "report/UserDataSet.h"

SUserDataSet::SUserDataSet(const CString& name, std::unique_ptr<CReportBaseUDS> rows) : dataSet(std::move(rows))
{
    engineDataSet.SetUserName(name);
    engineDataSet.SetFields(dataSet->GetFields());
    engineDataSet.Connect(dataSet.get());
}

SUserDataSet::~SUserDataSet()
{
    engineDataSet.Disconnect();
}

void AddUserDataSet(CUserDataSetList& list, const CString& name, std::unique_ptr<CReportBaseUDS> rows)
{
    list.push_back(std::make_unique<SUserDataSet>(name, std::move(rows)));
}
