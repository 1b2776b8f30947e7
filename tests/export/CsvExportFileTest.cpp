#include "export/CsvExportFile.h"
#include "export/ExportTestSupport.h"
#include "export/ReplacingFile.h"
#include "support/LogCapture.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <set>

namespace {

const std::vector<int> kEveryQuantity = {0, 1, 2, 5, 6, 7, 8, 9, 20, 21, 22, 29, 30, 41, 42, 43, 48, 49, 51, 52};

class CsvExportFileTest : public ExportTest
{
protected:
    // Exports the records with every series and returns the file's lines.
    std::vector<std::string> ExportLines(CCsvExportFile& writer, const CDataTable& records,
                                         const std::vector<int>& quantities = kEveryQuantity)
    {
        const std::string path = m_folder.Path("out.csv");
        EXPECT_EQ(CCsvExportFile::kWritten, writer.Export(records, CString(path), quantities, true, true, true, true));
        return CrLfLines(ReadText(path));
    }
    std::vector<std::string> Titles(const CCsvExportFile& writer) const
    {
        std::vector<std::string> titles;
        for (const SCsvColumn& column : writer.GetColumns())
            titles.push_back(column.title);
        return titles;
    }
    // The names in the folder beside the export (no temporary file may stay behind).
    std::vector<std::string> FolderNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.Root()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    CMeasurementConfig m_config = MakeZoneConfig("");
};

TEST_F(CsvExportFileTest, TrendHeaderWithEverythingChosenHas167FieldsInTableOrder)
{
    SetProfileInt("CsvExportUseUTC", 1);
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(64, 3);
    const auto lines = ExportLines(writer, *records);
    ASSERT_EQ(4u, lines.size());
    const auto header = Fields(lines[0]);
    ASSERT_EQ(167u, header.size());
    EXPECT_EQ("Start(UTC)", header[0]);
    EXPECT_EQ("Stop(UTC)", header[1]);
    EXPECT_EQ("Trend_Period", header[2]);
    const auto table = TrendCsvColumns();
    for (std::size_t i = 0; i < table.size(); ++i)
        EXPECT_EQ(table[i].title, header[3 + i]);
    EXPECT_EQ("Vrms_AN_avg", header[3]);
    EXPECT_EQ("Vrms_AN_min", header[4]);
    EXPECT_EQ("ActiveEnergy_A", header[147]);
    EXPECT_EQ("Aux2_max", header[166]);
    EXPECT_EQ(167u, Fields(lines[1]).size());
    EXPECT_EQ("2026-01-01 00:00:00", Fields(lines[1])[0]);
    EXPECT_EQ("2026-01-01 00:10:00", Fields(lines[1])[1]);
    EXPECT_EQ("600", Fields(lines[1])[2]);
}

TEST_F(CsvExportFileTest, ColumnTablesPlaceEveryValueOnceInsideItsRecord)
{
    std::vector<int> trendOffsets;
    for (const SCsvColumn& column : TrendCsvColumns())
        trendOffsets.push_back(column.offset);
    std::sort(trendOffsets.begin(), trendOffsets.end());
    for (std::size_t i = 0; i < trendOffsets.size(); ++i)
        EXPECT_EQ(int(24 + 4 * i), trendOffsets[i]);
    EXPECT_EQ(int(kTrendRecordSize) - 4, trendOffsets.back());
    const auto demand = DemandCsvColumns();
    ASSERT_EQ(20u, demand.size());
    EXPECT_EQ(int(kDemandRecordSize) - 4, demand.back().offset);
    EXPECT_STREQ("SuppliedActiveEnergy", demand.back().title);
}

TEST_F(CsvExportFileTest, DemandExportWithoutAvgWritesOnlyTimesAndPeriod)
{
    SetProfileInt("CsvExportUseUTC", 1);
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(65, 2, FileTimeOf(2026, 5, 1, 12, 0, 0), 900);
    const std::string path = m_folder.Path("demand.csv");
    ASSERT_EQ(CCsvExportFile::kWritten, writer.Export(*records, CString(path), kEveryQuantity, true, true, false, true));
    const auto lines = CrLfLines(ReadText(path));
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("Start(UTC);Stop(UTC);Demand_Period", lines[0]);
    EXPECT_EQ("2026-05-01 12:15:00;2026-05-01 12:30:00;900", lines[2]);
}

TEST_F(CsvExportFileTest, ColumnSelectionFollowsQuantitiesSeriesAndTotal)
{
    CCsvExportFile writer(m_config);
    // Voltage brings the line-to-neutral and the line-to-line channels.
    writer.SelectColumns(TrendCsvColumns(), {0}, true, true, true, true);
    EXPECT_EQ(18u, writer.GetColumns().size());
    EXPECT_EQ("Vrms_CA_max", Titles(writer).back());

    // Without total: no "_Total" column, but the columns without a phase stay.
    writer.SelectColumns(TrendCsvColumns(), kEveryQuantity, true, true, true, false);
    const auto titles = Titles(writer);
    EXPECT_EQ(164u - 8 * 3 - 3, titles.size());
    for (const std::string& title : titles)
        EXPECT_EQ(std::string::npos, title.find("_Total")) << title;
    for (const char* kept : {"ConsumedActiveEnergy", "SuppliedActiveEnergy", "Frequency_avg", "Aux1_min", "Aux2_max"})
        EXPECT_NE(titles.end(), std::find(titles.begin(), titles.end(), kept)) << kept;

    // Min alone: no energy (all avg), the aux inputs only when asked for.
    writer.SelectColumns(TrendCsvColumns(), {41, 48, 51}, true, false, false, true);
    EXPECT_EQ((std::vector<std::string>{"Aux1_min"}), Titles(writer));

    // Demand columns are all avg.
    writer.SelectColumns(DemandCsvColumns(), kEveryQuantity, true, true, false, true);
    EXPECT_TRUE(writer.GetColumns().empty());
    writer.SelectColumns(DemandCsvColumns(), {1, 49}, false, false, true, false);
    EXPECT_EQ((std::vector<std::string>{"Irms_A", "Irms_B", "Irms_C", "SuppliedActiveEnergy"}), Titles(writer));
}

TEST_F(CsvExportFileTest, FloatsReadBackAsTheRecordedValuesWhateverTheLocale)
{
    const float special[] = {1234567.8f, 0.1f, -273.15f, 3.4028235e38f, 1e-45f, 16777217.0f, 0.0f, 5.0f};
    auto value = [&](int offset) {
        const int index = (offset - 24) / 4;
        return index < int(std::size(special)) ? special[index] : float(index) * 1.1f + 1e6f / float(index);
    };
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string restore = previous ? previous : "C";
    const bool german = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    SetProfileInt("CsvExportUseUTC", 1);
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(64, 1, FileTimeOf(2026, 1, 1, 0, 0, 0), 600, 0, value);
    const auto lines = ExportLines(writer, *records);
    std::setlocale(LC_ALL, restore.c_str());
    EXPECT_TRUE(german) << "de_DE.UTF-8 missing: scripts/install-deps.sh generates it";
    ASSERT_EQ(2u, lines.size());
    const auto fields = Fields(lines[1]);
    ASSERT_EQ(167u, fields.size());
    const auto& columns = writer.GetColumns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string& text = fields[3 + i];
        EXPECT_EQ(std::string::npos, text.find(',')) << text;
        const float expected = value(columns[i].offset);
        const float read = std::strtof(text.c_str(), nullptr);
        EXPECT_EQ(0, std::memcmp(&expected, &read, sizeof read)) << columns[i].title << ": " << text;
    }
    // The energy counter keeps its last digit, in plain notation.
    EXPECT_EQ("1234567.8", fields[3 + 1]); // Vrms_AN_min at offset 24
}

