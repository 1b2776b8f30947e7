#include "ReferenceSessionReader.h"

#include "datamodel/ByteAccess.h"
#include "datamodel/DataSet.h"
#include "datamodel/DataTable.h"
#include "datamodel/HighTime.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/RearrangeTable15.h"
#include "datamodel/RecordScaleFactors.h"
#include "datamodel/UmboQuarnConvert.h"
#include "datamodel/UmboVarnConvert.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

namespace {

using CTable = std::vector<BYTE>;
using CList = std::vector<CTable>;
enum { k15, k61, k64, k65, kOthers, kVersions };

// The length each type's fields need; a shorter table of the type is not used.
WORD LayoutLength(WORD type)
{
    switch (type) {
    case 3: return 132;
    case 35: case 37: case 38: case 39: case 40: case 41: case 42: case 43: case 44: case 45: case 48: case 52:
    case 57: case 58: return 16;
    case 36: return 20;
    case 47: return 40;
    case 49: return 36;
    case 63: return 740;
    case 64: return 680;
    case 65: return 104;
    default: return 0;
    }
}

WORD TypeOf(const CTable& table)
{
    return LoadU16(table.data(), 0);
}

Umbo_table_header_t* Header(CTable& table)
{
    return reinterpret_cast<Umbo_table_header_t*>(table.data());
}

// Trend records of the older layout sort by their interval end, every other table by its stamp.
CHighTime OrderTime(const CTable& table)
{
    return ConstructHighTimeFromTableTime(table.data() + (TypeOf(table) == 15 ? 12 : 4));
}

void RemoveAfter(CList& list, const CHighTime& time)
{
    while (!list.empty() && OrderTime(list.back()) > time)
        list.pop_back();
}

class CReference
{
public:
    CReference(std::istream& in, const CRecordScaleFactors& factors) : m_in(in), m_factors(factors)
    {
        m_restart.SetStatus(CHighTime::invalid);
    }

    SReferenceSession Read()
    {
        m_session.complete = ReadHeader() && ReadBody();
        return std::move(m_session);
    }

private:
    bool ReadHeader()
    {
        Umbo_msg_header_t header{};
        if (!m_in.read(reinterpret_cast<char*>(&header), sizeof header))
            return false;
        if (header.magic == kUmboMagic)
            m_converter = std::make_unique<CUmboQuarnConvert>();
        else if (header.magic == kUmboMagicSwapped)
            m_converter = std::make_unique<CUmboVarnConvert>();
        else
            return false;
        m_converter->ConvertMessageFromWire(&header);
        const WORD version = LoadU16(header.params, 18);
        if (header.msg_type != 20 || (version != 8 && version != 9))
            return false;
        m_unknownLength = header.body_lth == kUmboUnknownBodyLength;
        m_in.seekg(0, std::ios::end);
        const std::uint64_t fileLength = std::uint64_t(m_in.tellg());
        m_in.seekg(sizeof header);
        m_end = m_unknownLength ? fileLength - sizeof header : header.body_lth;
        return true;
    }

    bool ReadBody()
    {
        while (m_position < m_end) {
            const std::uint64_t offset = sizeof(Umbo_msg_header_t) + m_position;
            CTable table(kUmboTableHeaderSize);
            if (!m_in.read(reinterpret_cast<char*>(table.data()), std::streamsize(table.size())))
                return false;
            m_converter->TableHeaderFromWire(Header(table));
            const std::size_t length = Header(table)->table_lth;
            if (length < kUmboTableHeaderSize)
                return false;
            m_position += length;
            table.resize(length);
            if (!m_in.read(reinterpret_cast<char*>(table.data()) + kUmboTableHeaderSize,
                           std::streamsize(length - kUmboTableHeaderSize)))
                return false;
            if (!File(std::move(table), offset))
                return false;
        }
        return true;
    }

    bool Convert(CTable& table) { return m_converter->ConvertTableBodyFromWire(Header(table)) == 0; }

