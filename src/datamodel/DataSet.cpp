#include "datamodel/DataSet.h"

#include "datamodel/DataTable.h"
#include "datamodel/RearrangeTable15.h"
#include "datamodel/VersionEntry.h"
#include "datamodel/ByteAccess.h"
#include "datamodel/AvailableMemory.h"
#include "datamodel/LargeBlock.h"
#include "datamodel/DiskSpace.h"
#include "datamodel/PlainFileStream.h"
#include "datamodel/StreamBlockReader.h"
#include "datamodel/StreamStorage.h"
#include "datamodel/TrendTimeBlock.h"
#include "datamodel/UmboQuarnConvert.h"
#include "datamodel/UmboVarnConvert.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "datamodel/IMeasurementOwner.h"
#include "datamodel/ProgressThread.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <glog/logging.h>
#include <new>
#include <optional>
#include <vector>

namespace {

// A header-only read looks at the first 2000 bytes and needs no large block.
constexpr std::size_t kHeaderOnlyBlockSize = 4096;
// Tables are read through their structure and hold floats: filed in place only when aligned.
constexpr std::size_t kTableAlignment = 8;
constexpr std::size_t kTable15Size = 11320;
constexpr std::size_t kTable61Size = 608;
constexpr std::uint64_t kHeaderOnlyLimit = 2000;
constexpr std::uint64_t kMinimumFreeSpace = 9000000;
constexpr std::uint64_t kFreeSpaceFactor = 10;
// Memory a loaded session and the items built from it take, in multiples of its size in the file.
constexpr std::uint64_t kMemoryFactor = 2;
constexpr LONGLONG kRestartDelaySeconds = 13;
constexpr UINT kLoadingCaptionId = 8089;
// Waiting window events run after a table once this long has passed since they last ran: often
// enough for a responsive window, rarely enough that a long session does not load at the pace of
// the event loop.
constexpr std::chrono::milliseconds kPumpInterval{20};

// Tables that later code reads at fixed offsets, with the length their layout needs. A shorter
// table of these types is not used.
struct SMinimumLength
{
    WORD type;
    WORD length;
};
constexpr SMinimumLength kFixedLayouts[] = {
    {3, 132},  {35, 16}, {36, 20}, {37, 16}, {38, 16}, {39, 16}, {40, 16}, {41, 16}, {42, 16},
    {43, 16},  {44, 16}, {45, 16}, {47, 40}, {48, 16}, {49, 36}, {52, 16}, {57, 16}, {58, 16},
    {63, 740}, {64, 680}, {65, 104},
};

// The layout length of each type below 66 (0: none), looked up once per table.
constexpr auto kLayoutLengths = [] {
    std::array<WORD, 66> lengths{};
    for (const auto& fixed : kFixedLayouts)
        lengths[fixed.type] = fixed.length;
    return lengths;
}();

// False, logged, for a table shorter than the layout later code reads it by.
bool FitsLayout(WORD type, std::size_t length)
{
    if (type >= kLayoutLengths.size() || length >= kLayoutLengths[type])
        return true;
    LOG(INFO) << "Table of type " << type << " has " << length << " bytes, less than its layout; ignored";
    return false;
}

// The logger layout's trend and demand records.
bool IsRecord(WORD type)
{
    return type == 64 || type == 65;
}

// The tables a list may keep where they were read.
bool IsKeptInPlace(WORD type)
{
    return IsRecord(type) || type == 15 || type == 61;
}

bool IsVersionEntry(WORD type)
{
    return (type >= 37 && type <= 45) || type == 48 || type == 52 || type == 57 || type == 58;
}

// An interval a time axis can divide by.
bool IsUsableInterval(DWORD seconds)
{
    return seconds > 0 && seconds <= DWORD(INT_MAX);
}

// The file name shown while loading: after the last separator, less a final ".zlg".
CString LoadingTitle(const CString& path)
{
    const int slash = std::max(path.ReverseFind('/'), path.ReverseFind('\\'));
    CString title = path.Mid(slash + 1);
    if (title.GetLength() >= 4 && title.Right(4) == ".zlg")
        title = title.Left(title.GetLength() - 4);
    return title;
}

// The percent of a total that a count is, worked out only when it changes: a year's session is
// half a million tables, and a division for each costs more than filing some of them.
class CPercentOf
{
public:
    explicit CPercentOf(std::uint64_t total) : m_total(total) {}

