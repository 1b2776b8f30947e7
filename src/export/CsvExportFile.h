#pragma once
// CCsvExportFile: writes one session's trend records (table type 64) or demand records (table
// type 65) as delimited text: a header line, then one line per record with its start and stop
// times, its period and the chosen columns. Lines end in CR LF. The file appears under its name
// only when it is complete; a cancel or a failure leaves any earlier file of that name as it was,
// and failures are told to the user.
#include "export/CsvColumnTables.h"
#include "export/CsvTimeFormat.h"
#include "platform/framework/CString.h"

#include <filesystem>
#include <span>
#include <string>
#include <vector>

class CDataTable;
class CMeasurementConfig;
class CProgressThread;
class CReplacingFile;

class CCsvExportFile
{
public:
    // Results of Export.
    static constexpr unsigned kNotWritten = 0; // the file could not be created or written
    static constexpr unsigned kWritten = 1;
    static constexpr unsigned kCanceled = 2;   // nothing was written

    // Takes the separator and the time-zone choice from the profile; the session's zone comes
    // from its configuration.
    explicit CCsvExportFile(const CMeasurementConfig& config);
    // Chooses the time-zone table instead of the one beside the program.
    CCsvExportFile(const CMeasurementConfig& config, const std::filesystem::path& zoneTable);

    void SetSeparator(const std::string& separator) { m_separator = separator; }

    // quantities: sorted quantity ids; the four flags select the series. Other record types than
    // 64 and 65 write an empty file.
    unsigned Export(const CDataTable& records, const CString& fileName, const std::vector<int>& quantities,
                    bool min, bool max, bool avg, bool total);

    const std::vector<SCsvColumn>& GetColumns() const { return m_columns; }

    void SelectColumns(std::span<const SCsvColumn> table, const std::vector<int>& quantities, bool min, bool max,
                       bool avg, bool total);

private:
    void AppendHeader(std::string& line, const char* periodTitle) const;
    // False when the user canceled.
    bool WriteRecords(const CDataTable& records, CReplacingFile& file, CProgressThread& progress) const;
    void AppendRecord(std::string& line, const unsigned char* record, std::size_t length) const;

    std::string m_separator;
    CCsvTimeFormat m_time;
    std::vector<SCsvColumn> m_columns;
};