TEST_F(CsvExportFileTest, NonFiniteValuesAndShortRecordsGiveReadableFields)
{
    SetProfileInt("CsvExportUseUTC", 1);
    CCsvExportFile writer(m_config);
    auto records = MakeRecords(65, 1, FileTimeOf(2026, 1, 1, 0, 0, 0), 600, 0, [](int offset) {
        return offset == 24 ? std::numeric_limits<float>::infinity()
               : offset == 28 ? -std::numeric_limits<float>::infinity()
                              : std::numeric_limits<float>::quiet_NaN();
    });
    // A damaged record that ends after its first value: the columns past its end stay empty.
    const auto shortRecord = MakeRecord(65, 28, FileTimeOf(2026, 1, 1, 0, 10, 0), FileTimeOf(2026, 1, 1, 0, 20, 0),
                                        600, [](int) { return 2.5f; });
    records->InsertTable(reinterpret_cast<const Umbo_table_header_t*>(shortRecord.data()));
    const auto lines = ExportLines(writer, *records, {0});
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("2026-01-01 00:00:00;2026-01-01 00:10:00;600;inf;-inf;nan", lines[1]);
    EXPECT_EQ("2026-01-01 00:10:00;2026-01-01 00:20:00;600;2.5;;", lines[2]);
}

