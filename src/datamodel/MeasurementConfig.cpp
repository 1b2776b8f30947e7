#include "datamodel/MeasurementConfig.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/RegionPrefs.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Logger table (type 63) fields.
constexpr std::size_t kTopology = 12;
constexpr std::size_t kAveragingInterval = 16;
constexpr std::size_t kDemandInterval = 20;
constexpr std::size_t kProbeUsedByChannel = 30;  // u16 per channel
constexpr std::size_t kNominalVoltage = 36;
constexpr std::size_t kVoltageRatio = 44;        // f32 per channel
constexpr std::size_t kCurrentRatio = 56;        // f32 per channel
constexpr std::size_t kRangeInTenths = 90;       // u16 per channel
constexpr std::size_t kProbeRecords = 104;
constexpr std::size_t kProbeRecordSize = 44;
constexpr std::size_t kProbeName = 0;            // 32 8-bit characters
constexpr int kProbeNameLength = 32;
constexpr std::size_t kProbeSerial = 32;
constexpr std::size_t kProbeKind = 38;
constexpr std::size_t kProbeRange = 40;
constexpr std::size_t kForwardEnergyCost = 236;
constexpr std::size_t kAux1Unit = 240;
constexpr std::size_t kAux2Unit = 256;
constexpr int kAuxUnitBytes = 16;
constexpr std::size_t kConfiguredStart = 272;
constexpr std::size_t kConfiguredEnd = 280;
constexpr std::size_t kDescription = 288;
constexpr int kDescriptionBytes = 256;
constexpr std::size_t kSessionName = 544;
constexpr int kSessionNameBytes = 64;
constexpr std::size_t kStudyType = 610;
constexpr std::size_t kTimeZoneText = 612;
constexpr int kTimeZoneTextBytes = 128;
constexpr int kLoggerChannels = 3;

// Older table (type 3) fields.
constexpr std::size_t kOldTopology = 12;
constexpr std::size_t kOldProbeType = 19;        // byte per channel
constexpr std::size_t kOldNominalVoltage = 24;
constexpr std::size_t kOldProbeFullScale = 32;   // f32 per channel
constexpr std::size_t kOldVoltageRatio = 80;     // f32 per channel
constexpr std::size_t kOldCurrentRatio = 100;    // f32 per channel
constexpr int kOldChannels = 5;
constexpr DWORD kOldAveragingInterval = 600;
constexpr DWORD kOldDemandInterval = 300;

constexpr unsigned kTopologyNameBase = 27901;
constexpr unsigned kStudyTypeNameBase = 10145;
constexpr unsigned kProbeModelNameBase = 5200;
constexpr int kProbeModelCount = 50;
constexpr int kStudyTypeCount = 3;
constexpr int kLoadStudy = 2;

// Whether each topology has a neutral, in the logger layout and in the older one.
struct STopology
{
    bool neutralLogger;
    bool neutralOlder;
};
constexpr std::array<STopology, 13> kTopologies = {{
    {true, true},   // 0 1-ph with Neutral
    {true, true},   // 1 3-ph Wye
    {false, false}, // 2 3-ph Delta
    {true, true},   // 3 1-ph Split Phase
    {true, false},  // 4 1-ph IT No Neutral
    {true, false},  // 5 3-ph IT
    {false, false}, // 6 3-ph High Leg
    {false, false}, // 7 3-ph Open Leg
    {false, false}, // 8 Corner Grounded
    {false, false}, // 9 2 Element Delta
    {true, true},   // 10 2 1/2 Element Wye
    {true, true},   // 11 3-ph Wye Balanced
    {false, false}, // 12 3-ph Delta Balanced
}};

constexpr std::size_t ProbeField(int probe, std::size_t field)
{
    return kProbeRecords + std::size_t(probe) * kProbeRecordSize + field;
}

// Copies at most the table's own length into the image; the rest of the image stays zero.
template <std::size_t N>
void CopyTable(std::array<BYTE, N>& image, const Umbo_table_header_t* table)
{
    image.fill(0);
    const std::size_t length = std::clamp<std::size_t>(table->table_lth, sizeof(Umbo_table_header_t), N);
    std::memcpy(image.data(), table, length);
}

template <std::size_t N>
void SetDefaultImage(std::array<BYTE, N>& image, WORD tableType)
{
    image.fill(0);
    StoreU16(image.data(), 0, tableType);
    StoreU16(image.data(), 2, WORD(N));
    HighTimeToTableTime(CHighTime::GetPresentTime(), image.data() + 4);
}

