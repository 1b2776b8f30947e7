#include "SessionWriter.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <numbers>

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kTicksPerHour = 3600 * kTicksPerSecond;

// The reverse counter counts returned energy negative (or as a magnitude); nothing returned
// writes +0, as before.
float ReverseEnergy(const SSessionSpec& recording, double hours)
{
    const double returned = recording.returnedPower * hours;
    return recording.returnedPower > 0.0 ? float(recording.reverseAsMagnitude ? returned : -returned) : 0.0f;
}
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

// The phases a topology records: one single-phase, the two legs of a split phase, else three.
int PhaseCount(WORD topology)
{
    return topology == 0 || topology == 4 ? 1 : topology == 3 ? 2 : 3;
}

// Phase imbalance of the load: phase B lighter, phase C heavier.
constexpr double kPhaseLoad[3] = {1.0, 0.93, 1.07};

// Load factor 0.3 .. 0.9 over the day: base load at night, a broad peak in the afternoon.
double LoadFactor(std::int64_t ticks)
{
    const double hour = std::fmod(double(ticks) / double(kTicksPerHour), 24.0);
    const double day = hour >= 6.0 && hour <= 21.0 ? std::sin(std::numbers::pi * (hour - 6.0) / 15.0) : 0.0;
    return 0.3 + 0.6 * day;
}

} // namespace

CSessionWriter::CSessionWriter(SSessionSpec sessionSpec) : m_spec(std::move(sessionSpec)) {}

SPhaseValues CSessionWriter::PhaseValues(const SSessionSpec& sessionSpec, std::int64_t ticks, int phase)
{
    SPhaseValues v;
    const double load = LoadFactor(ticks) * kPhaseLoad[phase];
    v.voltage = sessionSpec.nominalVoltage * (1.012 - 0.03 * load) * (1.0 + 0.002 * (phase - 1));
    v.voltagePP = v.voltage * std::sqrt(3.0);
    v.current = 0.8 * sessionSpec.probeRange * load;
    v.powerFactor = sessionSpec.steadyPowerFactor > 0.0 ? sessionSpec.steadyPowerFactor : 0.84 + 0.1 * load;
    v.apparentPower = v.voltage * v.current;
    v.activePower = v.apparentPower * v.powerFactor;
    v.reactivePower = std::sqrt(std::max(0.0, v.apparentPower * v.apparentPower - v.activePower * v.activePower));
    v.thdV = 1.5 + 2.0 * load;
    v.thdA = 5.0 + 10.0 * (1.0 - load);
    return v;
}

double CSessionWriter::Frequency(std::int64_t ticks)
{
    return 50.0 + 0.02 * std::sin(double(ticks) / double(kTicksPerHour) * 1.7);
}

std::int64_t CSessionWriter::TrendBegin(int i) const
{
    return m_spec.startTicks + std::int64_t(i) * m_spec.averagingSeconds * kTicksPerSecond;
}

std::int64_t CSessionWriter::SetBackTicks(int i) const
{
    if (m_spec.setBackAt < 0 || i <= m_spec.setBackAt)
        return 0;
    return std::int64_t(m_spec.setBackIntervals) * m_spec.averagingSeconds * kTicksPerSecond;
}

bool CSessionWriter::IsTrendWritten(int i) const
{
    return m_spec.gapStart < 0 || i < m_spec.gapStart || i >= m_spec.gapStart + m_spec.gapLength;
}

int CSessionWriter::WrittenTrendCount() const
{
    int count = 0;
    for (int i = 0; i < m_spec.trendRecords; ++i)
        count += IsTrendWritten(i) ? 1 : 0;
    return count;
}

std::vector<std::int64_t> CSessionWriter::DemandBegins() const
{
    std::vector<std::int64_t> begins;
    if (m_spec.demandSeconds == 0 || m_spec.averagingSeconds == 0)
        return begins;
    const std::int64_t end = TrendBegin(m_spec.trendRecords);
    const std::int64_t step = std::int64_t(m_spec.demandSeconds) * kTicksPerSecond;
    const std::int64_t gapBegin = m_spec.gapStart >= 0 ? TrendBegin(m_spec.gapStart) : end;
    const std::int64_t gapEnd = m_spec.gapStart >= 0 ? TrendBegin(m_spec.gapStart + m_spec.gapLength) : end;
    for (std::int64_t t = m_spec.startTicks; t + step <= end; t += step)
        if (t + step <= gapBegin || t >= gapEnd)
            begins.push_back(t);
    return begins;
}