TEST_F(CsvExportFileTest, TabSeparatorStandsAloneBetweenEveryField)
{
    SetProfileInt("CsvExportUseUTC", 1);
    CCsvExportFile writer(m_config);
    writer.SetSeparator("\t");
    const auto records = MakeRecords(65, 1, FileTimeOf(2026, 1, 1, 0, 0, 0), 600, 0, [](int) { return 1.5f; });
    const auto lines = ExportLines(writer, *records, {48});
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ("Start(UTC)\tStop(UTC)\tDemand_Period\tConsumedActiveEnergy", lines[0]);
    EXPECT_EQ("2026-01-01 00:00:00\t2026-01-01 00:10:00\t600\t1.5", lines[1]);
}

TEST_F(CsvExportFileTest, SeparatorComesFromTheProfileUntilTheDialogChoosesOne)
{
    SetProfileInt("CsvExportUseUTC", 1);
    SetProfileString("CsvExportSeparator", "|");
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(65, 1);
    EXPECT_EQ("Start(UTC)|Stop(UTC)|Demand_Period", ExportLines(writer, *records, {})[0]);
}

TEST_F(CsvExportFileTest, OtherRecordTypesWriteAnEmptyFile)
{
    CCsvExportFile writer(m_config);
    CDataTable versions(-1, CDataTable::kOrderedByType);
    const std::string path = m_folder.Path("empty.csv");
    EXPECT_EQ(CCsvExportFile::kWritten, writer.Export(versions, CString(path), kEveryQuantity, true, true, true, true));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(0u, std::filesystem::file_size(path));
}

// ---- progress and cancel

TEST_F(CsvExportFileTest, NinetyNineRecordsHaveNoProgressPoint)
{
    m_progress->cancelAfterPositions = 0; // any cancel check would stop the export
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(65, 99);
    EXPECT_EQ(100u, ExportLines(writer, *records).size());
    EXPECT_EQ(CString("Exporting data..."), m_progress->caption);
    EXPECT_EQ((std::vector<int>{0}), m_progress->positions);
    EXPECT_EQ(1, m_progress->closeCount);
}

TEST_F(CsvExportFileTest, TwoHundredFiftyRecordsMoveTheBarEverySecondRecord)
{
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(65, 250);
    ExportLines(writer, *records);
    ASSERT_EQ(126u, m_progress->positions.size());
    EXPECT_EQ(0, m_progress->positions[0]);
    // After record 2k the bar shows the share written so far.
    for (int k = 1; k <= 125; ++k)
        EXPECT_EQ(2 * k * 100 / 250, m_progress->positions[std::size_t(k)]) << "after record " << 2 * k;
    EXPECT_EQ(100, m_progress->positions.back());
}