CString LoadResource(unsigned id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

bool IsSinglePhaseTopology(int topology)
{
    return topology == 0 || topology == 3 || topology == 4;
}

bool StudyTypesCompatible(int a, int b)
{
    return a == b || (a != kLoadStudy && b != kLoadStudy);
}

CMeasurementConfig::CMeasurementConfig() = default;

void CMeasurementConfig::LoadLoggerTable(const Umbo_table_header_t* table)
{
    m_oldTable.fill(0);
    if (table && table->table_type == kLoggerConfigTableType) {
        CopyTable(m_loggerTable, table);
        m_loaded = 1;
        m_layout = 1;
    } else {
        SetLoggerDefaults();
    }
    BuildPhaseNames();
}

void CMeasurementConfig::LoadOldTable(const Umbo_table_header_t* table)
{
    m_loggerTable.fill(0);
    if (table && table->table_type == kOldConfigTableType) {
        CopyTable(m_oldTable, table);
        m_loaded = 1;
        m_layout = 0;
    } else {
        SetOldDefaults();
    }
    BuildPhaseNames();
}

void CMeasurementConfig::SetLoggerDefaults()
{
    SetDefaultImage(m_loggerTable, kLoggerConfigTableType);
    m_loaded = 1;
    m_layout = 1;
}

void CMeasurementConfig::SetOldDefaults()
{
    SetDefaultImage(m_oldTable, kOldConfigTableType);
    m_loaded = 1;
    m_layout = 0;
}

void CMeasurementConfig::BuildPhaseNames()
{
    m_defaultVoltageReference = HasNeutral() ? 2 : 1;
    // The user's settings are looked up once for the three references: every load of a session
    // builds them.
    std::array<CString, CPhaseNames::kPhaseCount> names;
    CRegionPrefs::LoadPhaseNames(names);
    for (const int reference : {2, 1, 3})
        m_phaseNames[std::size_t(reference - 1)] = CPhaseNames(reference, *this, names);
}

int CMeasurementConfig::GetTopology() const
{
    return IsLoggerLayout() ? LoadU16(m_loggerTable.data(), kTopology) : LoadU16(m_oldTable.data(), kOldTopology);
}

CString CMeasurementConfig::GetTopologyName() const
{
    const int topology = GetTopology();
    return topology < int(kTopologies.size()) ? LoadResource(kTopologyNameBase + unsigned(topology)) : CString();
}

bool CMeasurementConfig::HasNeutral() const
{
    const int topology = GetTopology();
    if (topology >= int(kTopologies.size()))
        return false;
    const STopology& row = kTopologies[std::size_t(topology)];
    return IsLoggerLayout() ? row.neutralLogger : row.neutralOlder;
}

int CMeasurementConfig::ResolveVoltageReference(int reference) const
{
    return reference == 0 ? m_defaultVoltageReference : reference;
}

int CMeasurementConfig::GetStudyType() const
{
    return IsLoggerLayout() ? LoadU16(m_loggerTable.data(), kStudyType) : 0;
}

CString CMeasurementConfig::GetStudyTypeName() const
{
    const int type = GetStudyType();
    return type < kStudyTypeCount ? LoadResource(kStudyTypeNameBase + unsigned(type)) : CString();
}

float CMeasurementConfig::GetNominalVoltage() const
{
    return IsLoggerLayout() ? LoadF32(m_loggerTable.data(), kNominalVoltage) : LoadF32(m_oldTable.data(), kOldNominalVoltage);
}

bool CMeasurementConfig::IsLoadStudyWithNominalVoltage() const
{
    return GetStudyType() == kLoadStudy && !(GetNominalVoltage() == 1.0f);
}

DWORD CMeasurementConfig::GetAveragingInterval() const
{
    return IsLoggerLayout() ? LoadU32(m_loggerTable.data(), kAveragingInterval) : kOldAveragingInterval;
}

DWORD CMeasurementConfig::GetDemandInterval() const
{
    return IsLoggerLayout() ? LoadU32(m_loggerTable.data(), kDemandInterval) : kOldDemandInterval;
}

float CMeasurementConfig::GetVoltageRatio(int channel) const
{
    if (channel < 0 || channel >= GetProbeCount())
        return 1.0f;
    return IsLoggerLayout() ? LoadF32(m_loggerTable.data(), kVoltageRatio + 4 * std::size_t(channel))
                            : LoadF32(m_oldTable.data(), kOldVoltageRatio + 4 * std::size_t(channel));
}

float CMeasurementConfig::GetCurrentRatio(int channel) const
{
    if (channel < 0 || channel >= GetProbeCount())
        return 1.0f;
    return IsLoggerLayout() ? LoadF32(m_loggerTable.data(), kCurrentRatio + 4 * std::size_t(channel))
                            : LoadF32(m_oldTable.data(), kOldCurrentRatio + 4 * std::size_t(channel));
}

CString CMeasurementConfig::GetProbeName(int channel) const
{
    if (channel < 0 || channel >= GetProbeCount())
        return {};
    if (IsLoggerLayout())
        return CharArrayToString(reinterpret_cast<const char*>(m_loggerTable.data() + ProbeField(channel, kProbeName)), kProbeNameLength);
    const int type = m_oldTable[kOldProbeType + std::size_t(channel)];
    CString name;
    if (type >= kProbeModelCount || !name.LoadString(kProbeModelNameBase + unsigned(type)))
        return "???";
    return name;
}

float CMeasurementConfig::GetProbeRange(int probe) const
{
    if (IsOlderLayout())
        return 1.0f;
    if (probe < 0 || probe >= kLoggerChannels)
        return 0.0f;
    return LoadF32(m_loggerTable.data(), ProbeField(probe, kProbeRange));
}

CString CMeasurementConfig::GetProbeSerialText(int probe) const
{
    if (IsOlderLayout() || probe < 0 || probe >= kLoggerChannels)
        return {};
    return CString::Formatted("%u", unsigned(LoadU32(m_loggerTable.data(), ProbeField(probe, kProbeSerial))));
}

double CMeasurementConfig::GetVoltageScale(int channel) const
{
    if (channel < 0 || channel >= GetProbeCount())
        return 0.0;
    return double(GetVoltageRatio(channel)) * 6.0;
}

double CMeasurementConfig::GetRatedCurrent(int channel) const
{
    const WORD kind = LoadU16(m_loggerTable.data(), ProbeField(channel, kProbeKind));
    const float range = LoadF32(m_loggerTable.data(), ProbeField(channel, kProbeRange));
    if ((kind != 2 && kind != 3) || !(range > 0.0f))
        return 5.0 / 10;
    const bool tenths = LoadU16(m_loggerTable.data(), kRangeInTenths + 2 * std::size_t(channel)) != 0;
    return tenths ? double(range) / 10 : double(range);
}

double CMeasurementConfig::GetCurrentScale(int channel) const
{
    if (channel < 0 || channel >= GetProbeCount())
        return 0.0;
    if (IsLoggerLayout())
        return GetRatedCurrent(channel) * double(GetCurrentRatio(channel)) * 0.001;
    return double(GetCurrentRatio(channel)) * 0.001 * double(LoadF32(m_oldTable.data(), kOldProbeFullScale + 4 * std::size_t(channel)));
}

double CMeasurementConfig::GetChannelPowerThreshold(int channel) const
{
    // The probe record the channel uses comes from the file: only records 0..2 exist, and the
    // record whose range is tested is the one whose range is taken.
    double rated = 5.0;
    if (IsLoggerLayout()) {
        const WORD probe = LoadU16(m_loggerTable.data(), kProbeUsedByChannel + 2 * std::size_t(channel));
        if (probe < kLoggerChannels) {
            const float range = GetProbeRange(probe);
            if (range > 0.0f)
                rated = double(range) * double(GetCurrentRatio(channel));
        }
    }
    return double(GetVoltageRatio(channel)) * rated / 10;
}

double CMeasurementConfig::GetPowerThreshold(int channel) const
{
    if (channel >= 0 && channel < kLoggerChannels)
        return GetChannelPowerThreshold(channel);
    double largest = GetChannelPowerThreshold(0);
    for (int other = 1; other < kLoggerChannels; ++other)
        largest = std::max(largest, GetChannelPowerThreshold(other));
    return largest;
}

float CMeasurementConfig::GetForwardEnergyCost() const
{
    return IsLoggerLayout() ? LoadF32(m_loggerTable.data(), kForwardEnergyCost) : 0.0f;
}

CString CMeasurementConfig::GetAux1Unit() const
{
    return IsLoggerLayout() ? WCharArrayToString(m_loggerTable.data() + kAux1Unit, kAuxUnitBytes) : CString();
}

CString CMeasurementConfig::GetAux2Unit() const
{
    return IsLoggerLayout() ? WCharArrayToString(m_loggerTable.data() + kAux2Unit, kAuxUnitBytes) : CString();
}

CString CMeasurementConfig::GetSessionName() const
{
    return IsLoggerLayout() ? WCharArrayToString(m_loggerTable.data() + kSessionName, kSessionNameBytes) : CString();
}

CString CMeasurementConfig::GetDescription() const
{
    return IsLoggerLayout() ? WCharArrayToString(m_loggerTable.data() + kDescription, kDescriptionBytes) : CString();
}

CString CMeasurementConfig::GetTimeZoneText() const
{
    return IsLoggerLayout() ? WCharArrayToString(m_loggerTable.data() + kTimeZoneText, kTimeZoneTextBytes) : CString();
}

CHighTime CMeasurementConfig::GetConfiguredStart() const
{
    return IsLoggerLayout() ? ConstructHighTimeFromTableTime(m_loggerTable.data() + kConfiguredStart) : CHighTime();
}

CHighTime CMeasurementConfig::GetConfiguredEnd() const
{
    return IsLoggerLayout() ? ConstructHighTimeFromTableTime(m_loggerTable.data() + kConfiguredEnd) : CHighTime();
}

const CPhaseNames& CMeasurementConfig::GetPhaseNames(int reference) const
{
    if (reference < 1 || reference > 3)
        reference = m_defaultVoltageReference;
    return m_phaseNames[std::size_t(reference - 1)];
}
