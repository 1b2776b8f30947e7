#pragma once
// CDataSet: one recorded measurement session in memory, loaded once from a ".zlg" file or from a
// stream of a project archive holding the same bytes. The tables are filed by type into record
// lists, the version list and the list of other tables; the bulky types 10 and 66 are indexed
// (CFileTable) and stay in the stream, which the data set keeps open for as long as it lives.
#include "datamodel/FileTable.h"
#include "datamodel/IDataStream.h"
#include "datamodel/LoggerModel.h"
#include "datamodel/MeasurementConfig.h"
#include "datamodel/RecordScaleFactors.h"
#include "datamodel/UmboFraming.h"
#include "platform/framework/CString.h"

#include <array>
#include <memory>

class CDataTable;
class CTrendTimeBlock;
class CUmboConvert;
class IMeasurementOwner;
class IStreamStorage;

class CDataSet
{
public:
    // Results of loading, beside 0 and the open results of IDataStream.h.
    static constexpr int kResultDiskSpace = 5;
    static constexpr int kResultBadStream = 21;     // header, configuration, header-only limit
    static constexpr int kResultIncomplete = 23;    // record times or length missing
    static constexpr int kResultReadError = 24;
    static constexpr int kResultOpenBracket = 25;
    static constexpr int kResultShortTable = 27;    // a table could not be read whole
    static constexpr int kResultCanceled = 28;
    static constexpr int kResultMemory = 31;        // too large for the memory left

    // Kinds of GetTableList.
    enum { kList15 = 0, kList61 = 1, kList64 = 2, kList65 = 3, kListOther = 4, kListVersions = 5 };

    // The owner supplies the record scale factors and receives the session's times and, for the
    // logger layout, its configuration; it may be null.
    explicit CDataSet(IMeasurementOwner* owner);
    ~CDataSet();
    CDataSet(const CDataSet&) = delete;
    CDataSet& operator=(const CDataSet&) = delete;

    int LoadFromCompoundFile(IStreamStorage& storage, const CString& name);
    // The file is opened for reading only; the one header repair of a file of unknown length is
    // written only where the file can be written.
    int LoadFromFile(const CString& path, bool headerOnly);

    CDataTable* GetTableList(int kind) const;
    CDataTable* GetTrendTable() const;
    CDataTable* GetDemandTable() const;
    CTrendTimeBlock* GetTrendTimeBlock();
    CTrendTimeBlock* GetDemandTimeBlock();

    CHighTime GetFirstRecordTime();
    CHighTime GetLastRecordTime();
    CHighTime GetStartTime();
    CHighTime GetEndTime();

    // The instrument that recorded the session: every session file comes from the one logger model.
    CString GetInstrumentName() const { return kLoggerInstrumentName; }
    // The trimmed text form of the first version entry of the type; empty when there is none.
    CString DescribeTable(WORD tableType, bool pad) const;

    void SetIndex(int index) { m_index = index; }
    int GetIndex() const { return m_index; }
    bool IsFromArchive() const { return m_fromArchive; }
    const CString& GetName() const { return m_name; }
    const CString& GetPath() const { return m_path; }
    const Umbo_msg_header_t& GetHeader() const { return m_header; }
    const std::array<BYTE, 40>& GetSummary() const { return m_summary; }
    const CMeasurementConfig& GetMeasurementConfig() const { return m_config; }
    IMeasurementOwner* GetOwner() const { return m_owner; }
    const CRecordScaleFactors& GetScaleFactors() const { return m_scaleFactors; }
    CFileTable& GetFileTable10() { return *m_fileTable10; }
    CFileTable& GetFileTable66() { return *m_fileTable66; }
    IDataStream* GetStream() const { return m_stream.get(); }
    CUmboConvert* GetConverter() const { return m_converter.get(); }

private:
    class CReader;

    int ReadStream(bool headerOnly);
    void CreateLists();
    void CreateFileTables();
    void DeleteLists();
    void CloseStream();

    bool m_fromArchive = true;
    std::unique_ptr<IDataStream> m_stream;
    CString m_name;
    Umbo_msg_header_t m_header{};
    std::array<BYTE, 40> m_summary{};
    CMeasurementConfig m_config;
    int m_index = -1;
    IMeasurementOwner* m_owner;
    std::unique_ptr<CDataTable> m_list15;
    std::unique_ptr<CDataTable> m_list61;
    std::unique_ptr<CDataTable> m_list64;
    std::unique_ptr<CDataTable> m_list65;
    std::unique_ptr<CDataTable> m_versions;
    std::unique_ptr<CDataTable> m_others;
    std::unique_ptr<CTrendTimeBlock> m_trendBlock;
    std::unique_ptr<CTrendTimeBlock> m_demandBlock;
    CRecordScaleFactors m_scaleFactors;
    std::unique_ptr<CUmboConvert> m_converter;
    std::unique_ptr<CFileTable> m_fileTable10;
    std::unique_ptr<CFileTable> m_fileTable66;
    CString m_path;
};

// Writes a byte block to a stream in pieces of at most 0x7FFFFFFF bytes; false for a null block
// with a non-zero count or a failed write.
bool WriteInChunks(IDataStream& stream, const void* data, std::uint64_t count);