    void KeepByTime(int list, CTable table)
    {
        RemoveAfter(m_session.lists[list], OrderTime(table));
        m_session.lists[list].push_back(std::move(table));
    }

    void KeepRecord(int list, CTable table)
    {
        if (m_factors.IsSet())
            m_factors.Apply(Header(table));
        KeepByTime(list, std::move(table));
    }

    void Index(int which, std::int64_t ticks, std::uint64_t offset)
    {
        TrimIndexes(which, ticks);
        m_session.indexes[which].emplace_back(ticks, offset);
    }

    void TrimIndexes(int which, std::int64_t ticks)
    {
        auto& entries = m_session.indexes[which];
        while (!entries.empty() && entries.back().first >= ticks)
            entries.pop_back();
    }

    void Restart(const CHighTime& time)
    {
        m_restart = time + CHighTimeSpan(0, 0, 0, 13);
        m_restart.SetStatus(CHighTime::valid);
        for (int list : {k15, k61, k64, k65})
            m_session.lists[list].clear();
        m_session.indexes = {};
    }

    // False where the loader's load fails.
    bool File(CTable table, std::uint64_t offset)
    {
        const WORD type = TypeOf(table);
        const std::size_t length = table.size();
        const CHighTime stamp = ConstructHighTimeFromTableTime(table.data() + 4);
        if (length < LayoutLength(type))
            return !(type == 49 && m_unknownLength);
        switch (type) {
        case 3:
        case 63:
            if (!Convert(table))
                return true;
            if (type == 63) {
                m_config.LoadLoggerTable(Header(table));
                const DWORD interval = m_config.GetAveragingInterval();
                if (interval == 0 || interval > DWORD(INT_MAX))
                    return false;
            }
            if (m_restart.GetStatus() != CHighTime::valid)
                Restart(stamp);
            return true;
        case 10:
        case 66:
            Index(type == 10 ? 0 : 1, stamp.GetTicks(), offset);
            return true;
        case 15:
            if (length < 11320) {
                table.resize(11320, 0);
                StoreU16(table.data(), 2, 11320);
            }
            if (Convert(table)) {
                if (m_firmwarePacked)
                    RearrangeTable15(Header(table));
                KeepRecord(k15, std::move(table));
            }
            return true;
        case 30:
            if (Convert(table) && (m_restart.GetStatus() != CHighTime::valid || !(stamp > m_restart))) {
                Restart(stamp);
                KeepByTime(kOthers, std::move(table));
            }
            return true;
        case 26: case 27: case 28: case 29: case 31: case 32: case 33: case 34: case 35:
            if (Convert(table))
                KeepByTime(kOthers, std::move(table));
            return true;
        case 36:
            if (Convert(table)) {
                const CHighTime cut = ConstructHighTimeFromTableTime(table.data() + 12);
                KeepByTime(kOthers, std::move(table));
                for (int list : {k15, k61, k64, k65, kOthers})
                    RemoveAfter(m_session.lists[list], cut);
                TrimIndexes(0, cut.GetTicks());
                TrimIndexes(1, cut.GetTicks());
            }
            return true;
        case 49:
            return !m_unknownLength ||
                   (Convert(table) && LoadU32(table.data(), 16) == m_position && m_position < (std::uint64_t(1) << 32));
        case 61:
            if (length == 608 && Convert(table))
                KeepRecord(k61, std::move(table));
            return true;
        case 64:
        case 65:
            if (Convert(table))
                KeepRecord(type == 64 ? k64 : k65, std::move(table));
            return true;
        default:
            if (((type >= 37 && type <= 45) || type == 48 || type == 52 || type == 57 || type == 58) && Convert(table)) {
                const DWORD value = LoadU32(table.data(), 12);
                m_firmwarePacked = m_firmwarePacked || (type == 37 && value >> 16 == 13 && (value & 0xFFFF) == 1);
                CList& versions = m_session.lists[kVersions];
                const auto later = std::find_if(versions.begin(), versions.end(),
                                                [type](const CTable& t) { return TypeOf(t) > type; });
                versions.insert(later, std::move(table));
            }
            return true;
        }
    }