std::int64_t CSessionWriter::FirstRecordTicks() const
{
    for (int i = 0; i < m_spec.trendRecords; ++i)
        if (IsTrendWritten(i))
            return TrendBegin(i);
    return 0;
}

std::int64_t CSessionWriter::LastRecordTicks() const
{
    for (int i = m_spec.trendRecords - 1; i >= 0; --i)
        if (IsTrendWritten(i))
            return TrendBegin(i + 1);
    return 0;
}

void CSessionWriter::PutTriple(SWrittenTable& table, std::size_t offset, double avg, double spread)
{
    // Logger order: minimum, maximum, average.
    table.bytes.PutF32(offset, float(avg * (1.0 - spread)));
    table.bytes.PutF32(offset + 4, float(avg * (1.0 + spread)));
    table.bytes.PutF32(offset + 8, float(avg));
}

SWrittenTable CSessionWriter::MakeTable(WORD type, std::size_t length, std::int64_t timeTicks) const
{
    SWrittenTable table;
    table.type = type;
    table.timeTicks = timeTicks;
    table.bytes = MakeTableBytes(m_spec.bigEndian, type, WORD(length), timeTicks);
    return table;
}

SWrittenTable CSessionWriter::MakeConfigTable() const
{
    SWrittenTable t = MakeTable(63, 740, m_spec.startTicks);
    t.bytes.PutU16(12, m_spec.topology);
    t.bytes.PutU32(16, m_spec.averagingSeconds);
    t.bytes.PutU32(20, m_spec.demandSeconds);
    for (int n = 0; n < 3; ++n) {
        t.bytes.PutU16(30 + 2 * n, WORD(n));
        t.bytes.PutF32(44 + 4 * n, 1.0f);  // voltage ratio
        t.bytes.PutF32(56 + 4 * n, 1.0f);  // current ratio
    }
    t.bytes.PutF32(36, m_spec.nominalVoltage);
    t.bytes.PutF32(68, 1.0f);  // Aux1 gain, offset
    t.bytes.PutF32(72, 0.0f);
    t.bytes.PutF32(76, 1.0f);  // Aux2 gain, offset
    t.bytes.PutF32(80, 0.0f);
    for (int n = 0; n < 3; ++n) {
        const std::size_t probe = 104 + 44 * std::size_t(n);
        t.bytes.PutText(probe, "Flex-100", 32);
        t.bytes.PutU32(probe + 32, 700100 + DWORD(n));
        t.bytes.PutU16(probe + 38, 2);  // probe kind: flexible
        t.bytes.PutF32(probe + 40, m_spec.probeRange);
    }
    t.bytes.PutF32(236, 0.21f);
    t.bytes.PutWide(240, u"V", 16);
    t.bytes.PutWide(256, u"V", 16);
    t.bytes.PutTime(272, FirstRecordTicks());
    t.bytes.PutTime(280, LastRecordTicks());
    t.bytes.PutWide(288, m_spec.description, 256);
    t.bytes.PutWide(544, m_spec.name, 64);
    t.bytes.PutU16(610, m_spec.studyType);
    t.bytes.PutWide(612, u"UTC+01:00", 128);
    return t;
}

