#pragma once
// Shared pieces of the export tests: sessions' records built in memory, a configuration carrying
// a time-zone name, a recording progress dialog, and the lines and fields of a written file.
#include "datamodel/ByteAccess.h"
#include "datamodel/DataTable.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/ProgressThread.h"
#include "datamodel/RecordingProgressDialog.h"
#include "platform/framework/Profile.h"
#include "platform/framework/StringTable.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempFolder.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

inline constexpr std::size_t kTrendRecordSize = 680;
inline constexpr std::size_t kDemandRecordSize = 104;

// FILETIME counts of a UTC date and time.
inline ULONGLONG FileTimeOf(int year, int month, int day, int hour, int minute, int second)
{
    using namespace std::chrono;
    const sys_days date = std::chrono::year(year) / month / day;
    const long long unixSeconds = date.time_since_epoch().count() * 86400LL + hour * 3600 + minute * 60 + second;
    return ULONGLONG(unixSeconds + 11'644'473'600LL) * 10'000'000ULL;
}

// A record of `size` bytes: times as two words high first, the period, and values(offset).
inline std::vector<BYTE> MakeRecord(WORD type, std::size_t size, ULONGLONG start, ULONGLONG stop, DWORD period,
                                    const std::function<float(int)>& value = {})
{
    std::vector<BYTE> record(size, 0);
    StoreU16(record.data(), 0, type);
    StoreU16(record.data(), 2, WORD(size));
    StoreU32(record.data(), 4, DWORD(start >> 32));
    StoreU32(record.data(), 8, DWORD(start));
    StoreU32(record.data(), 12, DWORD(stop >> 32));
    StoreU32(record.data(), 16, DWORD(stop));
    if (size >= 24)
        StoreU32(record.data(), 20, period);
    for (std::size_t offset = 24; value && offset + 4 <= size; offset += 4)
        StoreF32(record.data(), offset, value(int(offset)));
    return record;
}

// `count` records of one type, `seconds` apart from a start time.
inline std::unique_ptr<CDataTable> MakeRecords(WORD type, int count, ULONGLONG first = FileTimeOf(2026, 1, 1, 0, 0, 0),
                                               int seconds = 600, std::size_t size = 0,
                                               const std::function<float(int)>& value = {})
{
    const std::size_t bytes = size ? size : type == 64 ? kTrendRecordSize : kDemandRecordSize;
    auto table = std::make_unique<CDataTable>(type, CDataTable::kOrderedByTime);
    const ULONGLONG step = ULONGLONG(seconds) * 10'000'000ULL;
    for (int i = 0; i < count; ++i) {
        const auto record = MakeRecord(type, bytes, first + step * ULONGLONG(i), first + step * ULONGLONG(i + 1),
                                       DWORD(seconds), value);
        table->InsertTable(reinterpret_cast<const Umbo_table_header_t*>(record.data()));
    }
    return table;
}

// A configuration of the logger layout whose time-zone text is `zone`.
inline CMeasurementConfig MakeZoneConfig(const std::string& zone)
{
    std::vector<BYTE> table(kLoggerConfigTableSize, 0);
    StoreU16(table.data(), 0, kLoggerConfigTableType);
    StoreU16(table.data(), 2, WORD(kLoggerConfigTableSize));
    for (std::size_t i = 0; i < zone.size() && i < 63; ++i)
        table[612 + 2 * i] = BYTE(zone[i]);
    CMeasurementConfig config;
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(table.data()));
    return config;
}

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The lines of a text whose lines all end in CR LF (a bare LF fails the test).
inline std::vector<std::string> CrLfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = text.find("\r\n", begin);
        EXPECT_NE(end, std::string::npos) << "last line has no CR LF";
        if (end == std::string::npos)
            break;
        const std::string line = text.substr(begin, end - begin);
        EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed in: " << line;
        lines.push_back(line);
        begin = end + 2;
    }
    return lines;
}

inline std::vector<std::string> Fields(const std::string& line, const std::string& separator = ";")
{
    std::vector<std::string> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = line.find(separator, begin);
        fields.push_back(line.substr(begin, end - begin));
        if (end == std::string::npos)
            return fields;
        begin = end + separator.size();
    }
}

// The application's profile in a fresh folder, the English strings, recorded message boxes and
// a recording progress dialog.
class ExportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CStringTable::Instance().LoadLanguage("ENG");
        m_progress = std::make_shared<SProgressRecord>();
        CProgressThread::SetDialogFactory([record = m_progress] {
            return std::make_unique<CRecordingProgressDialog>(record);
        });
    }
    void TearDown() override { CProgressThread::SetDialogFactory({}); }

    void SetProfileInt(const char* name, int value)
    {
        CProfile::Instance().WriteProfileInt("Settings", name, value);
    }
    void SetProfileString(const char* name, const char* value)
    {
        CProfile::Instance().WriteProfileString("Settings", name, value);
    }

    CTempXdgHome m_home;
    CTempFolder m_folder;
    CMessageBoxRecorder m_boxes;
    std::shared_ptr<SProgressRecord> m_progress;
};
