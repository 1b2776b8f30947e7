#include "report/ReportSessionUDS.h"

#include "datamodel/RegionalPhaseName.h"
#include "project/ProjectManagerSettings.h"
#include "project/RecDoc.h"
#include "report/ReportStrings.h"

CReportSessionUDS::CReportSessionUDS(const CRecDoc& document, int dataSet, int kind)
{
    if (kind == kCurrentProbes)
    {
        for (const char* column : {"Channel", "Model", "Range", "Serial"})
            AddColumn(column);
        AddProbeRows(document, dataSet);
    }
    else
    {
        for (const char* column : {"Channel", "Gain", "Offset", "Unit"})
            AddColumn(column);
        AddAuxRows(document, dataSet);
    }
}

void CReportSessionUDS::AddProbeRows(const CRecDoc& document, int dataSet)
{
    const CDataSet* set = document.GetDataSet(dataSet);
    if (!set || !set->GetMeasurementConfig().IsLoggerLayout())
        return;
    const CMeasurementConfig& config = set->GetMeasurementConfig();
    for (int phase = 0; phase < 3; ++phase)
    {
        CString model = config.GetProbeName(phase);
        if (model.IsEmpty())
        {
            AddRow({GetPhaseName(phase), LoadReportString(kIdsNotConnected), "-", "-"});
            continue;
        }
        CString range = document.GetValueFormatter()->FormatNumber(config.GetProbeRange(phase), 2,
                                                                   LoadReportString(kIdsAmpereUnit));
        AddRow({GetPhaseName(phase), model, range, config.GetProbeSerialText(phase)});
    }
}

void CReportSessionUDS::AddAuxRows(const CRecDoc& document, int dataSet)
{
    const CDataSet* set = document.GetDataSet(dataSet);
    const SProjectManagerDataSetEntry* entry = nullptr;
    if (const auto* manager = FindProjectManagerSettings(document))
        entry = manager->GetDataSetEntry(set ? set->GetIndex() : dataSet);
    const CValueFormatter& formatter = *document.GetValueFormatter();
    for (int channel = 0; channel < 2; ++channel)
    {
        double gain = 1.0;
        double offset = 0.0;
        CString unit;
        if (entry && entry->AuxOverride && entry->auxData[std::size_t(channel)].overrideFlag)
        {
            const SAuxChannelSettings& aux = entry->auxData[std::size_t(channel)];
            gain = aux.gain;
            offset = aux.offset;
            unit = aux.unit;
        }
        else if (set)
        {
            const CMeasurementConfig& config = set->GetMeasurementConfig();
            unit = channel == 0 ? config.GetAux1Unit() : config.GetAux2Unit();
        }
        AddRow({LoadReportString(channel == 0 ? kIdsAux1 : kIdsAux2), formatter.FormatNumber(gain, 3),
                formatter.FormatNumber(offset, 3), unit});
    }
}
