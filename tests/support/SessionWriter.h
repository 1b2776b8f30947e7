#pragma once
// CSessionWriter: writes a realistic three-phase logger session (".zlg") in the logger layout, in
// either byte order, for the tests, the benchmark and the bundled sample. The values follow one
// physical model: a daily load cycle, P = V x I x PF per phase, interval energies that integrate
// the powers, THD and frequency near their nominal values, a few invalid (NaN) values and an
// optional gap. The table list is open so that tests can build every malformed variant from it.
#include "LoggerBytes.h"
#include "platform/framework/WinTypes.h"

#include <cstdint>
#include <string>
#include <vector>

struct SSessionSpec
{
    bool bigEndian = false;
    int trendRecords = 144;
    DWORD averagingSeconds = 600;
    DWORD demandSeconds = 900;
    // UTC ticks (100 ns since 1601) of the first record: 2026-03-02 00:00 UTC.
    std::int64_t startTicks = 134168832000000000;
    WORD topology = 1;  // 3-ph Wye
    float nominalVoltage = 230.0f;
    float probeRange = 100.0f;
    WORD studyType = 1;
    std::u16string name = u"Substation feeder 2";
    std::u16string description = u"Feeder 2 energy survey";
    // Version values in tenths, each followed by a text; the serial number is text alone.
    DWORD firmwareVersion = 21;
    DWORD dspVersion = 14;
    std::string serialNumber = "4626017";
    // Trend records gapStart .. gapStart + gapLength - 1 are missing (and demand records that
    // overlap them); -1: no gap.
    int gapStart = 40;
    int gapLength = 3;
    // A few NaN values in records 5 and 6 (current and THD-A of phase B).
    bool invalidValues = true;
    // Power (W) returned to the grid throughout, counted by the forward/reverse energy counters
    // of the trend and demand records as negative reverse energy; without drawing energy the
    // forward counters stay 0.
    double returnedPower = 0.0;
    // A logger that counts returned energy as a magnitude: the reverse counters positive.
    bool reverseAsMagnitude = false;
    bool drawsEnergy = true;
    // The power factor of every phase at every moment (P = S x PF); 0: it follows the load.
    double steadyPowerFactor = 0.0;
    // Event tables (types 26 and 35) between the records.
    bool events = true;
    // body_lth unknown (0xFFFFFFFF) and a type-49 table closing the body.
    bool unknownLength = false;
    WORD formatVersion = 9;
    // The logger's clock set back by setBackIntervals averaging intervals after trend record
    // setBackAt (-1: never): every table after it is written that much earlier, and the records
    // overlap those before them.
    int setBackAt = -1;
    int setBackIntervals = 0;
    // A type-36 table of cutLength bytes after trend record cutAfter (-1: none), cutting the
    // session at the time trend record cutAt was written with.
    int cutAfter = -1;
    int cutAt = 0;
    WORD cutLength = 20;
    // indexedPerRecord tables of type 10, indexedLength bytes each, after every trend record.
    int indexedPerRecord = 0;
    WORD indexedLength = 848;
    // A table the loader ignores (type 50) of shiftLength bytes after every shiftEvery-th trend
    // record (0: none): 20 bytes move the tables after it off the 8-byte boundary or back on.
    int shiftEvery = 0;
    WORD shiftLength = 20;
};

// One table as it stands in the file (already in the file's byte order).
struct SWrittenTable
{
    WORD type = 0;
    std::int64_t timeTicks = 0;
    CLoggerBytes bytes;
};

// Physical values of one phase at one moment (host units: V, A, W, VA, var, Hz, %).
struct SPhaseValues
{
    double voltage = 0;         // phase-to-neutral
    double voltagePP = 0;       // phase-to-phase
    double current = 0;
    double powerFactor = 0;
    double activePower = 0;     // P = V x I x PF
    double apparentPower = 0;   // S = V x I
    double reactivePower = 0;   // Q = sqrt(S^2 - P^2)
    double thdV = 0;
    double thdA = 0;
};

class CSessionWriter
{
public:
    explicit CSessionWriter(SSessionSpec sessionSpec = {});

    const SSessionSpec& GetSpec() const { return m_spec; }

    // The tables of the body in file order.
    std::vector<SWrittenTable> BuildTables() const;
    // The whole file from the tables: header with the first and last record times and the body
    // length (or 0xFFFFFFFF and a closing type-49 table when the length is to be unknown).
    std::vector<BYTE> BuildFile(const std::vector<SWrittenTable>& tables) const;
    std::vector<BYTE> BuildFile() const { return BuildFile(BuildTables()); }

    // The model behind the records.
    static SPhaseValues PhaseValues(const SSessionSpec& sessionSpec, std::int64_t ticks, int phase);
    static double Frequency(std::int64_t ticks);
    // Begin ticks of trend record i (clock not set back, gap not applied) and whether it is written.
    std::int64_t TrendBegin(int i) const;
    // Begin ticks trend record i is written with: earlier once the clock was set back.
    std::int64_t WrittenBegin(int i) const { return TrendBegin(i) - SetBackTicks(i); }
    std::int64_t SetBackTicks(int i) const;
    bool IsTrendWritten(int i) const;
    int WrittenTrendCount() const;
    // Demand records as written: begin ticks of each.
    std::vector<std::int64_t> DemandBegins() const;
    std::int64_t FirstRecordTicks() const;
    std::int64_t LastRecordTicks() const;

    // Table builders in the writer's byte order, for hand-made variants.
    SWrittenTable MakeTable(WORD type, std::size_t length, std::int64_t timeTicks) const;
    SWrittenTable MakeConfigTable() const;
    SWrittenTable MakeTrendRecord(std::int64_t beginTicks, int index) const;
    SWrittenTable MakeDemandRecord(std::int64_t beginTicks) const;
    SWrittenTable MakeVersionEntry(WORD type, DWORD value, const std::string& text = {}) const;
    SWrittenTable MakeNameTable(const std::u16string& name) const;

private:
    static void PutTriple(SWrittenTable& table, std::size_t offset, double avg, double spread);

    SSessionSpec m_spec;
};

// Writes bytes to a file; false on failure.
bool WriteBytesToFile(const std::string& path, const std::vector<BYTE>& bytes);
