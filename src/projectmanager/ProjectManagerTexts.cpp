#include "projectmanager/ProjectManagerTexts.h"

#include <array>
#include <utility>

#include "datamodel/DataSet.h"
#include "datamodel/DataTable.h"
#include "datamodel/DateTimeFormats.h"
#include "datamodel/IntervalText.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/RegionPrefs.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/ValueFormatter.h"
#include "platform/framework/LocaleNumber.h"
#include "project/ImageSettings.h"
#include "views/MyFont.h"
#include "views/TimeSpanText.h"

namespace {

constexpr UINT IDS_STUDY_TYPE = 10131;
constexpr UINT IDS_TOPOLOGY = 10132;
constexpr UINT IDS_NOMINAL_VOLTAGE = 10133;
constexpr UINT IDS_CURRENT_SENSORS = 10134;
constexpr UINT IDS_START_DATE = 10135;
constexpr UINT IDS_END_DATE = 10136;
constexpr UINT IDS_DURATION = 10137;
constexpr UINT IDS_AVERAGING_INTERVAL = 10138;
constexpr UINT IDS_AVERAGING_COUNT = 10139;
constexpr UINT IDS_ORIGINAL_NAME = 10140;
constexpr UINT IDS_ORIGINAL_DESCRIPTION = 10141;
constexpr UINT IDS_INSTRUMENT = 10142;
constexpr UINT IDS_INSTRUMENT_VERSION = 10143;
constexpr UINT IDS_SERIAL_NUMBER = 10144;
constexpr UINT IDS_DEMAND_INTERVAL = 10194;
constexpr UINT IDS_DEMAND_COUNT = 10195;
constexpr UINT IDS_VOLTAGE_RATIO = 10208;
constexpr UINT IDS_CURRENT_RATIO = 10209;
constexpr UINT IDS_TIME_ZONE = 10210;
constexpr UINT IDS_FIRMWARE_VERSION = 27950;
constexpr UINT IDS_DSP_VERSION = 27951;
constexpr UINT IDS_DATE_TIME_FORMAT = 8066;
constexpr WORD kFirmwareTable = 37;
constexpr WORD kDspTable = 38;
constexpr WORD kSerialNumberTable = 45;
constexpr int kRatioDecimals = 3;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

// "n" records, or "n (n + g)" when g intervals are missing between the first and the last.
CString FormatRecordCount(int records, int missing)
{
    return missing > 0 ? CString::Formatted("%d (%d)", records, records + missing) : CString::Formatted("%d", records);
}

CString FormatRecordCount(const CTrendTimeBlock* block)
{
    const int records = block ? block->GetRecordCount() : 0;
    return FormatRecordCount(records, records > 1 ? block->CountMissingIntervals(0, records - 1) : 0);
}

// Read from the list's ends, without its time block (a year's takes a while to build).
CString FormatRecordCount(const CDataTable& list, const CMeasurementConfig& config)
{
    const auto [records, missing] = CTrendTimeBlock::CountListRecords(list, config);
    return FormatRecordCount(records, missing);
}

// Length in bytes of the UTF-8 sequence that starts with this byte.
int SequenceLength(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

// A version entry's description starts with the entry's name, which the label already shows.
CString WithoutOwnName(const CString& description, const CString& name)
{
    if (description.Left(name.GetLength()) != name)
        return description;
    CString rest = description.Mid(name.GetLength());
    return rest.Trim();
}

} // namespace

CProjectManagerTexts::CProjectManagerTexts()
{
    CMyFont fonts;
    m_labelPrefix = CMyFont::SharedFontTag(11, false);
    m_valuePrefix = CMyFont::SharedFontTag(12, true);
    m_valueSuffix = "\n" + CMyFont::SharedFontTag(5, false) + " \n";
}

CStringW CProjectManagerTexts::Pair(UINT labelId, const CString& value) const
{
    return Label(LoadText(labelId)) + Value(value);
}

CString CProjectManagerTexts::FormatProbeLines(const CMeasurementConfig& config)
{
    std::array<CString, 5> phases;
    CRegionPrefs::LoadPhaseNames(phases);
    CString lines;
    for (int probe = 0; probe < config.GetProbeCount(); ++probe) {
        const CString name = config.GetProbeName(probe);
        if (name.IsEmpty())
            continue;
        const CString phase = std::size_t(probe) < phases.size() ? phases[std::size_t(probe)] : CString();
        const float range = config.GetProbeRange(probe);
        if (range < 1.0f)
            lines.AppendFormat("%s, %s, %.0fmA, %s\n", phase, name, double(range) * 1000.0,
                               config.GetProbeSerialText(probe));
        else
            lines.AppendFormat("%s, %s, %.0fA, %s\n", phase, name, double(range), config.GetProbeSerialText(probe));
    }
    return lines;
}

CStringW CProjectManagerTexts::FormatConfigurationText(const CMeasurementConfig& config,
                                                       const CValueFormatter& formatter) const
{
    const CString nominal = config.IsLoadStudyWithNominalVoltage()
                                ? " " + ShortestLocaleFloat(config.GetNominalVoltage(), CUserLocale::Current()) + "V"
                                : CString(kMissingValue);
    return Pair(IDS_STUDY_TYPE, config.GetStudyTypeName()) + Pair(IDS_TOPOLOGY, config.GetTopologyName()) +
           Pair(IDS_NOMINAL_VOLTAGE, nominal) + Pair(IDS_CURRENT_SENSORS, FormatProbeLines(config)) +
           Pair(IDS_VOLTAGE_RATIO, formatter.FormatNumber(config.GetVoltageRatio0(), kRatioDecimals, ":1")) +
           Pair(IDS_CURRENT_RATIO, formatter.FormatNumber(config.GetCurrentRatio0(), kRatioDecimals, ":1"));
}

CStringW CProjectManagerTexts::FormatTimesText(CDataSet& dataSet) const
{
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    const CString dateFormat = ExpandDateTimeFormat(IDS_DATE_TIME_FORMAT);
    const CHighTime start = config.GetConfiguredStart();
    const CHighTime end = config.GetConfiguredEnd();
    // The trend records' time block is what every study page of the session starts from; the
    // demand records' one only the demand pages need.
    const CTrendTimeBlock* trend = dataSet.GetTrendTimeBlock();
    const CDataTable& demand = *dataSet.GetDemandTable();

    CString duration = trend && trend->GetRecordCount() > 0
                           ? FormatTimeSpanText(trend->GetLastTime() - trend->GetFirstTime())
                           : CString(kMissingValue);
    duration.AppendFormat(" (%s)", FormatTimeSpanText(end - start));
    const DWORD demandSeconds = config.GetDemandInterval();
    return Pair(IDS_START_DATE, start.Format(dateFormat)) + Pair(IDS_END_DATE, end.Format(dateFormat)) +
           Pair(IDS_DURATION, duration) + Pair(IDS_AVERAGING_INTERVAL, FormatIntervalText(int(config.GetAveragingInterval()))) +
           Pair(IDS_AVERAGING_COUNT, FormatRecordCount(trend)) +
           Pair(IDS_DEMAND_INTERVAL, demandSeconds == 0 ? CString(kMissingValue) : FormatIntervalText(int(demandSeconds))) +
           Pair(IDS_DEMAND_COUNT, FormatRecordCount(demand, config));
}

CString CProjectManagerTexts::FirstLineOfDescription(const CString& description)
{
    CString line = description;
    for (char breakChar : {'\r', '\n'}) {
        const int at = line.Find(breakChar);
        if (at >= 0)
            line = line.Left(at);
    }
    // Forty characters, not bytes: a character is never cut in two.
    int position = 0;
    for (int count = 0; count < kDescriptionLength && position < line.GetLength(); ++count)
        position += SequenceLength(static_cast<unsigned char>(line[position]));
    return line.Left(std::min(position, line.GetLength()));
}

CStringW CProjectManagerTexts::FormatOriginText(const CDataSet& dataSet) const
{
    const CMeasurementConfig& config = dataSet.GetMeasurementConfig();
    CString versions;
    for (const auto& [labelId, table] : {std::pair{IDS_FIRMWARE_VERSION, kFirmwareTable}, std::pair{IDS_DSP_VERSION, kDspTable}}) {
        const CString label = LoadText(labelId);
        versions.AppendFormat("%s  %s\n", label, WithoutOwnName(dataSet.DescribeTable(table, false), label));
    }
    return Pair(IDS_ORIGINAL_NAME, config.GetSessionName()) +
           Pair(IDS_ORIGINAL_DESCRIPTION, FirstLineOfDescription(config.GetDescription())) +
           Pair(IDS_INSTRUMENT, dataSet.GetInstrumentName()) + Pair(IDS_INSTRUMENT_VERSION, versions) +
           Pair(IDS_SERIAL_NUMBER, dataSet.DescribeTable(kSerialNumberTable, false)) +
           Pair(IDS_TIME_ZONE, config.GetTimeZoneText());
}

CStringW CProjectManagerTexts::FormatSavedScreenText(const CImageSettings* image) const
{
    if (!image)
        return Pair(IDS_SCREENSHOT_DATE, CString()) + Pair(IDS_INSTRUMENT, CString()) +
               Pair(IDS_INSTRUMENT_VERSION, CString()) + Pair(IDS_SERIAL_NUMBER, CString());
    const CString time = image->imageTime.IsZero() || image->imageTime.GetStatus() != CHighTime::valid
                             ? CString()
                             : " " + image->imageTime.Format(ExpandDateTimeFormat(IDS_DATE_TIME_FORMAT));
    return Pair(IDS_SCREENSHOT_DATE, time) + Pair(IDS_INSTRUMENT, image->instrument) +
           Pair(IDS_INSTRUMENT_VERSION, CString::Formatted("%s  %s", LoadText(IDS_FIRMWARE_VERSION), image->instrumentCpu)) +
           Pair(IDS_SERIAL_NUMBER, image->serialNumber);
}