TEST_F(CsvExportFileTest, AMillionRecordsMoveTheBarEveryHundredRecords)
{
    CCsvExportFile writer(m_config);
    // Records of times and period only keep the million small.
    const auto records = MakeRecords(65, 1'000'000, FileTimeOf(2020, 1, 1, 0, 0, 0), 60, 24);
    const std::string path = m_folder.Path("million.csv");
    ASSERT_EQ(CCsvExportFile::kWritten, writer.Export(*records, CString(path), {}, true, true, true, true));
    ASSERT_EQ(10'001u, m_progress->positions.size());
    EXPECT_EQ(0, m_progress->positions[1]);     // after record 100
    EXPECT_EQ(1, m_progress->positions[100]);   // after record 10,000
    EXPECT_EQ(100, m_progress->positions.back());
    std::ifstream in(path, std::ios::binary);
    const auto lines = std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n');
    EXPECT_EQ(1'000'001, lines);
}

TEST_F(CsvExportFileTest, CancelAtAProgressPointLeavesNoFileAndKeepsAnOlderOne)
{
    m_progress->cancelAfterPositions = 3; // the third check after the start reports the cancel
    const std::string path = m_folder.Path("kept.csv");
    WriteFileBytes(path, {'o', 'l', 'd'});
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(64, 500);
    EXPECT_EQ(CCsvExportFile::kCanceled, writer.Export(*records, CString(path), kEveryQuantity, true, true, true, true));
    EXPECT_EQ("old", ReadText(path));
    EXPECT_EQ((std::vector<std::string>{"kept.csv"}), FolderNames());
    EXPECT_EQ(3u, m_progress->positions.size());
    EXPECT_EQ(1, m_progress->closeCount);
    EXPECT_TRUE(m_boxes.Boxes().empty());

    std::filesystem::remove(path);
    m_progress->cancelAfterPositions = 1;
    EXPECT_EQ(CCsvExportFile::kCanceled, writer.Export(*records, CString(path), kEveryQuantity, true, true, true, true));
    EXPECT_TRUE(FolderNames().empty());
}

// A progress dialog that looks into the export's folder each time the bar moves.
class CFolderWatchingDialog final : public IProgressDialog
{
public:
    CFolderWatchingDialog(std::filesystem::path folder, std::shared_ptr<std::set<std::string>> seen)
        : m_folder(std::move(folder)), m_seen(std::move(seen))
    {
    }
    void Show(const CString&) override {}
    void SetPos(int) override
    {
        for (const auto& entry : std::filesystem::directory_iterator(m_folder))
            m_seen->insert(entry.path().filename().string());
    }
    bool IsCanceled() const override { return false; }
    void Close() override {}

private:
    std::filesystem::path m_folder;
    std::shared_ptr<std::set<std::string>> m_seen;
};

TEST_F(CsvExportFileTest, AnyLegalNameIsWrittenAndNoTemporaryFileOutlivesItsExport)
{
    // A name of 250 bytes, the longest most file systems allow being 255.
    const std::string name = std::string(246, 'n') + ".csv";
    // Temporary files that exports of this file and of another left when their process was gone,
    // one of a running process, and files of the user's that look like temporaries of gone
    // processes (hidden, ".<name>.<n>-<m>.part", n no process).
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone);
    const std::string stale = TemporaryPathFor(m_folder.Path(name), gone, 0).filename().string();
    const std::string otherTarget = TemporaryPathFor(m_folder.Path("other.csv"), gone, 1).filename().string();
    const std::string running = TemporaryPathFor(m_folder.Path(name), ::getppid(), 2).filename().string();
    const std::set<std::string> kept = {otherTarget,
                                        running,
                                        ".csv." + dead + "-0.part",
                                        ".site_trend.txt." + dead + "-3.part",
                                        ".report.csv." + dead + "-3.part",
                                        ".csv.1-0.part",
                                        ".notes.part"};
    WriteFileBytes(m_folder.Path(stale), {'x'});
    for (const std::string& file : kept)
        WriteFileBytes(m_folder.Path(file), {'x'});

    // The folder as the export goes on.
    const auto seen = std::make_shared<std::set<std::string>>();
    CProgressThread::SetDialogFactory(
        [this, seen] { return std::make_unique<CFolderWatchingDialog>(m_folder.Root(), seen); });
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(64, 500);
    EXPECT_EQ(CCsvExportFile::kWritten,
              writer.Export(*records, CString(m_folder.Path(name)), kEveryQuantity, true, true, true, true));
    EXPECT_TRUE(m_boxes.Boxes().empty());
    ASSERT_FALSE(seen->empty());
    // While it was written, the export's file had no name in the folder: killed then, it leaves
    // nothing. The file's temporary of a gone export was removed, nothing else.
    EXPECT_EQ(*seen, kept);
    const std::vector<std::string> names = FolderNames();
    std::set<std::string> after = kept;
    after.insert(name);
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), after);
    EXPECT_EQ(CrLfLines(ReadText(m_folder.Path(name))).size(), 501u);
}