    std::istream& m_in;
    const CRecordScaleFactors& m_factors;
    std::unique_ptr<CUmboConvert> m_converter;
    CMeasurementConfig m_config;
    SReferenceSession m_session;
    CHighTime m_restart;
    std::uint64_t m_end = 0;
    std::uint64_t m_position = 0;
    bool m_unknownLength = false;
    bool m_firmwarePacked = false;
};

} // namespace

SReferenceSession ReadReferenceSession(const std::string& path, const CRecordScaleFactors& factors)
{
    std::ifstream in(path, std::ios::binary);
    return CReference(in, factors).Read();
}

SReferenceSession ReadReferenceSession(const std::vector<BYTE>& bytes, const CRecordScaleFactors& factors)
{
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    return CReference(in, factors).Read();
}

std::string DifferenceFromReference(CDataSet& set, const SReferenceSession& reference)
{
    std::ostringstream difference;
    for (int kind = k15; kind <= kVersions; ++kind) {
        const CDataTable& list = *set.GetTableList(kind);
        const CList& expected = reference.lists[std::size_t(kind)];
        if (std::size_t(list.GetCount()) != expected.size()) {
            difference << "list " << kind << " holds " << list.GetCount() << " tables, not " << expected.size();
            return difference.str();
        }
        for (std::size_t i = 0; i < expected.size(); ++i) {
            if (std::memcmp(list.GetRecordBytes(i), expected[i].data(), expected[i].size()) != 0) {
                difference << "list " << kind << ", table " << i << " of type " << TypeOf(expected[i])
                           << " differs from the file's";
                return difference.str();
            }
        }
    }
    for (const int which : {0, 1}) {
        const CFileTable& index = which == 0 ? set.GetFileTable10() : set.GetFileTable66();
        const auto& expected = reference.indexes[std::size_t(which)];
        bool same = std::size_t(index.GetSize()) == expected.size();
        for (int i = 0; same && i < index.GetSize(); ++i)
            same = index[i].time.GetTicks() == expected[std::size_t(i)].first &&
                   index[i].offset == expected[std::size_t(i)].second;
        if (!same) {
            difference << "index of type " << (which == 0 ? 10 : 66) << " differs from the file's";
            return difference.str();
        }
    }
    return {};
}

SLoadCheck LoadSeveralAndCompare(const std::vector<std::string>& paths)
{
    SLoadCheck check;
    std::vector<std::unique_ptr<CDataSet>> sets(paths.size());
    std::vector<std::optional<SReferenceSession>> references(paths.size());
    // Loads session k (again) and compares every open session with its reference.
    const auto load = [&](std::size_t k, const std::string& when) {
        sets[k] = std::make_unique<CDataSet>(nullptr);
        const int result = sets[k]->LoadFromFile(CString(paths[k].c_str()), false);
        if (result != 0) {
            sets[k].reset();
            if (check.result == 0)
                check.result = result;
        } else if (!references[k]) {
            references[k] = ReadReferenceSession(paths[k], sets[k]->GetScaleFactors());
        }
        for (std::size_t j = 0; j < sets.size() && check.difference.empty(); ++j) {
            if (!sets[j])
                continue;
            const std::string difference = references[j]->complete ? DifferenceFromReference(*sets[j], *references[j])
                                                                      : "the file reads incomplete";
            if (!difference.empty())
                check.difference = "session " + std::to_string(j + 1) + " after " + when + " of session " +
                                   std::to_string(k + 1) + ": " + difference;
        }
        return check.difference.empty();
    };
    for (std::size_t k = 0; k < paths.size(); ++k)
        if (!load(k, "the load"))
            return check;
    for (std::size_t k = 0; k < paths.size(); ++k) {
        if (!sets[k])
            continue;
        sets[k].reset();
        if (!load(k, "closing and loading again"))
            return check;
    }
    return check;
}