    int At(std::uint64_t done)
    {
        if (done >= m_nextAt) {
            m_percent = std::min<std::uint64_t>(done * 100 / m_total, 100);
            m_nextAt = m_percent < 100 ? ((m_percent + 1) * m_total + 99) / 100 : UINT64_MAX;
        }
        return int(m_percent);
    }

private:
    std::uint64_t m_total;
    std::uint64_t m_percent = 0;
    std::uint64_t m_nextAt = 0;
};

} // namespace

// The state of one pass over a stream.
class CDataSet::CReader
{
public:
    CReader(CDataSet& set, bool headerOnly) : m_set(set), m_headerOnly(headerOnly) {}

    int Run();

private:
    int ReadHeader();
    int CheckDiskSpace() const;
    // `held`: the bytes of blocks given back that the process held before this load took any.
    int CheckMemory(std::size_t held) const;
    // The checks after the last table and the hand-over to the owner.
    int Conclude(int result);
    int ReadTable();
    // Shows the progress at each table the last read took; true when a cancel was asked at one
    // outside a bracket (looked for only with `cancelable`). Runs of records show their progress,
    // and are canceled, table by table as any other.
    bool ShowProgress(CProgressThread& progress, CPercentOf& percent, bool cancelable) const;
    // Files a table other than a record read at the stream offset; its header is in host order.
    int FileTable(Umbo_table_header_t* table, std::uint64_t offset);
    // Converts and files the record at Data() (or its aligned copy) with the records alike that
    // follow it in the block, then the runs of records after them that the block holds whole.
    void FileRecords(Umbo_table_header_t* table, std::size_t length);
    // Converts and files the run of records alike that starts with this one.
    void FileRun(Umbo_table_header_t* table, std::size_t length);
    // The record at Data() when the block holds all of it where it is kept (on the boundary);
    // else null, and the next table is read as any other.
    Umbo_table_header_t* BufferedRecord(std::size_t& length);
    // A trend table of the older layout zero-padded to its full length in the scratch buffer.
    Umbo_table_header_t* PadTable15(const Umbo_table_header_t* table);
    // Converts a table whose header is already in host order; false (logged) when the converter
    // refuses it.
    bool Convert(Umbo_table_header_t* table);
    // True when the converter converted the table (result 0); else logged.
    bool Accept(const Umbo_table_header_t* table, int converted);
    // Files the table, and the `count` - 1 of its length that follow it where it was read.
    void Keep(CDataTable& list, Umbo_table_header_t* table, bool scale, std::size_t count = 1);
    // Copies the tables kept in the last block out of it when they take less than half of it.
    void ReleaseSparseBlock();
    int LoadConfiguration(Umbo_table_header_t* table);
    void RestartSession(const CHighTime& time);
    void CutAt(const CHighTime& time);
    int CompleteHeader(Umbo_table_header_t* table);

    CDataSet& m_set;
    bool m_headerOnly;
    std::optional<CStreamBlockReader> m_blocks;
    std::vector<BYTE> m_padded;
    std::vector<BYTE> m_aligned;
    // The table being filed, where it lies in the reader's block; null when it was copied.
    Umbo_table_header_t* m_tableInBlock = nullptr;
    // The reader's block that tables were last kept in, its size and the bytes they take.
    const BYTE* m_keptBlock = nullptr;
    std::size_t m_keptBlockSize = 0;
    std::size_t m_keptBytes = 0;
    CHighTime m_restartTime;
    std::uint64_t m_end = 0;
    // The end, but no later than the stream's last byte.
    std::uint64_t m_streamEnd = 0;
    std::uint64_t m_position = 0;
    // The tables the last read took, in runs of one length: how many, and how long each is.
    struct SRun
    {
        std::size_t count;
        std::size_t length;
    };
    std::vector<SRun> m_runs;
    bool m_bracketOpen = false;
    bool m_firmwarePacked = false;
    bool m_configSeen = false;
    bool m_stop = false;
};