TEST_F(CsvExportFileTest, AnExportReplacesAnOlderFileKeepingItsPermissions)
{
    const std::string path = m_folder.Path("again.csv");
    WriteFileBytes(path, {'o', 'l', 'd'});
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    SetProfileInt("CsvExportUseUTC", 1);
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(65, 1);
    ASSERT_EQ(CCsvExportFile::kWritten, writer.Export(*records, CString(path), {}, true, true, true, true));
    EXPECT_EQ("Start(UTC);Stop(UTC);Demand_Period\r\n2026-01-01 00:00:00;2026-01-01 00:10:00;600\r\n", ReadText(path));
    EXPECT_EQ(std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read,
              std::filesystem::status(path).permissions());
    EXPECT_EQ((std::vector<std::string>{"again.csv"}), FolderNames());
}

// ---- failures the user is told about

TEST_F(CsvExportFileTest, AFileThatCannotBeCreatedIsNamedWithTheReason)
{
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(65, 3);
    const std::string path = m_folder.Path("missing/out.csv");
    EXPECT_EQ(CCsvExportFile::kNotWritten, writer.Export(*records, CString(path), {}, true, true, true, true));
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(CString("The file " + path + " cannot be created: No such file or directory."), m_boxes.Boxes()[0].text);
    EXPECT_EQ(0, m_progress->showCount);

    // A read-only file is not replaced behind the user's back.
    const std::string readOnly = m_folder.Path("readonly.csv");
    WriteFileBytes(readOnly, {'x'});
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    if (::geteuid() != 0) {
        EXPECT_EQ(CCsvExportFile::kNotWritten, writer.Export(*records, CString(readOnly), {}, true, true, true, true));
        EXPECT_EQ("x", ReadText(readOnly));
    }
    // Nor is a folder.
    EXPECT_EQ(CCsvExportFile::kNotWritten,
              writer.Export(*records, CString(m_folder.Root().string()), {}, true, true, true, true));
    EXPECT_NE(std::string::npos, m_boxes.Boxes().back().text.str().find("Is a directory"));
}

// The file-size limit makes writes fail as a full disk does.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

TEST_F(CsvExportFileTest, AWriteErrorIsReportedAndLeavesTheOlderFile)
{
    const std::string path = m_folder.Path("full.csv");
    WriteFileBytes(path, {'o', 'l', 'd'});
    CCsvExportFile writer(m_config);
    const auto records = MakeRecords(64, 2000);
    unsigned result = 0;
    {
        FileSizeLimit limit(100'000);
        result = writer.Export(*records, CString(path), kEveryQuantity, true, true, true, true);
    }
    EXPECT_EQ(CCsvExportFile::kNotWritten, result);
    EXPECT_EQ("old", ReadText(path));
    EXPECT_EQ((std::vector<std::string>{"full.csv"}), FolderNames());
    ASSERT_EQ(1u, m_boxes.Boxes().size());
    EXPECT_EQ(CString("Writing the file " + path + " failed: File too large. The export was not saved."),
              m_boxes.Boxes()[0].text);
    EXPECT_EQ(1, m_progress->closeCount);
}

} // namespace