SWrittenTable CSessionWriter::MakeTrendRecord(std::int64_t begin, int index) const
{
    const std::int64_t length = std::int64_t(m_spec.averagingSeconds) * kTicksPerSecond;
    SWrittenTable t = MakeTable(64, 680, begin);
    t.bytes.PutTime(12, begin + length);
    const std::int64_t mid = begin + length / 2;
    const int phases = PhaseCount(m_spec.topology);
    const double hours = double(m_spec.averagingSeconds) / 3600.0;
    double total[6] = {};  // P, S, Q, Pf, Sf, Qf
    for (int k = 0; k < 3; ++k) {
        if (k >= phases)
            continue;
        const SPhaseValues v = PhaseValues(m_spec, mid, k);
        const std::size_t o = 12 * std::size_t(k);
        PutTriple(t, 24 + o, v.voltage, 0.02);
        PutTriple(t, 60 + o, v.voltagePP, 0.02);
        PutTriple(t, 96 + o, v.current, 0.15);
        PutTriple(t, 132 + o, v.thdV, 0.1);
        PutTriple(t, 168 + o, v.thdA, 0.1);
        PutTriple(t, 216 + o, v.activePower, 0.15);
        PutTriple(t, 264 + o, v.apparentPower, 0.15);
        PutTriple(t, 312 + o, v.reactivePower, 0.15);
        const double pf = v.activePower * 0.997, qf = v.reactivePower * 0.97;
        const double sf = std::sqrt(pf * pf + qf * qf);
        PutTriple(t, 360 + o, pf, 0.15);
        PutTriple(t, 408 + o, sf, 0.15);
        PutTriple(t, 456 + o, qf, 0.15);
        PutTriple(t, 504 + o, v.powerFactor, 0.01);
        PutTriple(t, 552 + o, pf / sf, 0.01);
        t.bytes.PutF32(600 + 4 * std::size_t(k), float(v.activePower * hours));
        t.bytes.PutF32(616 + 4 * std::size_t(k), float(v.apparentPower * hours));
        t.bytes.PutF32(632 + 4 * std::size_t(k), float(v.reactivePower * hours));
        const double values[6] = {v.activePower, v.apparentPower, v.reactivePower, pf, sf, qf};
        for (int q = 0; q < 6; ++q)
            total[q] += values[q];
    }
    PutTriple(t, 204, Frequency(mid), 0.001);
    PutTriple(t, 216 + 36, total[0], 0.15);
    PutTriple(t, 264 + 36, total[1], 0.15);
    PutTriple(t, 312 + 36, total[2], 0.15);
    PutTriple(t, 360 + 36, total[3], 0.15);
    PutTriple(t, 408 + 36, total[4], 0.15);
    PutTriple(t, 456 + 36, total[5], 0.15);
    PutTriple(t, 504 + 36, total[0] / total[1], 0.01);
    PutTriple(t, 552 + 36, total[3] / total[4], 0.01);
    t.bytes.PutF32(612, float(total[0] * hours));
    t.bytes.PutF32(628, float(total[1] * hours));
    t.bytes.PutF32(644, float(total[2] * hours));
    t.bytes.PutF32(648, m_spec.drawsEnergy ? float(total[0] * hours) : 0.0f); // forward active energy
    t.bytes.PutF32(652, ReverseEnergy(m_spec, hours));                          // reverse
    PutTriple(t, 656, 0.5 + 4.0 * LoadFactor(mid), 0.05);
    PutTriple(t, 668, 1.2, 0.01);
    if (m_spec.invalidValues && (index == 5 || index == 6)) {
        for (std::size_t f = 0; f < 3; ++f) {
            t.bytes.PutF32(108 + 4 * f, kNaN);
            t.bytes.PutF32(180 + 4 * f, kNaN);
        }
    }
    return t;
}

SWrittenTable CSessionWriter::MakeDemandRecord(std::int64_t begin) const
{
    const std::int64_t length = std::int64_t(m_spec.demandSeconds) * kTicksPerSecond;
    SWrittenTable t = MakeTable(65, 104, begin);
    t.bytes.PutTime(12, begin + length);
    const std::int64_t mid = begin + length / 2;
    const int phases = PhaseCount(m_spec.topology);
    const double hours = double(m_spec.demandSeconds) / 3600.0;
    double total[3] = {};
    for (int k = 0; k < 3; ++k) {
        if (k >= phases)
            continue;
        const SPhaseValues v = PhaseValues(m_spec, mid, k);
        t.bytes.PutF32(24 + 4 * std::size_t(k), float(v.voltage));
        t.bytes.PutF32(36 + 4 * std::size_t(k), float(v.current));
        const double e[3] = {v.activePower * hours, v.apparentPower * hours, v.reactivePower * hours};
        for (int q = 0; q < 3; ++q) {
            t.bytes.PutF32(48 + 16 * std::size_t(q) + 4 * std::size_t(k), float(e[q]));
            total[q] += e[q];
        }
    }
    for (int q = 0; q < 3; ++q)
        t.bytes.PutF32(48 + 16 * std::size_t(q) + 12, float(total[q]));
    t.bytes.PutF32(96, m_spec.drawsEnergy ? float(total[0]) : 0.0f);
    t.bytes.PutF32(100, ReverseEnergy(m_spec, hours));
    return t;
}

SWrittenTable CSessionWriter::MakeVersionEntry(WORD type, DWORD value, const std::string& text) const
{
    // The text ends with a zero byte; the table keeps a length of whole words.
    const std::size_t length = 16 + (text.empty() ? 0 : (text.size() + 4) / 4 * 4);
    SWrittenTable t = MakeTable(type, length, m_spec.startTicks);
    t.bytes.PutU32(12, value);
    if (!text.empty())
        t.bytes.PutText(16, text, length - 16);
    return t;
}