int CDataSet::CReader::Run()
{
    m_restartTime.SetStatus(CHighTime::invalid);
    const std::size_t held = GetKeptLargeBlockBytes();
    try {
        m_blocks.emplace(*m_set.m_stream, m_headerOnly ? kHeaderOnlyBlockSize : CStreamBlockReader::kBlockSize);
    } catch (const std::bad_alloc&) {
        return kResultBadStream;
    }
    int result = ReadHeader();
    if (result == 0 && !m_set.m_fromArchive)
        result = CheckDiskSpace();
    if (result == 0 && !m_headerOnly)
        result = CheckMemory(held);
    if (result != 0)
        return result;

    std::array<float, CRecordScaleFactors::kFactorCount> factors{1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    if (m_set.m_owner)
        for (int phase = 0; phase < CRecordScaleFactors::kFactorCount; ++phase)
            factors[std::size_t(phase)] = m_set.m_owner->GetCurrentScaleFactor(phase);
    m_set.m_scaleFactors.Set(factors);

    std::optional<CProgressThread> progress;
    if (!m_headerOnly) {
        progress.emplace();
        progress->StartDialog(kLoadingCaptionId, LoadingTitle(m_set.m_path));
    }

    CPercentOf percent(m_end);
    auto lastPump = std::chrono::steady_clock::now();
    unsigned tablesSincePump = 0;
    while (result == 0 && !m_stop && m_position < m_end) {
        result = ReadTable();
        if (progress && ShowProgress(*progress, percent, result == 0))
            result = kResultCanceled;
        // The clock is asked every few tables only; asking costs as much as converting a table.
        if (++tablesSincePump % 16 == 0) {
            if (const auto now = std::chrono::steady_clock::now(); now - lastPump >= kPumpInterval) {
                PumpWaitingMessages();
                lastPump = now;
            }
        }
        if (result == 0 && m_headerOnly && !m_stop && m_position > kHeaderOnlyLimit)
            result = kResultBadStream;
    }

    ReleaseSparseBlock();
    m_blocks.reset();
    m_padded = {};
    m_aligned = {};
    for (CDataTable* list : {m_set.m_list15.get(), m_set.m_list61.get(), m_set.m_list64.get(), m_set.m_list65.get(),
                             m_set.m_versions.get(), m_set.m_others.get()})
        if (list)
            list->Compact();
    if (progress)
        progress->Finish();
    return Conclude(result);
}

bool CDataSet::CReader::ShowProgress(CProgressThread& progress, CPercentOf& percent, bool cancelable) const
{
    std::uint64_t at = m_position;
    for (const SRun& run : m_runs)
        at -= run.count * run.length;
    for (const SRun& run : m_runs)
        for (std::size_t i = 0; i < run.count; ++i) {
            at += run.length;
            progress.SetPercent(percent.At(at));
            if (cancelable && progress.IsCanceled() && !m_bracketOpen)
                return true;
        }
    return false;
}

int CDataSet::CReader::Conclude(int result)
{
    if (!m_configSeen)
        return result ? result : kResultBadStream;
    if (m_bracketOpen && result == 0)
        result = kResultOpenBracket;
    if (m_headerOnly)
        return result;
    if (result == 0 && m_set.m_config.IsLoggerLayout() && !m_set.GetDemandTable()->IsEmpty() &&
        !IsUsableInterval(m_set.m_config.GetDemandInterval())) {
        LOG(INFO) << "Session " << m_set.m_path.str() << " has demand records but a demand interval of "
                  << m_set.m_config.GetDemandInterval() << " s; refused";
        result = kResultBadStream;
    }

    const CHighTime first = ConstructHighTimeFromTableTime(m_set.m_header.params);
    const CHighTime last = ConstructHighTimeFromTableTime(m_set.m_header.params + 8);
    if (result == 0 && (first.IsZero() || last.IsZero() || m_set.m_header.body_lth == kUmboUnknownBodyLength))
        result = kResultIncomplete;
    // The owner learns of the session only when it loaded.
    if (result == 0 && m_set.m_owner) {
        FILETIME times[2]{};
        first.GetAsFileTime(times[0]);
        last.GetAsFileTime(times[1]);
        m_set.m_owner->SetTimesFromRecord(times);
        if (m_set.m_config.IsLoggerLayout())
            m_set.m_owner->SetFromConfigRecord(m_set.m_config);
    }
    return result;
}

int CDataSet::CReader::ReadHeader()
{
    IDataStream& stream = *m_set.m_stream;
    Umbo_msg_header_t header{};
    if (m_blocks->Ensure(sizeof header) != std::int64_t(sizeof header))
        return kResultBadStream;
    std::memcpy(&header, m_blocks->Data(), sizeof header);
    m_blocks->Skip(sizeof header);
    if (header.magic == kUmboMagic)
        m_set.m_converter = std::make_unique<CUmboQuarnConvert>();
    else if (header.magic == kUmboMagicSwapped)
        m_set.m_converter = std::make_unique<CUmboVarnConvert>();
    else
        return kResultBadStream;
    m_set.m_fileTable10->AttachConverter(m_set.m_converter.get());
    m_set.m_fileTable66->AttachConverter(m_set.m_converter.get());
    m_set.m_converter->ConvertMessageFromWire(&header);
    m_set.m_header = header;
    const WORD formatVersion = LoadU16(header.params, 26 - 8);
    if (header.magic != kUmboMagic || header.msg_type != 20 || (formatVersion != 8 && formatVersion != 9))
        return kResultBadStream;
    m_end = header.body_lth == kUmboUnknownBodyLength ? stream.GetLength() - sizeof header : header.body_lth;
    m_streamEnd = std::min<std::uint64_t>(m_end, stream.GetLength());
    return 0;
}

int CDataSet::CReader::CheckDiskSpace() const
{
    // A file system that cannot be asked does not stop a read.
    const auto free = QueryFreeSpaceForFile(m_set.m_path.str());
    if (!free)
        return 0;
    if (*free / kFreeSpaceFactor < m_end || *free < kMinimumFreeSpace) {
        LOG(INFO) << "Too little free disk space to load " << m_set.m_path.str() << ": " << *free << " bytes";
        return kResultDiskSpace;
    }
    return 0;
}

int CDataSet::CReader::CheckMemory(std::size_t held) const
{
    // A session lives in memory once loaded, its tables a little larger than in the file, and
    // the views build their items from it: one that cannot fit is refused before it is read,
    // rather than have the system end the program half-way.
    // Blocks an earlier session gave back are held by the process, not free to the system, but
    // this load fills them first (the block it reads into may be one). A block it mapped anew
    // has no pages yet: what they take is still counted as free.
    const std::uint64_t size = m_streamEnd;
    if (IsMemoryRecentlyPlentiful(size * kMemoryFactor))
        return 0;
    auto available = QueryAvailableMemory();
    if (available)
        *available += held;
    if (!available || size <= *available / kMemoryFactor)
        return 0;
    LOG(INFO) << "Too little free memory to load " << m_set.m_path.str() << " of " << size << " bytes: " << *available
              << " bytes free";
    return kResultMemory;
}

int CDataSet::CReader::ReadTable()
{
    // The table is converted and filed where it lies in the block.
    m_runs.assign(1, SRun{1, 0});
    const std::uint64_t offset = m_blocks->GetOffset();
    const std::int64_t got = m_blocks->Ensure(kUmboTableHeaderSize);
    if (got < 0)
        return kResultReadError;
    if (got != std::int64_t(kUmboTableHeaderSize))
        return kResultShortTable;
    const CUmboConvert& converter = *m_set.m_converter;
    const WORD type = converter.U16ValueFromWire(LoadU16(m_blocks->Data(), offsetof(Umbo_table_header_t, table_type)));
    const std::size_t length =
        converter.U16ValueFromWire(LoadU16(m_blocks->Data(), offsetof(Umbo_table_header_t, table_lth)));
    if (length < kUmboTableHeaderSize) {
        LOG(INFO) << "Table of type " << type << " at " << offset << " claims " << length << " bytes";
        return kResultShortTable;
    }
    m_position += length;
    m_runs.front().length = length;
    const std::int64_t whole = m_blocks->Ensure(length);
    if (whole < 0)
        return kResultReadError;
    if (whole != std::int64_t(length)) {
        LOG(INFO) << "Table of type " << type << " at " << offset << " ends after "
                  << whole - std::int64_t(kUmboTableHeaderSize) << " of " << length - kUmboTableHeaderSize
                  << " body bytes";
        return kResultShortTable;
    }
    // Records are kept where they lie: after the tables of odd length that come before them the
    // block moves to a boundary once, rather than every record being copied.
    if (IsKeptInPlace(type))
        m_blocks->Align();
    // Another table after one of odd length is filed from an aligned copy.
    BYTE* bytes = m_blocks->Data();
    if (reinterpret_cast<std::uintptr_t>(bytes) % kTableAlignment != 0) {
        m_aligned.assign(bytes, bytes + length);
        bytes = m_aligned.data();
    }
    auto* table = reinterpret_cast<Umbo_table_header_t*>(bytes);
    m_tableInBlock = bytes == m_blocks->Data() ? table : nullptr;
    if (IsRecord(type)) {
        FileRecords(table, length);
        return 0;
    }
    m_set.m_converter->TableHeaderFromWire(table);
    const int result = FileTable(table, offset);
    m_blocks->Skip(length);
    return result;
}

void CDataSet::CReader::FileRecords(Umbo_table_header_t* table, std::size_t length)
{
    FileRun(table, length);
    // Trend and demand records take turns in a session: the runs the block already holds are
    // filed here, without each going back through the reading of a table. What the block holds
    // in part, or off the boundary, is read as any table.
    if (table != m_tableInBlock || m_headerOnly)
        return;
    while (m_position < m_end) {
        table = BufferedRecord(length);
        if (!table)
            return;
        m_position += length;
        m_runs.push_back(SRun{1, length});
        m_tableInBlock = table;
        FileRun(table, length);
    }
}

Umbo_table_header_t* CDataSet::CReader::BufferedRecord(std::size_t& length)
{
    BYTE* bytes = m_blocks->Data();
    if (m_blocks->GetBuffered() < kUmboTableHeaderSize || reinterpret_cast<std::uintptr_t>(bytes) % kTableAlignment != 0)
        return nullptr;
    const CUmboConvert& converter = *m_set.m_converter;
    const WORD type = converter.U16ValueFromWire(LoadU16(bytes, offsetof(Umbo_table_header_t, table_type)));
    length = converter.U16ValueFromWire(LoadU16(bytes, offsetof(Umbo_table_header_t, table_lth)));
    if (!IsRecord(type) || length < kUmboTableHeaderSize || length > m_blocks->GetBuffered())
        return nullptr;
    return reinterpret_cast<Umbo_table_header_t*>(bytes);
}

void CDataSet::CReader::FileRun(Umbo_table_header_t* table, std::size_t length)
{
    // Records, nearly all of a session, come in runs of one type: the run that starts here, as
    // far as the block and the body reach, is converted in one walk over its records and filed
    // at once, without each record's type looked up again.
    std::size_t count = 0;
    if (table == m_tableInBlock && !m_headerOnly) {
        const std::uint64_t start = m_position - length;
        // As many as the block holds whole, and no more than start before the body's end (one
        // division: a run is often a few records, and a division costs as much as filing one).
        const std::size_t most =
            std::size_t(std::min<std::uint64_t>(m_blocks->GetBuffered(), m_end - start + length - 1) / length);
        count = m_set.m_converter->ConvertRecordsFromWire(m_blocks->Data(), length, most);
    }
    const int converted = count > 0 ? 0 : m_set.m_converter->ConvertTableFromWire(table);
    count = std::max<std::size_t>(count, 1);
    const WORD type = table->table_type;
    if (FitsLayout(type, length) && Accept(table, converted))
        Keep(type == 64 ? *m_set.m_list64 : *m_set.m_list65, table, true, count);
    m_position += (count - 1) * length;
    m_runs.back().count = count;
    m_blocks->Skip(count * length);
}

Umbo_table_header_t* CDataSet::CReader::PadTable15(const Umbo_table_header_t* table)
{
    const std::size_t length = table->table_lth;
    m_padded.assign(kTable15Size, 0);
    std::memcpy(m_padded.data(), table, length);
    auto* padded = reinterpret_cast<Umbo_table_header_t*>(m_padded.data());
    padded->table_lth = WORD(kTable15Size);
    return padded;
}

bool CDataSet::CReader::Convert(Umbo_table_header_t* table)
{
    return Accept(table, m_set.m_converter->ConvertTableBodyFromWire(table));
}

bool CDataSet::CReader::Accept(const Umbo_table_header_t* table, int converted)
{
    if (converted == 0)
        return true;
    LOG(INFO) << "Table of type " << table->table_type << " of " << table->table_lth
              << " bytes not converted (" << converted << "); ignored";
    return false;
}

void CDataSet::CReader::Keep(CDataTable& list, Umbo_table_header_t* table, bool scale, std::size_t count)
{
    const std::size_t length = table->table_lth;
    auto* first = reinterpret_cast<BYTE*>(table);
    if (scale && m_set.m_scaleFactors.IsSet())
        for (std::size_t i = 0; i < count; ++i)
            m_set.m_scaleFactors.Apply(reinterpret_cast<Umbo_table_header_t*>(first + i * length));
    // No more records of this length can follow than the stream has bytes left for.
    if (list.IsEmpty())
        list.Reserve(std::size_t((m_streamEnd - std::min(m_streamEnd, m_position)) / length) + 1);
    if (table != m_tableInBlock) {
        list.InsertTable(table);
        return;
    }
    // A record list keeps the table where it was read.
    const std::shared_ptr<BYTE[]>& block = m_blocks->Share();
    if (block.get() != m_keptBlock) {
        ReleaseSparseBlock();
        m_keptBlock = block.get();
        m_keptBlockSize = m_blocks->GetCapacity();
        m_keptBytes = 0;
    }
    m_keptBytes += count * length;
    list.InsertTables(first, length, count, block);
}

void CDataSet::CReader::ReleaseSparseBlock()
{
    // A block that holds mostly tables not kept (the indexed ones, which stay in the stream)
    // is not held for the few records in it.
    if (!m_keptBlock || m_keptBytes >= m_keptBlockSize / 2)
        return;
    for (CDataTable* list : {m_set.m_list15.get(), m_set.m_list61.get(), m_set.m_list64.get(), m_set.m_list65.get()})
        list->CopyOutOf(m_keptBlock, m_keptBlockSize);
}

int CDataSet::CReader::FileTable(Umbo_table_header_t* table, std::uint64_t offset)
{
    // Only the indexed tables and the restarts need the time stamp as a time.
    const auto entry = [table, offset] {
        return FileTblPtrT{ConstructHighTimeFromTableTime(table->time_stamp), offset};
    };
    const WORD type = table->table_type;
    std::size_t length = table->table_lth;
    if (!FitsLayout(type, length))
        return type == 49 && m_set.m_header.body_lth == kUmboUnknownBodyLength ? kResultIncomplete : 0;
    switch (type) {
    case 3:
    case 63:
        return Convert(table) ? LoadConfiguration(table) : 0;
    case 10:
        m_set.m_fileTable10->AddEntry(entry());
        return 0;
    case 66:
        m_set.m_fileTable66->AddEntry(entry());
        return 0;
    case 12:
        m_bracketOpen = true;
        return 0;
    case 14:
        m_bracketOpen = false;
        return 0;
    case 15:
        if (length < kTable15Size)
            table = PadTable15(table);
        if (Convert(table)) {
            if (m_firmwarePacked)
                RearrangeTable15(table);
            Keep(*m_set.m_list15, table, true);
        }
        return 0;
    case 16:
        if (Convert(table))
            m_set.m_name = WCharArrayToString(reinterpret_cast<const BYTE*>(table) + kUmboTableHeaderSize,
                                              int(length - kUmboTableHeaderSize));
        return 0;
    case 30: {
        const CHighTime time = entry().time;
        if (Convert(table) && (m_restartTime.GetStatus() != CHighTime::valid || !(time > m_restartTime))) {
            RestartSession(time);
            m_set.m_others->InsertTable(table);
        }
        return 0;
    }
    case 26: case 27: case 28: case 29: case 31: case 32: case 33: case 34: case 35:
        if (Convert(table))
            m_set.m_others->InsertTable(table);
        return 0;
    case 36:
        if (Convert(table)) {
            m_set.m_others->InsertTable(table);
            CutAt(ConstructHighTimeFromTableTime(reinterpret_cast<const BYTE*>(table) + 12));
        }
        return 0;
    case 47:
        if (Convert(table))
            std::memcpy(m_set.m_summary.data(), table, m_set.m_summary.size());
        return 0;
    case 49:
        return m_set.m_header.body_lth == kUmboUnknownBodyLength ? CompleteHeader(table) : 0;
    case 61:
        if (length == kTable61Size && Convert(table))
            Keep(*m_set.m_list61, table, true);
        return 0;
    default:
        if (IsVersionEntry(type) && Convert(table)) {
            m_set.m_versions->InsertTable(table);
            const DWORD value = LoadU32(table, 12);
            if (type == 37 && (value >> 16) == 13 && (value & 0xFFFF) == 1)
                m_firmwarePacked = true;
        }
        return 0;
    }
}

int CDataSet::CReader::LoadConfiguration(Umbo_table_header_t* table)
{
    const CHighTime time = ConstructHighTimeFromTableTime(table->time_stamp);
    if (table->table_type == 63) {
        m_set.m_config.LoadLoggerTable(table);
        if (!IsUsableInterval(m_set.m_config.GetAveragingInterval())) {
            LOG(INFO) << "Session " << m_set.m_path.str() << " has an averaging interval of "
                      << m_set.m_config.GetAveragingInterval() << " s; refused";
            m_configSeen = true;
            return kResultBadStream;
        }
    } else {
        m_set.m_config.LoadOldTable(table);
    }
    m_configSeen = true;
    if (m_restartTime.GetStatus() != CHighTime::valid)
        RestartSession(time);
    if (m_headerOnly && table->table_type == 63)
        m_stop = true;
    return 0;
}

void CDataSet::CReader::RestartSession(const CHighTime& time)
{
    m_restartTime = time + CHighTimeSpan(0, 0, 0, int(kRestartDelaySeconds));
    m_restartTime.SetStatus(CHighTime::valid);
    m_set.m_trendBlock.reset();
    m_set.m_demandBlock.reset();
    m_set.CreateLists();
    m_set.CreateFileTables();
}

void CDataSet::CReader::CutAt(const CHighTime& time)
{
    for (CDataTable* list : {m_set.m_list15.get(), m_set.m_list61.get(), m_set.m_list64.get(),
                             m_set.m_list65.get(), m_set.m_others.get()})
        list->RemoveTablesAfter(time);
    m_set.m_fileTable10->TrimFrom(time);
    m_set.m_fileTable66->TrimFrom(time);
}

int CDataSet::CReader::CompleteHeader(Umbo_table_header_t* table)
{
    if (m_set.m_fromArchive)
        return 0;
    if (!Convert(table))
        return kResultIncomplete;
    if (LoadU32(table, 16) != m_position || m_position >= (std::uint64_t(1) << 32)) {
        LOG(INFO) << "Closing table of " << m_set.m_path.str() << " does not match the body length "
                  << m_position;
        return kResultIncomplete;
    }
    Umbo_msg_header_t& header = m_set.m_header;
    header.body_lth = DWORD(m_position);
    std::memcpy(header.params, table->time_stamp, 8);
    std::memcpy(header.params + 8, reinterpret_cast<const BYTE*>(table) + 20, 8);
    // Written back where the file can be written; a read-only file is still read.
    Umbo_msg_header_t stored = header;
    m_set.m_converter->ConvertMessageToWire(&stored);
    IDataStream& stream = *m_set.m_stream;
    const std::uint64_t resume = stream.GetPosition();
    if (!stream.Seek(0) || !stream.Write(&stored, sizeof stored))
        LOG(INFO) << "Header of " << m_set.m_path.str() << " not completed in the file (read-only)";
    stream.Seek(resume);
    return 0;
}

CDataSet::CDataSet(IMeasurementOwner* owner) : m_owner(owner)
{
    CreateLists();
    m_versions = std::make_unique<CDataTable>(-1, CDataTable::kOrderedByType);
    m_others = std::make_unique<CDataTable>(-1, CDataTable::kOrderedByTime);
    CreateFileTables();
}

CDataSet::~CDataSet()
{
    CloseStream();
    m_converter.reset();
    m_fileTable10.reset();
    m_fileTable66.reset();
    m_trendBlock.reset();
    m_demandBlock.reset();
    DeleteLists();
    m_versions.reset();
    m_others.reset();
}

void CDataSet::CreateLists()
{
    m_list15 = std::make_unique<CDataTable>(15, CDataTable::kOrderedByTime);
    m_list61 = std::make_unique<CDataTable>(61, CDataTable::kOrderedByTime);
    m_list64 = std::make_unique<CDataTable>(64, CDataTable::kOrderedByTime);
    m_list65 = std::make_unique<CDataTable>(65, CDataTable::kOrderedByTime);
}

void CDataSet::CreateFileTables()
{
    for (auto* table : {&m_fileTable10, &m_fileTable66}) {
        *table = std::make_unique<CFileTable>(table == &m_fileTable10 ? 10 : 66, m_stream.get());
        (*table)->AttachScaleFactors(&m_scaleFactors);
        (*table)->AttachConverter(m_converter.get());
    }
}

void CDataSet::DeleteLists()
{
    m_list15.reset();
    m_list61.reset();
    m_list64.reset();
    m_list65.reset();
}

void CDataSet::CloseStream()
{
    m_fileTable10->SetStream(nullptr);
    m_fileTable66->SetStream(nullptr);
    m_stream.reset();
}

int CDataSet::LoadFromCompoundFile(IStreamStorage& storage, const CString& name)
{
    m_fromArchive = true;
    m_path = name;
    CloseStream();
    std::unique_ptr<IDataStream> stream;
    const int opened = storage.OpenStream(name, stream);
    if (opened != 0 || !stream)
        return opened != 0 ? opened : kStreamOpenFailed;
    m_stream = std::move(stream);
    return ReadStream(false);
}

int CDataSet::LoadFromFile(const CString& path, bool headerOnly)
{
    m_fromArchive = false;
    m_path = path;
    CloseStream();
    std::unique_ptr<CPlainFileStream> file;
    const int opened = CPlainFileStream::Open(path.str(), file);
    if (opened != 0)
        return opened;
    m_stream = std::move(file);
    return ReadStream(headerOnly);
}

int CDataSet::ReadStream(bool headerOnly)
{
    m_fileTable10->SetStream(m_stream.get());
    m_fileTable66->SetStream(m_stream.get());
    const int result = CReader(*this, headerOnly).Run();
    if (result != 0) {
        if (m_fromArchive)
            LOG(INFO) << "Loading file " << m_path.str() << " from compound file ended with error: " << result;
        else
            LOG(INFO) << "Loading file " << m_path.str() << " ended with error: " << result;
        CloseStream();
    }
    return result;
}

CDataTable* CDataSet::GetTableList(int kind) const
{
    switch (kind) {
    case kList15: return m_list15.get();
    case kList61: return m_list61.get();
    case kList64: return m_list64.get();
    case kList65: return m_list65.get();
    case kListOther: return m_others.get();
    case kListVersions: return m_versions.get();
    default: return nullptr;
    }
}

CDataTable* CDataSet::GetTrendTable() const
{
    return m_config.IsLoggerLayout() ? m_list64.get() : m_list15.get();
}

CDataTable* CDataSet::GetDemandTable() const
{
    return m_config.IsLoggerLayout() ? m_list65.get() : m_list61.get();
}

CTrendTimeBlock* CDataSet::GetTrendTimeBlock()
{
    if (!m_trendBlock)
        m_trendBlock = std::make_unique<CTrendTimeBlock>(this, GetTrendTable(), &m_config);
    return m_trendBlock.get();
}

CTrendTimeBlock* CDataSet::GetDemandTimeBlock()
{
    if (!m_demandBlock)
        m_demandBlock = std::make_unique<CTrendTimeBlock>(this, GetDemandTable(), &m_config);
    return m_demandBlock.get();
}

// The first and last times come from the record lists as the time blocks take them, without
// building the blocks: a year of records takes a while, and a session's summary needs only these.
CHighTime CDataSet::GetLastRecordTime()
{
    CHighTime last;
    for (const CDataTable* records : {GetTrendTable(), GetDemandTable()})
        if (!records->IsEmpty() && (last.IsZero() || records->GetTailEndTime() > last))
            last = records->GetTailEndTime();
    return last;
}

CHighTime CDataSet::GetFirstRecordTime()
{
    CHighTime first;
    for (const CDataTable* records : {GetTrendTable(), GetDemandTable()})
        if (!records->IsEmpty() && (first.IsZero() || records->GetHeadTime() < first))
            first = records->GetHeadTime();
    return first;
}

CHighTime CDataSet::GetEndTime()
{
    const CHighTime last = GetLastRecordTime();
    return last.IsZero() && m_config.IsLoggerLayout() ? m_config.GetConfiguredEnd() : last;
}

CHighTime CDataSet::GetStartTime()
{
    const CHighTime first = GetFirstRecordTime();
    return first.IsZero() && m_config.IsLoggerLayout() ? m_config.GetConfiguredStart() : first;
}

CString CDataSet::DescribeTable(WORD tableType, bool pad) const
{
    for (const Umbo_table_header_t* entry : *m_versions)
        if (entry->table_type == tableType)
            return FormatVersionEntry(entry, pad).Trim();
    return {};
}

bool WriteInChunks(IDataStream& stream, const void* data, std::uint64_t count)
{
    if (!data && count != 0)
        return false;
    constexpr std::uint64_t kChunk = 0x7FFFFFFF;
    const auto* bytes = static_cast<const BYTE*>(data);
    while (count > 0) {
        const std::uint64_t piece = std::min(count, kChunk);
        if (!stream.Write(bytes, std::size_t(piece)))
            return false;
        bytes += piece;
        count -= piece;
    }
    return true;
}