SWrittenTable CSessionWriter::MakeNameTable(const std::u16string& name) const
{
    SWrittenTable t = MakeTable(16, 12 + 2 * name.size(), m_spec.startTicks);
    t.bytes.PutWide(12, name, 2 * name.size());
    return t;
}

std::vector<SWrittenTable> CSessionWriter::BuildTables() const
{
    std::vector<SWrittenTable> tables;
    tables.push_back(MakeConfigTable());
    tables.push_back(MakeNameTable(m_spec.name));
    tables.push_back(MakeVersionEntry(37, m_spec.firmwareVersion, "Feb 11 2026"));
    tables.push_back(MakeVersionEntry(38, m_spec.dspVersion, "Jan 20 2026"));
    tables.push_back(MakeVersionEntry(45, 0, m_spec.serialNumber));
    const auto demands = DemandBegins();
    SWrittenTable summary = MakeTable(47, 40, m_spec.startTicks);
    summary.bytes.PutU16(12, 1);
    summary.bytes.PutU32(16, DWORD(WrittenTrendCount()));
    summary.bytes.PutU32(20, DWORD(demands.size()));
    summary.bytes.PutU32(24, m_spec.events ? 2u : 0u);
    tables.push_back(summary);

    // Records in time order; a demand record follows the trend record that ends with it.
    std::size_t nextDemand = 0;
    const std::int64_t demandLength = std::int64_t(m_spec.demandSeconds) * kTicksPerSecond;
    for (int i = 0; i < m_spec.trendRecords; ++i) {
        const std::int64_t back = SetBackTicks(i);
        if (IsTrendWritten(i))
            tables.push_back(MakeTrendRecord(TrendBegin(i) - back, i));
        for (int k = 0; k < m_spec.indexedPerRecord; ++k)
            tables.push_back(MakeTable(10, m_spec.indexedLength, TrendBegin(i) - back + k * kTicksPerSecond));
        while (nextDemand < demands.size() && demands[nextDemand] + demandLength <= TrendBegin(i + 1))
            tables.push_back(MakeDemandRecord(demands[nextDemand++] - back));
        if (m_spec.events && i == m_spec.trendRecords / 3) {
            // A power interruption note (text event) and an input change (two words).
            SWrittenTable note = MakeTable(26, 12 + 2 * 10, TrendBegin(i + 1) - back);
            note.bytes.PutWide(12, u"Power dip", 20);
            tables.push_back(note);
            SWrittenTable input = MakeTable(35, 16, TrendBegin(i + 1) - back + kTicksPerSecond);
            input.bytes.PutU16(12, 1);
            input.bytes.PutU16(14, 0);
            tables.push_back(input);
        }
        if (m_spec.shiftEvery > 0 && (i + 1) % m_spec.shiftEvery == 0)
            tables.push_back(MakeTable(50, m_spec.shiftLength, TrendBegin(i + 1) - back));
        if (i == m_spec.cutAfter) {
            SWrittenTable cut = MakeTable(36, m_spec.cutLength, TrendBegin(i + 1) - back);
            cut.bytes.PutTime(12, WrittenBegin(m_spec.cutAt));
            tables.push_back(cut);
        }
    }
    return tables;
}

std::vector<BYTE> CSessionWriter::BuildFile(const std::vector<SWrittenTable>& tables) const
{
    std::size_t body = 0;
    for (const auto& table : tables)
        body += table.bytes.Size();
    const bool unknown = m_spec.unknownLength;
    CLoggerBytes file = MakeMessageHeaderBytes(m_spec.bigEndian, 20, unknown ? 0xFFFFFFFFu : DWORD(body));
    file.PutTime(8, unknown ? 0 : FirstRecordTicks());
    file.PutTime(16, unknown ? 0 : LastRecordTicks());
    file.PutU16(26, m_spec.formatVersion);
    file.Bytes().reserve(32 + body + 36);
    for (const auto& table : tables)
        file.Append(table.bytes);
    if (unknown) {
        SWrittenTable closing = MakeTable(49, 36, FirstRecordTicks());
        closing.bytes.PutU32(16, DWORD(body + 36));
        closing.bytes.PutTime(20, LastRecordTicks());
        file.Append(closing.bytes);
    }
    return file.Bytes();
}

bool WriteBytesToFile(const std::string& path, const std::vector<BYTE>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out);
}
